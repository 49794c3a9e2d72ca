// A one-player: one way of turning a note into sound from a sample wave (another wave
// document, named), with the parameter records of all five ways. Every record stays
// stored whichever kind is active; only the active kind's record is used and saved. The
// sound making itself lives with the synthesis. Standard C++ only.
#pragma once

#include <memory>
#include <string_view>

#include "documents/unit_factor.h"
#include "documents/unit_time.h"
#include "documents/unit_unit_wave.h"
#include "music/music_kinds.h"

namespace kalvora {

class TCompoundPlayer;

// A sample whose own pitch is known: BasicFreq holds the period of that pitch.
struct TSimpleSamplerProps {
    unitUnitWave SampleWave;
    unitTimePosMore BasicFreq{1.0 / 440.0, DisplayUnit::hertz};
};

struct TRollOutSamplerProps {
    unitUnitWave SampleWave;
    unitTimePosMore BasicFreq{1.0 / 440.0, DisplayUnit::hertz};
};

// An unpitched sample given a pitch by a resonance filter of strength ResFactor (0 < f <= 1).
struct TResonantSamplerProps {
    unitUnitWave SampleWave;
    unitFactorPosMax1 ResFactor{0.05, DisplayUnit::none};
};

// The sample is one wave form, repeated.
struct TRepeatWaveFormProps {
    unitUnitWave SampleWave;
};

// The sample is one cycle, stretched to the note's period.
struct TRollOutWaveFormProps {
    unitUnitWave SampleWave;
};

struct TOnePlayerProps {
    unitFreq FreqUp{0.0, DisplayUnit::hertz};  // added to the note's frequency
    TCompoundPlayer* CompoundPlayer = nullptr;
    unitVolumeFactor VolumeFactor{0.5, DisplayUnit::none};
    TSimpleSamplerProps SimpleSamplerProps;
    TRollOutSamplerProps RollOutSamplerProps;
    TRepeatWaveFormProps RepeatWaveFormProps;
    TRollOutWaveFormProps RollOutWaveFormProps;
    TResonantSamplerProps ResonantSamplerProps;
    std::uint8_t NotePlayerKind = notePlayerNone;

    // The sample wave of the active kind; null while no kind is chosen.
    unitUnitWave* ActiveSampleWave();
    const unitUnitWave* ActiveSampleWave() const;
};

// The player a new stave gets: a simple one sampler of the wave "sample" whose own pitch
// is 1000 Hz, no frequency raise, volume 0.5.
TOnePlayerProps DefaultStaveOnePlayerProps();

class TOnePlayer {
  public:
    TOnePlayer(TCompoundPlayer* owner, const TOnePlayerProps& props);
    TOnePlayer(const TOnePlayer&) = delete;
    TOnePlayer& operator=(const TOnePlayer&) = delete;
    virtual ~TOnePlayer() = default;

    TOnePlayer* GetNext() const { return Next; }
    TCompoundPlayer* GetCompoundPlayer() const { return CompoundPlayer; }
    TNotePlayerKind GetNotePlayerKind() const {
        return static_cast<TNotePlayerKind>(OnePlayerProps.NotePlayerKind);
    }

    TOnePlayer* Next = nullptr;
    TCompoundPlayer* CompoundPlayer;
    TOnePlayerProps OnePlayerProps;
};

}  // namespace kalvora
