#include "gui/help_window.h"

#include <QDesktopServices>
#include <QDir>
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
#include "shell/help_topics.h"

namespace kalvora::gui {
namespace {

const char* const helpStyle =
    "h1 { color: #1c2b45; } h2 { color: #1a5fb4; margin-top: 18px; }"
    "table.commands, table.fields, table.units { border-collapse: collapse; }"
    "td, th { padding: 3px 10px 3px 0; vertical-align: top; }"
    "th { text-align: left; } code { color: #303030; }";

const char* const helpFolder = ":/help";

THelpManual ReadManual() {
    THelpManual manual;
    QDir folder{QLatin1String(helpFolder)};
    for (const QString& name : folder.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        manual.AddPage(name.toStdString(), file.readAll().toStdString());
    }
    return manual;
}

}  // namespace

const THelpManual& HelpManual() {
    static const THelpManual manual = ReadManual();
    return manual;
}

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kalvora Help"));
    setWindowIcon(ApplicationIcon());
    resize(800, 640);

    auto* contents =
        new QPushButton(CommandIcon("help-browser"), QStringLiteral("&Contents"), this);
    back_ = new QPushButton(CommandIcon("go-previous"), QStringLiteral("&Back"), this);
    back_->setEnabled(false);
    auto* helpOnHelp =
        new QPushButton(CommandIcon("help-faq"), QStringLiteral("&Help on Help"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("TopicSearch"));
    search_->setPlaceholderText(QStringLiteral("Topic Search"));
    search_->setClearButtonEnabled(true);
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(false);
    browser_->setSearchPaths({QLatin1String(helpFolder)});
    browser_->document()->setDefaultStyleSheet(QLatin1String(helpStyle));

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back_);
    bar->addWidget(helpOnHelp);
    bar->addWidget(search_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);

    connect(contents, &QPushButton::clicked, this, [this] { ShowContents(); });
    connect(back_, &QPushButton::clicked, this, &THelpWindow::Back);
    connect(helpOnHelp, &QPushButton::clicked, this, &THelpWindow::ShowHelpOnHelp);
    connect(search_, &QLineEdit::textChanged, this, &THelpWindow::Search);
    connect(browser_, &QTextBrowser::anchorClicked, this, &THelpWindow::FollowLink);
}

void THelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Left && event->modifiers() == Qt::AltModifier) {
        Back();
        return;
    }
    QWidget::keyPressEvent(event);
}

void THelpWindow::Present() {
    show();
    raise();
    activateWindow();
    // Keys scroll the page; they must not press a button of the bar by accident.
    if (!search_->hasFocus()) browser_->setFocus();
}

void THelpWindow::Open(const QString& page, bool remember) {
    QString name = page.section(QLatin1Char('#'), 0, 0);
    QString anchor = page.section(QLatin1Char('#'), 1);
    if (name.isEmpty()) name = current_.section(QLatin1Char('#'), 0, 0);
    const THelpPage* found = HelpManual().Find(ToCore(name));
    if (found == nullptr) {
        name = FromCore(kHelpStartPage);
        anchor.clear();
        found = HelpManual().Find(kHelpStartPage);
    }
    if (remember && !current_.isEmpty()) history_.append(current_);
    back_->setEnabled(!history_.isEmpty());
    current_ = anchor.isEmpty() ? name : name + QLatin1Char('#') + anchor;
    browser_->setHtml(found != nullptr ? FromCore(found->html) : QString());
    if (!anchor.isEmpty()) browser_->scrollToAnchor(anchor);
}

void THelpWindow::ShowPage(const QString& page) {
    Open(page, true);
    Present();
}

void THelpWindow::ShowContents(const QString& anchor) {
    ShowPage(anchor.isEmpty() ? FromCore(kHelpStartPage)
                              : QStringLiteral("commands.html#") + anchor);
}

void THelpWindow::ShowContext(int context) {
    ShowPage(FromCore(HelpPageOfContext(context)));
}

void THelpWindow::ShowHelpOnHelp() {
    ShowPage(QStringLiteral("help-on-help.html"));
}

void THelpWindow::Back() {
    if (history_.isEmpty()) return;
    QString page = history_.takeLast();
    Open(page, false);
}

void THelpWindow::ShowSearch() {
    if (search_->text().isEmpty()) {
        browser_->setHtml(QStringLiteral(
            "<h1>Topic Search</h1><p>Type one or more words into the search field: every "
            "page of the manual that holds all of them is listed, the best first. A word "
            "also finds longer words it begins: <i>echo</i> finds <i>echoes</i>.</p>"));
    } else {
        Search(search_->text());
    }
    Present();
    search_->setFocus();
    search_->selectAll();
}

void THelpWindow::Search(const QString& query) {
    if (query.trimmed().isEmpty()) {
        Open(current_.isEmpty() ? FromCore(kHelpStartPage) : current_, false);
        return;
    }
    browser_->setHtml(FromCore(HelpManual().SearchResultHtml(ToCore(query))));
}

void THelpWindow::FollowLink(const QUrl& url) {
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) {
        QDesktopServices::openUrl(url);
        return;
    }
    QString page = url.path();
    if (url.hasFragment()) page += QLatin1Char('#') + url.fragment();
    Open(page, true);
}

}  // namespace kalvora::gui
