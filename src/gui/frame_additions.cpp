#include "gui/frame_additions.h"

#include <QStatusBar>
#include <cstdlib>

#include "gui/file_opener.h"
#include "gui/main_form.h"
#include "gui/play_head_tracker.h"
#include "gui/progress_runner.h"
#include "gui/recent_files_menu.h"
#include "gui/work_status.h"

namespace kalvora::gui {

TFrameAdditions::TFrameAdditions(TMainForm& frame, const platform::MediaPlayer& player,
                                 QMenu& recentFilesMenu)
    : QObject(&frame),
      recentFiles_(RecentFilesLocation(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"))),
      progressRunner_(std::make_unique<TProgressRunner>(&frame)) {
    recentFiles_.Load();
    recentFilesMenu_ = new TRecentFilesMenu(frame, recentFiles_, recentFilesMenu);
    dropHandler_ = new TFileDropHandler(frame);
    workStatus_ = new TWorkStatus(frame, *frame.statusBar());
    playHead_ = new TPlayHeadTracker(this, player, *workStatus_);
    frame.Workspace().SetLongWorkRunner(progressRunner_.get());
}

TFrameAdditions::~TFrameAdditions() = default;

void TFrameAdditions::FileUsed(const std::string& fileName) {
    recentFiles_.Add(fileName);
}

bool TFrameAdditions::LongWorkRunning() const {
    return progressRunner_->Running();
}

}  // namespace kalvora::gui
