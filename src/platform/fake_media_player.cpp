#include "platform/fake_media_player.h"

namespace kalvora::platform {

void FakeMediaPlayer::SetCompletionHandler(CompletionHandler handler) {
    handler_ = std::move(handler);
}

void FakeMediaPlayer::SetFileName(const std::filesystem::path& fileName) {
    calls_.push_back("SetFileName");
    fileName_ = fileName;
}

bool FakeMediaPlayer::Open() {
    calls_.push_back("Open");
    mode_ = PlayerMode::notReady;
    current_ = 0;
    if (openFails) {
        errorText_ = failureText;
        return false;
    }
    openFileName_ = fileName_;
    mode_ = PlayerMode::open;
    seconds = 0.0;
    return true;
}

void FakeMediaPlayer::Close() {
    calls_.push_back("Close");
    mode_ = PlayerMode::notReady;
    current_ = 0;
}

OperationId FakeMediaPlayer::Start(PlayerMode mode) {
    current_ = ++lastId_;
    mode_ = mode;
    return current_;
}

OperationId FakeMediaPlayer::Play() {
    calls_.push_back("Play");
    if (mode_ == PlayerMode::notReady) {
        errorText_ = "No file is open.";
        return 0;
    }
    if (mode_ == PlayerMode::playing) return current_;
    if (mode_ == PlayerMode::paused) return Start(pausedFrom_);
    if (playFails) {
        errorText_ = failureText;
        return 0;
    }
    return Start(PlayerMode::playing);
}

OperationId FakeMediaPlayer::StartRecording() {
    calls_.push_back("StartRecording");
    if (mode_ == PlayerMode::notReady) {
        errorText_ = "No file is open.";
        return 0;
    }
    if (recordFails) {
        errorText_ = failureText;
        return 0;
    }
    return Start(PlayerMode::recording);
}

void FakeMediaPlayer::Stop() {
    calls_.push_back("Stop");
    if (mode_ == PlayerMode::playing || mode_ == PlayerMode::recording ||
        mode_ == PlayerMode::paused) {
        mode_ = PlayerMode::stopped;
    }
    current_ = 0;
}

void FakeMediaPlayer::Pause() {
    calls_.push_back("Pause");
    if (mode_ == PlayerMode::playing || mode_ == PlayerMode::recording) {
        pausedFrom_ = mode_;
        mode_ = PlayerMode::paused;
    }
}

bool FakeMediaPlayer::Save() {
    calls_.push_back("Save");
    if (saveFails) {
        errorText_ = failureText;
        return false;
    }
    return onSave ? onSave(fileName_) : true;
}

std::string FakeMediaPlayer::CallsText() const {
    std::string text;
    for (const std::string& call : calls_) {
        if (!text.empty()) text += ' ';
        text += call;
    }
    return text;
}

OperationId FakeMediaPlayer::EndCurrent(Completion completion) {
    OperationId ended = current_;
    mode_ = PlayerMode::stopped;
    current_ = 0;
    if (completion == Completion::failed) errorText_ = failureText;
    QueueCompletion(ended, completion);
    return ended;
}

void FakeMediaPlayer::QueueCompletion(OperationId operation, Completion completion) {
    queue_.emplace_back(operation, completion);
}

void FakeMediaPlayer::DeliverCompletions() {
    std::vector<std::pair<OperationId, Completion>> queued = std::move(queue_);
    queue_.clear();
    for (const auto& [operation, completion] : queued) {
        if (handler_) handler_(operation, completion);
    }
}

}  // namespace kalvora::platform
