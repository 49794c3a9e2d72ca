// The program's audio player: plays WAV files through QAudioSink and records through
// QAudioSource on the default devices of the sound server. Files are streamed, never loaded
// whole; a recording collects in a raw file beside the record file until Save writes it with
// the project's WAV writer. Everything runs on the thread that owns the player (the main
// thread), and completions are posted to that thread's event loop. Needs a QCoreApplication.
#pragma once

#include <QAudioFormat>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

#include "platform/media_player.h"
#include "sound/wave_layout.h"

class QAudioSink;
class QAudioSource;
class QIODevice;

namespace kalvora::platform {

class RecordingFile;
class WaveDataDevice;

class QtMediaPlayer final : public QObject, public MediaPlayer {
    Q_OBJECT
  public:
    explicit QtMediaPlayer(QObject* parent = nullptr);
    ~QtMediaPlayer() override;

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
    double Seconds() const override;
    const std::string& ErrorText() const override { return errorText_; }

  private:
    OperationId StartPlaying();
    OperationId Fail(std::string text);
    OperationId NewOperation(PlayerMode mode);
    void OnSinkState();
    void OnSourceState();
    void OnRecorded();
    void CheckDrained();
    void FailLater(std::string errorText);
    void EndOperation(Completion completion, std::string errorText = {});
    void ReleaseDevices();
    bool Recording() const;  // recording, or a paused recording

    CompletionHandler handler_;
    std::filesystem::path fileName_;
    std::optional<WaveLayout> layout_;  // of the open file
    PlayerMode mode_ = PlayerMode::notReady;
    PlayerMode pausedFrom_ = PlayerMode::playing;
    OperationId lastOperation_ = 0;
    OperationId operation_ = 0;
    std::string errorText_;

    std::unique_ptr<WaveDataDevice> data_;
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QAudioSource> source_;
    QIODevice* sourceDevice_ = nullptr;  // owned by source_
    std::unique_ptr<RecordingFile> recording_;
    bool recorded_ = false;  // a recording was made since the file was opened
    bool stopping_ = false;  // our own stop: the devices' state changes are expected
    QTimer drainTimer_;
    QElapsedTimer drainClock_;
};

}  // namespace kalvora::platform
