#include "music/muz_symbol.h"

#include <cmath>
#include <cstdlib>

#include "music/music_math.h"
#include "music/muz_key.h"
#include "music/note_stave.h"
#include "music/stave_time_symbol.h"
#include "platform/assertion.h"

namespace kalvora {

TMuzBar::TMuzBar(TSinglePartMuz* singlePart, int noteLength, int countNotes, int extraCount)
    : NoteLength(static_cast<std::uint8_t>(noteLength)),
      CountNotes(countNotes),
      ExtraCount(extraCount),
      SinglePartMuz(singlePart) {
    KALVORA_ASSERT(singlePart != nullptr);
    KALVORA_ASSERT(IsLengthKind(noteLength));
    KALVORA_ASSERT(countNotes >= 1);
    KALVORA_ASSERT(extraCount >= 0 && extraCount < countNotes);
}

double TMuzBar::BarEnd(double x) const {
    const double length = BarLength();
    const double c = FirstBarLength() - length;
    return c + length * (std::trunc((x - c) / length) + 1.0);
}

void TMuzBar::FirstBarLonger() {
    ExtraCount = (ExtraCount + 1) % CountNotes;
}

void TMuzBar::FirstBarShorter() {
    ExtraCount = (ExtraCount + CountNotes - 1) % CountNotes;
}

int TStaveSymbol::VerticalDistance(int y) const {
    const int distance = std::abs(y - NoteStave->Layout.MiddleY);
    return distance <= 15 ? 0 : distance - 15;
}

namespace {

// Keys come before the notes and silences at their position.
int KindRank(const TStaveSymbol& symbol) {
    return symbol.IsKey() ? 1 : 6;
}

int SubRank(const TStaveSymbol& symbol) {
    if (symbol.IsKey()) return 2 * static_cast<const TKey&>(symbol).Volgnr;
    return static_cast<const TStaveTimeSymbol&>(symbol).PosInOol;
}

}  // namespace

bool Before(const TStaveSymbol& a, const TStaveSymbol& b) {
    if (!SamePosition(a.Position, b.Position)) return a.Position < b.Position;
    if (KindRank(a) != KindRank(b)) return KindRank(a) < KindRank(b);
    if (SubRank(a) != SubRank(b)) return SubRank(a) < SubRank(b);
    if (a.IsNote() && b.IsNote()) {
        return static_cast<const TMuzNote&>(a).Pitch > static_cast<const TMuzNote&>(b).Pitch;
    }
    return false;
}

}  // namespace kalvora
