#include "notation/stave_flush.h"

#include <algorithm>
#include <cmath>

#include "music/music_math.h"
#include "notation/curve_glyphs.h"
#include "notation/silence_glyph.h"

namespace kalvora::notation {
namespace {

// Times compare with a tolerance far below a 64th of a triplet, so that sums of note
// values that should meet a bar line exactly do.
constexpr double kTimeEpsilon = 1e-9;
bool Earlier(double a, double b) {
    return a < b - kTimeEpsilon;
}
bool SameTime(double a, double b) {
    return std::fabs(a - b) <= kTimeEpsilon;
}

// The smallest note value there is; a broken remainder shorter than it has no note value
// and is left out of the picture (it could only come from a dotted 64th over a bar line).
constexpr double kShortestValue = 1.0 / 64;

struct PlainValue {
    int kind = 64;
    int points = 0;
    double length = kShortestValue;
};

// The longest note value with up to two dots that fits into length.
PlainValue LargestPlainValue(double length) {
    PlainValue value;
    for (const int kind : kLengthKinds) {
        if (!Earlier(length, 1.0 / kind)) {
            value.kind = kind;
            break;
        }
    }
    value.length = 1.0 / value.kind;
    for (int points = 1; points <= 2; ++points) {
        const double dotted = TotalLengthOf(value.kind, points);
        if (Earlier(length, dotted)) break;
        value.points = points;
        value.length = dotted;
    }
    return value;
}

int BeamCount(int flagLength) {
    int count = 0;
    for (int f = flagLength / 4; f > 1; f /= 2)
        ++count;
    return count;
}

int DrawnPointsOf(int points, int multiOol) {
    return multiOol == duool || multiOol == kwartool ? std::max(0, points - 1) : points;
}

int FlagLengthOf(int kind, int multiOol, bool broken) {
    return broken ? kind : GetFlagLength(kind, static_cast<TMultiOol>(multiOol));
}

double LengthOf(int kind, int points, int multiOol, bool broken, double brokenLength) {
    if (broken) return brokenLength;
    return TotalLengthOf(kind, points) / std::max(1, multiOol);
}

void ExtendTouch(TXTouchMuzSymbol& symbol, int left, int right) {
    if (symbol.HasTouch != 0) {
        symbol.TouchLeft = std::min(symbol.TouchLeft, left);
        symbol.TouchRight = std::max(symbol.TouchRight, right);
    } else {
        symbol.TouchLeft = left;
        symbol.TouchRight = right;
        symbol.HasTouch = 1;
    }
}

// A straight beam line through two stem ends, in stave-relative y.
struct BeamLine {
    double x1 = 0, y1 = 0, x2 = 1, y2 = 0;
    double At(double x) const { return y1 + (y2 - y1) * (x - x1) / (x2 - x1); }
};

}  // namespace

int TDrawXNotesItem::FlagLength() const {
    return FlagLengthOf(NoteLengthKind, MultiOol, LengthIsBroken);
}
int TDrawXNotesItem::DrawnPoints() const {
    return DrawnPointsOf(Points, MultiOol);
}
double TDrawXNotesItem::Length() const {
    return LengthOf(NoteLengthKind, Points, MultiOol, LengthIsBroken, BrokenLength);
}
int TDrawXNotesItem::Highest() const {
    int hi = Notes.empty() ? 0 : Notes.front().Height;
    for (const TDrawXNoteItem& n : Notes)
        hi = std::max(hi, n.Height);
    return hi;
}
int TDrawXNotesItem::Lowest() const {
    int lo = Notes.empty() ? 0 : Notes.front().Height;
    for (const TDrawXNoteItem& n : Notes)
        lo = std::min(lo, n.Height);
    return lo;
}

int TDrawXSilItem::FlagLength() const {
    return FlagLengthOf(NoteLengthKind, MultiOol, LengthIsBroken);
}
int TDrawXSilItem::DrawnPoints() const {
    return DrawnPointsOf(Points, MultiOol);
}
double TDrawXSilItem::Length() const {
    return LengthOf(NoteLengthKind, Points, MultiOol, LengthIsBroken, BrokenLength);
}

void TStaveFlush::SetKey(const TKey& key) {
    key_ = &key;
    signature_ = key.NoteShiftKinds;
    running_ = signature_;
}

TDrawXPositionItem* TStaveFlush::FindOrInsertPosition(double time, int posInOol, int multiOol) {
    auto insertAt = positions_.begin();
    for (auto it = positions_.begin(); it != positions_.end(); ++it) {
        if (SameTime(it->Time, time) && it->PosInOol == posInOol) return &*it;
        if (!Earlier(time, it->Time)) insertAt = std::next(it);
    }
    TDrawXPositionItem item;
    item.Time = time;
    item.PosInOol = posInOol;
    item.MultiOol = multiOol;
    item.NoteShiftKinds.fill(noteShiftNone);
    if (insertAt != positions_.begin()) item.Previous = &std::prev(insertAt)->NoteShiftKinds;
    return &*positions_.insert(insertAt, item);
}

void TStaveFlush::RegisterNote(TMuzNote& note) {
    const int kind = note.GetBerDrawStickKind();
    ChordList& chords = chords_[std::min(kind, 2)];
    const int m = std::max<int>(1, note.MultiOol);
    const double t = note.Position;
    TDrawXNotesItem* target = nullptr;
    for (int j = 0; j < m; ++j) {
        TDrawXPositionItem* position = FindOrInsertPosition(t, j, m);
        TDrawXNotesItem* chord = nullptr;
        for (TDrawXNotesItem& c : chords) {
            if (SameTime(c.Time, t) && c.PosInOol == j) chord = &c;
        }
        if (chord == nullptr) {
            TDrawXNotesItem fresh;
            fresh.DrawStickKind = kind;
            fresh.Time = t;
            fresh.PosInOol = j;
            fresh.MultiOol = m;
            fresh.Position = position;
            fresh.NoteLengthKind = note.NoteLengthKind;
            fresh.Points = note.Points;
            fresh.NoteArtKind = note.ArtKind;
            chords.push_back(std::move(fresh));
            chord = &chords.back();
        }
        if (j == note.PosInOol) target = chord;
    }
    if (target == nullptr) return;
    if (target->Notes.empty()) {
        target->Points = note.Points;
        target->NoteArtKind = note.ArtKind;
    }
    TDrawXNoteItem item;
    item.MuzNote = &note;
    item.Selected = selection_ == &note;
    target->Notes.push_back(std::move(item));
}

void TStaveFlush::RegisterSilence(TSilence& silence) {
    const double t = silence.Position;
    const int m = std::max<int>(1, silence.MultiOol);
    TDrawXPositionItem* position = FindOrInsertPosition(t, silence.PosInOol, m);
    for (const TDrawXSilItem& s : silences_) {
        if (SameTime(s.Time, t) && s.PosInOol == silence.PosInOol) return;
    }
    TDrawXSilItem item;
    item.Time = t;
    item.PosInOol = silence.PosInOol;
    item.MultiOol = m;
    item.Position = position;
    item.NoteLengthKind = silence.NoteLengthKind;
    item.Points = silence.Points;
    item.Silence = &silence;
    item.Selected = selection_ == &silence;
    silences_.push_back(item);
}

void TStaveFlush::SplitChords(double t) {
    for (ChordList& chords : chords_) {
        auto last = chords.end();
        for (auto it = chords.begin(); it != chords.end(); ++it) {
            if (Earlier(it->Time, t)) last = it;
        }
        if (last == chords.end() || last->MultiOol != 1 || last->Notes.empty()) continue;
        const double end = last->Time + last->Length();
        if (!Earlier(t, end)) continue;
        TDrawXNotesItem copy;
        copy.DrawStickKind = last->DrawStickKind;
        copy.Time = t;
        copy.MultiOol = 1;
        copy.Position = FindOrInsertPosition(t, 0, 1);
        copy.NoteArtKind = last->NoteArtKind;
        copy.NoteLengthKind = last->NoteLengthKind;
        copy.LengthIsBroken = true;
        copy.BrokenLength = end - t;
        copy.SlurEnd = true;
        for (const TDrawXNoteItem& n : last->Notes) {
            TDrawXNoteItem note;
            note.MuzNote = n.MuzNote;
            note.Selected = n.Selected;
            copy.Notes.push_back(std::move(note));
        }
        last->LengthIsBroken = true;
        last->BrokenLength = t - last->Time;
        last->NoJoinNext = last->GroupEnd = last->SlurBegin = true;
        chords.insert(std::next(last), std::move(copy));
    }
}

void TStaveFlush::SplitSilences(double t) {
    auto last = silences_.end();
    for (auto it = silences_.begin(); it != silences_.end(); ++it) {
        if (Earlier(it->Time, t)) last = it;
    }
    if (last == silences_.end() || last->MultiOol != 1) return;
    const double end = last->Time + last->Length();
    if (!Earlier(t, end)) return;
    TDrawXSilItem copy = *last;
    copy.Time = t;
    copy.PosInOol = 0;
    copy.Position = FindOrInsertPosition(t, 0, 1);
    copy.LengthIsBroken = true;
    copy.BrokenLength = end - t;
    last->LengthIsBroken = true;
    last->BrokenLength = t - last->Time;
    silences_.insert(std::next(last), copy);
}

void TStaveFlush::DecomposeChords(double t) {
    for (ChordList& chords : chords_) {
        for (auto it = chords.begin(); it != chords.end(); ++it) {
            if (!Earlier(it->Time, t) || !it->LengthIsBroken) continue;
            const double length = it->BrokenLength;
            const PlainValue value = LargestPlainValue(length);
            it->LengthIsBroken = false;
            it->NoteLengthKind = value.kind;
            it->Points = value.points;
            it->NoJoinNext = it->GroupEnd = true;
            const double remainder = length - value.length;
            if (remainder < kShortestValue - kTimeEpsilon) continue;
            TDrawXNotesItem copy;
            copy.DrawStickKind = it->DrawStickKind;
            copy.Time = it->Time + value.length;
            copy.MultiOol = 1;
            copy.Position = FindOrInsertPosition(copy.Time, 0, 1);
            copy.NoteArtKind = it->NoteArtKind;
            copy.LengthIsBroken = true;
            copy.BrokenLength = remainder;
            copy.SlurEnd = true;
            // The rest of a split chord keeps the tie into what follows it.
            copy.SlurBegin = it->SlurBegin;
            for (const TDrawXNoteItem& n : it->Notes) {
                TDrawXNoteItem note;
                note.MuzNote = n.MuzNote;
                note.Selected = n.Selected;
                copy.Notes.push_back(std::move(note));
            }
            it->SlurBegin = true;
            chords.insert(std::next(it), std::move(copy));
        }
    }
}

void TStaveFlush::DecomposeSilences(double t) {
    for (auto it = silences_.begin(); it != silences_.end(); ++it) {
        if (!Earlier(it->Time, t) || !it->LengthIsBroken) continue;
        const double length = it->BrokenLength;
        const PlainValue value = LargestPlainValue(length);
        it->LengthIsBroken = false;
        it->NoteLengthKind = value.kind;
        it->Points = value.points;
        const double remainder = length - value.length;
        if (remainder < kShortestValue - kTimeEpsilon) continue;
        TDrawXSilItem copy = *it;
        copy.Time = it->Time + value.length;
        copy.PosInOol = 0;
        copy.Position = FindOrInsertPosition(copy.Time, 0, 1);
        copy.LengthIsBroken = true;
        copy.BrokenLength = remainder;
        silences_.insert(std::next(it), copy);
    }
}

void TStaveFlush::MarkBeams(ChordList& chords, double t) {
    for (auto it = chords.begin(); it != chords.end() && Earlier(it->Time, t); ++it) {
        TDrawXNotesItem& c = *it;
        const auto next = std::next(it);
        const bool inTuplet = c.MultiOol > 1;
        if (stave_.DrawFlagKind == drawFlagNoJoin) c.NoJoinNext = true;
        if (inTuplet && c.PosInOol == c.MultiOol - 1) c.NoJoinNext = c.GroupEnd = true;
        if (inTuplet && c.Notes.empty()) c.NoJoinNext = true;
        if (c.FlagLength() < 8) {
            c.NoJoinNext = true;
            if (!inTuplet) c.GroupEnd = true;
        }
        if (next == chords.end()) {
            c.NoJoinNext = c.GroupEnd = true;
            continue;
        }
        const TDrawXNotesItem& d = *next;
        if (d.FlagLength() < 8) {
            c.NoJoinNext = true;
            if (!inTuplet) c.GroupEnd = true;
        }
        if (!c.Notes.empty() && Earlier(c.Time + c.Length(), d.Time)) {
            c.NoJoinNext = c.GroupEnd = true;
        }
        if (d.MultiOol > 1 && (d.PosInOol == 0 || d.Notes.empty())) {
            c.NoJoinNext = true;
            if (d.PosInOol == 0) c.GroupEnd = true;
        }
    }
    const TDrawXNotesItem* previous = keptChord_[&chords - chords_.data()].empty()
                                          ? nullptr
                                          : &keptChord_[&chords - chords_.data()].back();
    for (auto it = chords.begin(); it != chords.end() && Earlier(it->Time, t); ++it) {
        it->BeamStart = previous == nullptr || previous->NoJoinNext;
        it->GroupStart = previous == nullptr || previous->GroupEnd;
        previous = &*it;
    }
}

void TStaveFlush::BookAccidentals(double t) {
    listTable_ = running_;
    for (ChordList& chords : chords_) {
        for (TDrawXNotesItem& chord : chords) {
            if (!Earlier(chord.Time, t)) break;
            for (TDrawXNoteItem& note : chord.Notes) {
                note.Height = key_ != nullptr ? key_->StaffPosition(note.MuzNote->Pitch)
                                              : note.MuzNote->Pitch - keyKindG;
                std::uint8_t& entry = chord.Position->NoteShiftKinds[FloorMod(note.Height, 7)];
                const std::uint8_t sounding = note.MuzNote->NoteShiftKind;
                if (entry == noteShiftNone) {
                    entry = sounding;
                } else if (entry != sounding) {
                    entry = kSeveralShifts;
                }
            }
        }
    }
    const TShiftTable* previous = &listTable_;
    for (TDrawXPositionItem& item : positions_) {
        if (!Earlier(item.Time, t)) break;
        for (int i = 0; i < 7; ++i) {
            if (item.NoteShiftKinds[i] == noteShiftNone) item.NoteShiftKinds[i] = (*previous)[i];
        }
        previous = &item.NoteShiftKinds;
        running_ = item.NoteShiftKinds;
    }
}

void TStaveFlush::BuildHeads(double t) {
    const TGlyphInk ink{stave_.ForegroundColor, stave_.BackgroundColor};
    for (ChordList& chords : chords_) {
        for (TDrawXNotesItem& chord : chords) {
            if (!Earlier(chord.Time, t)) break;
            const TShiftTable& before =
                chord.Position->Previous != nullptr ? *chord.Position->Previous : listTable_;
            for (TDrawXNoteItem& note : chord.Notes) {
                const std::uint8_t sounding = note.MuzNote->NoteShiftKind;
                const TNoteShiftKind shown = before[FloorMod(note.Height, 7)] == sounding
                                                 ? noteShiftNone
                                                 : static_cast<TNoteShiftKind>(sounding);
                const TNoteGroup* group = note.MuzNote->NoteGroup;
                note.DrawNote = std::make_unique<TDrawNote>(
                    ink, group != nullptr ? group->NoteColor : stave_.ForegroundColor,
                    group != nullptr ? int{group->NoteShape} : int{NoteShapeNormal},
                    chord.FlagLength(), chord.DrawnPoints(), note.Height, shown);
            }
        }
    }
}

void TStaveFlush::ResolveStems(ChordList& chords, double t) {
    const bool automatic = &chords == &chords_[drawStickAuto];
    for (auto start = chords.begin(); start != chords.end() && Earlier(start->Time, t);) {
        auto end = start;
        while (!end->GroupEnd && std::next(end) != chords.end() &&
               Earlier(std::next(end)->Time, t)) {
            ++end;
        }
        ++end;
        if (automatic) {
            int lo = start->Lowest(), hi = start->Highest();
            for (auto it = start; it != end; ++it) {
                lo = std::min(lo, it->Lowest());
                hi = std::max(hi, it->Highest());
            }
            for (auto it = start; it != end; ++it)
                it->DrawStickKind = lo + hi >= 0 ? drawStickDown : drawStickUp;
        }
        for (auto it = start; it != end; ++it) {
            if (it->StemDown()) {
                it->BeamY = -5 * it->Lowest() + 32;
                it->StemEndY = -5 * it->Lowest() + 35;
            } else {
                it->BeamY = -5 * it->Highest() - 32;
                it->StemEndY = -5 * it->Highest() - 35;
            }
            // Seconds: a head one step from the one above it moves to the stem's other
            // side, unless that one moved already.
            for (std::size_t i = 1; i < it->Notes.size(); ++i) {
                const TDrawXNoteItem& above = it->Notes[i - 1];
                TDrawXNoteItem& note = it->Notes[i];
                note.Flipped = std::abs(above.Height - note.Height) == 1 && !above.Flipped;
            }
        }
        start = end;
    }
}

void TStaveFlush::MeasureWidths(double t) {
    const auto need = [](TDrawXPositionItem& p, int before, int core, int after) {
        p.WidthBefore = std::max(p.WidthBefore, before);
        p.WidthCore = std::max(p.WidthCore, core);
        p.WidthAfter = std::max(p.WidthAfter, after);
    };
    for (ChordList& chords : chords_) {
        for (TDrawXNotesItem& chord : chords) {
            if (!Earlier(chord.Time, t)) break;
            int before = 0, core = 0, after = 0;
            for (const TDrawXNoteItem& note : chord.Notes) {
                const TDrawNote& head = *note.DrawNote;
                if (!note.Flipped) {
                    before = std::max(before, head.WidthBefore());
                    core = std::max(core, head.WidthCore());
                    after = std::max(after, head.WidthAfter());
                } else if (chord.StemDown()) {
                    before = std::max(before, head.WidthBefore() + 10);
                    after = std::max(after, head.WidthAfter() - 10);
                } else {
                    before = std::max(before, head.WidthBefore() - 10);
                    after = std::max(after, head.WidthAfter() + 10);
                }
            }
            if (chord.BeamStart && chord.NoJoinNext && chord.FlagLength() >= 8 &&
                !chord.StemDown() && !chord.Notes.empty()) {
                after = std::max(after, 13);
            }
            need(*chord.Position, before, core, after);
        }
    }
    for (TDrawXSilItem& silence : silences_) {
        if (!Earlier(silence.Time, t)) break;
        need(*silence.Position, 0,
             TSilenceGlyph({}, silence.FlagLength(), silence.DrawnPoints()).Width(), 0);
    }
}

int TStaveFlush::AssignX(double t, int x) {
    for (TDrawXPositionItem& item : positions_) {
        if (!Earlier(item.Time, t)) break;
        item.X = x;
        x += std::max(0, item.WidthBefore) + std::max(0, item.WidthCore) +
             std::max(0, item.WidthAfter);
    }
    for (ChordList& chords : chords_) {
        for (TDrawXNotesItem& c : chords) {
            if (!Earlier(c.Time, t)) break;
            const TDrawXPositionItem& p = *c.Position;
            const int left = p.X + std::max(0, p.WidthBefore);
            const int right = left + std::max(0, p.WidthCore);
            if (!c.Notes.empty()) {
                c.StemX = c.StemDown() ? left : right;
            } else {
                c.StemX = c.PosInOol == 0 ? left : right;
            }
        }
    }
    return x;
}

void TStaveFlush::FitBeams(Canvas& canvas, ChordList& chords, double t) {
    const int m = stave_.Layout.MiddleY;
    for (auto start = chords.begin(); start != chords.end() && Earlier(start->Time, t); ++start) {
        const bool opensTuplet = start->MultiOol > 1 && start->PosInOol == 0;
        const bool opensBeam = start->GroupStart && !start->GroupEnd &&
                               std::next(start) != chords.end() && start->MultiOol == 1;
        if (!opensTuplet && !opensBeam) continue;
        std::vector<TDrawXNotesItem*> group;
        for (auto it = start; it != chords.end() && Earlier(it->Time, t); ++it) {
            group.push_back(&*it);
            if (it->GroupEnd) break;
        }
        const bool down = start->StemDown();
        // The most extreme stem end and where it first and last occurs.
        int e = group.front()->BeamY;
        for (const TDrawXNotesItem* c : group)
            e = down ? std::max(e, c->BeamY) : std::min(e, c->BeamY);
        int xa = 0, xb = 0;
        bool found = false;
        for (const TDrawXNotesItem* c : group) {
            if (c->BeamY != e) continue;
            if (!found) xa = c->StemX;
            xb = c->StemX;
            found = true;
        }
        const int middle = (group.front()->StemX + group.back()->StemX) / 2;
        BeamLine line{static_cast<double>(xa), static_cast<double>(e), xa + 1.0,
                      static_cast<double>(e)};
        const double sign = down ? 1 : -1;
        if (middle < xa - 2 || middle > xb + 2) {
            const bool leftward = middle < xa - 2;
            double px = leftward ? xa : xb, py = e, qx = px, qy = py;
            while (leftward ? middle < px - 2 : px + 2 < middle) {
                qx = px;
                qy = py;
                const TDrawXNotesItem* best = nullptr;
                double bestSlope = 0;
                for (const TDrawXNotesItem* c : group) {
                    const bool candidate = leftward ? c->StemX < px : c->StemX > px;
                    if (!candidate) continue;
                    const double dx = leftward ? px - c->StemX : c->StemX - px;
                    const double s = sign * (py - c->BeamY) / dx;
                    if (best == nullptr || s <= bestSlope) {
                        best = c;
                        bestSlope = s;
                    }
                }
                if (best == nullptr) break;
                px = best->StemX;
                py = best->BeamY;
                if (std::fabs(bestSlope) < 0.0001) break;
            }
            if (px == qx) px += 1;
            line = BeamLine{qx, qy, px, py};
        }
        for (TDrawXNotesItem* c : group) {
            c->StemEndY = static_cast<int>(line.At(c->StemX));
            c->BeamY = c->StemEndY + (down ? 1 : -1);
        }
        if (!opensTuplet) continue;
        const int d = down ? 1 : -1;
        const int x1 = start->StemX - 3;
        const int x2 = group.back()->StemX + 3;
        const int xm = (x1 + x2) / 2;
        const auto y = [&](int x) { return m + static_cast<int>(line.At(x)); };
        const Color pen = stave_.ForegroundColor;
        canvas.DrawLine({x1, y(x1) + 6 * d}, {x1, y(x1) + 11 * d}, pen);
        canvas.DrawLine({x1, y(x1) + 11 * d}, {xm - 7, y(xm - 7) + 11 * d}, pen);
        canvas.DrawLine({xm + 7, y(xm + 7) + 11 * d}, {x2, y(x2) + 11 * d}, pen);
        canvas.DrawLine({x2, y(x2) + 11 * d}, {x2, y(x2) + 6 * d}, pen);
        canvas.DrawTextOnBackground({xm - 3, y(xm) + 11 * d - 8}, std::to_string(start->MultiOol),
                                    NumberFont(12, pen), stave_.BackgroundColor);
    }
}

void TStaveFlush::DrawBeams(Canvas& canvas, const ChordList& chords,
                            ChordList::const_iterator chord) {
    const TDrawXNotesItem& c = *chord;
    const int m = stave_.Layout.MiddleY;
    const int n = BeamCount(c.FlagLength());
    if (n == 0) return;
    const Color pen = stave_.ForegroundColor;
    const int nearer = c.StemDown() ? -7 : 7;
    const auto next = std::next(chord);
    const TDrawXNotesItem* d = !c.NoJoinNext && next != chords.end() ? &*next : nullptr;
    const TDrawXNotesItem* q = nullptr;
    if (chord != chords.begin()) {
        q = &*std::prev(chord);
    } else {
        const std::size_t list = static_cast<std::size_t>(&chords - chords_.data());
        if (!keptChord_[list].empty()) q = &keptChord_[list].back();
    }
    // A beam of five rows centred on the line from (xa, ya) to (xb, yb).
    const auto beam = [&](int xa, int ya, int xb, int yb) {
        for (int r = -2; r <= 2; ++r)
            canvas.DrawLine({xa, ya + r}, {xb, yb + r}, pen);
    };
    const auto lineY = [](int xa, int ya, int xb, int yb, int x) {
        return xb == xa ? ya : ya + (yb - ya) * (x - xa) / (xb - xa);
    };
    if (c.BeamStart && c.NoJoinNext) {
        DrawFlags(canvas, pen, c.StemX, m + c.BeamY, c.StemDown(), n);
        return;
    }
    const int qBeams = q != nullptr ? BeamCount(q->FlagLength()) : 0;
    if (d != nullptr) {
        const int dBeams = BeamCount(d->FlagLength());
        const int joined = std::min(n, dBeams);
        const int xa = c.StemX, ya = m + c.BeamY, xb = d->StemX + 1, yb = m + d->BeamY;
        for (int i = 0; i < joined; ++i)
            beam(xa, ya + i * nearer, xb, yb + i * nearer);
        if (dBeams < n) {
            for (int i = joined; i < n; ++i) {
                if (c.BeamStart) {
                    beam(xa, ya + i * nearer, xa + 8, lineY(xa, ya, xb, yb, xa + 8) + i * nearer);
                } else if (qBeams < n && q != nullptr) {
                    const int qx = q->StemX, qy = m + q->BeamY;
                    beam(xa - 8, lineY(qx, qy, xa + 1, ya, xa - 8) + i * nearer, xa + 1,
                         ya + i * nearer);
                }
            }
        }
        return;
    }
    if (q != nullptr && !q->NoJoinNext) {
        const int xa = c.StemX, ya = m + c.BeamY, qx = q->StemX, qy = m + q->BeamY;
        for (int i = qBeams; i < n; ++i) {
            beam(xa - 8, lineY(qx, qy, xa + 1, ya, xa - 8) + i * nearer, xa + 1, ya + i * nearer);
        }
    }
}

void TStaveFlush::DrawChord(Canvas& canvas, const ChordList& chords,
                            ChordList::const_iterator chord) {
    const TDrawXNotesItem& c = *chord;
    if (c.Notes.empty()) return;
    const int m = stave_.Layout.MiddleY;
    const Color pen = stave_.ForegroundColor;
    const TDrawXPositionItem& p = *c.Position;
    const int left = p.X + std::max(0, p.WidthBefore);
    const int core = std::max(0, p.WidthCore);
    const int hi = c.Highest(), lo = c.Lowest();
    // Ledger lines above and below the stave.
    for (int i = 0; i < hi / 2 - 2; ++i)
        canvas.HorizontalLine(left - 6, left + core + 6, m - 30 - 10 * i, pen);
    for (int i = 0; i < -lo / 2 - 2; ++i)
        canvas.HorizontalLine(left - 6, left + core + 6, m + 30 + 10 * i, pen);
    // Articulation on the side away from the stem.
    const int mid = left + core / 2;
    const bool above = c.StemDown();
    const int u = StaffY(m, c.StemDown() ? hi : lo);
    switch (c.NoteArtKind) {
        case artStaccato:
            canvas.Ellipse(above ? Rect{mid - 2, u - 10, mid + 2, u - 6}
                                 : Rect{mid - 2, u + 7, mid + 2, u + 11},
                           pen, pen);
            break;
        case artStaccatissimo:
            canvas.DrawWideLine({mid, above ? u - 8 : u + 8}, {mid, above ? u - 6 : u + 6}, 2, pen);
            canvas.Ellipse(above ? Rect{mid - 2, u - 13, mid + 2, u - 8}
                                 : Rect{mid - 2, u + 9, mid + 2, u + 14},
                           pen, pen);
            break;
        case artPortato:
            canvas.HorizontalLine(mid - 5, mid + 5, above ? u - 8 : u + 8, pen);
            break;
        case artLegato:
            if (above) {
                DrawSlur(canvas, pen, {mid - 10, u - 5}, {mid + 10, u - 5}, 9);
            } else {
                DrawSlur(canvas, pen, {mid - 10, u + 5}, {mid + 10, u + 5}, -9);
            }
            break;
        default:
            break;
    }
    for (const TDrawXNoteItem& note : c.Notes) {
        int headLeft = left;
        if (note.Flipped) headLeft += c.StemDown() ? -core : core;
        const TDrawNote::Extent extent = note.DrawNote->Draw(canvas, m, headLeft, note.Selected);
        ExtendTouch(*note.MuzNote, extent.Left, extent.Right);
        note.MuzNote->DrawHeight = note.Height;
    }
    const int flag = c.FlagLength();
    if (flag > 1) {
        const int from = StaffY(m, c.StemDown() ? hi : lo);
        int to = m + c.StemEndY;
        if (flag < 8) to = c.StemDown() ? StaffY(m, lo) + 34 : StaffY(m, hi) - 34;
        canvas.VerticalLine(c.StemX, from, to, pen);
    }
    if (flag >= 8) DrawBeams(canvas, chords, chord);
}

void TStaveFlush::DrawSilences(Canvas& canvas, double t) {
    const TGlyphInk ink{stave_.ForegroundColor, stave_.BackgroundColor};
    for (const TDrawXSilItem& s : silences_) {
        if (!Earlier(s.Time, t)) break;
        const int x = s.Position->X + std::max(0, s.Position->WidthBefore);
        const int end = TSilenceGlyph(ink, s.FlagLength(), s.DrawnPoints())
                            .Draw(canvas, stave_.Layout.MiddleY, x, s.Selected);
        ExtendTouch(*s.Silence, x, end);
    }
}

void TStaveFlush::DrawTies(Canvas& canvas, double t) {
    const int m = stave_.Layout.MiddleY;
    for (std::size_t list = 0; list < chords_.size(); ++list) {
        const TDrawXNotesItem* previous =
            keptChord_[list].empty() ? nullptr : &keptChord_[list].back();
        for (const TDrawXNotesItem& c : chords_[list]) {
            if (!Earlier(c.Time, t)) break;
            if (c.SlurEnd && previous != nullptr && !c.Notes.empty()) {
                const auto centre = [](const TDrawXNotesItem& chord) {
                    const TDrawXPositionItem& p = *chord.Position;
                    return p.X + std::max(0, p.WidthBefore) + std::max(0, p.WidthCore) / 2;
                };
                const int fromX = centre(*previous);
                if (c.StemDown()) {
                    const int y = StaffY(m, c.Highest()) - 7;
                    DrawSlur(canvas, stave_.ForegroundColor, {fromX, y}, {centre(c), y}, 13);
                } else {
                    const int y = StaffY(m, c.Lowest()) + 7;
                    DrawSlur(canvas, stave_.ForegroundColor, {fromX, y}, {centre(c), y}, -13);
                }
            }
            previous = &c;
        }
    }
}

void TStaveFlush::Consume(double t) {
    const auto firstLater = [t](auto& list) {
        auto it = list.begin();
        while (it != list.end() && Earlier(it->Time, t))
            ++it;
        return it;
    };
    // The last chord of each list stays as the predecessor that a tie or a beam reaches
    // back to; it keeps a copy of its position's geometry, which may be consumed.
    for (std::size_t list = 0; list < chords_.size(); ++list) {
        const auto chordEnd = firstLater(chords_[list]);
        if (chordEnd == chords_[list].begin()) continue;
        keptChord_[list].clear();
        keptChord_[list].splice(keptChord_[list].begin(), chords_[list], std::prev(chordEnd));
        chords_[list].erase(chords_[list].begin(), firstLater(chords_[list]));
        TDrawXNotesItem& kept = keptChord_[list].back();
        keptChordPosition_[list] = *kept.Position;
        kept.Position = &keptChordPosition_[list];
    }
    silences_.erase(silences_.begin(), firstLater(silences_));
    const auto positionEnd = firstLater(positions_);
    if (positionEnd == positions_.begin()) return;
    // The last position before t stays alive: what was made before this flush at or after
    // t (the rest of a split chord) looks back at its accidentals.
    std::list<TDrawXPositionItem> done;
    done.splice(done.begin(), positions_, positions_.begin(), positionEnd);
    std::list<TDrawXPositionItem> kept;
    kept.splice(kept.begin(), done, std::prev(done.end()));
    const TShiftTable* keptTable = &kept.back().NoteShiftKinds;
    for (TDrawXPositionItem& item : positions_) {
        bool gone = !keptPosition_.empty() && item.Previous == &keptPosition_.back().NoteShiftKinds;
        for (const TDrawXPositionItem& old : done)
            gone = gone || item.Previous == &old.NoteShiftKinds;
        if (gone) item.Previous = keptTable;
    }
    keptPosition_ = std::move(kept);
}

int TStaveFlush::DrawUntil(Canvas& canvas, double t, int x) {
    SplitChords(t);
    SplitSilences(t);
    DecomposeChords(t);
    DecomposeSilences(t);
    for (ChordList& chords : chords_)
        MarkBeams(chords, t);
    BookAccidentals(t);
    BuildHeads(t);
    for (ChordList& chords : chords_)
        ResolveStems(chords, t);
    MeasureWidths(t);
    const int end = AssignX(t, x);
    for (ChordList& chords : chords_)
        FitBeams(canvas, chords, t);
    for (const ChordList& chords : chords_) {
        for (auto it = chords.begin(); it != chords.end() && Earlier(it->Time, t); ++it)
            DrawChord(canvas, chords, it);
    }
    DrawSilences(canvas, t);
    DrawTies(canvas, t);
    Consume(t);
    return end;
}

}  // namespace kalvora::notation
