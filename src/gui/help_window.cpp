#include "gui/help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/artwork.h"
#include "gui/qt_text.h"
#include "shell/help_contents.h"

namespace kalvora::gui {
namespace {

const char* const helpStyle =
    "h1 { color: #1c2b45; } h2 { color: #1a5fb4; margin-top: 18px; }"
    "table.commands { border-collapse: collapse; }"
    "td, th { padding: 3px 10px 3px 0; vertical-align: top; }"
    "th { text-align: left; }";

QString ResourceText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

}  // namespace

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kalvora Help"));
    setWindowIcon(ApplicationIcon());
    resize(760, 620);

    auto* contents =
        new QPushButton(CommandIcon("help-browser"), QStringLiteral("&Contents"), this);
    auto* helpOnHelp =
        new QPushButton(CommandIcon("help-faq"), QStringLiteral("&Help on Help"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("TopicSearch"));
    search_->setPlaceholderText(QStringLiteral("Topic Search"));
    search_->setClearButtonEnabled(true);
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(false);
    browser_->document()->setDefaultStyleSheet(QLatin1String(helpStyle));

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(helpOnHelp);
    bar->addWidget(search_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);

    connect(contents, &QPushButton::clicked, this, [this] { ShowContents(); });
    connect(helpOnHelp, &QPushButton::clicked, this, &THelpWindow::ShowHelpOnHelp);
    connect(search_, &QLineEdit::textChanged, this, &THelpWindow::Search);
    connect(browser_, &QTextBrowser::anchorClicked, this, &THelpWindow::FollowLink);
}

void THelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void THelpWindow::ShowContents(const QString& anchor) {
    browser_->setHtml(FromCore(HelpContentsHtml()));
    if (!anchor.isEmpty()) browser_->scrollToAnchor(anchor);
    show();
    raise();
    activateWindow();
}

void THelpWindow::ShowSearch() {
    if (search_->text().isEmpty()) {
        browser_->setHtml(QStringLiteral(
            "<h1>Topic Search</h1><p>Type one or more words into the search field: every "
            "command whose caption, hint or shortcut holds all of them is listed.</p>"));
    } else {
        Search(search_->text());
    }
    show();
    raise();
    activateWindow();
    search_->setFocus();
    search_->selectAll();
}

void THelpWindow::Search(const QString& query) {
    if (query.trimmed().isEmpty()) {
        ShowContents();
        return;
    }
    browser_->setHtml(FromCore(HelpSearchResultHtml(ToCore(query))));
}

void THelpWindow::ShowHelpOnHelp() {
    browser_->setHtml(ResourceText(QStringLiteral(":/help/help-on-help.html")));
    show();
    raise();
    activateWindow();
}

void THelpWindow::FollowLink(const QUrl& url) {
    QString page = url.path();
    if (page == QLatin1String("help-on-help.html")) {
        ShowHelpOnHelp();
    } else {
        ShowContents(url.fragment());
    }
}

}  // namespace kalvora::gui
