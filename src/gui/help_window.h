// The help window: the contents page generated from the command table, a topic search over
// the commands and the page on using the help.
#pragma once

#include <QWidget>

class QKeyEvent;
class QLineEdit;
class QTextBrowser;

namespace kalvora::gui {

class THelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit THelpWindow(QWidget* parent);

    void ShowContents(const QString& anchor = QString());
    void ShowSearch();  // focuses the search field
    void Search(const QString& query);
    void ShowHelpOnHelp();
    QTextBrowser* Browser() const { return browser_; }
    QLineEdit* SearchField() const { return search_; }

  protected:
    // Escape closes the window, as it closes every dialog.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FollowLink(const QUrl& url);
    QLineEdit* search_;
    QTextBrowser* browser_;
};

}  // namespace kalvora::gui
