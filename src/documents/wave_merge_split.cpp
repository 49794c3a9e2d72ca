#include "documents/wave_merge_split.h"

#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "platform/assertion.h"
#include "platform/busy_cursor.h"

namespace kalvora {

std::vector<std::unique_ptr<TUnitWave>> SplitWaveVertically(TUnitWave& source) {
    KALVORA_ASSERT(source.GetMoSt() == 2);
    platform::BusyScope busy;
    source.ClearError();
    TSplitVerticalSounds sounds = SplitVertically(source.Error(), source.TheSound());
    if (!sounds.left || !sounds.right || source.HasError()) return {};
    std::vector<std::unique_ptr<TUnitWave>> documents;
    documents.push_back(NamedWave(source.Workspace(), std::move(sounds.left)));
    documents.push_back(NamedWave(source.Workspace(), std::move(sounds.right)));
    return documents;
}

TSplitHorDocuments SplitWaveHorizontally(TUnitWave& source, TSplitHorResult result) {
    platform::BusyScope busy;
    source.ClearError();
    const std::vector<TSplitRange> ranges = SplitHorizontalRanges(
        static_cast<std::int32_t>(source.GetValues()), source.SelMin(), source.SelMax(), result);
    std::vector<std::unique_ptr<Sound>> sounds =
        SplitHorizontally(source.Error(), source.TheSound(), ranges);
    if (sounds.empty() || source.HasError()) return {};
    TSplitHorDocuments documents;
    documents.cuts = SplitCutsOf(ranges);
    for (std::unique_ptr<Sound>& sound : sounds)
        documents.parts.push_back(NamedWave(source.Workspace(), std::move(sound)));
    return documents;
}

std::unique_ptr<TUnitWave> MergeWaves(TMergeKind kind, TUnitWave& a, TUnitWave& b,
                                      const TMergeProps& props) {
    KALVORA_ASSERT(&a != &b);
    platform::BusyScope busy;
    a.ClearError();
    const waveFileProps format =
        MergeFormat(kind, props, a.GetWaveFileProps(), b.GetWaveFileProps());
    std::unique_ptr<Sound> sound =
        kind == TMergeKind::horizontally
            ? MergeHorizontally(a.Error(), a.TheSound(), b.TheSound(), format)
            : MergeVertically(a.Error(), a.TheSound(), b.TheSound(), format.Freq,
                              format.BytesPSample, props.lengths);
    if (!sound || a.HasError()) return nullptr;
    return NamedWave(a.Workspace(), std::move(sound));
}

}  // namespace kalvora
