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

TEffectDialogModel::TEffectDialogModel(const TEffectRecord& record, const TEffectContext& context,
                                       const WaveRegistry& registry)
    : record_(record), context_(context), registry_(registry), controls_(record.FieldCount()) {
    if (Entry().prepare) Entry().prepare(record_, context_);
}

void TEffectDialogModel::Show() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const TFieldSpec& spec = Field(i);
        const TFieldValue& value = record_.At(i);
        TFieldControl& control = controls_[i];
        switch (spec.kind) {
            case TFieldKind::value:
                control.text = value.value->GetText();
                break;
            case TFieldKind::choice:
            case TFieldKind::check:
                control.choice = value.choice;
                break;
            case TFieldKind::wave:
                value.wave.FillList(control.waves, registry_, spec.waveList);
                break;
        }
    }
    valid_ = true;
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
    controls_.at(field).text = std::move(text);
    CheckOwners(field);
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
}

void TEffectDialogModel::SetChecked(std::size_t field, bool checked) {
    KALVORA_ASSERT(Field(field).kind == TFieldKind::check);
    controls_.at(field).choice = checked ? 1 : 0;
    CheckOwners(field);
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
        if (record_.IsActive(i)) ReadField(ok, i);
    }
    if (ok && Entry().check) {
        if (const auto refusal = Entry().check(record_, context_)) {
            ShowInputError(*refusal);
            ok = false;
        }
    }
    valid_ = ok;
    return ok;
}

bool TEffectDialogModel::CloseQuery() {
    if (valid_) return true;
    valid_ = true;
    return false;
}

}  // namespace kalvora
