// The parameter records of a wave document: the last values used for each command that has
// a dialog. Each wave document holds its own set, copied from the frame's set (the last
// values used in any document) when it is created. A command's dialog edits a copy of the
// document's record; on OK the values go into the frame's set and the document's.
//
// The records of the generators and effects join this set as those commands are built.
#pragma once

#include "documents/mix_place.h"

namespace kalvora {

struct TWaveRecords {
    TMixPlace mixPlace = TMixPlace::alignBegin;
};

}  // namespace kalvora
