// Feeds arbitrary files to the music file reader (both versions). Nothing may crash, hang or
// reach an assertion. A document that reads must keep the model's invariants, survive the
// passes the rest of the program runs over it (length, playing walk, silence filler), and
// write a file that reads back and writes the same bytes again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/document_registry.h"
#include "music/music_file.h"
#include "music/music_math.h"
#include "music/part_tree.h"
#include "music/stave_time_symbol.h"
#include "music/unit_muz.h"

namespace {

using namespace kalvora;

void Require(bool condition) {
    if (!condition) std::abort();
}

class SilentRenderer final : public TSinglePartRenderer {
  public:
    bool RenderSinglePart(const TSinglePartMuz&, double, int transposition, std::string&) override {
        Require(IsValidTransposition(transposition));
        ++parts;
        return true;
    }
    long parts = 0;
};

// Every part holds each stave's start key; every symbol lies within the bounds.
double CheckModel(TUnitMuz& music) {
    Require(music.Root().GetPartMuz() != nullptr);
    Require(music.PartMuzStack().Count() == 0);
    Require(CheckParentLinks(music.Root()));
    double last = 0;
    for (TSinglePartMuz* part : SingleParts(music.Root())) {
        for (TNoteStave* stave = music.Staves().FirstStave(); stave != nullptr;
             stave = stave->GetNext()) {
            Require(part->StartKeyOfStave(stave) != nullptr);
            Require(stave->GetStartNoteGroup() != nullptr);
        }
        const TStaveSymbol* previous = nullptr;
        for (TStaveSymbol* s = part->FirstSymbol(); s != nullptr; s = s->GetNext()) {
            Require(std::isfinite(s->Position) && s->Position >= 0 &&
                    s->Position <= kMaxMusicPosition);
            Require(previous == nullptr || !Before(*s, *previous));
            if (const TStaveTimeSymbol* timed = AsTimeSymbol(s)) {
                Require(IsValidTiming(timed->GetTiming()));
            }
            if (const TMuzNote* note = AsNote(s)) Require(IsValidPitch(note->Pitch));
            last = std::max(last, s->Position);
            previous = s;
        }
    }
    return last;
}

std::string Written(TUnitMuz& music) {
    std::string bytes;
    std::string error;
    Require(WriteMusicText(music, bytes, error));
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TUnitRegistry registry;
    TUnitMuz music(registry, true);
    std::string error;
    if (!LoadMusicText(bytes, music, error)) {
        Require(!error.empty());
        Require(music.PartMuzStack().Count() == 0);
        return 0;
    }
    const double last = CheckModel(music);

    // The current version, written once, is a fixed point.
    const std::string first = Written(music);
    {
        TUnitMuz again(registry, true);
        Require(LoadMusicText(first, again, error));
        Require(Written(again) == first);
    }

    (void)music.Root().GetLength();
    SilentRenderer renderer;
    std::string renderError;
    Require(GenerateParts(music.Root(), renderer, music.Tempo.GetValue(), 0, renderError));
    Require(renderer.parts <= kMaxLoopCount * static_cast<long>(SingleParts(music.Root()).size()));
    if (last <= 64) {
        for (TNoteStave* stave = music.Staves().FirstStave(); stave != nullptr;
             stave = stave->GetNext()) {
            music.Root().FillSilences(stave);
        }
        CheckModel(music);
    }
    return 0;
}
