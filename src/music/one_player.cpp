#include "music/one_player.h"

#include <utility>

#include "music/compound_player.h"

namespace kalvora {

unitUnitWave* TOnePlayerProps::ActiveSampleWave() {
    return const_cast<unitUnitWave*>(std::as_const(*this).ActiveSampleWave());
}

const unitUnitWave* TOnePlayerProps::ActiveSampleWave() const {
    switch (NotePlayerKind) {
        case notePlayerSimpleSampler:
            return &SimpleSamplerProps.SampleWave;
        case notePlayerResonantSampler:
            return &ResonantSamplerProps.SampleWave;
        case notePlayerRepeatWaveForm:
            return &RepeatWaveFormProps.SampleWave;
        case notePlayerRollOutSampler:
            return &RollOutSamplerProps.SampleWave;
        case notePlayerRollOutWaveForm:
            return &RollOutWaveFormProps.SampleWave;
        default:
            return nullptr;
    }
}

TOnePlayerProps DefaultStaveOnePlayerProps() {
    TOnePlayerProps props;
    props.NotePlayerKind = notePlayerSimpleSampler;
    props.SimpleSamplerProps.SampleWave.ReadText("sample");
    props.SimpleSamplerProps.BasicFreq.SetValue(0.001);  // 1000 Hz, kept as its period
    props.FreqUp.SetValue(0.0);
    props.VolumeFactor.SetValue(0.5);
    return props;
}

TOnePlayer::TOnePlayer(TCompoundPlayer* owner, const TOnePlayerProps& props)
    : CompoundPlayer(owner), OnePlayerProps(props) {
    OnePlayerProps.CompoundPlayer = owner;
}

}  // namespace kalvora
