// The parameter records of a wave document: the last values used for each command that has
// a dialog. Each wave document holds its own set, copied from the frame's set (the last
// values used in any document) when it is created. A command's dialog edits a copy of the
// document's record; on OK the values go into the frame's set and the document's.
//
// The records of the generators and effects are those of the effect table (effect_table.h),
// one per entry.
#pragma once

#include "documents/effect_record.h"
#include "documents/mix_place.h"

namespace kalvora {

struct TWaveRecords {
    TMixPlace mixPlace = TMixPlace::alignBegin;
    TEffectRecords effects;
};

}  // namespace kalvora
