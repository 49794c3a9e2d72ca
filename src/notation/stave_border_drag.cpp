#include "notation/stave_border_drag.h"

#include <algorithm>

#include "music/music_file.h"

namespace kalvora::notation {
namespace {

constexpr int kMin = TNoteStave::kMinRoom;

// The change of a room by delta, kept within what a stave may have.
int Limited(int room, int delta) {
    return std::clamp(room + delta, kMin, std::max(kMin, kMaxStaveRoom)) - room;
}

}  // namespace

TBorderSplit SplitBorderDrag(int dy, int roomUp, int roomDown, bool extraBelow) {
    TBorderSplit split;
    if (extraBelow) {
        split.Up = dy / 2;
        split.Down = dy - split.Up;
    } else {
        split.Down = dy / 2;
        split.Up = dy - split.Down;
    }
    if (roomUp + split.Up < kMin) {
        split.Up = kMin - roomUp;
        split.Down = dy - split.Up;
    }
    if (roomDown + split.Down < kMin) {
        split.Down = kMin - roomDown;
        split.Up = dy - split.Down;
    }
    if (roomUp + split.Up < kMin) split.Up = kMin - roomUp;
    return split;
}

void TStaveBorderDrag::Start(TNoteStave& stave, int y) {
    stave_ = &stave;
    dragY_ = y;
    extraBelow_ = true;
}

bool TStaveBorderDrag::MoveTo(TDragButtons buttons, int y) {
    if (stave_ == nullptr) return false;
    const int dy = y - dragY_;
    const int up = std::max(kMin, stave_->RoomUp.GetValue());
    const int down = std::max(kMin, stave_->RoomDown.GetValue());
    TBorderSplit change;
    switch (buttons) {
        case TDragButtons::left:
            change.Down = Limited(down, dy);
            break;
        case TDragButtons::right:
            change.Up = Limited(up, dy);
            break;
        case TDragButtons::both:
            if (dy % 2 != 0) {
                change = SplitBorderDrag(dy, up, down, extraBelow_);
                extraBelow_ = !extraBelow_;
            } else {
                change = SplitBorderDrag(dy, up, down, true);
            }
            // Far beyond any real stave, the rooms stop growing too.
            change.Up = Limited(up, change.Up);
            change.Down = Limited(down, change.Down);
            break;
    }
    dragY_ += change.Up + change.Down;
    if (change.Up == 0 && change.Down == 0 && up == stave_->RoomUp.GetValue() &&
        down == stave_->RoomDown.GetValue())
        return false;
    stave_->RoomUp.SetValue(up + change.Up);
    stave_->RoomDown.SetValue(down + change.Down);
    return true;
}

}  // namespace kalvora::notation
