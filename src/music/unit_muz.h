// TUnitMuz: the music document. It owns the staves, the part tree with its symbol lists, the
// tempo, the format of the wave it generates, the selection and the editing state (mode and
// insert parameters), and it carries out every editing command of the frame and every mouse
// edit of the music window. After each change it marks itself changed and asks its window
// to redraw; a changed or newly selected note is played when auto-play is on.
//
// Core code: standard C++ only. The window is reached through MuzWindow, playing through
// MuzNotePlayer; a document without them (tests, kalvora-cli) skips those calls.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "documents/document.h"
#include "documents/unit_time.h"
#include "music/music_references.h"
#include "music/muz_key.h"
#include "music/part_muz_nodes.h"
#include "music/part_tree.h"
#include "music/single_part_muz.h"
#include "music/stave_list.h"
#include "music/stave_time_symbol.h"

namespace kalvora {

enum TUnitMuzMode : std::uint8_t {
    unitMuzNew = 0,  // add
    unitMuzSel = 1,  // edit
    unitMuzDel = 2,  // delete
};

// What a click inserts in add mode.
enum TInsertModeKind : std::uint8_t {
    insertModeKey = 0,
    insertModeNote = 1,
    insertModeNoteShift = 2,  // a click applies the insert note shift
    insertModeSilence = 3,
};

// The parameters of what add mode inserts.
struct TInsertParams {
    int LengthKind = 4;
    TNoteArtKind Art = artNormal;
    int Points = 0;
    TInsertModeKind ModeKind = insertModeNote;
    TNoteShiftKind NoteShift = noteShiftNormal;
    TKeyKind KeyKind = keyKindG;
    TDrawStickKind StickKind = drawStickAuto;
};

// What the music document asks of the window that shows it.
class MuzWindow : public UnitWindow {
  public:
    // The notation changed (symbols, selection, mode): draw again.
    virtual void Redraw() = 0;
    // The selection changed to symbol: scroll its touch area into view.
    virtual void ScrollIntoView(const TXTouchMuzSymbol& symbol) = 0;
};

// Plays one note at once (auto-play and "Play Note"): the note's sound made by its group's
// player with the document's tempo, handed to the frame's player. False when the note
// could not be sounded; the edit that asked for it stays.
class MuzNotePlayer {
  public:
    virtual ~MuzNotePlayer() = default;
    virtual bool PlayNote(const TMuzNote& note, double tempo) = 0;
};

// Where a click in add mode inserts, as the music window finds it: the stave, the staff
// position under the mouse, the note and the silence of that stave whose touch area holds
// the click (if any), and the symbol after which to insert.
struct TMuzInsertion {
    TNoteStave* Stave = nullptr;
    int StaffPosition = 0;
    TMuzNote* HitNote = nullptr;
    TSilence* HitSilence = nullptr;
    TStaveSymbol* After = nullptr;
};

enum class TMoveDirection : std::int8_t { left = -1, right = 1 };

class TUnitMuz final : public TUnit {
  public:
    // A new document: one single part with a 4/4 bar, one default stave, the first symbol
    // selected. With empty true, no part tree and no stave: the file reader builds them.
    explicit TUnitMuz(TUnitRegistry& registry, bool empty = false);
    ~TUnitMuz() override;

    void LinkWindow(MuzWindow* window);
    MuzWindow* Window() const { return window_; }
    void SetNotePlayer(MuzNotePlayer* player) { player_ = player; }

    // ---- The model ----
    TStaveList& Staves() { return staves_; }
    const TStaveList& Staves() const { return staves_; }
    TStartPartMuz& Root() const { return *root_; }
    void SetRoot(std::unique_ptr<TStartPartMuz> root) { root_ = std::move(root); }
    TMusicReferences& References() { return references_; }
    const TMusicReferences& References() const { return references_; }
    TPartMuzStack& PartMuzStack() { return partStack_; }

    // Seconds per whole note, > 0.
    unitTimePosMore Tempo{1.0, DisplayUnit::second};

    // ---- The generated wave's format: kept for the run, not in the music file ----
    int GetFreq() const override { return Freq; }
    short GetMoSt() const override { return MoSt; }
    short GetBytesPSample() const override { return BytesPSample; }
    waveFileProps GetWaveFileProps() const { return {Freq, MoSt, BytesPSample}; }
    // Takes the format the "Wave Properties" dialog gave: a rate above 0, mono or stereo,
    // 1 or 2 bytes. A format outside these is refused (false) and nothing changes.
    bool SetWaveFileProps(const waveFileProps& props);
    void ChangeWaveFileProps(const waveFileProps& oldProps, const waveFileProps& newProps) override;

    std::int16_t MoSt = 1;
    std::int32_t Freq = 22050;
    std::int16_t BytesPSample = 2;

    // ---- Changed marks ----
    bool NeedsSave() const { return changed_; }
    void MarkChanged();
    void MarkSaved() { changed_ = false; }

    // ---- Editing state ----
    TUnitMuzMode UnitMuzMode = unitMuzNew;
    TInsertParams Insert;
    bool AutoPlay = true;

    TXTouchMuzSymbol* SelectedSymbol() const { return references_.SelectedSymbol; }
    TStaveSymbol* SelectedStaveSymbol() const;
    TStaveTimeSymbol* SelectedTimeSymbol() const { return AsTimeSymbol(SelectedStaveSymbol()); }
    TMuzNote* SelectedNote() const { return AsNote(SelectedStaveSymbol()); }
    TKey* SelectedKey() const { return AsKey(SelectedStaveSymbol()); }
    TMuzBar* SelectedBar() const;
    bool AddMode() const { return UnitMuzMode == unitMuzNew; }
    bool EditMode() const { return UnitMuzMode == unitMuzSel; }

    // ---- Modes ----
    void SetModeNew();
    void SetModeSel();
    void SetModeDel();

    // ---- Selection ----
    // Selects symbol (null clears), scrolls it into view and plays a note when auto-play
    // is on.
    void SelectSymbol(TXTouchMuzSymbol* symbol);
    TMuzNote* SelectUpTarget() const;
    TMuzNote* SelectDownTarget() const;
    TXTouchMuzSymbol* SelectPrevTarget() const;
    TXTouchMuzSymbol* SelectNextTarget() const;
    bool SelectUp();
    bool SelectDown();
    bool SelectPrev();
    bool SelectNext();
    bool SelectFirstOfStave();
    bool SelectLastOfStave();
    // The nearest symbol of the stave above, below, first or last.
    bool SelectStaveAbove();
    bool SelectStaveBelow();
    bool SelectFirstStave();
    bool SelectLastStave();
    // The selected note moves to the previous / next group of its stave.
    TNoteGroup* NoteGroupPrevTarget() const;
    TNoteGroup* NoteGroupNextTarget() const;
    bool NoteGroupPrev();
    bool NoteGroupNext();

    // ---- Playing ----
    bool PlaySelectedNote();
    void ToggleAutoPlay() { AutoPlay = !AutoPlay; }

    // ---- Inserting (add mode) ----
    // Inserts what the insert parameters say at the place; the new symbol becomes the
    // selection. False when nothing was inserted.
    bool InsertAt(const TMuzInsertion& place);
    // insertModeNoteShift: the insert note shift on a note, or written into a key's
    // signature at staffPosition. False when nothing changed.
    bool ApplyNoteShiftAt(TStaveSymbol& symbol, int staffPosition);

    // ---- Deleting ----
    static bool CanDeleteSymbol(const TStaveSymbol& symbol);
    bool CanDeleteSelected() const;
    bool DeleteSelected();
    // The symbol clicked in delete mode (or the selection): see DeleteSelected.
    bool DeleteSymbol(TStaveSymbol& symbol);

    // ---- Lengths and dots ----
    bool CanSetNoteLength(int lengthKind) const;
    bool CanSetSilenceLength(int lengthKind) const;
    bool SetNoteLength(int lengthKind);
    bool SetSilenceLength(int lengthKind);
    // The current length kind: the insert one in add mode, the selected symbol's flag
    // length (a bar's beat) in edit mode; 0 when there is none.
    int CurrentLengthKind() const;
    // Whether the current length is a silence's (else a note's).
    bool CurrentIsSilence() const;
    // Alt+N / Alt+S: the current length applied as note / silence length.
    bool CanApplyCurrentLength(bool silence) const;
    bool ApplyCurrentLength(bool silence);
    // L / Shift+L: the current length kind halved (longer; never beyond a whole note) or
    // doubled (shorter; up to 64), applied as what is current.
    int LongerLengthKind() const;
    int ShorterLengthKind() const;
    bool CanLengthLonger() const;
    bool CanLengthShorter() const;
    bool LengthLonger();
    bool LengthShorter();

    bool CanAddPoint() const;
    bool CanDeletePoint() const;
    bool AddPoint();
    bool DeletePoint();

    // ---- Tuplets ----
    bool CanMakeTuplet(int n) const;
    bool MakeTuplet(int n);

    // ---- Note shifts, keys, articulation, stems ----
    bool CanSetNoteShift(TNoteShiftKind kind) const;
    bool SetNoteShift(TNoteShiftKind kind);
    bool CanSetKeyKind() const;
    bool SetKeyKind(TKeyKind kind);
    // F -> C -> G (up) and G -> C -> F (down).
    bool CanStepKeyKind(int direction) const;
    bool StepKeyKind(int direction);
    bool CanSetArt() const;
    bool SetArt(TNoteArtKind art);
    // Alt+L (toward legato, direction +1) and Shift+Alt+L (toward staccatissimo, -1) along
    // staccatissimo, staccato, normal, portato, legato.
    bool CanStepArt(int direction) const;
    bool StepArt(int direction);
    TNoteArtKind CurrentArt() const;
    bool CanSetStickKind() const;
    bool SetStickKind(TDrawStickKind kind);

    // ---- Moving ----
    // The height a note would move to by MoveStep, or none.
    bool MoveStepTarget(int direction, int& pitch) const;
    bool CanMoveStep(int direction) const;
    bool MoveStep(int direction);
    bool CanMoveOctave(int direction) const;
    bool MoveOctave(int direction);
    bool CanMoveSymbol(TMoveDirection direction) const;
    bool MoveSymbol(TMoveDirection direction);

  private:
    void Changed();
    void PlayIfAuto(const TMuzNote* note);
    void Play(const TMuzNote& note);
    // Selects without playing (after deleting) but scrolls.
    void SelectQuietly(TXTouchMuzSymbol* symbol);
    TStaveSymbol* NeighbourAfterDeletion(const TStaveSymbol& first, const TStaveSymbol& last) const;
    bool SetTimeLength(TStaveTimeSymbol& symbol, int lengthKind, bool silence);
    bool SetBarLength(TMuzBar& bar, int lengthKind);
    bool CanSetLength(int lengthKind, bool silence) const;
    bool ChangePoints(int delta);
    bool CanChangePoints(int delta) const;
    // Frees symbols of one single part (references forgotten first).
    void RemoveSymbols(TSinglePartMuz& part, const std::vector<TStaveSymbol*>& symbols);
    TStaveSymbol* ReplaceBySilence(TSinglePartMuz& part, const std::vector<TMuzNote*>& notes);
    bool CollapseSilentTuplet(TStaveTimeSymbol& member, TStaveSymbol*& neighbour);
    bool InsertNote(const TMuzInsertion& place);
    bool InsertSilence(const TMuzInsertion& place);
    bool InsertKey(const TMuzInsertion& place);

    // The parts go before the staves their symbols point at.
    TStaveList staves_;
    std::unique_ptr<TStartPartMuz> root_;
    TMusicReferences references_;
    TPartMuzStack partStack_;
    MuzWindow* window_ = nullptr;
    MuzNotePlayer* player_ = nullptr;
    bool changed_ = false;
};

}  // namespace kalvora
