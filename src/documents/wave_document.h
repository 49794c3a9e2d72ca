// TUnitWave: the wave document. It owns one sound (never null), a selection, its parameter
// records and an optional hand drawing from which its sound is computed, and it runs every
// wave command of the frame: each change goes through one command frame (busy cursor, undo
// record, the sound operation with the document's error flag, replacement of the sound,
// selection, changed marks, repaint).
//
// Core code: standard C++, the platform layer, the sound engine and the documents only. The
// window is reached through WaveWindow, the frame's shared state through TWorkspace.
//
// Adding an effect: add an entry to the effect table (effect_table.h). The frame, the dialog
// and kalvora-cli then run it through RunEffect (effect_command.h), which stores the record
// in the workspace's and the document's records and calls, by the entry's range, one of
//     document.ApplyToWorkRange(op)    // effects that keep the selection (Volume, Reverse...)
//     document.ChangeWorkRange(op)     // effects that select what they made (Length, Roll In...)
//     document.GenerateAtInsertRange(op)  // generators: insert at a cursor, select the result
// with op wrapping the entry's operation. While drawing by hand, the entry's drawing edit
// runs through EditDrawing instead.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "documents/document.h"
#include "documents/draw_nodes.h"
#include "documents/mix_place.h"
#include "documents/sample_range.h"
#include "documents/wave_records.h"
#include "documents/wave_registry.h"
#include "documents/wave_window.h"
#include "documents/window_view_state.h"
#include "sound/error_flag.h"
#include "sound/sound.h"

namespace kalvora {

class TWorkspace;

// What a command selects when it is done.
enum class TSelectionAfter {
    unchanged,  // the selection stays (clamped to the new length)
    result,     // the range the operation returns: the cursor at begin when it is empty
};

// A sound operation of a command: builds a new sound from sound over [begin, end), using
// the document's error flag, and sets end (and begin, where the material moves) to the
// range the new material occupies. nullptr (or a set flag) means failure.
using SoundOperation = std::function<std::unique_ptr<Sound>(
    const Sound& sound, ErrorFlag* error, std::int32_t& begin, std::int32_t& end)>;

// Also the facts a wave reference (unitUnitWave) reads of the document it names.
class TUnitWave final : public TUnit, public WaveDocumentFacts {
  public:
    // A document holding sound, with an empty name and no file, and a copy of the
    // workspace's parameter records. The workspace must outlive the document.
    TUnitWave(TWorkspace& workspace, std::unique_ptr<Sound> sound);
    // Drops the undo record when it belongs to this document. The window must have stopped
    // whatever reads the sound (StopSoundReaders) before it destroys its document.
    ~TUnitWave() override;

    void LinkWindow(WaveWindow* window);
    WaveWindow* Window() const { return window_; }
    TWorkspace& Workspace() const { return workspace_; }

    // ---- Sound ----
    const Sound& TheSound() const { return *sound_; }
    // For readers that must keep the sound alive while they work (the player).
    std::shared_ptr<const Sound> SharedSound() const { return sound_; }
    // Samples per channel.
    std::int64_t GetValues() const override { return sound_->GetValues(); }
    const std::string& GetName() const override { return Name(); }
    int GetFreq() const override { return sound_->Freq; }
    short GetMoSt() const override { return sound_->MoSt; }
    short GetBytesPSample() const override { return sound_->BytesPSample; }
    waveFileProps GetWaveFileProps() const { return sound_->GetWaveFileProps(); }

    // ---- Selection: two ends, 0 <= each <= n; equal ends are a cursor ----
    std::int32_t FirstEnd() const { return first_; }
    std::int32_t SecondEnd() const { return second_; }
    bool HasSelection() const { return first_ != second_; }
    // The smaller end, or 0 with a cursor / the larger end, or n with a cursor: the work
    // range of effects (the whole wave when nothing is selected).
    std::int32_t SelStart() const;
    std::int32_t SelEnd() const;
    // The smaller / larger end (the cursor when equal): generators, paste and swap insert.
    std::int32_t SelMin() const;
    std::int32_t SelMax() const;
    // (SelEnd() - SelStart()) / GetFreq().
    double SelSeconds() const;
    TSampleRange WorkRange() const { return {SelStart(), SelEnd()}; }
    TSampleRange InsertRange() const { return {SelMin(), SelMax()}; }

    // The setters clamp to 0 .. n, never exchange the roles of the two ends, repaint what
    // changed and mark the shadow changed when anything changed.
    void SetCursor(std::int32_t position);
    // Requires begin <= end. When the first end is the larger one now, it takes end.
    void SetSelection(std::int32_t begin, std::int32_t end);
    void MoveFirstEnd(std::int32_t position);
    void SetEnds(std::int32_t first, std::int32_t second);

    // ---- Changed marks (only while TrackChanges is on) ----
    bool SoundChanged() const { return soundChanged_; }
    bool ShadowChanged() const { return shadowChanged_; }
    void MarkChanged();        // samples and shadow
    void MarkShadowChanged();  // selection, drawing or view
    void MarkSaved();          // both cleared
    // n > 0 or drawing.
    bool CanSaveFile() const;
    bool NeedsSaveWave() const;
    bool NeedsSaveShadow() const;
    bool NeedsSave() const { return NeedsSaveWave() || NeedsSaveShadow(); }
    // The status panel: "New" without a file, "Changed" when NeedsSave(), else empty.
    std::string StatusText() const;

    // ---- Error flag (handed to every operation on the sound) ----
    ErrorFlag* Error() { return &error_; }
    bool HasError() const { return error_ != 0; }
    // Every command starts with a clear flag: an earlier out-of-memory failure, already
    // reported, must not silently stop later commands.
    void ClearError() { error_ = 0; }

    // ---- Command frame ----
    // Runs one modifying command: busy cursor, undo record, op over range with the error
    // flag, the new sound in place of the old unless the flag is set, the selection after,
    // changed marks and repaint. BeforeChange / AfterChange go to the window when the
    // selection follows the result. True when the sound was replaced. Refused (false) while
    // drawing by hand: effects then edit the drawing (EditDrawing).
    bool ChangeSound(TSampleRange range, TSelectionAfter after, const SoundOperation& op);
    // A recording replaces the document's empty sound: no undo record (there was nothing to
    // keep), the selection clamped, changed marks and repaint. Requires an empty document and
    // a sound in its format.
    void TakeRecording(std::unique_ptr<Sound> sound);
    bool ApplyToWorkRange(const SoundOperation& op);
    bool ChangeWorkRange(const SoundOperation& op);
    bool GenerateAtInsertRange(const SoundOperation& op);

    // ---- Edit commands (each does nothing and returns false when it cannot act) ----
    // Delete: the work range removed (the whole wave with a cursor); cursor at its start.
    bool Delete();
    // Trim: only the selection stays, selected from 0. Needs a selection.
    bool Trim();
    // Copy: the work range into the clipboard. No undo.
    bool Copy();
    // Cut: Copy, then Delete.
    bool Cut();
    // Paste: the clipboard replaces the insert range (inserts at a cursor); the pasted
    // material is selected. Needs a clipboard sound.
    bool Paste();
    // Swap: the insert range becomes the clipboard, and the old clipboard replaces it
    // (selected). An empty range leaves the clipboard empty. Needs samples and a clipboard.
    bool Swap();
    // Extract: the work range into the clipboard and silenced; the length stays.
    bool Extract();
    // Mix: the clipboard added at place; the place is kept in both records sets. The
    // selection stays. Needs a clipboard sound.
    bool Mix(TMixPlace place);
    const TWaveRecords& Records() const { return records_; }
    TWaveRecords& Records() { return records_; }

    // ---- Format ----
    // The "Properties" command: converts channels, width and rate to newProps (the current
    // format is taken from the sound; oldProps is what the dialog started from). A new rate
    // resamples and scales both selection ends. Takes undo; nothing when the format stays.
    void ChangeWaveFileProps(const waveFileProps& oldProps, const waveFileProps& newProps) override;

    // ---- Hand drawing ----
    bool UserDrawing() const { return userDrawing_; }
    TDrawKind DrawKind() const { return drawKind_; }
    double DrawLength() const { return drawLength_; }
    TDrawNodes& DrawNodes() { return drawNodes_; }
    const TDrawNodes& DrawNodes() const { return drawNodes_; }
    // The commands "Dr&aw Wave Linear" and "Draw Wave Smooth". Not drawing: starts a
    // drawing of kind (1 s, two silent end nodes) and computes its sound, without undo.
    // Drawing with the same kind: ends drawing, keeping the computed sound. Drawing with the
    // other kind: switches kind and recomputes.
    void DrawWave(TDrawKind kind);
    // After the window moved, inserted or deleted nodes: recompute, mark changed, repaint.
    void DrawingEdited();
    // An effect on the drawing (node values, length): edit runs on the nodes and the drawn
    // length, then as DrawingEdited. No undo.
    void EditDrawing(const std::function<void(TDrawNodes& nodes, double& drawLength)>& edit);
    // For the shadow file reader: the drawing state as stored, without recomputing.
    void SetDrawingState(bool drawing, TDrawKind kind, double drawLength);

    // ---- Files ----
    // Save: requires a file name (without one the frame runs Save As). Writes the WAV file
    // when NeedsSaveWave(), then the shadow file when anything needed saving; marks saved
    // what was written. False on any failure (its message has been shown).
    bool SaveFile();
    // Save As: fileName gets the extension ".wav" when it has another one, so that the
    // shadow file can never overwrite the WAV file. Writes the WAV and the shadow file; the
    // document takes the file name only when the WAV file was written. Returns the success.
    bool SaveFileAs(const std::string& fileName);
    // A project's temporary copy: the WAV file when NeedsSaveWave(), then the shadow file.
    // Marks nothing saved (the project does when it closes).
    bool SaveForProject(const std::string& fileName);
    // An exported copy: the WAV and the shadow file, whatever changed. Marks nothing saved
    // and keeps the file name.
    bool ExportForProject(const std::string& fileName);
    // Revert: reads the file again (and its shadow file); on failure shows
    // "Cannot revert the file: "<file>" <reason>" and keeps everything.
    bool Revert();
    // Reads the shadow file beside wavFileName into this document, reporting failures.
    // Returns true unless reading failed. For opening (see wave_creation.h).
    bool ReadShadowOf(const std::string& wavFileName, bool loading);

    // ---- The window's part of the shadow file, until a window takes it ----
    // Kept by the shadow file reader; a window that exists is told at once (ViewStateRead),
    // a window made later takes it when it is created.
    void KeepViewState(std::unique_ptr<TWindowViewState> state);
    const TWindowViewState* PendingViewState() const { return pendingViews_.get(); }
    std::unique_ptr<TWindowViewState> TakeViewState() { return std::move(pendingViews_); }

  private:
    friend class TUndoStore;

    std::int32_t Count() const { return sound_->GetValues(); }
    std::int32_t Clamp(std::int32_t position) const;
    void StoreEnds(std::int32_t first, std::int32_t second);
    void SelectRange(TSampleRange range);
    // The one path by which the sound changes: readers stop first; the selection is clamped.
    void ReplaceSound(std::shared_ptr<Sound> sound);
    void ExchangeWithUndo(std::shared_ptr<Sound>& sound, std::int32_t& first, std::int32_t& second);
    bool RunOperation(TSampleRange range, TSelectionAfter after, const SoundOperation& op);
    bool RecomputeDrawnSound();
    void Refresh();
    bool WriteWave(const std::string& fileName);
    bool WriteShadow(const std::string& wavFileName);
    void SetClipboardSound(std::unique_ptr<Sound> sound);

    TWorkspace& workspace_;
    WaveWindow* window_ = nullptr;
    std::shared_ptr<Sound> sound_;
    std::int32_t first_ = 0;
    std::int32_t second_ = 0;
    bool soundChanged_ = false;
    bool shadowChanged_ = false;
    ErrorFlag error_ = 0;
    bool userDrawing_ = false;
    TDrawKind drawKind_ = TDrawKind::linear;
    double drawLength_ = 1.0;
    TDrawNodes drawNodes_;
    TWaveRecords records_;
    std::unique_ptr<TWindowViewState> pendingViews_;
};

}  // namespace kalvora
