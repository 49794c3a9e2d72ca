// Dragging the bottom border of a stave in the music window: the left button moves the
// border (room below the stave), the right button the stave's content with the border fixed
// below it (room above), both buttons split the movement between the two. Neither room
// shrinks below TNoteStave::kMinRoom, nor grows beyond what a music file may hold.
// Standard C++ only.
#pragma once

#include "music/note_stave.h"

namespace kalvora::notation {

// How a vertical movement dy is shared between the room above (Up) and below (Down) a stave.
struct TBorderSplit {
    int Up = 0;
    int Down = 0;
};

// Both buttons: dy halves; the extra pixel of an odd dy goes below when extraBelow is set,
// else above. Then neither room may fall below the minimum: Up is raised to its limit taking
// the pixels from Down, Down likewise from Up, and Up is raised once more if needed.
TBorderSplit SplitBorderDrag(int dy, int roomUp, int roomDown, bool extraBelow);

enum class TDragButtons { left, right, both };

class TStaveBorderDrag {
  public:
    // Starts dragging the bottom border of `stave` from window row y.
    void Start(TNoteStave& stave, int y);
    // Any button released with none left, or a move without buttons.
    void End() { stave_ = nullptr; }
    bool Active() const { return stave_ != nullptr; }
    TNoteStave* Stave() const { return stave_; }
    int DragY() const { return dragY_; }

    // The mouse is at row y with the buttons held: the rooms of the stave follow. Returns
    // whether they changed.
    bool MoveTo(TDragButtons buttons, int y);

  private:
    TNoteStave* stave_ = nullptr;
    int dragY_ = 0;
    // Where the extra pixel of an odd movement goes: alternates, so that the stave does not
    // creep one way.
    bool extraBelow_ = true;
};

}  // namespace kalvora::notation
