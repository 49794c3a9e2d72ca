// Scrolling the music window so that a selected symbol is seen: the ranges of window
// coordinates a symbol occupies, and how far to scroll to bring a range into view.
// Standard C++ only.
#pragma once

#include "music/muz_symbol.h"

namespace kalvora::notation {

// The window ranges of a symbol: horizontally its touch area; vertically a note's drawn head
// +- 10 and a key's or silence's middle line +- 25. Bars and repeat signs span all staves
// and are not scrolled vertically.
struct TScrollRanges {
    int Left = 0;
    int Right = 0;
    bool Vertical = false;
    int Top = 0;
    int Bottom = 0;
};

TScrollRanges ScrollRangesOf(const TXTouchMuzSymbol& symbol);

// How far to scroll (added to the scroll position) so that [a, b] of a side `client` pixels
// long comes into view: b - high * client when b lies beyond that share of the side, else
// a - low * client when a lies before its share, else 0.
int ScrollToShow(int a, int b, int client, double low, double high);
inline int HorizontalScrollToShow(int a, int b, int clientWidth) {
    return ScrollToShow(a, b, clientWidth, 0.1, 0.9);
}
inline int VerticalScrollToShow(int a, int b, int clientHeight) {
    return ScrollToShow(a, b, clientHeight, 0.2, 0.8);
}

}  // namespace kalvora::notation
