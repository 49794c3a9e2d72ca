// The documents that split and merge make: each a new document named "NONAME" + the next
// counter, without a file, holding a sound of its own (no sample is ever shared with a
// source, so the sources may be closed or edited afterwards). None of them takes an undo
// record: the sources are not changed. The frame makes their windows and closes the
// sources of a split. Each returns nothing after a failure (out of memory, reported by the
// sample memory), leaving every source as it was.
#pragma once

#include <memory>
#include <vector>

#include "documents/merge_split_records.h"
#include "documents/wave_document.h"

namespace kalvora {

// A stereo source as two mono documents: the left channel first.
std::vector<std::unique_ptr<TUnitWave>> SplitWaveVertically(TUnitWave& source);

// The parts of source cut at its selection (at the cursor without one), in time order, with
// the cut positions that place their windows.
struct TSplitHorDocuments {
    std::vector<std::unique_ptr<TUnitWave>> parts;
    TSplitCuts cuts;
};
TSplitHorDocuments SplitWaveHorizontally(TUnitWave& source, TSplitHorResult result);

// a and b (first and last, or left and right) merged into one new document as props says.
std::unique_ptr<TUnitWave> MergeWaves(TMergeKind kind, TUnitWave& a, TUnitWave& b,
                                      const TMergeProps& props);

}  // namespace kalvora
