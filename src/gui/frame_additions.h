// What the frame offers beyond its menus, panels and commands: the recent files with their
// menu, files dropped on the frame, the play head with the time in the status bar, the
// volume diagram's progress, and a progress window with Cancel for long effects. The frame
// makes one after its status panels and commands.
#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "shell/recent_files.h"

class QMenu;

namespace kalvora::platform {
class MediaPlayer;
}

namespace kalvora::gui {

class TFileDropHandler;
class TMainForm;
class TMDIChildWave;
class TPlayHeadTracker;
class TProgressRunner;
class TRecentFilesMenu;
class TWorkStatus;

class TFrameAdditions : public QObject {
    Q_OBJECT
  public:
    // recentFilesMenu: the submenu File > Recent Files, made by the frame.
    TFrameAdditions(TMainForm& frame, const platform::MediaPlayer& player, QMenu& recentFilesMenu);
    ~TFrameAdditions() override;

    // A file was opened or saved: first in the recent files.
    void FileUsed(const std::string& fileName);
    TRecentFiles& RecentFiles() { return recentFiles_; }
    TRecentFilesMenu& RecentFilesMenu() { return *recentFilesMenu_; }
    TFileDropHandler& DropHandler() { return *dropHandler_; }

    TPlayHeadTracker& PlayHead() { return *playHead_; }
    TWorkStatus& WorkStatus() { return *workStatus_; }
    TProgressRunner& ProgressRunner() { return *progressRunner_; }
    // While long work runs: nothing else may run and the program may not close.
    bool LongWorkRunning() const;

  private:
    TRecentFiles recentFiles_;
    TRecentFilesMenu* recentFilesMenu_ = nullptr;
    TFileDropHandler* dropHandler_ = nullptr;
    TWorkStatus* workStatus_ = nullptr;
    TPlayHeadTracker* playHead_ = nullptr;
    std::unique_ptr<TProgressRunner> progressRunner_;
};

// The caption of the submenu File > Recent Files.
inline constexpr const char* kRecentFilesCaption = "Recent &Files";

}  // namespace kalvora::gui
