// A media player for tests: it keeps the mode as a real player would, logs every call, can be
// told to fail, and delivers completions only when the test says so, so that a test decides
// when "the end of the file" arrives and can also hand over a stale completion.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/media_player.h"

namespace kalvora::platform {

class FakeMediaPlayer final : public MediaPlayer {
  public:
    // Switches that make the next calls fail (with ErrorText() = failureText).
    bool openFails = false;
    bool playFails = false;
    bool recordFails = false;
    bool saveFails = false;
    std::string failureText = "The fake device failed.";
    // Called by Save with the file name: writes "the recording". Without it Save succeeds
    // and writes nothing.
    std::function<bool(const std::filesystem::path&)> onSave;

    void SetCompletionHandler(CompletionHandler handler) override;
    void SetFileName(const std::filesystem::path& fileName) override;
    bool Open() override;
    void Close() override;
    OperationId Play() override;
    OperationId StartRecording() override;
    void Stop() override;
    void Pause() override;
    bool Save() override;
    PlayerMode Mode() const override { return mode_; }
    double Seconds() const override { return seconds; }
    const std::string& ErrorText() const override { return errorText_; }

    // What the test sees.
    double seconds = 0.0;
    const std::vector<std::string>& Calls() const { return calls_; }
    std::string CallsText() const;  // the calls joined by blanks
    void ClearCalls() { calls_.clear(); }
    const std::filesystem::path& FileName() const { return fileName_; }
    const std::filesystem::path& OpenFileName() const { return openFileName_; }
    OperationId CurrentOperation() const { return current_; }

    // The running operation ends by itself: the mode becomes stopped and its completion is
    // queued (failed also sets ErrorText()). Returns its identity.
    OperationId EndCurrent(Completion completion = Completion::ended);
    // Queues a completion for any identity, as one delayed from an earlier operation.
    void QueueCompletion(OperationId operation, Completion completion);
    // Delivers the queued completions in order, as the main thread's loop would.
    void DeliverCompletions();
    std::size_t QueuedCompletions() const { return queue_.size(); }

  private:
    OperationId Start(PlayerMode mode);

    CompletionHandler handler_;
    std::filesystem::path fileName_;
    std::filesystem::path openFileName_;
    PlayerMode mode_ = PlayerMode::notReady;
    PlayerMode pausedFrom_ = PlayerMode::playing;
    OperationId lastId_ = 0;
    OperationId current_ = 0;
    std::string errorText_;
    std::vector<std::string> calls_;
    std::vector<std::pair<OperationId, Completion>> queue_;
};

}  // namespace kalvora::platform
