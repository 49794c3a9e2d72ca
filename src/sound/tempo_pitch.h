// Tempo and pitch by blocks: the output is made of short blocks; inside a block the source
// is read at the frequency factor, and each block starts at the source position the speed
// has reached. Low quality reads with one head and hard block boundaries, high quality with
// two heads half a block apart, cross-faded by triangles. Standard C++ only.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/error_flag.h"
#include "sound/wave.h"

namespace kalvora {

struct TempoPitchSettings {
    double speed = 1;         // source samples per output sample between block starts; != 0
    double start = 0;         // where the first block starts, a share of the range
    double lengthFactor = 1;  // output length / range length; > 0
    double freqFactor = 1;    // source samples per output sample inside a block
    std::int64_t block = 1;   // samples per block: >= 1, >= 2 in high quality
    bool highQuality = false;
    // Optional envelopes (null: none), stretched over the output: the frequency envelope
    // scales the in-block step by F/32767, the speed envelope the advance between blocks by
    // V/32767. Each needs samples.
    const Wave* freqEnvelope = nullptr;
    const Wave* speedEnvelope = nullptr;
};

// New: head, n = trunc(lengthFactor·(end - begin)) samples, tail; end = begin + n. The
// source is read interpolated, 0 outside the wave; block starts are wrapped into the range.
// Requires begin < end.
std::unique_ptr<Wave> TempoPitchWave(ErrorFlag* error, const Wave& wave,
                                     const TempoPitchSettings& settings, std::int32_t begin,
                                     std::int32_t& end);

}  // namespace kalvora
