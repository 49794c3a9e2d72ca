// The player of kalvora-cli: the program's own audio player and play and record state, with a
// private folder of this run for the play and record files, and a way to let the player work
// until something has happened. Needs the Qt layer.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "platform/qt/qt_media_player.h"
#include "shell/frame_player.h"

namespace kalvora::cli {

class CliPlayer {
  public:
    // Makes the folder (a message says why when it cannot) and the player.
    CliPlayer();
    // Closes the player and removes the folder.
    ~CliPlayer();
    CliPlayer(const CliPlayer&) = delete;
    CliPlayer& operator=(const CliPlayer&) = delete;

    // False when the folder could not be made; the message has been shown.
    bool Ready() const { return player_ != nullptr; }
    FramePlayer& Player() { return *player_; }
    platform::QtMediaPlayer& Media() { return *media_; }

    // Runs the event loop until done() holds or seconds have passed; returns done().
    bool RunUntil(const std::function<bool()>& done, double seconds);

  private:
    std::filesystem::path folder_;
    std::unique_ptr<platform::QtMediaPlayer> media_;
    std::unique_ptr<FramePlayer> player_;
};

}  // namespace kalvora::cli
