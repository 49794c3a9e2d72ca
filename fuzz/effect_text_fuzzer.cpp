// Feeds arbitrary FIELD=TEXT lines to the commands of the effect table the way kalvora-cli
// does: the first line names the command (or picks one by its length), the others are
// assignments. Whatever the dialog model accepts runs on a small wave document under a
// sample budget; a line "channels=2" makes that document stereo. Nothing may crash or reach an
// assertion, a refused command leaves the document as it was, and a generator's result has the
// length its selection and material give.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "documents/effect_assignments.h"
#include "documents/effect_command.h"
#include "documents/workspace.h"
#include "platform/messages.h"
#include "sound/sample_memory.h"
#include "sound/wave.h"

namespace {

using namespace kalvora;

void Require(bool condition) {
    if (!condition) std::abort();
}

class SilentSink final : public platform::MessageSink {
  public:
    void Show(std::string_view, std::string_view, platform::MessageIcon) override {}
};

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentSink sink;
    platform::SetMessageSink(&sink);
    static const bool sinusMade = CreateSinus();  // as the program does at start-up
    Require(sinusMade);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.empty() || EffectTable().empty()) return 0;
    const TEffectEntry* named = FindEffect(lines[0]);
    const TEffectEntry& entry =
        named ? *named : EffectTable()[lines[0].size() % EffectTable().size()];

    std::vector<TFieldText> texts;
    bool stereo = false;  // a line "channels=2" makes the document stereo
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i] == "channels=2") {
            stereo = true;
            continue;
        }
        const auto equals = lines[i].find('=');
        if (equals == std::string_view::npos) continue;
        texts.push_back(
            {std::string(lines[i].substr(0, equals)), std::string(lines[i].substr(equals + 1))});
    }

    TWorkspace workspace;
    ErrorFlag error = 0;
    // A document that wave fields (envelopes, curves, "Same Length as") may name: "env".
    Wave shape(&error, 5);
    const std::int16_t shapeValues[] = {-30000, 0, 20000, -5, 32767};
    for (std::int32_t i = 0; i < 5; ++i)
        shape.wave[i] = shapeValues[i];
    TUnitWave envelope(workspace, std::make_unique<MonoSound>(std::move(shape), 8000, 2));
    envelope.SetName("env");
    workspace.Registry().Activate(envelope);
    Wave samples(&error, 64);
    for (std::int32_t i = 0; i < 64; ++i)
        samples.wave[i] = static_cast<std::int16_t>(i * 511);
    std::unique_ptr<Sound> sound;
    if (stereo) {
        Wave right(&error, 64);
        for (std::int32_t i = 0; i < 64; ++i)
            right.wave[i] = static_cast<std::int16_t>(20000 - i * 300);
        sound = std::make_unique<StereoSound>(std::move(samples), std::move(right), 8000, 2);
    } else {
        sound = std::make_unique<MonoSound>(std::move(samples), 8000, 2);
    }
    TUnitWave document(workspace, std::move(sound));
    document.SetSelection(static_cast<std::int32_t>(size % 65),
                          static_cast<std::int32_t>(size % 65));
    workspace.Registry().Activate(document);

    TEffectDialogModel dialog = MakeEffectDialog(document, entry);
    dialog.Show();
    if (!ApplyFieldTexts(dialog, texts) && dialog.Ok()) {
        const SampleAllocationLimit budget(1 << 20);
        const std::int64_t before = document.GetValues();
        const TSampleRange range =
            entry.IsGenerator() ? document.InsertRange() : document.WorkRange();
        if (RunEffect(document, dialog.Record())) {
            if (entry.IsGenerator()) {
                Require(document.GetValues() - before ==
                        document.SelMax() - document.SelMin() - range.Length());
            }
        } else {
            Require(document.GetValues() == before);
        }
    }
    platform::SetMessageSink(nullptr);
    return 0;
}
