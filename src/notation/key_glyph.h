// A key as drawn at the start of a stave or where the clef or signature changes: the clef,
// its octave marks and the signature's sharps and flats.
#pragma once

#include "music/muz_key.h"
#include "notation/glyph_ink.h"

namespace kalvora::notation {

// Draws key with its left edge at leftX, sets its touch area (from leftX to the end of its
// signature) and returns its right end.
int DrawKeyGlyph(Canvas& canvas, TGlyphInk ink, int middleY, TKey& key, int leftX, bool selected);

}  // namespace kalvora::notation
