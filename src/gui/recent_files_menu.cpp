#include "gui/recent_files_menu.h"

#include <QAction>
#include <QMenu>

#include "gui/file_opener.h"
#include "gui/main_form.h"
#include "gui/qt_text.h"

namespace kalvora::gui {

TRecentFilesMenu::TRecentFilesMenu(TMainForm& frame, TRecentFiles& files, QMenu& menu)
    : QObject(&menu), frame_(frame), files_(files), menu_(menu) {
    menu_.setObjectName(QStringLiteral("RecentFilesMenu"));
    connect(&menu_, &QMenu::aboutToShow, this, &TRecentFilesMenu::Fill);
    Fill();
}

void TRecentFilesMenu::Fill() {
    menu_.clear();
    const std::vector<std::string>& files = files_.Files();
    if (files.empty()) {
        QAction* none = menu_.addAction(QStringLiteral("(none)"));
        none->setEnabled(false);
        return;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        QAction* action = menu_.addAction(FileNameFromCore(RecentFileCaption(i, files[i])));
        action->setStatusTip(FileNameFromCore(files[i]));
        connect(action, &QAction::triggered, this, [this, i] { OpenEntry(i); });
    }
}

void TRecentFilesMenu::OpenEntry(std::size_t index) {
    if (index >= files_.Files().size()) return;
    const std::string file = files_.Files()[index];  // a copy: opening reorders the list
    if (!files_.CheckExists(file)) return;
    OpenFileByKind(frame_, file);
}

}  // namespace kalvora::gui
