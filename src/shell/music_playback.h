// What the music dialogs ask of the program to play part of a music document: the sound of
// one stave, of one note group or of one subtree of the part tree, made by the document's
// generation and handed to the frame's player. An implementation reports its own failures
// ("Cannot create music: ..."); the dialogs offer their play buttons only when one is given.
// Standard C++ only.
#pragma once

namespace kalvora {

class TNoteGroup;
class TNoteStave;
class TPartMuz;
class TUnitMuz;

class TMusicPlayback {
  public:
    virtual ~TMusicPlayback() = default;
    virtual bool PlayStave(TUnitMuz& unit, const TNoteStave& stave) = 0;
    virtual bool PlayNoteGroup(TUnitMuz& unit, const TNoteGroup& group) = 0;
    // Every loop starts again at turn 1; only the subtree of `part` sounds.
    virtual bool PlaySubtree(TUnitMuz& unit, TPartMuz& part) = 0;
};

}  // namespace kalvora
