#include "music/select_part_item.h"

#include "music/music_math.h"
#include "platform/assertion.h"

namespace kalvora {

TCountSelectPartItem::TCountSelectPartItem(TSelectPartMuz* owner, int count, int pitch)
    : TSelectPartItem(owner), Count(1), Pitch(0) {
    SetCount(count);
    SetPitch(pitch);
}

void TCountSelectPartItem::SetCount(int count) {
    KALVORA_ASSERT(count >= 1);
    Count = count;
}

void TCountSelectPartItem::SetPitch(int pitch) {
    Pitch = ClampTransposition(pitch);
}

}  // namespace kalvora
