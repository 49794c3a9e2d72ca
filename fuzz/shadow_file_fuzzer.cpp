// Feeds arbitrary files to the reader of wave shadow files (UnitWave). Nothing may crash or
// reach an assertion; what reads must keep the reader's promises (a rising selection and
// zooms, a drawing from 0 to 1 with at least two nodes, a usable empty-wave format), must be
// applicable to a document whose drawing can then be computed, and must write a file that
// reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/wave_document.h"
#include "documents/workspace.h"
#include "platform/messages.h"
#include "shell/wave_shadow_file.h"

namespace {

using namespace kalvora;

void Require(bool condition) {
    if (!condition) std::abort();
}

// Messages of the document (an allocation that fails) are not the fuzzer's business.
class SilentSink final : public platform::MessageSink {
  public:
    void Show(std::string_view, std::string_view, platform::MessageIcon) override {}
};

void CheckPromises(const TWaveShadow& shadow) {
    Require(shadow.selectionBegin >= 0 && shadow.selectionBegin <= shadow.selectionEnd);
    for (const auto& zoom : shadow.views.zooms)
        Require(!zoom || (zoom->first >= 0 && zoom->first < zoom->last));
    Require(shadow.views.splitPosition >= 0 && shadow.views.splitPosition <= 1);
    if (shadow.drawing) {
        const TShadowDrawing& drawing = *shadow.drawing;
        Require(drawing.nodes.size() >= 2);
        Require(drawing.nodes.front().position == 0 && drawing.nodes.back().position == 1);
        for (const TDrawNode& node : drawing.nodes)
            Require(node.position >= 0 && node.position <= 1);
        Require(drawing.length >= 0);
    }
    if (shadow.emptyWave) {
        const waveFileProps& props = *shadow.emptyWave;
        Require(props.MoSt == 1 || props.MoSt == 2);
        Require(props.BytesPSample == 1 || props.BytesPSample == 2);
        Require(props.Freq > 0 && props.Freq <= kMaximumShadowSampleFreq);
    }
}

void CheckSame(const TWaveShadow& a, const TWaveShadow& b) {
    Require(a.selectionBegin == b.selectionBegin && a.selectionEnd == b.selectionEnd);
    Require(a.drawing.has_value() == b.drawing.has_value());
    if (a.drawing) {
        Require(a.drawing->kind == b.drawing->kind);
        Require(a.drawing->nodes.size() == b.drawing->nodes.size());
        for (std::size_t i = 0; i < a.drawing->nodes.size(); ++i)
            Require(a.drawing->nodes[i].value == b.drawing->nodes[i].value);
    }
    Require(a.views.zooms == b.views.zooms && a.views.showVolume == b.views.showVolume);
    Require(a.views.waveSettings.ValuesPerPixel == b.views.waveSettings.ValuesPerPixel);
    Require(a.views.volumeSettings.XResolution == b.views.volumeSettings.XResolution);
    Require(a.emptyWave == b.emptyWave);
}

void Apply(const TWaveShadow& shadow) {
    static TWorkspace workspace;
    TUnitWave document(workspace, std::make_unique<MonoSound>(8000, 2));
    std::unique_ptr<Sound> sound;
    ApplyShadow(shadow, document, false, sound);
    Require(document.FirstEnd() <= document.GetValues());
    Require(document.PendingViewState() != nullptr);
    Require(sound == nullptr || sound->GetValues() == 0);
    // Computing the drawing copes with nodes in any order (kept short to stay quick).
    if (document.UserDrawing() && document.DrawLength() <= 2) document.DrawingEdited();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentSink sink;
    platform::SetMessageSink(&sink);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TWaveShadow shadow;
    std::string error;
    const TShadowReadResult result = ReadShadowText(bytes, shadow, error);
    if (result != TShadowReadResult::read) {
        Require(result == TShadowReadResult::failed && !error.empty());
        return 0;
    }
    CheckPromises(shadow);
    Apply(shadow);

    std::string written;
    const auto tree = WriteUnitWave(shadow);
    Require(tree->CheckWritable(error));
    tree->WriteDocument(written);
    TWaveShadow back;
    Require(ReadShadowText(written, back, error) == TShadowReadResult::read);
    CheckSame(shadow, back);
    return 0;
}
