#include "documents/effect_dialog.h"

#include "platform/assertion.h"
#include "platform/messages.h"

namespace kalvora {
namespace {

void ShowInputError(std::string_view text) {
    platform::ShowMessage(text, platform::caption::inputError, platform::MessageIcon::information);
}

}  // namespace

std::string EmptyWaveText(std::string_view label, std::string_view name) {
    std::string text = "In ";
    text.append(label).append(": The Wave \"").append(name).append("\" is empty.");
    return text;
}

TListControl::TListControl(std::vector<const int*> defaults)
    : texts_(defaults.size()), defaults_(std::move(defaults)) {}

void TListControl::SetFieldText(std::size_t field, const std::string& text) {
    texts_.at(field) = text;
}

bool TListControl::TakesDefault(std::size_t field) const {
    const int* flag = defaults_.at(field);
    return flag == nullptr || *flag != 0;
}

TEffectDialogModel::TEffectDialogModel(const TEffectRecord& record, const TEffectContext& context,
                                       const WaveRegistry& registry)
    : record_(record), context_(context), registry_(registry), controls_(record.FieldCount()) {
    context_.waves = &registry_;
    if (Entry().prepare) Entry().prepare(record_, context_);
    // The list controls point at the "Default" check boxes' controls, which stay in place
    // for the model's life (the vector is never resized; moving it keeps its elements).
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const TFieldSpec& spec = Field(i);
        if (spec.kind != TFieldKind::list) continue;
        std::vector<const int*> defaults;
        for (const TFieldSpec& sub : spec.subFields) {
            const int flag = sub.defaultFlag.empty() ? -1 : Entry().FieldIndex(sub.defaultFlag);
            KALVORA_ASSERT(
                sub.defaultFlag.empty() ||
                (flag >= 0 && Field(static_cast<std::size_t>(flag)).kind == TFieldKind::check));
            defaults.push_back(flag < 0 ? nullptr
                                        : &controls_[static_cast<std::size_t>(flag)].choice);
        }
        controls_[i].list = std::make_unique<TListControl>(std::move(defaults));
    }
}

void TEffectDialogModel::Show() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const TFieldSpec& spec = Field(i);
        const TFieldValue& value = record_.At(i);
        TFieldControl& control = controls_[i];
        control.enabled = !(spec.stereoOnly && context_.moSt == 1);
        control.edited = false;
        switch (spec.kind) {
            case TFieldKind::value:
                control.text = control.enabled ? value.value->GetText() : std::string();
                break;
            case TFieldKind::choice:
            case TFieldKind::check:
                control.choice = value.choice;
                break;
            case TFieldKind::wave:
                value.wave.FillList(control.waves, registry_, spec.waveList);
                break;
            case TFieldKind::list:
                value.list->Open(*control.list);
                break;
        }
    }
    valid_ = true;
}

void TEffectDialogModel::OpenLists() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        TFieldValue& value = record_.At(i);
        if (value.list && !value.list->IsOpen()) value.list->Open(*controls_[i].list);
    }
}

std::vector<std::pair<std::size_t, int>> TEffectDialogModel::AlternativePath(
    std::size_t field) const {
    std::vector<std::pair<std::size_t, int>> path;
    const TFieldSpec* spec = &Field(field);
    while (spec->owner) {
        const int owner = Entry().FieldIndex(spec->owner->choice);
        KALVORA_ASSERT(owner >= 0 && static_cast<std::size_t>(owner) != field);
        path.emplace_back(static_cast<std::size_t>(owner), spec->owner->alternative);
        spec = &Field(static_cast<std::size_t>(owner));
        KALVORA_ASSERT(path.size() <= controls_.size());
    }
    return path;
}

bool TEffectDialogModel::IsRead(std::size_t field) const {
    if (!controls_.at(field).enabled) return false;
    if (Field(field).readAlways) return true;
    for (const auto& [choice, alternative] : AlternativePath(field)) {
        if (controls_[choice].choice != alternative) return false;
    }
    return true;
}

void TEffectDialogModel::CheckOwners(std::size_t field) {
    for (const auto& [choice, alternative] : AlternativePath(field))
        controls_[choice].choice = alternative;
}

void TEffectDialogModel::SetText(std::size_t field, std::string text) {
    KALVORA_ASSERT(Field(field).kind == TFieldKind::value);
    TFieldControl& control = controls_.at(field);
    if (!control.enabled) return;
    control.text = std::move(text);
    control.edited = true;
    CheckOwners(field);
    // The preset no longer describes what the fields hold.
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        for (std::string_view name : Field(i).presetFields) {
            if (SameName(name, Field(field).name)) controls_[i].choice = -1;
        }
    }
}

bool TEffectDialogModel::LeaveField(std::size_t field) {
    TFieldControl& control = controls_.at(field);
    if (Field(field).kind != TFieldKind::value || !control.edited) return false;
    control.edited = false;
    bool changed = false;
    for (std::string_view name : Field(field).copiesTo) {
        const int target = Entry().FieldIndex(name);
        KALVORA_ASSERT(target >= 0);
        if (!controls_[static_cast<std::size_t>(target)].enabled) continue;
        SetText(static_cast<std::size_t>(target), control.text);
        controls_[static_cast<std::size_t>(target)].edited = false;
        changed = true;
    }
    return changed;
}

void TEffectDialogModel::SelectWave(std::size_t field, int item) {
    KALVORA_ASSERT(Field(field).kind == TFieldKind::wave);
    TFieldControl& control = controls_.at(field);
    KALVORA_ASSERT(item >= -1 && item < static_cast<int>(control.waves.items.size()));
    control.waves.selected = item;
    CheckOwners(field);
}

bool TEffectDialogModel::SelectWaveNamed(std::size_t field, std::string_view name) {
    const std::vector<WaveChoice>& items = controls_.at(field).waves.items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].name == name) {
            SelectWave(field, static_cast<int>(i));
            return true;
        }
    }
    return false;
}

void TEffectDialogModel::SetChoice(std::size_t field, int alternative) {
    const TFieldSpec& spec = Field(field);
    KALVORA_ASSERT(spec.kind == TFieldKind::choice && alternative >= 0 &&
                   static_cast<std::size_t>(alternative) < spec.alternatives.size());
    controls_[field].choice = alternative;
    CheckOwners(field);
    if (!spec.IsPreset()) return;
    const auto& texts = spec.presetTexts.at(static_cast<std::size_t>(alternative));
    for (std::size_t i = 0; i < spec.presetFields.size() && i < texts.size(); ++i) {
        const int target = Entry().FieldIndex(spec.presetFields[i]);
        KALVORA_ASSERT(target >= 0);
        TFieldControl& control = controls_[static_cast<std::size_t>(target)];
        control.text = texts[i];
        control.edited = false;
    }
}

void TEffectDialogModel::SetChecked(std::size_t field, bool checked) {
    KALVORA_ASSERT(Field(field).kind == TFieldKind::check);
    controls_.at(field).choice = checked ? 1 : 0;
    CheckOwners(field);
}

void TEffectDialogModel::SetListText(std::size_t field, std::size_t subField, std::string text) {
    KALVORA_ASSERT(Field(field).kind == TFieldKind::list);
    controls_.at(field).list->SetFieldText(subField, text);
    CheckOwners(field);
}

bool TEffectDialogModel::Browse(std::size_t field, TBrowseButton button) {
    KALVORA_ASSERT(Field(field).kind == TFieldKind::list);
    TFieldRecordBrowser& browser = *record_.At(field).list;
    KALVORA_ASSERT(browser.IsOpen());
    const TBrowseState state = controls_[field].list->State();
    CheckOwners(field);
    switch (button) {
        case TBrowseButton::first:
            return browser.First();
        case TBrowseButton::previous:
            return state.canPrevious && browser.Previous();
        case TBrowseButton::next:
            return state.canNext && browser.Next();
        case TBrowseButton::last:
            return browser.Last();
        case TBrowseButton::insert:
            return browser.Insert();
        case TBrowseButton::append:
            return browser.Append();
        case TBrowseButton::remove:
            if (!state.canDelete) return false;
            browser.Delete();
            return true;
        case TBrowseButton::copy:
            browser.Copy();
            return true;
        case TBrowseButton::paste:
            if (!state.canPaste) return false;
            browser.Paste();
            return true;
        case TBrowseButton::clear:
            browser.Clear();
            return true;
    }
    return false;
}

void TEffectDialogModel::ReadField(bool& ok, std::size_t index) {
    const TFieldSpec& spec = Field(index);
    TFieldValue& value = record_.At(index);
    const TFieldControl& control = controls_[index];
    switch (spec.kind) {
        case TFieldKind::value:
            value.value->Check(ok, control.text, spec.label);
            break;
        case TFieldKind::wave: {
            value.wave.Check(ok, control.waves, spec.label);
            const WaveChoice* chosen = control.waves.Selected();
            // An envelope or wave form is read sample by sample: an empty one has none.
            if (ok && spec.needsSamples && chosen && chosen->document &&
                chosen->document->GetValues() == 0) {
                ShowInputError(EmptyWaveText(spec.label, chosen->name));
                ok = false;
            }
            break;
        }
        case TFieldKind::list:
            if (!value.list->CloseOk()) ok = false;
            break;
        case TFieldKind::choice:
        case TFieldKind::check:
            break;
    }
}

bool TEffectDialogModel::Ok() {
    // Radio buttons and check boxes cannot hold a wrong value; they decide what is read.
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const TFieldKind kind = Field(i).kind;
        if (kind == TFieldKind::choice || kind == TFieldKind::check) {
            record_.At(i).choice = controls_[i].choice;
        }
    }
    bool ok = true;
    for (std::size_t i = 0; i < controls_.size() && ok; ++i) {
        if (record_.IsActive(i) && controls_[i].enabled) ReadField(ok, i);
    }
    if (ok && Entry().check) {
        if (const auto refusal = Entry().check(record_, context_)) {
            ShowInputError(*refusal);
            ok = false;
        }
    }
    // A refused OK keeps the dialog open: lists already stored go on being edited.
    if (!ok) OpenLists();
    valid_ = ok;
    return ok;
}

bool TEffectDialogModel::CloseQuery() {
    if (valid_) return true;
    valid_ = true;
    return false;
}

}  // namespace kalvora
