// TVolumeAnalysis: the volume diagram of one channel, computed into one TVolumeArray in
// chunks of at most 300 samples. Deterministic and free of threads: the worker calls
// ProcessChunk until Finished or until it is asked to stop; kalvora-cli and the tests call
// it directly. Standard C++ only.
//
// Columns: sample k (0-based) stands at position -1 + (k + 1)·step, step = (width + 1) / S
// for S samples, computed in double. Column x = trunc(position) is complete at the first
// sample whose truncated position exceeds that of the previous complete column; then every
// band's peak is written into (x, band), clamped into the array, the peak is reset and
// filled becomes x + 1. So column 0 holds the first sample, every column of a long sound
// is written, and the last sample, at position width, is written onto the last column
// once more (filled then ends at width + 1).
#pragma once

#include <cstdint>

#include "volume/resonator_bank.h"
#include "volume/volume_array.h"

namespace kalvora {

class TVolumeAnalysis {
  public:
    static constexpr std::int32_t kChunkSamples = 300;

    // Analyses count samples (at least 1) of a channel into array. The samples and the
    // array must outlive the analysis; the array's height must equal tuning.bands.
    TVolumeAnalysis(const TResonatorTuning& tuning, const std::int16_t* samples, std::int32_t count,
                    TVolumeArray& array);

    bool Finished() const { return cursor_ >= count_; }
    // Processes up to kChunkSamples samples and publishes the columns completed.
    void ProcessChunk();
    // Processes everything that is left.
    void Run();

    std::int32_t Cursor() const { return cursor_; }
    // The position of the last sample processed (-1 before the first).
    double Position() const;

  private:
    void CompleteColumn(std::int64_t column);

    TResonatorBank bank_;
    const std::int16_t* samples_;
    std::int32_t count_;
    TVolumeArray& array_;
    std::int32_t cursor_ = 0;
    double step_;
    std::int64_t lastColumn_ = -1;  // trunc of the position of the last complete column
};

}  // namespace kalvora
