// The frame's file dialogs, configured from their core description.
#pragma once

#include <QStringList>

#include "shell/file_dialogs.h"

class QFileDialog;
class QWidget;

namespace kalvora::gui {

// Title, filters ("All files" matches every file), default suffix, open or save mode (a save
// dialog asks before overwriting) and multiple selection.
void ConfigureFileDialog(QFileDialog& dialog, FileDialogKind kind);
QStringList NameFiltersOf(FileDialogKind kind);

// Runs the dialog; the chosen files, or none when cancelled.
QStringList RunFileDialog(QWidget* parent, FileDialogKind kind);

}  // namespace kalvora::gui
