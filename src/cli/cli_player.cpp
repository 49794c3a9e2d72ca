#include "cli/cli_player.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <string>
#include <system_error>

#include "cli/cli_application.h"
#include "platform/user_identity.h"
#include "shell/temp_folder.h"

namespace kalvora::cli {
namespace {

// How often RunUntil looks whether it is done.
constexpr int kPollMilliseconds = 10;

// The audio classes need an application object. A process that has none (kalvora-cli itself,
// or tests that run the tool in-process) gets one for the rest of its life.
void EnsureApplication() {
    EnsureGuiApplication();
}

std::filesystem::path SystemTempDirectory() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : base;
}

}  // namespace

// Every run has its own folder inside the user's private one, so that runs at the same time
// (and the program) never share a play or record file.
CliPlayer::CliPlayer() {
    EnsureApplication();
    const std::filesystem::path base =
        PrivateTempFolderPath(SystemTempDirectory(), platform::CurrentUserTag());
    folder_ = base / ("cli-" + std::to_string(::getpid()));
    if (!CheckTempFolder(base) || !CheckTempFolder(folder_)) return;
    media_ = std::make_unique<platform::QtMediaPlayer>();
    player_ = std::make_unique<FramePlayer>(*media_, folder_, true);
}

CliPlayer::~CliPlayer() {
    player_.reset();
    media_.reset();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

bool CliPlayer::RunUntil(const std::function<bool()>& done, double seconds) {
    QDeadlineTimer deadline(static_cast<qint64>(seconds * 1000));
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMilliseconds);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired()) loop.quit();
    });
    if (done()) return true;
    poll.start();
    loop.exec();
    return done();
}

}  // namespace kalvora::cli
