// Paints a music document as staff notation: the staves' bands one below the other, the
// parts of the part tree from left to right with their keys, time signatures, repeat signs
// and bar lines, the final double bar and the staff lines over everything. Touch areas and
// drawn heights of what it draws are written back for hit testing.
#pragma once

#include <memory>
#include <vector>

#include "music/part_muz_nodes.h"
#include "music/single_part_muz.h"
#include "music/stave_list.h"
#include "notation/stave_flush.h"

namespace kalvora::notation {

struct TNotationView {
    int ScrollX = 0;  // horizontal scroll position, pixels
    int ScrollY = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;
};

// The size of the document in document coordinates (independent of the scroll position),
// for the scroll ranges.
struct TNotationExtent {
    int Width = 0;
    int Height = 0;
    // How far the notation itself reaches: up to the right end of the final double bar.
    int ContentWidth = 0;
};

class TNotationPainter {
  public:
    TNotationPainter(Canvas& canvas, const TStaveList& staves, const TXTouchMuzSymbol* selection,
                     TNotationView view);

    TNotationExtent Paint(TStartPartMuz& root);

  private:
    void LayOutVertically();
    void PaintBackgrounds();
    void DrawPart(TPartMuz& part);
    void DrawLoop(TLoopPartMuz& loop);
    void DrawSinglePart(TSinglePartMuz& part);
    void DrawBarLine(TSinglePartMuz& part);
    void DrawEnd();
    void DrawStaffLines();

    // The place of stave in staves_; staves_.size() for a stave not in the document.
    std::size_t StaveIndex(const TNoteStave* stave) const;
    int RightmostX() const;
    void SetAllX(int x);
    void FlushAll(double t);

    Canvas& canvas_;
    const TXTouchMuzSymbol* selection_;
    TNotationView view_;
    int originX_ = 0;
    int originY_ = 0;
    std::vector<TNoteStave*> staves_;
    std::vector<int> drawX_;
    std::vector<std::unique_ptr<TStaveFlush>> flushes_;
    double barTime_ = 0;
    TNotationExtent extent_;
};

}  // namespace kalvora::notation
