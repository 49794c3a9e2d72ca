// The staves of a music document in their doubly linked order. The list owns its staves.
// Standard C++ only.
#pragma once

#include <memory>

#include "music/note_stave.h"

namespace kalvora {

class TStaveList {
  public:
    TStaveList() = default;
    TStaveList(const TStaveList&) = delete;
    TStaveList& operator=(const TStaveList&) = delete;
    ~TStaveList();

    // Builds a stave without groups and links it after `after` (at the front when null).
    TNoteStave* CreateStave(TNoteStave* after, TUnitMuz* unitMuz, platform::Color foreground,
                            platform::Color background, int roomUp, int roomDown,
                            std::uint8_t drawFlagKind, std::uint8_t mute, std::uint8_t extraLines);
    // Links `stave` after `after` (at the front when null); `after` must be in the list.
    TNoteStave* InsertStave(TNoteStave* after, std::unique_ptr<TNoteStave> stave);
    // Unlinks and hands over `stave`; the list may not become empty.
    std::unique_ptr<TNoteStave> DeleteStave(TNoteStave* stave);
    bool MoveStaveEarlier(TNoteStave* stave);
    bool MoveStaveLater(TNoteStave* stave);

    TNoteStave* FirstStave() const { return StartStave; }
    TNoteStave* NextStave(const TNoteStave* stave) const { return stave->GetNext(); }
    TNoteStave* LastStave() const;
    bool Contains(const TNoteStave* stave) const;
    int Count() const;
    // 0-based place of `stave`, -1 when it is not in the list.
    int IndexOf(const TNoteStave* stave) const;

    TNoteStave* StartStave = nullptr;
};

}  // namespace kalvora
