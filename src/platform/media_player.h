// The audio player the core plays and records through. It works on files only: it plays a
// WAV file from its start, or records into a prepared WAV file in that file's format and
// saves the result under the file's name. One file is open at a time. Standard C++ only; the
// program's player (platform/qt) uses the sound server, tests use FakeMediaPlayer.
//
// Every Play or StartRecording is one operation with its own identity. When an operation
// ends by itself (the end of the file was played, or the device failed) the player calls the
// completion handler with that identity, later, on the main thread, never from inside one of
// its own calls. Stop, Pause and Close end or halt an operation without a completion, but a
// completion already under way may still arrive afterwards: the caller compares identities.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace kalvora::platform {

enum class PlayerMode : std::uint8_t {
    notReady,  // no file open
    stopped,   // the file is open; its play or recording has ended or was stopped
    playing,
    recording,
    seeking,
    paused,
    open,  // the file is open and nothing was started yet
};

// 0 is no operation.
using OperationId = std::uint64_t;

enum class Completion : std::uint8_t {
    ended,   // the whole file was played
    failed,  // the device stopped with an error; ErrorText() says why
};

class MediaPlayer {
  public:
    using CompletionHandler = std::function<void(OperationId operation, Completion completion)>;

    virtual ~MediaPlayer() = default;

    virtual void SetCompletionHandler(CompletionHandler handler) = 0;

    // The file the next Open opens.
    virtual void SetFileName(const std::filesystem::path& fileName) = 0;
    // Opens the file (closing whatever was open): a WAV file whose format fixes how it is
    // played or recorded. False when it cannot be used; ErrorText() says why.
    virtual bool Open() = 0;
    // Ends whatever runs, discards a recording that was not saved and closes the file.
    virtual void Close() = 0;

    // Plays the open file from its start, or continues a paused play (or recording) from
    // where it halted. Returns the identity of the new operation, or 0 when it could not
    // start (no device, a format the device refuses); ErrorText() says why.
    virtual OperationId Play() = 0;
    // Records from the input device in the open file's format. Returns the identity, or 0.
    virtual OperationId StartRecording() = 0;
    // Ends the play or recording; the file stays open (a recording can then be saved).
    virtual void Stop() = 0;
    // Halts a play or recording where it is; Play continues it.
    virtual void Pause() = 0;
    // Writes what was recorded to the file name, as a WAV file. False on failure: ErrorText()
    // says why, or is empty when the failure has been reported already (by the WAV writer).
    virtual bool Save() = 0;

    virtual PlayerMode Mode() const = 0;
    // How far the open file has been played, or how much has been recorded, in seconds.
    virtual double Seconds() const = 0;
    // Why the last failed call failed.
    virtual const std::string& ErrorText() const = 0;
};

}  // namespace kalvora::platform
