#include "documents/effect_command.h"

#include <string>

#include "documents/document_registry.h"
#include "documents/workspace.h"
#include "platform/messages.h"

namespace kalvora {
namespace {

void ShowInputError(std::string_view text) {
    platform::ShowMessage(text, platform::caption::inputError, platform::MessageIcon::information);
}

// Finds the documents of the record's read wave fields for the call; false after a message
// when one is gone or empty where it is read.
bool FindWaves(const TUnitRegistry& registry, const TEffectRecord& record, TEffectCall& call) {
    for (std::size_t i = 0; i < record.FieldCount(); ++i) {
        const TFieldSpec& spec = record.Spec(i);
        if (spec.kind != TFieldKind::wave || !record.IsActive(i)) continue;
        const unitUnitWave& reference = record.At(i).wave;
        TUnitWave* found = registry.FindWave(reference.GetName());
        if (found == nullptr) {
            std::string text = "In ";
            text.append(spec.label).append(": ");
            reference.Resolve(registry, text);
            ShowInputError(text);
            return false;
        }
        if (spec.needsSamples && found->GetValues() == 0) {
            ShowInputError(EmptyWaveText(spec.label, reference.GetName()));
            return false;
        }
        call.SetWaveSound(spec.name, found->SharedSound());
    }
    return true;
}

}  // namespace

TEffectContext ContextOf(const TUnitWave& document) {
    TEffectContext context;
    context.freq = document.GetFreq();
    context.moSt = document.GetMoSt();
    context.values = static_cast<std::int32_t>(document.GetValues());
    context.work = document.WorkRange();
    context.insert = document.InsertRange();
    const TUnitRegistry& registry = document.Workspace().Registry();
    context.findSound = [&registry](std::string_view name) -> const Sound* {
        const TUnitWave* found = registry.FindWave(name);
        return found != nullptr ? &found->TheSound() : nullptr;
    };
    return context;
}

TEffectDialogModel MakeEffectDialog(const TUnitWave& document, const TEffectEntry& entry) {
    return TEffectDialogModel(document.Records().effects.Of(entry), ContextOf(document),
                              document.Workspace().Registry());
}

bool RunEffect(TUnitWave& document, const TEffectRecord& record) {
    const TEffectEntry& entry = record.Entry();
    document.Workspace().Records().effects.Store(record);
    document.Records().effects.Store(record);
    const TEffectRecord& used = document.Records().effects.Of(entry);

    if (document.UserDrawing()) {
        if (!entry.drawing) return false;
        document.EditDrawing(
            [&](TDrawNodes& nodes, double& drawLength) { entry.drawing(used, nodes, drawLength); });
        return true;
    }
    const TEffectContext context = ContextOf(document);
    if (entry.applies && entry.applies(context)) return false;
    TEffectCall call(used, context);
    if (!FindWaves(document.Workspace().Registry(), used, call)) return false;
    const SoundOperation operation = [&](const Sound& sound, ErrorFlag* error, std::int32_t& begin,
                                         std::int32_t& end) {
        std::unique_ptr<Sound> result;
        RunInPlace(
            document.Workspace().LongWorkRunner(),
            [&] { result = entry.operation(call, sound, error, begin, end); }, error);
        return result;
    };
    switch (entry.range) {
        case TEffectRange::insert:
            return document.GenerateAtInsertRange(operation);
        case TEffectRange::work:
            return document.ApplyToWorkRange(operation);
        case TEffectRange::workSelected:
            return document.ChangeWorkRange(operation);
        case TEffectRange::whole:
            return document.ChangeSound({0, static_cast<std::int32_t>(document.GetValues())},
                                        TSelectionAfter::unchanged, operation);
    }
    return false;
}

bool RunEffectCommand(TUnitWave& document, const TEffectEntry& entry,
                      const TEffectDialogRunner& showDialog) {
    // A command that does nothing on this document opens no dialog either.
    if (entry.applies && entry.applies(ContextOf(document))) return false;
    if (!entry.HasDialog()) return RunEffect(document, document.Records().effects.Of(entry));
    TEffectDialogModel dialog = MakeEffectDialog(document, entry);
    if (!showDialog(dialog)) return false;
    return RunEffect(document, dialog.Record());
}

}  // namespace kalvora
