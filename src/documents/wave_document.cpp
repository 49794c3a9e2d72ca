#include "documents/wave_document.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "documents/wave_file_names.h"
#include "documents/workspace.h"
#include "platform/assertion.h"
#include "platform/busy_cursor.h"
#include "platform/messages.h"
#include "sound/sample_memory.h"
#include "sound/wave_file.h"

namespace kalvora {

TUnitWave::TUnitWave(TWorkspace& workspace, std::unique_ptr<Sound> sound)
    : TUnit(workspace.Registry(), TUnitKind::wave),
      workspace_(workspace),
      sound_(std::move(sound)),
      records_(workspace.Records()) {
    KALVORA_ASSERT(sound_ != nullptr);
}

TUnitWave::~TUnitWave() {
    workspace_.Undo().DropUndoFor(*this);
}

void TUnitWave::LinkWindow(WaveWindow* window) {
    window_ = window;
    LinkUnitWindow(window);
}

// ---- Selection ----

std::int32_t TUnitWave::SelStart() const {
    return first_ == second_ ? 0 : std::min(first_, second_);
}

std::int32_t TUnitWave::SelEnd() const {
    return first_ == second_ ? Count() : std::max(first_, second_);
}

std::int32_t TUnitWave::SelMin() const {
    return std::min(first_, second_);
}

std::int32_t TUnitWave::SelMax() const {
    return std::max(first_, second_);
}

double TUnitWave::SelSeconds() const {
    return static_cast<double>(SelEnd() - SelStart()) / GetFreq();
}

std::int32_t TUnitWave::Clamp(std::int32_t position) const {
    return std::clamp(position, 0, Count());
}

void TUnitWave::StoreEnds(std::int32_t first, std::int32_t second) {
    first = Clamp(first);
    second = Clamp(second);
    if (first == first_ && second == second_) return;
    const std::int32_t oldFirst = std::exchange(first_, first);
    const std::int32_t oldSecond = std::exchange(second_, second);
    MarkShadowChanged();
    if (window_) window_->SelectionChanged(oldFirst, oldSecond);
}

void TUnitWave::SetCursor(std::int32_t position) {
    StoreEnds(position, position);
}

void TUnitWave::SetSelection(std::int32_t begin, std::int32_t end) {
    KALVORA_ASSERT(begin <= end);
    if (first_ > second_) {
        StoreEnds(end, begin);
    } else {
        StoreEnds(begin, end);
    }
}

void TUnitWave::MoveFirstEnd(std::int32_t position) {
    StoreEnds(position, second_);
}

void TUnitWave::SetEnds(std::int32_t first, std::int32_t second) {
    StoreEnds(first, second);
}

void TUnitWave::SelectRange(TSampleRange range) {
    if (range.Empty()) {
        SetCursor(range.begin);
    } else {
        SetSelection(range.begin, range.end);
    }
}

// ---- Changed marks ----

void TUnitWave::MarkChanged() {
    if (!TrackChanges()) return;
    soundChanged_ = true;
    shadowChanged_ = true;
}

void TUnitWave::MarkShadowChanged() {
    if (TrackChanges()) shadowChanged_ = true;
}

void TUnitWave::MarkSaved() {
    if (!TrackChanges()) return;
    soundChanged_ = false;
    shadowChanged_ = false;
}

bool TUnitWave::CanSaveFile() const {
    return Count() > 0 || userDrawing_;
}

bool TUnitWave::NeedsSaveWave() const {
    return CanSaveFile() && (soundChanged_ || HasNoFile());
}

bool TUnitWave::NeedsSaveShadow() const {
    return CanSaveFile() && (shadowChanged_ || HasNoFile());
}

std::string TUnitWave::StatusText() const {
    if (HasNoFile()) return "New";
    return NeedsSave() ? "Changed" : "";
}

// ---- Sound replacement and the command frame ----

void TUnitWave::ReplaceSound(std::shared_ptr<Sound> sound) {
    KALVORA_ASSERT(sound != nullptr);
    if (window_) window_->StopSoundReaders();
    const bool channelsChange = sound->MoSt != sound_->MoSt;
    sound_ = std::move(sound);
    if (channelsChange && window_) window_->ChannelsChanged();
    StoreEnds(first_, second_);  // clamped to the new length
}

void TUnitWave::ExchangeWithUndo(std::shared_ptr<Sound>& sound, std::int32_t& first,
                                 std::int32_t& second) {
    std::shared_ptr<Sound> previous = sound_;
    const std::int32_t previousFirst = first_;
    const std::int32_t previousSecond = second_;
    ReplaceSound(std::move(sound));
    StoreEnds(first, second);
    sound = std::move(previous);
    first = previousFirst;
    second = previousSecond;
    MarkChanged();
    Refresh();
}

void TUnitWave::TakeRecording(std::unique_ptr<Sound> sound) {
    KALVORA_ASSERT(sound != nullptr && Count() == 0);
    KALVORA_ASSERT(sound->GetWaveFileProps() == sound_->GetWaveFileProps());
    ReplaceSound(std::move(sound));
    MarkChanged();
    Refresh();
}

void TUnitWave::Refresh() {
    if (window_) window_->Refresh();
}

bool TUnitWave::ChangeSound(TSampleRange range, TSelectionAfter after, const SoundOperation& op) {
    // While drawing, the sound is computed from the nodes: effects edit those instead.
    if (userDrawing_) return false;
    platform::BusyScope busy;
    ClearError();
    return RunOperation(range, after, op);
}

bool TUnitWave::RunOperation(TSampleRange range, TSelectionAfter after, const SoundOperation& op) {
    const bool selectsResult = after == TSelectionAfter::result;
    if (selectsResult && window_) window_->BeforeChange(range.begin, range.end);
    TSampleRange made = range;
    std::unique_ptr<Sound> result = op(*sound_, &error_, made.begin, made.end);
    // The record is taken once the operation has run (it reads the sound, never changes it):
    // work the user cancelled leaves everything as it was, the previous record included.
    if (!WorkCancelled(&error_)) workspace_.Undo().TakeUndo(*this);
    const bool succeeded = result != nullptr && !HasError();
    if (succeeded) ReplaceSound(std::move(result));
    if (selectsResult) {
        const TSampleRange shown = succeeded ? made : range;
        if (window_) window_->AfterChange(shown.begin, shown.end);
        if (succeeded) SelectRange(made);
    }
    if (succeeded) {
        MarkChanged();
        Refresh();
    }
    return succeeded;
}

bool TUnitWave::ApplyToWorkRange(const SoundOperation& op) {
    return ChangeSound(WorkRange(), TSelectionAfter::unchanged, op);
}

bool TUnitWave::ChangeWorkRange(const SoundOperation& op) {
    return ChangeSound(WorkRange(), TSelectionAfter::result, op);
}

bool TUnitWave::GenerateAtInsertRange(const SoundOperation& op) {
    return ChangeSound(InsertRange(), TSelectionAfter::result, op);
}

// ---- Edit commands ----

namespace {

// The end of material that replaced [begin, end) of before, judged from the lengths.
std::int32_t EndOfReplacement(const Sound& before, const Sound& after, std::int32_t begin,
                              std::int32_t end) {
    return begin + after.GetValues() - (before.GetValues() - (end - begin));
}

}  // namespace

void TUnitWave::SetClipboardSound(std::unique_ptr<Sound> sound) {
    workspace_.Clipboard().SetSound(std::move(sound));
}

bool TUnitWave::Delete() {
    if (Count() == 0 || userDrawing_) return false;
    return ChangeWorkRange([](const Sound& s, ErrorFlag* e, std::int32_t& b, std::int32_t& end) {
        auto result = s.Remove(e, b, end);
        end = b;
        return result;
    });
}

bool TUnitWave::Trim() {
    if (Count() == 0 || !HasSelection() || userDrawing_) return false;
    return ChangeWorkRange([](const Sound& s, ErrorFlag* e, std::int32_t& b, std::int32_t& end) {
        auto result = s.Extract(e, b, end);
        end -= b;
        b = 0;
        return result;
    });
}

bool TUnitWave::Copy() {
    if (Count() == 0 || userDrawing_) return false;
    platform::BusyScope busy;
    ClearError();
    std::unique_ptr<Sound> copied = sound_->Extract(&error_, SelStart(), SelEnd());
    if (!copied || HasError()) return false;
    SetClipboardSound(std::move(copied));
    return true;
}

bool TUnitWave::Cut() {
    if (Count() == 0 || userDrawing_) return false;
    return ChangeWorkRange(
        [this](const Sound& s, ErrorFlag* e, std::int32_t& b, std::int32_t& end) {
            std::unique_ptr<Sound> cut = s.Extract(e, b, end);
            if (!cut || ErrorIsSet(e)) return std::unique_ptr<Sound>();
            SetClipboardSound(std::move(cut));
            auto result = s.Remove(e, b, end);
            end = b;
            return result;
        });
}

bool TUnitWave::Paste() {
    const std::shared_ptr<const Sound> clip = workspace_.Clipboard().ClipBoardSound();
    if (!clip || userDrawing_) return false;
    return ChangeSound(InsertRange(), TSelectionAfter::result,
                       [&clip](const Sound& s, ErrorFlag* e, std::int32_t& b, std::int32_t& end) {
                           auto result = s.Replace(e, *clip, b, end);
                           if (result) end = EndOfReplacement(s, *result, b, end);
                           return result;
                       });
}

bool TUnitWave::Swap() {
    const std::shared_ptr<const Sound> clip = workspace_.Clipboard().ClipBoardSound();
    if (!clip || Count() == 0 || userDrawing_) return false;
    return ChangeSound(
        InsertRange(), TSelectionAfter::result,
        [this, &clip](const Sound& s, ErrorFlag* e, std::int32_t& b, std::int32_t& end) {
            std::unique_ptr<Sound> taken = s.Extract(e, b, end);
            std::unique_ptr<Sound> result = s.Replace(e, *clip, b, end);
            if (!taken || !result || ErrorIsSet(e)) return std::unique_ptr<Sound>();
            SetClipboardSound(std::move(taken));
            end = EndOfReplacement(s, *result, b, end);
            return result;
        });
}

bool TUnitWave::Extract() {
    if (Count() == 0 || userDrawing_) return false;
    return ApplyToWorkRange(
        [this](const Sound& s, ErrorFlag* e, std::int32_t& b, std::int32_t& end) {
            std::unique_ptr<Sound> taken = s.Extract(e, b, end);
            std::unique_ptr<Sound> silenced = s.Extract(e, 0, s.GetValues());
            if (!taken || !silenced || ErrorIsSet(e)) return std::unique_ptr<Sound>();
            silenced->DrawLine(e, b, 0, end, 0);
            if (ErrorIsSet(e)) return std::unique_ptr<Sound>();
            SetClipboardSound(std::move(taken));
            return silenced;
        });
}

bool TUnitWave::Mix(TMixPlace place) {
    records_.mixPlace = place;
    workspace_.Records().mixPlace = place;
    const std::shared_ptr<const Sound> clip = workspace_.Clipboard().ClipBoardSound();
    if (!clip || userDrawing_) return false;
    const std::int32_t length = HasSelection() && Count() > 0 ? SelMax() - SelMin() : -1;
    // Stretching needs a range to stretch over; into an empty wave the clipboard is placed
    // as it is.
    if (place == TMixPlace::stretch && Count() == 0) place = TMixPlace::alignBegin;
    const std::int32_t at = place == TMixPlace::alignEnd ? SelMax() : SelMin();
    const TSampleRange range = place == TMixPlace::stretch ? WorkRange() : InsertRange();
    return ChangeSound(range, TSelectionAfter::unchanged,
                       [&](const Sound& s, ErrorFlag* e, std::int32_t& b, std::int32_t& end) {
                           switch (place) {
                               case TMixPlace::alignEnd:
                                   return s.MixAlignEnd(e, *clip, at, length);
                               case TMixPlace::stretch:
                                   return s.MixStretched(e, *clip, b, end);
                               case TMixPlace::alignBegin:
                                   break;
                           }
                           return s.Mix(e, *clip, at, length, false);
                       });
}

// ---- Format ----

void TUnitWave::ChangeWaveFileProps(const waveFileProps& /*oldProps*/,
                                    const waveFileProps& newProps) {
    KALVORA_ASSERT(newProps.MoSt == 1 || newProps.MoSt == 2);
    KALVORA_ASSERT(newProps.BytesPSample == 1 || newProps.BytesPSample == 2);
    KALVORA_ASSERT(newProps.Freq > 0);
    const waveFileProps current = GetWaveFileProps();
    if (newProps == current) return;

    platform::BusyScope busy;
    ClearError();
    workspace_.Undo().TakeUndo(*this);

    // Each step builds a new sound from the one before; the current sound is never changed,
    // so the undo record keeps it intact.
    std::unique_ptr<Sound> built;
    auto from = [&]() -> const Sound& { return built ? *built : *sound_; };
    if (current.MoSt == 2 && newProps.MoSt == 1)
        built = std::make_unique<MonoSound>(&error_, from());
    if (!HasError() && newProps.Freq != current.Freq)
        built = from().ChangeFreq(&error_, newProps.Freq);
    if (!HasError() && current.MoSt == 1 && newProps.MoSt == 2) {
        built = std::make_unique<StereoSound>(&error_, from());
    }
    if (!HasError() && !built) built = sound_->Extract(&error_, 0, Count());
    if (!built || HasError()) return;
    built->BytesPSample = newProps.BytesPSample;

    const double scale = static_cast<double>(newProps.Freq) / current.Freq;
    const std::int32_t first = static_cast<std::int32_t>(first_ * scale);
    const std::int32_t second = static_cast<std::int32_t>(second_ * scale);
    ReplaceSound(std::move(built));
    StoreEnds(first, second);
    MarkChanged();
    Refresh();
}

// ---- Hand drawing ----

bool TUnitWave::RecomputeDrawnSound() {
    if (drawNodes_.Count() < 2) return false;
    const double count = static_cast<double>(GetFreq()) * drawLength_ + 1;
    if (!(count <= std::numeric_limits<std::int32_t>::max())) {
        ReportAllocationFailure(&error_);  // more samples than a wave can hold
        return false;
    }
    Wave wave(&error_, DrawnSampleCount(GetFreq(), drawLength_));
    if (HasError()) return false;
    SynthesizeDrawing(drawNodes_, drawKind_, {wave.wave, static_cast<std::size_t>(wave.values)});
    ReplaceSound(std::make_shared<MonoSound>(std::move(wave), GetFreq(), 2));
    return true;
}

void TUnitWave::DrawWave(TDrawKind kind) {
    platform::BusyScope busy;
    ClearError();
    if (!userDrawing_) {
        drawNodes_.Clear();
        drawKind_ = kind;
        drawLength_ = 1.0;
        drawNodes_.Insert(0.0, 0);
        drawNodes_.Insert(1.0, 0);
        userDrawing_ = true;
        RecomputeDrawnSound();
    } else if (kind == drawKind_) {
        drawNodes_.Clear();
        userDrawing_ = false;
    } else {
        drawKind_ = kind;
        RecomputeDrawnSound();
    }
    MarkShadowChanged();
    if (window_) window_->DrawingModeChanged();
    Refresh();
}

void TUnitWave::DrawingEdited() {
    ClearError();
    if (RecomputeDrawnSound()) MarkChanged();
    Refresh();
}

void TUnitWave::EditDrawing(const std::function<void(TDrawNodes&, double&)>& edit) {
    platform::BusyScope busy;
    edit(drawNodes_, drawLength_);
    DrawingEdited();
}

void TUnitWave::SetDrawingState(bool drawing, TDrawKind kind, double drawLength) {
    userDrawing_ = drawing;
    drawKind_ = kind;
    drawLength_ = drawLength;
    if (!drawing) drawNodes_.Clear();
    if (window_) window_->DrawingModeChanged();
}

// ---- Files ----

bool TUnitWave::WriteWave(const std::string& fileName) {
    // An empty wave has no WAV file; its format lives in the shadow file.
    if (Count() == 0) return true;
    ClearError();
    return WriteWaveFile(*sound_, &error_, fileName, 0, Count());
}

bool TUnitWave::WriteShadow(const std::string& wavFileName) {
    WaveShadowStore* store = workspace_.ShadowStore();
    if (!store) return true;
    std::string errorText;
    if (store->Write(*this, ShadowFileNameOf(wavFileName), errorText)) return true;
    platform::ShowMessage(
        "Cannot save Wave Shadow File: " + errorText + "The Wave is saved correctly.", "FileError",
        platform::MessageIcon::information);
    return false;
}

bool TUnitWave::ReadShadowOf(const std::string& wavFileName, bool loading) {
    WaveShadowStore* store = workspace_.ShadowStore();
    if (!store || wavFileName.empty()) return true;
    const std::string shadowName = ShadowFileNameOf(wavFileName);
    std::unique_ptr<Sound> replacement;
    std::string errorText;
    const TShadowReadResult result =
        store->Read(*this, shadowName, loading, replacement, errorText);
    if (result == TShadowReadResult::failed) {
        platform::ShowMessage("Cannot read the file: \"" + shadowName + "\" " + errorText,
                              platform::caption::fileError, platform::MessageIcon::information);
        return false;
    }
    if (replacement) ReplaceSound(std::move(replacement));
    if (window_ && pendingViews_) window_->ViewStateRead();
    return true;
}

void TUnitWave::KeepViewState(std::unique_ptr<TWindowViewState> state) {
    pendingViews_ = std::move(state);
}

bool TUnitWave::SaveFile() {
    KALVORA_ASSERT(!HasNoFile());
    if (!CanSaveFile()) return false;
    platform::BusyScope busy;
    const bool shadowNeeded = NeedsSave();
    if (NeedsSaveWave()) {
        if (!WriteWave(FileName())) return false;
        if (TrackChanges()) soundChanged_ = false;
    }
    if (shadowNeeded && !WriteShadow(FileName())) {
        MarkShadowChanged();  // the file beside the wave does not hold this state
        return false;
    }
    MarkSaved();
    return true;
}

bool TUnitWave::SaveFileAs(const std::string& fileName) {
    if (!CanSaveFile()) return false;
    const std::string target = WithWaveExtension(fileName);
    platform::BusyScope busy;
    if (!WriteWave(target)) return false;
    SetFileName(target);
    if (TrackChanges()) soundChanged_ = false;
    if (!WriteShadow(target)) {
        MarkShadowChanged();
        return false;
    }
    MarkSaved();
    return true;
}

bool TUnitWave::SaveForProject(const std::string& fileName) {
    platform::BusyScope busy;
    if (NeedsSaveWave() && !WriteWave(fileName)) return false;
    return WriteShadow(fileName);
}

bool TUnitWave::ExportForProject(const std::string& fileName) {
    platform::BusyScope busy;
    return WriteWave(fileName) && WriteShadow(fileName);
}

bool TUnitWave::Revert() {
    if (HasNoFile()) return false;
    platform::BusyScope busy;
    std::unique_ptr<Sound> sound;
    std::string errorText;
    if (!ReadWaveFile(FileName(), sound, errorText)) {
        platform::ShowMessage("Cannot revert the file: \"" + FileName() + "\" " + errorText,
                              platform::caption::fileError, platform::MessageIcon::information);
        return false;
    }
    ReplaceSound(std::move(sound));
    ReadShadowOf(FileName(), false);
    Refresh();
    MarkSaved();
    return true;
}

}  // namespace kalvora
