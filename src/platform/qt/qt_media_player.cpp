#include "platform/qt/qt_media_player.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QAudioSource>
#include <QMediaDevices>
#include <string>
#include <utility>

#include "platform/qt/recording_file.h"
#include "platform/qt/wave_stream.h"

namespace kalvora::platform {
namespace {

// How often a play that has handed all its samples to the device looks whether the device
// has played them.
constexpr int kDrainPollMilliseconds = 20;
// How long a play may wait for the device to play its last samples before it counts as ended
// anyway, beyond the length of the device's buffer.
constexpr qint64 kDrainPatienceMilliseconds = 2000;

QAudioFormat FormatOf(const WaveLayout& layout) {
    QAudioFormat format;
    format.setSampleRate(layout.rate);
    format.setChannelCount(layout.channels);
    format.setSampleFormat(layout.bytesPerSample == 1 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

std::string FormatText(const WaveLayout& layout) {
    return std::to_string(layout.rate) + " Hz, " + (layout.channels == 1 ? "mono" : "stereo") +
           ", " + std::to_string(layout.bytesPerSample * 8) + " bits";
}

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

}  // namespace

QtMediaPlayer::QtMediaPlayer(QObject* parent) : QObject(parent) {
    drainTimer_.setInterval(kDrainPollMilliseconds);
    connect(&drainTimer_, &QTimer::timeout, this, &QtMediaPlayer::CheckDrained);
}

QtMediaPlayer::~QtMediaPlayer() {
    handler_ = nullptr;
    Close();
}

void QtMediaPlayer::SetCompletionHandler(CompletionHandler handler) {
    handler_ = std::move(handler);
}

void QtMediaPlayer::SetFileName(const std::filesystem::path& fileName) {
    fileName_ = fileName;
}

bool QtMediaPlayer::Open() {
    Close();
    std::string readerText;
    layout_ = ReadWaveLayout(fileName_, readerText);
    if (!layout_) {
        errorText_ = "Cannot open the file: " + Quoted(fileName_) + ", " + readerText;
        return false;
    }
    mode_ = PlayerMode::open;
    return true;
}

void QtMediaPlayer::Close() {
    ReleaseDevices();
    recording_.reset();  // removes what was not saved
    layout_.reset();
    mode_ = PlayerMode::notReady;
    operation_ = 0;
}

void QtMediaPlayer::ReleaseDevices() {
    drainTimer_.stop();
    stopping_ = true;
    // Never called from inside a device's signal (failures found there are handled later).
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        sink_.reset();
    }
    data_.reset();
    if (source_) {
        if (sourceDevice_ != nullptr) sourceDevice_->disconnect(this);
        source_->disconnect(this);
        source_->stop();
        source_.reset();
        sourceDevice_ = nullptr;
    }
    stopping_ = false;
}

OperationId QtMediaPlayer::Fail(std::string text) {
    errorText_ = std::move(text);
    return 0;
}

OperationId QtMediaPlayer::NewOperation(PlayerMode mode) {
    operation_ = ++lastOperation_;
    mode_ = mode;
    drainClock_.invalidate();
    if (mode == PlayerMode::playing) drainTimer_.start();
    return operation_;
}

// --- playing --------------------------------------------------------------------------------

OperationId QtMediaPlayer::Play() {
    switch (mode_) {
        case PlayerMode::notReady:
            return Fail("No file is open.");
        case PlayerMode::playing:
        case PlayerMode::recording:
            return operation_;
        case PlayerMode::paused:
            if (pausedFrom_ == PlayerMode::recording) {
                source_->resume();
            } else {
                sink_->resume();
            }
            return NewOperation(pausedFrom_);
        case PlayerMode::open:
        case PlayerMode::stopped:
        case PlayerMode::seeking:
            break;
    }
    return StartPlaying();
}

OperationId QtMediaPlayer::StartPlaying() {
    ReleaseDevices();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return Fail("Cannot play: no sound output device was found.");
    const QAudioFormat format = FormatOf(*layout_);
    if (!device.isFormatSupported(format)) {
        return Fail("Cannot play: the sound output device does not take " + FormatText(*layout_) +
                    ".");
    }
    data_ = std::make_unique<WaveDataDevice>(fileName_, *layout_);
    if (!data_->Start()) {
        data_.reset();
        return Fail("Cannot open the file: " + Quoted(fileName_) + ", Cannot open File.");
    }
    sink_ = std::make_unique<QAudioSink>(device, format);
    connect(sink_.get(), &QAudioSink::stateChanged, this, &QtMediaPlayer::OnSinkState);
    sink_->start(data_.get());
    if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
        ReleaseDevices();
        return Fail("Cannot play: the sound output device could not be opened.");
    }
    return NewOperation(PlayerMode::playing);
}

void QtMediaPlayer::OnSinkState() {
    if (stopping_ || !sink_) return;
    const bool playing = mode_ == PlayerMode::playing ||
                         (mode_ == PlayerMode::paused && pausedFrom_ == PlayerMode::playing);
    if (playing && sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
        FailLater("The sound output device stopped with an error.");
    }
}

// The sink goes idle as soon as it has taken the last samples, while the device still plays
// what it holds; the play has ended when the device has played everything.
void QtMediaPlayer::CheckDrained() {
    if (!sink_ || !data_ || mode_ != PlayerMode::playing) return;
    if (!data_->atEnd()) {
        drainClock_.invalidate();
        return;
    }
    if (!drainClock_.isValid()) drainClock_.start();
    const qint64 lengthUSecs = static_cast<qint64>(layout_->Seconds() * 1e6);
    const bool drained =
        sink_->bytesFree() >= sink_->bufferSize() || sink_->processedUSecs() >= lengthUSecs;
    const qint64 bufferMilliseconds = sink_->format().durationForBytes(sink_->bufferSize()) / 1000;
    if (drained || drainClock_.elapsed() > bufferMilliseconds + kDrainPatienceMilliseconds) {
        EndOperation(Completion::ended);
    }
}

// --- recording ------------------------------------------------------------------------------

OperationId QtMediaPlayer::StartRecording() {
    if (mode_ == PlayerMode::notReady) return Fail("No file is open.");
    if (mode_ == PlayerMode::recording) return operation_;
    ReleaseDevices();
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) return Fail("Cannot record: no sound input device was found.");
    // The prepared file's format when the device takes it, else the device's own: Save writes
    // what was really recorded, and the caller converts it.
    QAudioFormat format = FormatOf(*layout_);
    if (!device.isFormatSupported(format)) format = device.preferredFormat();
    std::filesystem::path rawFileName = fileName_;
    rawFileName += ".part";
    recording_ = std::make_unique<RecordingFile>(rawFileName);
    if (!recording_->Begin(format)) {
        recording_.reset();
        return Fail("Cannot record: cannot write the file " + Quoted(rawFileName) + ".");
    }
    source_ = std::make_unique<QAudioSource>(device, format);
    connect(source_.get(), &QAudioSource::stateChanged, this, &QtMediaPlayer::OnSourceState);
    sourceDevice_ = source_->start();
    if (sourceDevice_ == nullptr || source_->error() != QAudio::NoError) {
        ReleaseDevices();
        recording_.reset();
        return Fail("Cannot record: the sound input device could not be opened.");
    }
    connect(sourceDevice_, &QIODevice::readyRead, this, &QtMediaPlayer::OnRecorded);
    return NewOperation(PlayerMode::recording);
}

void QtMediaPlayer::OnRecorded() {
    if (sourceDevice_ == nullptr || !recording_) return;
    const QByteArray bytes = sourceDevice_->readAll();
    if (bytes.isEmpty()) return;
    if (!recording_->Append(bytes.constData(), bytes.size())) {
        FailLater("Cannot record: cannot write the recording beside " + Quoted(fileName_) + ".");
    }
}

void QtMediaPlayer::OnSourceState() {
    if (stopping_ || !source_) return;
    if (Recording() && source_->state() == QAudio::StoppedState &&
        source_->error() != QAudio::NoError) {
        FailLater("The sound input device stopped with an error.");
    }
}

bool QtMediaPlayer::Save() {
    if (Recording()) Stop();
    if (!recording_) {
        errorText_ = "Nothing was recorded.";
        return false;
    }
    std::string text;
    if (!recording_->SaveAs(fileName_, text)) {
        errorText_ = text;
        return false;
    }
    return true;
}

// --- both -----------------------------------------------------------------------------------

void QtMediaPlayer::Stop() {
    if (Recording()) OnRecorded();  // what the device has delivered so far belongs to it
    ReleaseDevices();
    if (recording_) recording_->End();
    if (mode_ != PlayerMode::notReady) mode_ = PlayerMode::stopped;
    operation_ = 0;
}

void QtMediaPlayer::Pause() {
    if (mode_ == PlayerMode::playing) {
        sink_->suspend();
    } else if (mode_ == PlayerMode::recording) {
        source_->suspend();
    } else {
        return;
    }
    pausedFrom_ = mode_;
    mode_ = PlayerMode::paused;
    drainClock_.invalidate();
}

double QtMediaPlayer::Seconds() const {
    if (sink_) return static_cast<double>(sink_->processedUSecs()) / 1e6;
    if (recording_) return recording_->Seconds();
    return 0.0;
}

bool QtMediaPlayer::Recording() const {
    return mode_ == PlayerMode::recording ||
           (mode_ == PlayerMode::paused && pausedFrom_ == PlayerMode::recording);
}

// Failures seen inside a device's signal end the operation once control is back in the loop,
// where the device may be released.
void QtMediaPlayer::FailLater(std::string errorText) {
    QMetaObject::invokeMethod(
        this,
        [this, operation = operation_, errorText = std::move(errorText)]() mutable {
            if (operation != 0 && operation == operation_) {
                EndOperation(Completion::failed, std::move(errorText));
            }
        },
        Qt::QueuedConnection);
}

void QtMediaPlayer::EndOperation(Completion completion, std::string errorText) {
    const OperationId ended = operation_;
    if (Recording()) OnRecorded();
    ReleaseDevices();
    if (recording_) recording_->End();
    mode_ = PlayerMode::stopped;
    operation_ = 0;
    if (completion == Completion::failed) errorText_ = std::move(errorText);
    // Never from inside a call or a device's signal: the handler may close this player.
    QMetaObject::invokeMethod(
        this,
        [this, ended, completion] {
            if (handler_) handler_(ended, completion);
        },
        Qt::QueuedConnection);
}

}  // namespace kalvora::platform
