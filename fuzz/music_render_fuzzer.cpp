// Feeds arbitrary music files to the renderer: every music file that reads is rendered with
// made-up sample waves for the names it uses (empty, one sample, short and long, mono and
// stereo, at several rates, with and without a middle piece). Nothing may crash or reach an
// assertion; player settings at the edge of their ranges must give silence or a clean
// failure. Pieces longer than half a minute are only measured, and a sample budget makes
// runaway sounds fail as exhausted memory would.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "documents/document_registry.h"
#include "music/music_file.h"
#include "music/music_generation.h"
#include "music/part_tree.h"
#include "music/stave_time_symbol.h"
#include "music/unit_muz.h"
#include "platform/recording_message_sink.h"
#include "sound/sample_memory.h"

namespace {

using namespace kalvora;

constexpr double kLongestRender = 30.0;  // seconds of music
constexpr std::int64_t kSampleBudget = 40'000'000;

void Require(bool condition) {
    if (!condition) std::abort();
}

// A sample wave made from its name alone, so that a found input renders the same again.
std::shared_ptr<const Sound> MadeUpSample(std::string_view name, std::int32_t& begin,
                                          std::int32_t& end) {
    const std::size_t hash = std::hash<std::string_view>{}(name);
    static constexpr std::int32_t kLengths[] = {0, 1, 2, 37, 2000};
    static constexpr std::int32_t kRates[] = {1000, 8000, 22050, 44100};
    const std::int32_t length = kLengths[hash % 5];
    const std::int32_t rate = kRates[(hash / 5) % 4];
    ErrorFlag error = 0;
    Wave left(&error, length);
    Wave right(&error, length);
    for (std::int32_t i = 0; i < length; ++i) {
        left.wave[i] = static_cast<std::int16_t>((i * 7919) % 20000 - 10000);
        right.wave[i] = static_cast<std::int16_t>(-left.wave[i]);
    }
    begin = 0;
    end = length;
    if ((hash / 20) % 2 == 1 && length > 2) {  // a middle piece inside the sample
        begin = length / 3;
        end = begin + 1 + length / 4;
    }
    if ((hash / 40) % 2 == 1) {
        return std::make_shared<StereoSound>(std::move(left), std::move(right), rate, 2);
    }
    return std::make_shared<MonoSound>(std::move(left), rate, 2);
}

void CheckNoteSounds(TUnitMuz& music, const TSampleWaves& waves) {
    int notes = 0;
    for (TSinglePartMuz* part : SingleParts(music.Root())) {
        for (TStaveSymbol* s = part->FirstSymbol(); s != nullptr && notes < 8; s = s->GetNext()) {
            const TMuzNote* note = AsNote(s);
            if (note == nullptr) continue;
            ++notes;
            ErrorFlag error = 0;
            std::string errorText;
            const auto sound = MakeNoteSound(*note, music.Tempo.GetValue(), waves,
                                             music.GetWaveFileProps(), &error, errorText);
            Require(sound == nullptr || sound->GetValues() > 0);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    platform::RecordingMessageSink messages;
    TUnitRegistry registry;
    TUnitMuz music(registry, true);
    std::string error;
    if (!LoadMusicText(bytes, music, error)) return 0;

    TNamedSampleWaves waves;
    for (const std::string& name : SampleWaveNames(music)) {
        std::int32_t begin = 0, end = 0;
        auto sample = MadeUpSample(name, begin, end);
        waves.Add(name, std::move(sample), begin, end);
    }
    const SampleAllocationLimit budget(kSampleBudget);
    TMusicExtent extent;
    std::string errorText;
    if (!MeasureMusic(music, waves, {}, extent, errorText)) {
        Require(!errorText.empty());
        return 0;
    }
    Require(extent.Lead >= 0 && extent.Tail >= 0);
    CheckNoteSounds(music, waves);
    if (!(extent.Lead + extent.Tail <= kLongestRender)) return 0;

    ErrorFlag flag = 0;
    const auto sound = RenderMusic(music, waves, {}, &flag, errorText);
    if (sound == nullptr) {
        Require(flag != 0 || !errorText.empty());
        return 0;
    }
    Require(sound->GetWaveFileProps() == music.GetWaveFileProps());
    if (extent.Lead + extent.Tail > 0) {
        Require(sound->GetValues() == BufferSamples(sound->Freq, extent.Lead + extent.Tail));
    }
    return 0;
}
