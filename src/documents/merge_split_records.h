// What the dialogs of split horizontally and of the two merges edit, and their checks: the
// captions and choices, which tabs of "Properties of the new Wave" a merge shows (only
// where the two documents differ), the rates offered, and the format the merge finally
// uses. The dialogs only edit these records; the frame keeps the last ones used. Standard
// C++ only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sound/merge_split.h"
#include "sound/sound.h"
#include "sound/wave_file_prop_choices.h"

namespace kalvora {

// ---- Split horizontally ----
inline constexpr std::string_view kSplitHorCaption = "Split Horizontally";
inline constexpr std::string_view kSplitHorResultLabel = "Result";
// The radio buttons in order; a button's index is its TSplitHorResult.
inline constexpr std::array<std::string_view, 3> kSplitHorResultNames = {
    "Three parts", "Two parts, both inclusive selected part",
    "Two parts, both exclusive selected part"};
// The dialog's check on OK: the chosen button (-1 for none) as a result.
bool SplitHorResultFromIndex(int index, TSplitHorResult& result);

// ---- Merge ----
enum class TMergeKind : std::uint8_t { horizontally, vertically };

inline constexpr std::string_view kMergePropertiesLabel = "Properties of the new Wave";
inline constexpr std::string_view kMonoStereoTab = "Mono/Stereo";
inline constexpr std::string_view kLengthTab = "Length";
inline constexpr std::string_view kFrequencyTab = "Frequency";
inline constexpr std::string_view kBitsTab = "Bits";
inline constexpr std::string_view kDisplayTab = "Display";
inline constexpr std::string_view kMakeLengthsEqualLabel = "Make Lengths Equal";
// The radio buttons of the "Length" tab; a button's index is its TMakeLengthsEqual.
inline constexpr std::array<std::string_view, 4> kMakeLengthsEqualNames = {
    "Add Silence at the begin of the shortest wave", "Add Silence at the end of the shortest wave",
    "Stretch the shortest wave", "Stretch the longest wave"};
inline constexpr std::string_view kUseDisplayOfLabel = "Use Display Properties of";
inline constexpr std::string_view kMergeSameWaves = "The chosen Waves must be different";

// The caption and the labels of the two document fields ("First"/"Last", "Left"/"Right").
std::string_view MergeCaption(TMergeKind kind);
std::string_view MergeFirstLabel(TMergeKind kind);
std::string_view MergeSecondLabel(TMergeKind kind);

// One open wave document a merge dialog offers.
struct TMergeSource {
    std::string label;  // its name, or its file name while it has none
    waveFileProps format;
    std::int64_t values = 0;  // samples per channel
};

// The choices of a merge dialog. first and second index the offered documents (-1: none);
// the format fields count only where the two documents differ.
struct TMergeProps {
    int first = -1;
    int second = -1;
    std::int16_t MoSt = 2;  // "Stereo" preselected
    std::int32_t Freq = 44100;
    std::int16_t BytesPSample = 2;  // "16 Bits" preselected
    TMakeLengthsEqual lengths = TMakeLengthsEqual::silenceAtEnd;
    std::uint8_t display = 0;  // 0: the first (left) document's window, 1: the other's
    bool operator==(const TMergeProps&) const = default;
};

// The tabs shown for two documents: each only where they differ. Length: merge vertically
// only, when the counts or the rates differ (equal durations at two rates may still end one
// sample apart). Display: when the two windows' view settings differ.
struct TMergeTabs {
    bool monoStereo = false;
    bool length = false;
    bool frequency = false;
    bool bits = false;
    bool display = false;
};
TMergeTabs MergeTabsFor(TMergeKind kind, const TMergeSource& a, const TMergeSource& b,
                        bool displayDiffers);

// The rates of the "Frequency" tab: the standard ones and each document's own rate, so that
// a 48000 Hz document can keep its rate.
std::vector<TSampleFrequencyChoice> MergeFrequencyChoices(int rateA, int rateB);

// The dialog's checks on OK, in order: a document chosen in each field ("In First: You
// have to select a Wave"), then two different ones. Shows the first failure under "Input
// Error" and returns false; the dialog stays open then.
bool CheckMergeProps(TMergeKind kind, const TMergeProps& props);

// The format of the merged wave: where the two documents agree their common value, else
// the chosen one. The kind of a vertical merge is always stereo.
waveFileProps MergeFormat(TMergeKind kind, const TMergeProps& props, const waveFileProps& a,
                          const waveFileProps& b);

}  // namespace kalvora

namespace kalvora {

// The frame's last choices, which the next split or merge starts from.
struct TMergeSplitRecords {
    TSplitHorResult splitHor = TSplitHorResult::threeParts;
    TMergeProps mergeHor;
    TMergeProps mergeVert;
};

}  // namespace kalvora
