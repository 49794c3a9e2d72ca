// The enumerations of the music model. Their numeric values are written to music files and
// compared numerically, so they must never change. Standard C++ only.
#pragma once

#include <cstdint>

namespace kalvora {

enum TMuzSymbolKind : std::uint8_t {
    muzSymbolBar = 0,
    muzSymbolLoop = 1,
    muzSymbolStave = 2,
};

enum TStaveSymbolKind : std::uint8_t {
    staveSymbolKey = 0,
    staveSymbolNote = 1,
    staveSymbolSilence = 2,
};

// Alterations of a note or of a key signature entry.
enum TNoteShiftKind : std::uint8_t {
    noteShiftDoubleKruis = 0,  // double sharp
    noteShiftKruis = 1,        // sharp
    noteShiftNormal = 2,       // natural
    noteShiftMol = 3,          // flat
    noteShiftDoubleMol = 4,    // double flat
    noteShiftNone = 5,         // no value: a hole in merged signature tables
};

// Tuplets; the value is the number of notes in the tuplet.
enum TMultiOol : std::uint8_t {
    sool = 1,  // no tuplet
    duool = 2,
    triool = 3,
    kwartool = 4,
    kwintool = 5,
};

enum TNoteArtKind : std::uint8_t {
    artNormal = 0,
    artStaccato = 1,
    artStaccatissimo = 2,
    artPortato = 3,
    artLegato = 4,
};

// Stem direction.
enum TDrawStickKind : std::uint8_t {
    drawStickUp = 0,
    drawStickDown = 1,
    drawStickAuto = 2,
};

// The clef, given as the height of the stave's middle line.
enum TKeyKind : std::int8_t {
    keyKindF = -6,
    keyKindC = 0,
    keyKindG = 6,
};

// How a one-player turns a note into sound.
enum TNotePlayerKind : std::uint8_t {
    notePlayerSimpleSampler = 0,
    notePlayerResonantSampler = 1,
    notePlayerRepeatWaveForm = 2,
    notePlayerRollOutSampler = 3,
    notePlayerRollOutWaveForm = 4,
    notePlayerNone = 255,  // not chosen yet
};

enum TPartMuzKind : std::uint8_t {
    partMuzSingle = 0,
    partMuzConcat = 1,
    partMuzLoop = 2,
    partMuzSelect = 3,
    partMuzStart = 4,
};

enum TMusTreeItemKind : std::uint8_t {
    musTreeItemPartMuz = 0,
    musTreeItemSelectPartItem = 1,
};

// Note head shapes of a note group.
enum TNoteShape : std::uint8_t {
    NoteShapeNormal = 0,
    NoteShapeRectangle = 1,
};

// Whether a stave joins the flags of consecutive short notes into beams.
enum TDrawFlagKind : std::uint8_t {
    drawFlagNoJoin = 0,
    AllowJoinFlags = 1,
    drawFlagNone = 2,  // not allowed for a stave
};

// The plain note values, as denominators of a whole note.
inline constexpr int kLengthKinds[] = {1, 2, 4, 8, 16, 32, 64};

inline constexpr bool IsLengthKind(int kind) {
    for (const int k : kLengthKinds) {
        if (k == kind) return true;
    }
    return false;
}

}  // namespace kalvora
