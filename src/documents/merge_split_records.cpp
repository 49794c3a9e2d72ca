#include "documents/merge_split_records.h"

#include <algorithm>

#include "documents/message_text.h"
#include "platform/messages.h"

namespace kalvora {
namespace {

bool ShowInputError(const std::string& text) {
    platform::ShowMessage(text, platform::caption::inputError, platform::MessageIcon::information);
    return false;
}

}  // namespace

bool SplitHorResultFromIndex(int index, TSplitHorResult& result) {
    if (index < 0 || index >= static_cast<int>(kSplitHorResultNames.size())) return false;
    result = static_cast<TSplitHorResult>(index);
    return true;
}

std::string_view MergeCaption(TMergeKind kind) {
    return kind == TMergeKind::horizontally ? "Merge Horizontally" : "Merge Vertically";
}

std::string_view MergeFirstLabel(TMergeKind kind) {
    return kind == TMergeKind::horizontally ? "First" : "Left";
}

std::string_view MergeSecondLabel(TMergeKind kind) {
    return kind == TMergeKind::horizontally ? "Last" : "Right";
}

TMergeTabs MergeTabsFor(TMergeKind kind, const TMergeSource& a, const TMergeSource& b,
                        bool displayDiffers) {
    const bool horizontally = kind == TMergeKind::horizontally;
    TMergeTabs tabs;
    tabs.monoStereo = horizontally && a.format.MoSt != b.format.MoSt;
    tabs.length = !horizontally && (a.values != b.values || a.format.Freq != b.format.Freq);
    tabs.frequency = a.format.Freq != b.format.Freq;
    tabs.bits = a.format.BytesPSample != b.format.BytesPSample;
    tabs.display = displayDiffers;
    return tabs;
}

std::vector<TSampleFrequencyChoice> MergeFrequencyChoices(int rateA, int rateB) {
    std::vector<TSampleFrequencyChoice> choices = SampleFrequencyChoices(rateA);
    if (SampleFrequencyIndex(choices, rateB) < 0) {
        for (const TSampleFrequencyChoice& extra : SampleFrequencyChoices(rateB)) {
            if (extra.rate == rateB) choices.push_back(extra);
        }
        std::stable_sort(choices.begin(), choices.end(),
                         [](const auto& x, const auto& y) { return x.rate < y.rate; });
    }
    return choices;
}

bool CheckMergeProps(TMergeKind kind, const TMergeProps& props) {
    if (props.first < 0) {
        return ShowInputError(
            Concat({"In ", MergeFirstLabel(kind), ": You have to select a Wave"}));
    }
    if (props.second < 0) {
        return ShowInputError(
            Concat({"In ", MergeSecondLabel(kind), ": You have to select a Wave"}));
    }
    if (props.first == props.second) return ShowInputError(std::string(kMergeSameWaves));
    return true;
}

waveFileProps MergeFormat(TMergeKind kind, const TMergeProps& props, const waveFileProps& a,
                          const waveFileProps& b) {
    waveFileProps format;
    if (kind == TMergeKind::vertically) {
        format.MoSt = 2;
    } else {
        format.MoSt = a.MoSt == b.MoSt ? a.MoSt : props.MoSt;
    }
    format.Freq = a.Freq == b.Freq ? a.Freq : props.Freq;
    format.BytesPSample = a.BytesPSample == b.BytesPSample ? a.BytesPSample : props.BytesPSample;
    return format;
}

}  // namespace kalvora
