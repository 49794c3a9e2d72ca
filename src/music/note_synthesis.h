// The sound of one note: what a one-player makes of a note (its five ways of playing a
// sample wave), and how a compound player adds the sounds of its one-players together.
// Standard C++ only.
//
// Times are seconds. Seconds become samples by one rule throughout: a position is
// trunc(rate·t), and a buffer that must hold t seconds gets trunc(rate·t + 1) samples, as
// generated silence does; so a sound mixed in at its offset is never cut short.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "music/sample_waves.h"
#include "sound/error_flag.h"
#include "sound/sound.h"

namespace kalvora {

class TCompoundPlayer;
class TOnePlayer;

// One note as the players see it.
struct TNoteRequest {
    double Period = 0;      // seconds per vibration, after transposition
    double PlayLength = 0;  // whole notes the note sounds (GetPlayLength)
    double Tempo = 1;       // seconds per whole note

    // How long the note sounds, in seconds.
    double Duration() const { return PlayLength * Tempo; }
};

// What rendering needs besides the note: where the sample waves are, the abort flag of the
// operations, and the format of the music's wave (a compound player mixes in it).
struct TSynthesisContext {
    const TSampleWaves& Waves;
    ErrorFlag* Error;
    waveFileProps Format;
};

// A player's sound and the factor with which the caller mixes it. Sound is null when the
// player makes no sound for the note (no kind chosen, an empty sample, a period made
// non-positive by the frequency raise, a note too short for one cycle, ...).
struct TPlayerSound {
    std::unique_ptr<Sound> NoteSound;
    double Volume = 1.0;
};

// The seconds of sound before the note's start (attack) and from the start to the end of
// the sound. Both are 0 for a player that makes no sound.
struct TPlayerOffsets {
    double Start = 0;
    double End = 0;
};

// ---- One-player ----
// False when the sample wave cannot be found: "Cannot find window "<name>"." is appended to
// errorText.
bool GetOnePlayerOffsets(const TOnePlayer& player, const TNoteRequest& note,
                         const TSynthesisContext& context, TPlayerOffsets& offsets,
                         std::string& errorText);
// False when the sample wave cannot be found (as above) or the abort flag is set (also by
// a sound too long to be held, reported as exhausted memory).
bool GetOnePlayerSound(const TOnePlayer& player, const TNoteRequest& note,
                       const TSynthesisContext& context, TPlayerSound& sound,
                       std::string& errorText);

// ---- Compound player ----
// The largest start and end offsets of its one-players; false on the first error.
bool GetCompoundOffsets(const TCompoundPlayer& player, const TNoteRequest& note,
                        const TSynthesisContext& context, TPlayerOffsets& offsets,
                        std::string& errorText);
// With one one-player its sound and volume; with more, their sounds mixed into one stereo
// buffer of the context's format, each at (the compound's start offset - its own), with
// volume 1. False on the first error.
bool GetCompoundSound(const TCompoundPlayer& player, const TNoteRequest& note,
                      const TSynthesisContext& context, TPlayerSound& sound,
                      std::string& errorText);

// ---- Seconds and samples ----
// The sample index of a time: trunc(rate·seconds), 0 for negative times.
std::int64_t SamplePosition(double rate, double seconds);
// The samples a buffer of that many seconds gets: trunc(rate·seconds + 1). A length that no
// wave can hold (or that is not finite) gives -1.
std::int64_t BufferSamples(double rate, double seconds);

}  // namespace kalvora
