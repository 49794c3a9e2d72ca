// A snapshot of what the frame's command update reads: the kind of the active document
// window, the facts of its document, the clipboard, undo, project, player and tool dialogs.
// Plain data, filled by the frame at every idle moment; the documents fill their own part.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "shell/commands.h"

namespace kalvora {

// The kind of a document window: the values are the document kinds (1 wave, 2 music).
enum class WindowKind : std::uint8_t { none = 0, wave = 1, music = 2 };

// What the update reads of a wave document.
struct WaveFacts {
    std::int64_t sampleCount = 0;     // n
    int rate = 44100;                 // samples per second
    int channels = 2;                 // 1 mono, 2 stereo
    int bytesPerSample = 2;           // 1 or 2
    std::int64_t selectionFirst = 0;  // the two selection ends, in their stored order
    std::int64_t selectionSecond = 0;
    bool userDrawing = false;  // the sound is computed from a hand drawing
    int drawKind = 0;          // 0 linear, 1 smooth
    int drawNodeCount = 0;
    double drawLength = 0.0;  // seconds
    bool hasFile = false;
    bool needsSave = false;
    bool waveformShown = true;  // the views show the waveform (otherwise the volume diagram)
    int toolMode = 0;           // 0 normal, 1 zoom in, 2 no zoom
    // The player records into this document: commands that would change it are disabled
    // until the recording ends (the recording replaces the sound when it is done).
    bool recording = false;

    bool Mono() const { return channels == 1; }
    bool Stereo() const { return channels != 1; }
    bool HasSelection() const { return selectionFirst != selectionSecond; }
    bool CanSaveFile() const { return sampleCount > 0 || userDrawing; }
};

struct CommandState {
    bool enabled = false;
    bool checked = false;
    bool visible = true;
    friend bool operator==(const CommandState&, const CommandState&) = default;
};

using CommandStates = std::array<CommandState, kCommandCount>;

// What the update reads of a music document: the music document decides the states of the
// music commands and of the keyboard commands it gives a meaning, and what status panels 1 to
// 4 show (nullopt leaves a panel as it is).
struct MusicFacts {
    bool hasFile = false;
    bool needsSave = false;
    CommandStates commands{};
    std::array<std::optional<std::string>, 4> panels{};
};

// The player's side (playing and recording).
struct PlayerFacts {
    bool playEnabled = true;   // playing and recording are possible at all
    bool playChecked = false;  // a play runs
    bool playMaxChecked = false;
    bool recordChecked = false;  // a recording runs or waits
    bool recordPending = false;  // a recording was opened while paused and waits for Pause
    bool pauseChecked = false;
};

struct FrameSnapshot {
    WindowKind activeKind = WindowKind::none;
    int documentWindowCount = 0;
    WaveFacts wave;                      // read when activeKind is wave
    MusicFacts music;                    // read when activeKind is music
    bool clipboard = false;              // a clipboard sound exists
    bool undoRecord = false;             // an undo record exists
    bool undoDocumentDrawing = false;    // ... and its document is being hand-drawn
    bool undoDocumentRecording = false;  // ... or being recorded into
    bool projectOpen = false;            // the project file name is not empty
    PlayerFacts player;
    bool selectZoomVisible = false;
    bool musicDialogVisible = false;
    bool musicPartsVisible = false;
};

}  // namespace kalvora
