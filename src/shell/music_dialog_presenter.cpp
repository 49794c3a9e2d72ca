#include "shell/music_dialog_presenter.h"

#include "music/music_file.h"
#include "music/stave_editing.h"
#include "platform/messages.h"

namespace kalvora {

namespace {

constexpr platform::Color kBlack = 0x000000;

using B = TListButton;
using F = TMusicField;

int Index(TMusicField field) {
    return static_cast<int>(field);
}

void ShowInputError(const std::string& text) {
    platform::ShowMessage(text, platform::caption::inputError, platform::MessageIcon::information);
}

// Count and 1-based place of a list level, with the enabling every level shares.
TListLevelView ListView(int count, int place) {
    TListLevelView view;
    view.count = std::to_string(count);
    view.cursor = std::to_string(place);
    auto enable = [&](B button, bool on) { view.enabled[static_cast<int>(button)] = on; };
    enable(B::first, place > 1);
    enable(B::previous, place > 1);
    enable(B::movePrevious, place > 1);
    enable(B::next, place < count);
    enable(B::last, place < count);
    enable(B::moveNext, place < count);
    enable(B::insert, true);
    enable(B::append, true);
    enable(B::remove, count > 1);
    return view;
}

int GroupPlace(const TNoteStave& stave, const TNoteGroup* group) {
    int place = 1;
    for (const TNoteGroup* g = stave.StartNoteGroup; g != nullptr && g != group; g = g->Next)
        ++place;
    return place;
}

int PlayerPlace(const TCompoundPlayer& compound, const TOnePlayer* player) {
    int place = 1;
    for (const TOnePlayer* p = compound.GetStartOnePlayer(); p != nullptr && p != player;
         p = p->Next)
        ++place;
    return place;
}

TOnePlayer* LastPlayer(const TCompoundPlayer& compound) {
    TOnePlayer* last = compound.GetStartOnePlayer();
    while (last != nullptr && last->Next != nullptr)
        last = last->Next;
    return last;
}

// The sample wave name of a page, blanks around it removed; an empty name is refused.
bool ReadSampleWave(unitUnitWave& wave, std::string_view text) {
    const unitUnitWave trimmed(text);
    if (trimmed.IsEmpty()) {
        ShowInputError("In Sample Wave: Field should not be empty.");
        return false;
    }
    wave.ReadText(trimmed.GetName());
    return true;
}

// Reads text into a copy of value under the field name; the copy replaces the value only
// when it was read.
template <typename Value>
bool ReadInto(Value& value, std::string_view text, std::string_view fieldName) {
    Value copy = value;
    std::string error;
    if (!copy.ReadText(text, fieldName, error)) {
        ShowInputError(error);
        return false;
    }
    value = copy;
    return true;
}

}  // namespace

TNotePlayerKind PageOfField(TMusicField field) {
    switch (field) {
        case F::simpleSampleWave:
        case F::simpleBasicFreq:
            return notePlayerSimpleSampler;
        case F::resonantSampleWave:
        case F::resonantFactor:
            return notePlayerResonantSampler;
        case F::repeatSampleWave:
            return notePlayerRepeatWaveForm;
        case F::rollOutSampleWave:
        case F::rollOutBasicFreq:
            return notePlayerRollOutSampler;
        case F::rollOutWaveFormSampleWave:
            return notePlayerRollOutWaveForm;
        default:
            return notePlayerNone;
    }
}

TOnePlayerProps DialogOnePlayerProps() {
    TOnePlayerProps props = DefaultStaveOnePlayerProps();
    props.SimpleSamplerProps.BasicFreq.SetDisplayUnit(DisplayUnit::kilohertz);
    props.FreqUp.SetDisplayUnit(DisplayUnit::kilohertz);
    props.VolumeFactor.SetDisplayUnit(DisplayUnit::percent);
    return props;
}

// ---- binding and current items ----

void TMusicDialogPresenter::Bind(TUnitMuz* unit) {
    unit_ = unit;
    changed_ = false;
    Normalize();
}

// Every level has a current item while there is a document: a document read from a file
// starts with the first of each.
void TMusicDialogPresenter::Normalize() {
    if (unit_ == nullptr) return;
    TMusicReferences& references = unit_->References();
    const TStaveList& staves = unit_->Staves();
    if (references.DialogStave == nullptr || !staves.Contains(references.DialogStave))
        references.DialogStave = staves.FirstStave();
    TNoteStave* stave = references.DialogStave;
    if (stave == nullptr) return;
    if (stave->DialogNoteGroup == nullptr || !stave->ContainsGroup(stave->DialogNoteGroup))
        stave->DialogNoteGroup = stave->StartNoteGroup;
    if (TNoteGroup* group = stave->DialogNoteGroup) {
        TCompoundPlayer& compound = *group->CompoundPlayer;
        if (compound.GetDialogOnePlayer() == nullptr)
            compound.SetDialogOnePlayer(compound.GetStartOnePlayer());
    }
}

TNoteStave* TMusicDialogPresenter::CurrentStave() const {
    return unit_ != nullptr ? unit_->References().DialogStave : nullptr;
}

TNoteGroup* TMusicDialogPresenter::CurrentGroup() const {
    TNoteStave* stave = CurrentStave();
    return stave != nullptr ? stave->DialogNoteGroup : nullptr;
}

TOnePlayer* TMusicDialogPresenter::CurrentPlayer() const {
    TNoteGroup* group = CurrentGroup();
    return group != nullptr ? group->CompoundPlayer->GetDialogOnePlayer() : nullptr;
}

// ---- what is shown ----

TListLevelView TMusicDialogPresenter::DescribeLevel(TMusicListLevel level) const {
    switch (level) {
        case TMusicListLevel::stave:
            if (TNoteStave* stave = CurrentStave()) {
                return ListView(unit_->Staves().Count(), unit_->Staves().IndexOf(stave) + 1);
            }
            break;
        case TMusicListLevel::group:
            if (TNoteGroup* group = CurrentGroup()) {
                const TNoteStave& stave = *group->NoteStave;
                return ListView(stave.CountGroups(), GroupPlace(stave, group));
            }
            break;
        case TMusicListLevel::player:
            if (TOnePlayer* player = CurrentPlayer()) {
                const TCompoundPlayer& compound = *player->CompoundPlayer;
                return ListView(compound.CountOnePlayers(), PlayerPlace(compound, player));
            }
            break;
    }
    return {};
}

TMusicDialogView TMusicDialogPresenter::Describe() const {
    TMusicDialogView view;
    if (unit_ == nullptr) return view;
    view.hasDocument = true;
    view.fieldEnabled[Index(F::tempo)] = true;
    view.texts[Index(F::tempo)] = unit_->Tempo.GetText();
    for (TMusicListLevel level :
         {TMusicListLevel::stave, TMusicListLevel::group, TMusicListLevel::player}) {
        view.levels[static_cast<int>(level)] = DescribeLevel(level);
    }
    DescribeFields(view);
    return view;
}

void TMusicDialogPresenter::DescribeFields(TMusicDialogView& view) const {
    if (const TNoteStave* stave = CurrentStave()) {
        view.staveEnabled = true;
        view.fieldEnabled[Index(F::roomUp)] = view.fieldEnabled[Index(F::roomDown)] = true;
        view.texts[Index(F::roomUp)] = stave->RoomUp.GetText();
        view.texts[Index(F::roomDown)] = stave->RoomDown.GetText();
        view.allowJoinFlags = stave->DrawFlagKind == AllowJoinFlags;
        view.enableSound = stave->Mute == 0;
        view.extraLines = stave->ExtraLines != 0;
        view.foreground = stave->ForegroundColor;
        view.background = stave->BackgroundColor;
        view.playStaveEnabled = playback_ != nullptr;
    }
    if (const TNoteGroup* group = CurrentGroup()) {
        view.groupEnabled = true;
        view.noteShape = group->NoteShape;
        view.noteColor = group->NoteColor;
        view.sticksUp = group->DrawStickKind == drawStickUp;
        view.sticksDown = group->DrawStickKind == drawStickDown;
        view.playGroupEnabled = playback_ != nullptr;
    }
    const TOnePlayer* player = CurrentPlayer();
    if (player == nullptr) return;
    view.playerEnabled = true;
    const TOnePlayerProps& props = player->OnePlayerProps;
    view.fieldEnabled[Index(F::volumeFactor)] = view.fieldEnabled[Index(F::freqUp)] = true;
    view.texts[Index(F::volumeFactor)] = props.VolumeFactor.GetText();
    view.texts[Index(F::freqUp)] = props.FreqUp.GetText();
    if (props.NotePlayerKind > notePlayerRollOutWaveForm) return;
    view.page = props.NotePlayerKind;
    auto show = [&](F field, std::string text) {
        view.fieldEnabled[Index(field)] = true;
        view.texts[Index(field)] = std::move(text);
    };
    switch (props.NotePlayerKind) {
        case notePlayerSimpleSampler:
            show(F::simpleSampleWave, props.SimpleSamplerProps.SampleWave.GetText());
            show(F::simpleBasicFreq, props.SimpleSamplerProps.BasicFreq.GetText());
            break;
        case notePlayerResonantSampler:
            show(F::resonantSampleWave, props.ResonantSamplerProps.SampleWave.GetText());
            show(F::resonantFactor, props.ResonantSamplerProps.ResFactor.GetText());
            break;
        case notePlayerRepeatWaveForm:
            show(F::repeatSampleWave, props.RepeatWaveFormProps.SampleWave.GetText());
            break;
        case notePlayerRollOutSampler:
            show(F::rollOutSampleWave, props.RollOutSamplerProps.SampleWave.GetText());
            show(F::rollOutBasicFreq, props.RollOutSamplerProps.BasicFreq.GetText());
            break;
        default:
            show(F::rollOutWaveFormSampleWave, props.RollOutWaveFormProps.SampleWave.GetText());
            break;
    }
}

// ---- the list buttons ----

bool TMusicDialogPresenter::Press(TMusicListLevel level, TListButton button) {
    if (unit_ == nullptr || !DescribeLevel(level).Enabled(button)) return false;
    bool changes = false;
    switch (level) {
        case TMusicListLevel::stave:
            changes = PressStave(button);
            break;
        case TMusicListLevel::group:
            changes = PressGroup(button);
            break;
        case TMusicListLevel::player:
            changes = PressPlayer(button);
            break;
    }
    Normalize();
    if (changes) Changed();
    return true;
}

// Answers whether the document changed (navigation only moves the cursor).
bool TMusicDialogPresenter::PressStave(TListButton button) {
    TStaveList& staves = unit_->Staves();
    TMusicReferences& references = unit_->References();
    TNoteStave* stave = references.DialogStave;
    switch (button) {
        case B::first:
            references.DialogStave = staves.FirstStave();
            return false;
        case B::previous:
            references.DialogStave = stave->Prev;
            return false;
        case B::next:
            references.DialogStave = stave->Next;
            return false;
        case B::last:
            references.DialogStave = staves.LastStave();
            return false;
        case B::insert:
        case B::append:
            CreateDefaultStave(staves, button == B::append ? stave : stave->Prev, unit_->Root(),
                               unit_, references);
            return true;
        case B::remove:
            // The next stave becomes current, or the previous one when it was the last.
            return DeleteStave(staves, stave, unit_->Root(), references);
        case B::movePrevious:
            return staves.MoveStaveEarlier(stave);
        case B::moveNext:
            return staves.MoveStaveLater(stave);
    }
    return false;
}

bool TMusicDialogPresenter::PressGroup(TListButton button) {
    TNoteGroup* group = CurrentGroup();
    TNoteStave& stave = *group->NoteStave;
    switch (button) {
        case B::first:
            stave.DialogNoteGroup = stave.StartNoteGroup;
            return false;
        case B::previous:
            stave.DialogNoteGroup = stave.FindPrevGroup(group);
            return false;
        case B::next:
            stave.DialogNoteGroup = group->Next;
            return false;
        case B::last:
            stave.DialogNoteGroup = stave.LastGroup();
            return false;
        case B::insert:
        case B::append: {
            auto added = std::make_unique<TNoteGroup>(
                &stave, kBlack, std::make_unique<TCompoundPlayer>(unit_, DialogOnePlayerProps()),
                NoteShapeNormal, drawStickUp);
            TNoteGroup* raw = added.get();
            stave.InsertGroup(button == B::append ? group : stave.FindPrevGroup(group),
                              std::move(added));
            stave.DialogNoteGroup = raw;
            return true;
        }
        case B::remove:
            return DeleteNoteGroup(unit_->Staves(), group, unit_->Root(), unit_->References());
        case B::movePrevious:
            return stave.MoveGroupEarlier(group);
        case B::moveNext:
            return stave.MoveGroupLater(group);
    }
    return false;
}

bool TMusicDialogPresenter::PressPlayer(TListButton button) {
    TOnePlayer* player = CurrentPlayer();
    TCompoundPlayer& compound = *player->CompoundPlayer;
    switch (button) {
        case B::first:
            compound.SetDialogOnePlayer(compound.GetStartOnePlayer());
            return false;
        case B::previous:
            compound.SetDialogOnePlayer(compound.FindPrevOnePlayer(player));
            return false;
        case B::next:
            compound.SetDialogOnePlayer(player->Next);
            return false;
        case B::last:
            compound.SetDialogOnePlayer(LastPlayer(compound));
            return false;
        case B::insert:
        case B::append:
            compound.SetDialogOnePlayer(compound.InsertOnePlayer(
                button == B::append ? player : compound.FindPrevOnePlayer(player),
                DialogOnePlayerProps()));
            return true;
        case B::remove:
            return DeleteOnePlayer(unit_->Staves(), player, unit_->References());
        case B::movePrevious:
            return compound.MoveOnePlayerEarlier(player);
        case B::moveNext:
            return compound.MoveOnePlayerLater(player);
    }
    return false;
}

// ---- fields applied at once ----

void TMusicDialogPresenter::SetAllowJoinFlags(bool checked) {
    TNoteStave* stave = CurrentStave();
    if (!Editable() || stave == nullptr) return;
    stave->DrawFlagKind = checked ? AllowJoinFlags : drawFlagNoJoin;
    Changed();
}

void TMusicDialogPresenter::SetEnableSound(bool checked) {
    TNoteStave* stave = CurrentStave();
    if (!Editable() || stave == nullptr) return;
    stave->Mute = checked ? 0 : 1;
    Changed();
}

void TMusicDialogPresenter::SetExtraLines(bool checked) {
    TNoteStave* stave = CurrentStave();
    if (!Editable() || stave == nullptr) return;
    stave->ExtraLines = checked ? 1 : 0;
    Changed();
}

void TMusicDialogPresenter::SetForeground(platform::Color color) {
    TNoteStave* stave = CurrentStave();
    if (!Editable() || stave == nullptr) return;
    stave->ForegroundColor = color;
    Changed();
}

void TMusicDialogPresenter::SetBackground(platform::Color color) {
    TNoteStave* stave = CurrentStave();
    if (!Editable() || stave == nullptr) return;
    stave->BackgroundColor = color;
    Changed();
}

void TMusicDialogPresenter::SetNoteShape(int shape) {
    TNoteGroup* group = CurrentGroup();
    if (!Editable() || group == nullptr ||
        (shape != NoteShapeNormal && shape != NoteShapeRectangle))
        return;
    group->NoteShape = static_cast<std::uint8_t>(shape);
    Changed();
}

void TMusicDialogPresenter::SetNoteColor(platform::Color color) {
    TNoteGroup* group = CurrentGroup();
    if (!Editable() || group == nullptr) return;
    group->NoteColor = color;
    Changed();
}

void TMusicDialogPresenter::SetStickBox(TStickBox box, bool checked) {
    TNoteGroup* group = CurrentGroup();
    if (!Editable() || group == nullptr) return;
    bool up = group->DrawStickKind == drawStickUp;
    bool down = group->DrawStickKind == drawStickDown;
    if (box == TStickBox::up) {
        up = checked;
        if (checked) down = false;
    } else {
        down = checked;
        if (checked) up = false;
    }
    group->DrawStickKind = down ? drawStickDown : up ? drawStickUp : drawStickAuto;
    Changed();
}

void TMusicDialogPresenter::ChoosePlayerPage(TNotePlayerKind kind) {
    TOnePlayer* player = CurrentPlayer();
    if (!Editable() || player == nullptr || kind > notePlayerRollOutWaveForm) return;
    if (player->OnePlayerProps.NotePlayerKind == kind) return;
    player->OnePlayerProps.NotePlayerKind = kind;
    Changed(false);
}

// ---- fields committed on focus loss ----

void TMusicDialogPresenter::Typed() {
    if (Editable()) changed_ = true;
}

TFieldCommit TMusicDialogPresenter::LeaveField(TMusicField field, std::string_view text) {
    if (!Editable() || committing_ || !changed_) return {};
    changed_ = false;
    committing_ = true;
    const bool ok = Commit(field, text);
    committing_ = false;
    if (!ok) return {TFieldOutcome::refused, std::nullopt};
    Changed();
    return {TFieldOutcome::applied, std::nullopt};
}

bool TMusicDialogPresenter::Commit(TMusicField field, std::string_view text) {
    switch (field) {
        case F::tempo: {
            unitTimePosMore tempo = unit_->Tempo;
            if (!ReadInto(tempo, text, "Tempo")) return false;
            // A longer whole note could not be read back from the music file.
            if (tempo.GetValue() > kMaxMusicTempo) {
                ShowInputError("In Tempo: A whole note can last at most " +
                               std::to_string(static_cast<int>(kMaxMusicTempo)) + " seconds.");
                return false;
            }
            unit_->Tempo = tempo;
            return true;
        }
        case F::roomUp:
        case F::roomDown: {
            TNoteStave* stave = CurrentStave();
            if (stave == nullptr) return false;
            const char* name = field == F::roomUp ? "Room Up" : "Room Down";
            unitIntegerMoreUser& room = field == F::roomUp ? stave->RoomUp : stave->RoomDown;
            unitIntegerMoreUser copy = room;
            copy.Minimum = TNoteStave::kMinRoom;
            if (!ReadInto(copy, text, name)) return false;
            if (copy.GetValue() > kMaxStaveRoom) {
                ShowInputError(std::string("In ") + name + ": The room must lie between " +
                               std::to_string(TNoteStave::kMinRoom) + " and " +
                               std::to_string(kMaxStaveRoom) + ".");
                return false;
            }
            room = copy;
            return true;
        }
        default: {
            TOnePlayer* player = CurrentPlayer();
            return player != nullptr && CommitPlayerField(*player, field, text);
        }
    }
}

// The values are read into a copy of the player's record, which replaces the record only
// when the read succeeded.
bool TMusicDialogPresenter::CommitPlayerField(TOnePlayer& player, TMusicField field,
                                              std::string_view text) {
    TOnePlayerProps props = player.OnePlayerProps;
    bool ok = false;
    switch (field) {
        case F::volumeFactor:
            ok = ReadInto(props.VolumeFactor, text, "Volume Factor");
            break;
        case F::freqUp:
            ok = ReadInto(props.FreqUp, text, "Freq Up");
            break;
        case F::simpleBasicFreq:
            ok = ReadInto(props.SimpleSamplerProps.BasicFreq, text, "Basic Frequency");
            break;
        case F::rollOutBasicFreq:
            ok = ReadInto(props.RollOutSamplerProps.BasicFreq, text, "Basic Frequency");
            break;
        case F::resonantFactor:
            ok = ReadInto(props.ResonantSamplerProps.ResFactor, text, "Resonant Factor");
            // A resonance of 0 lets nothing through: the factor lies above 0.
            if (ok && props.ResonantSamplerProps.ResFactor.GetValue() <= 0) {
                ShowInputError("In Resonant Factor: Value must be positive and more than 0.");
                ok = false;
            }
            break;
        case F::simpleSampleWave:
            ok = ReadSampleWave(props.SimpleSamplerProps.SampleWave, text);
            break;
        case F::resonantSampleWave:
            ok = ReadSampleWave(props.ResonantSamplerProps.SampleWave, text);
            break;
        case F::repeatSampleWave:
            ok = ReadSampleWave(props.RepeatWaveFormProps.SampleWave, text);
            break;
        case F::rollOutSampleWave:
            ok = ReadSampleWave(props.RollOutSamplerProps.SampleWave, text);
            break;
        case F::rollOutWaveFormSampleWave:
            ok = ReadSampleWave(props.RollOutWaveFormProps.SampleWave, text);
            break;
        default:
            break;
    }
    if (ok) player.OnePlayerProps = props;
    return ok;
}

// ---- playing ----

bool TMusicDialogPresenter::PlayStave() {
    TNoteStave* stave = CurrentStave();
    return playback_ != nullptr && stave != nullptr && playback_->PlayStave(*unit_, *stave);
}

bool TMusicDialogPresenter::PlayNoteGroup() {
    TNoteGroup* group = CurrentGroup();
    return playback_ != nullptr && group != nullptr && playback_->PlayNoteGroup(*unit_, *group);
}

void TMusicDialogPresenter::Changed(bool redraw) {
    unit_->MarkChanged();
    if (redraw && unit_->Window() != nullptr) unit_->Window()->Redraw();
}

}  // namespace kalvora
