// Sample waves and player settings for the synthesis tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "music/compound_player.h"
#include "music/note_stave.h"
#include "music/sample_waves.h"
#include "sound/sound.h"

namespace kalvora::test {

inline std::shared_ptr<const Sound> MonoSample(const std::vector<std::int16_t>& values,
                                               std::int32_t rate) {
    ErrorFlag error = 0;
    Wave wave(&error, static_cast<std::int32_t>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        wave.wave[i] = values[i];
    return std::make_shared<MonoSound>(std::move(wave), rate, 2);
}

// n samples rising by step from first.
inline std::vector<std::int16_t> Ramp(int n, int first = 0, int step = 10) {
    std::vector<std::int16_t> values(n);
    for (int i = 0; i < n; ++i)
        values[i] = static_cast<std::int16_t>(first + i * step);
    return values;
}

inline std::vector<std::int16_t> SamplesOf(const Wave& wave) {
    return std::vector<std::int16_t>(wave.wave, wave.wave + wave.values);
}

// The first one-player's settings of the stave's selected group.
inline TOnePlayerProps& FirstPlayerOf(TNoteStave* stave) {
    return stave->SelectedNoteGroup->GetCompoundPlayer().GetStartOnePlayer()->OnePlayerProps;
}

// A one-player of the kind playing the named sample at full volume.
inline TOnePlayerProps PlayerProps(TNotePlayerKind kind, const std::string& sample,
                                   double basicPeriod = 1.0 / 440.0) {
    TOnePlayerProps props;
    props.NotePlayerKind = kind;
    props.VolumeFactor.SetValue(1.0);
    props.SimpleSamplerProps.SampleWave.ReadText(sample);
    props.SimpleSamplerProps.BasicFreq.SetValue(basicPeriod);
    props.RollOutSamplerProps.SampleWave.ReadText(sample);
    props.RollOutSamplerProps.BasicFreq.SetValue(basicPeriod);
    props.ResonantSamplerProps.SampleWave.ReadText(sample);
    props.RepeatWaveFormProps.SampleWave.ReadText(sample);
    props.RollOutWaveFormProps.SampleWave.ReadText(sample);
    return props;
}

}  // namespace kalvora::test
