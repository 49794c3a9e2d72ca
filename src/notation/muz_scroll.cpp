#include "notation/muz_scroll.h"

#include "music/note_stave.h"
#include "music/stave_time_symbol.h"

namespace kalvora::notation {

TScrollRanges ScrollRangesOf(const TXTouchMuzSymbol& symbol) {
    TScrollRanges ranges;
    ranges.Left = symbol.TouchLeft;
    ranges.Right = symbol.TouchRight;
    if (symbol.GetMuzSymbolKind() != muzSymbolStave) return ranges;
    const auto& staveSymbol = static_cast<const TStaveSymbol&>(symbol);
    const int middle = staveSymbol.NoteStave->Layout.MiddleY;
    ranges.Vertical = true;
    if (staveSymbol.IsNote()) {
        const int head = middle - 5 * static_cast<const TMuzNote&>(staveSymbol).DrawHeight;
        ranges.Top = head - 10;
        ranges.Bottom = head + 10;
    } else {
        ranges.Top = middle - 25;
        ranges.Bottom = middle + 25;
    }
    return ranges;
}

int ScrollToShow(int a, int b, int client, double low, double high) {
    if (b > high * client) return static_cast<int>(b - high * client);
    if (a < low * client) return static_cast<int>(a - low * client);
    return 0;
}

}  // namespace kalvora::notation
