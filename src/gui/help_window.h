// The help window: the user manual (the HTML pages built into the program, with the pages the
// program writes itself), a topic search over its whole text, and Back through the pages
// seen. Dialogs open it at their own page by their help context number (dialog_help.h).
#pragma once

#include <QStringList>
#include <QWidget>

#include "shell/help_manual.h"

class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace kalvora::gui {

// The manual, read from the resources once.
const THelpManual& HelpManual();

class THelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit THelpWindow(QWidget* parent);

    // The contents page, or the command list at a command's row when anchor names one.
    void ShowContents(const QString& anchor = QString());
    void ShowSearch();  // focuses the search field
    void Search(const QString& query);
    void ShowHelpOnHelp();
    // The page of a dialog's help context number.
    void ShowContext(int context);
    // A page by name, perhaps with "#anchor"; the contents when there is no such page.
    void ShowPage(const QString& page);
    void Back();

    QString CurrentPage() const { return current_; }
    QTextBrowser* Browser() const { return browser_; }
    QLineEdit* SearchField() const { return search_; }

  protected:
    // Escape closes the window, as it closes every dialog.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Open(const QString& page, bool remember);
    void Present();
    void FollowLink(const QUrl& url);
    QLineEdit* search_;
    QTextBrowser* browser_;
    QPushButton* back_;
    QString current_;
    QStringList history_;
};

}  // namespace kalvora::gui
