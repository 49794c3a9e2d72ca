#include "music/music_generation.h"

#include <algorithm>

#include "music/note_stave.h"
#include "music/one_player.h"

#include "music/compound_player.h"
#include "music/part_tree.h"
#include "music/single_part_muz.h"
#include "music/stave_time_symbol.h"
#include "music/unit_muz.h"
#include "platform/messages.h"
#include "sound/sample_memory.h"

namespace kalvora {
namespace {

constexpr std::string_view kCannotCreateMusic = "Cannot create music: ";

// Walks the notes of every single part a pass reaches, as the filter selects them, and
// hands each to Visit with the moment the note starts (tempo × its start time + the part's
// start) and its request.
class TNoteWalk : public TSinglePartRenderer {
  public:
    TNoteWalk(const TSynthesisContext& context, const TGenerationFilter& filter, double tempo)
        : context_(context), filter_(filter), tempo_(tempo) {}

    bool RenderSinglePart(const TSinglePartMuz& part, double t0, int transposition,
                          std::string& errorText) override {
        for (TStaveSymbol* symbol = part.FirstSymbol(); symbol != nullptr; symbol = symbol->Next) {
            const TMuzNote* note = AsNote(symbol);
            if (note == nullptr || !Selected(*note) || note->GetCompoundPlayer() == nullptr) {
                continue;
            }
            const TNoteRequest request{TransposedPeriod(note->GetPeriod(), transposition),
                                       note->GetPlayLength(), tempo_};
            const double start = tempo_ * note->GetStartTime() + t0;
            if (!Visit(*note->GetCompoundPlayer(), request, start, errorText)) return false;
        }
        return true;
    }

  protected:
    virtual bool Visit(const TCompoundPlayer& player, const TNoteRequest& request, double start,
                       std::string& errorText) = 0;

    const TSynthesisContext& context_;

  private:
    bool Selected(const TMuzNote& note) const {
        if (filter_.Group != nullptr) return note.GetNoteGroup() == filter_.Group;
        if (filter_.Stave != nullptr) return note.GetNoteStave() == filter_.Stave;
        return !note.IsMuted();
    }

    const TGenerationFilter& filter_;
    double tempo_;
};

// The extent pass: the largest lead before time 0 and the furthest end.
class TExtentWalk final : public TNoteWalk {
  public:
    using TNoteWalk::TNoteWalk;
    TMusicExtent Extent;

  private:
    bool Visit(const TCompoundPlayer& player, const TNoteRequest& request, double start,
               std::string& errorText) override {
        TPlayerOffsets offsets;
        if (!GetCompoundOffsets(player, request, context_, offsets, errorText)) return false;
        Extent.Lead = std::max(Extent.Lead, -(start - offsets.Start));
        Extent.Tail = std::max(Extent.Tail, start + offsets.End);
        return true;
    }
};

// The render pass: every note's sound mixed into the target.
class TMixWalk final : public TNoteWalk {
  public:
    TMixWalk(const TSynthesisContext& context, const TGenerationRequest& request, double tempo,
             Sound& target, double total)
        : TNoteWalk(context, request.Filter, tempo),
          progress_(request.Progress),
          target_(target),
          total_(total) {}

  private:
    bool Visit(const TCompoundPlayer& player, const TNoteRequest& request, double start,
               std::string& errorText) override {
        TPlayerOffsets offsets;
        TPlayerSound sound;
        if (!GetCompoundOffsets(player, request, context_, offsets, errorText) ||
            !GetCompoundSound(player, request, context_, sound, errorText)) {
            return false;
        }
        if (sound.NoteSound != nullptr) {
            const std::int64_t at = SamplePosition(target_.Freq, start - offsets.Start);
            if (at < target_.GetValues()) {
                target_.MixAfter(context_.Error, *sound.NoteSound, static_cast<std::int32_t>(at),
                                 sound.Volume);
            }
        }
        if (ErrorIsSet(context_.Error)) return false;
        if (progress_) progress_(std::clamp(start, 0.0, total_), total_);
        return true;
    }

    const TGenerationProgress& progress_;
    Sound& target_;
    double total_;
};

TPartMuz& StartOf(TUnitMuz& music, const TGenerationRequest& request) {
    return request.From != nullptr ? *request.From : music.Root();
}

waveFileProps TargetFormat(const TUnitMuz& music) {
    waveFileProps format = music.GetWaveFileProps();
    format.MoSt = format.MoSt == 1 ? 1 : 2;
    return format;
}

}  // namespace

bool MeasureMusic(TUnitMuz& music, const TSampleWaves& waves, const TGenerationRequest& request,
                  TMusicExtent& extent, std::string& errorText) {
    ErrorFlag unused = 0;
    const TSynthesisContext context{waves, &unused, TargetFormat(music)};
    const double tempo = music.Tempo.GetValue();
    TExtentWalk walk(context, request.Filter, tempo);
    const bool ok = GenerateParts(StartOf(music, request), walk, tempo, 0, errorText);
    extent = ok ? walk.Extent : TMusicExtent{};
    return ok;
}

std::unique_ptr<Sound> RenderMusic(TUnitMuz& music, const TSampleWaves& waves,
                                   const TGenerationRequest& request, ErrorFlag* error,
                                   std::string& errorText) {
    errorText.clear();
    if (ErrorIsSet(error)) return nullptr;
    TMusicExtent extent;
    if (!MeasureMusic(music, waves, request, extent, errorText)) return nullptr;
    const waveFileProps format = TargetFormat(music);
    std::unique_ptr<Sound> empty = MakeEmptySound(format);
    if (extent.Lead == 0 && extent.Tail == 0) return empty;
    const double total = extent.Lead + extent.Tail;
    const std::int64_t length = BufferSamples(format.Freq, total);
    if (length < 0) {
        ReportAllocationFailure(error);
        return nullptr;
    }
    std::unique_ptr<Sound> target = empty->MakeSilence(error, static_cast<double>(length));
    if (target == nullptr || ErrorIsSet(error)) return nullptr;
    const TSynthesisContext context{waves, error, format};
    const double tempo = music.Tempo.GetValue();
    TMixWalk walk(context, request, tempo, *target, total);
    if (!GenerateParts(StartOf(music, request), walk, tempo, extent.Lead, errorText) ||
        ErrorIsSet(error)) {
        return nullptr;
    }
    return target;
}

std::unique_ptr<Sound> GenerateWave(TUnitMuz& music, const TSampleWaves& waves,
                                    const TGenerationRequest& request, ErrorFlag* error) {
    std::string errorText;
    std::unique_ptr<Sound> sound = RenderMusic(music, waves, request, error, errorText);
    if (sound == nullptr && !errorText.empty()) {
        platform::ShowMessage(std::string(kCannotCreateMusic) + errorText, platform::caption::error,
                              platform::MessageIcon::information);
    }
    return sound;
}

std::vector<std::string> SampleWaveNames(const TUnitMuz& music) {
    std::vector<std::string> names;
    for (const TNoteStave* stave = music.Staves().FirstStave(); stave != nullptr;
         stave = stave->Next) {
        for (const TNoteGroup* group = stave->StartNoteGroup; group != nullptr;
             group = group->Next) {
            for (const TOnePlayer* player = group->GetCompoundPlayer().GetStartOnePlayer();
                 player != nullptr; player = player->Next) {
                const unitUnitWave* wave = player->OnePlayerProps.ActiveSampleWave();
                if (wave == nullptr || wave->IsEmpty()) continue;
                if (std::find(names.begin(), names.end(), wave->GetName()) == names.end()) {
                    names.push_back(wave->GetName());
                }
            }
        }
    }
    return names;
}

std::unique_ptr<Sound> MakeNoteSound(const TMuzNote& note, double tempo, const TSampleWaves& waves,
                                     const waveFileProps& format, ErrorFlag* error,
                                     std::string& errorText) {
    errorText.clear();
    const TCompoundPlayer* player = note.GetCompoundPlayer();
    if (player == nullptr || ErrorIsSet(error)) return nullptr;
    const TSynthesisContext context{waves, error, format};
    const TNoteRequest request{note.GetPeriod(), note.GetPlayLength(), tempo};
    TPlayerSound sound;
    if (!GetCompoundSound(*player, request, context, sound, errorText) ||
        sound.NoteSound == nullptr) {
        return nullptr;
    }
    if (sound.Volume == 1.0) return std::move(sound.NoteSound);
    return sound.NoteSound->Scale(error, sound.Volume, 0, sound.NoteSound->GetValues());
}

}  // namespace kalvora
