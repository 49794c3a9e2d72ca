// The sounds of the four commands that make new wave documents from existing ones: split
// vertically (a stereo sound into its two channels), split horizontally (a sound cut in
// time), merge horizontally (two sounds one after the other) and merge vertically (two
// sounds as the left and right channel of a stereo sound). Every result is a new sound with
// waves of its own: no result ever shares samples with a source, so closing a source can
// never touch a result. Standard C++ only.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "sound/error_flag.h"
#include "sound/sound.h"

namespace kalvora {

// ---- Split vertically ----
struct TSplitVerticalSounds {
    std::unique_ptr<Sound> left;   // mono, the left channel
    std::unique_ptr<Sound> right;  // mono, the right channel
};
// Two mono sounds of the stereo source's channels with its Freq and BytesPSample; both
// null when the flag is set or memory runs out. Requires a stereo source.
TSplitVerticalSounds SplitVertically(ErrorFlag* error, const Sound& source);

// ---- Split horizontally ----
// The choice of the "Split Horizontally" dialog for a selection.
enum class TSplitHorResult : std::uint8_t {
    threeParts = 0,     // [0, b), [b, e), [e, n)
    bothInclusive = 1,  // [0, e) and [b, n)
    bothExclusive = 2,  // [0, b) and [e, n)
};

struct TSplitRange {
    std::int32_t begin = 0;
    std::int32_t end = 0;
    bool operator==(const TSplitRange&) const = default;
};

// The parts in time order for a sound of n samples with the selection [begin, end): a
// cursor (begin = end) cuts there into two parts whatever result says.
std::vector<TSplitRange> SplitHorizontalRanges(std::int32_t n, std::int32_t begin, std::int32_t end,
                                               TSplitHorResult result);
// Where the first part ends (c1) and the last part begins (c2), for placing the windows.
struct TSplitCuts {
    std::int32_t firstEnd = 0;
    std::int32_t lastBegin = 0;
};
TSplitCuts SplitCutsOf(const std::vector<TSplitRange>& parts);

// Each range extracted as a new sound (an empty range gives an empty sound); empty when
// the flag is set or memory runs out.
std::vector<std::unique_ptr<Sound>> SplitHorizontally(ErrorFlag* error, const Sound& source,
                                                      const std::vector<TSplitRange>& parts);

// ---- Merge horizontally ----
// first followed by last, as format: a source of the other channel kind is converted first
// (a stereo one averaged, a mono one doubled), then a source of another rate resampled to
// format.Freq; the result has format.BytesPSample. Null when the flag is set or memory runs
// out.
std::unique_ptr<Sound> MergeHorizontally(ErrorFlag* error, const Sound& first, const Sound& last,
                                         const waveFileProps& format);

// ---- Merge vertically ----
// The choice of the "Length" tab: how two channels of different lengths are made equal.
enum class TMakeLengthsEqual : std::uint8_t {
    silenceAtBegin = 0,   // zeros inserted at the begin of the shorter
    silenceAtEnd = 1,     // zeros appended to the shorter
    stretchShortest = 2,  // the shorter resampled to the longer's length
    stretchLongest = 3,   // the longer resampled to the shorter's length
};

// Left's mono wave as the left channel, right's as the right channel, both at freq and
// made equal in length by rule when their sample counts at freq differ (equal durations
// at different rates can still give counts one apart). An empty source gives an empty
// channel. Null when the flag is set or memory runs out.
std::unique_ptr<Sound> MergeVertically(ErrorFlag* error, const Sound& left, const Sound& right,
                                       std::int32_t freq, std::int16_t bytesPSample,
                                       TMakeLengthsEqual rule);

}  // namespace kalvora
