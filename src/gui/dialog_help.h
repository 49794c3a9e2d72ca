// Help for dialogs: every dialog carries its help context number; its Help button and F1
// open the manual at that number's page (shell/help_topics.h).
#pragma once

class QDialogButtonBox;
class QWidget;

namespace kalvora::gui {

// Gives dialog its help: F1 anywhere in it, and the Help button of buttons (added when the
// box has none; no button when buttons is null), open the page of context.
void InstallDialogHelp(QWidget& dialog, int context, QDialogButtonBox* buttons = nullptr);

// The context number InstallDialogHelp gave the window, or 0.
int DialogHelpContext(const QWidget& dialog);

// Opens the manual at the page of context for a request from the widget from. A modal
// dialog blocks every other window, so its help opens in a help window of its own that
// lives as long as the dialog; otherwise the frame's help window shows the page.
void ShowDialogHelp(QWidget* from, int context);

}  // namespace kalvora::gui
