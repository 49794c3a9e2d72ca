// The effect table: one entry per generator and effect command, each naming its parameter
// record (the fields, effect_field.h), the check its dialog makes after the fields, the
// range of the document it works on, and its sound operation with the way the arguments are
// derived from the record and the document. The frame's command handlers, the effect
// dialogs (effect_dialog.h) and kalvora-cli all read the same entry; the documents keep one
// record per entry (effect_record.h). Standard C++, the sound engine and the documents only.
//
// Adding an effect is adding an entry to the function of its family (generator_effects.cpp
// for the generators); a new family adds its function to EffectTable() in effect_table.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "documents/draw_nodes.h"
#include "documents/effect_field.h"
#include "documents/effect_record.h"
#include "documents/sample_range.h"
#include "sound/error_flag.h"
#include "sound/sound.h"

namespace kalvora {

// The range of the document a command works on, and what is selected afterwards.
enum class TEffectRange : std::uint8_t {
    insert,        // SelMin .. SelMax (a cursor inserts); the new material is selected
    work,          // SelStart .. SelEnd (the whole wave with a cursor); the selection stays
    workSelected,  // SelStart .. SelEnd; the range the operation returns is selected
    whole,         // the whole sound, whatever is selected; the selection stays
};

// The facts of the document a command runs on, for the checks and the arguments.
struct TEffectContext {
    int freq = 44100;         // samples per second
    short moSt = 2;           // 1 mono, 2 stereo
    std::int32_t values = 0;  // samples per channel
    TSampleRange work;        // SelStart .. SelEnd
    TSampleRange insert;      // SelMin .. SelMax
    // The open wave documents, for checks that read a chosen document (its length); null
    // outside a dialog.
    const WaveRegistry* waves = nullptr;

    // The duration of the work range in seconds (S of the effects).
    double SelSeconds() const { return static_cast<double>(work.Length()) / freq; }

    // The sound of the open wave document of that name, for checks that look at a chosen
    // envelope; unset (or nullptr) when there is none.
    std::function<const Sound*(std::string_view name)> findSound{};
    const Sound* FindSound(std::string_view name) const {
        return findSound ? findSound(name) : nullptr;
    }
};

// What an operation gets besides the sound: the record, the document's facts and the sounds
// of the record's wave fields, found just before the run.
class TEffectCall {
  public:
    TEffectCall(const TEffectRecord& record, const TEffectContext& context)
        : record_(record), context_(context) {}

    const TEffectRecord& Record() const { return record_; }
    const TEffectContext& Context() const { return context_; }

    // The sound of the document the named wave field chose. Only fields that were read
    // (TEffectRecord::IsActive) have one; asking for another is a programming error.
    const Sound& WaveSound(std::string_view field) const;
    void SetWaveSound(std::string_view field, std::shared_ptr<const Sound> sound);

  private:
    const TEffectRecord& record_;
    const TEffectContext& context_;
    std::map<std::string, std::shared_ptr<const Sound>, std::less<>> waves_;
};

// Builds the new sound from sound over [begin, end) with the document's error flag and sets
// end (and begin, where the material moves) to the range of the new material, as the
// document's command frame expects (wave_document.h). nullptr means failure.
using TEffectOperation =
    std::function<std::unique_ptr<Sound>(const TEffectCall& call, const Sound& sound,
                                         ErrorFlag* error, std::int32_t& begin, std::int32_t& end)>;

// The check the dialog makes after reading every field: the message to show under
// "Input Error" when the record is refused, or nothing.
using TEffectCheck =
    std::function<std::optional<std::string>(const TEffectRecord&, const TEffectContext&)>;

// Sets what the command sets itself in the record before the dialog shows (a selection
// time, the length a wave position is measured against).
using TEffectPrepare = std::function<void(TEffectRecord&, const TEffectContext&)>;

// What the command does while the document is drawn by hand: edits the nodes and the drawn
// length instead of the sound (no undo). Commands without it are disabled while drawing.
using TEffectDrawingEdit =
    std::function<void(const TEffectRecord&, TDrawNodes& nodes, double& drawLength)>;

// Why the command does nothing on a document (a balance of a stereo sound), or nothing
// when it works there.
using TEffectApplies = std::function<std::optional<std::string>(const TEffectContext&)>;

struct TEffectEntry {
    // The frame command's name, as the command table spells it: "MakeLine". Also the
    // command line's COMMAND (compared without regard to case).
    std::string_view command{};
    // The dialog's caption: "Make Line".
    std::string_view caption{};
    // One line for "kalvora-cli help".
    std::string_view summary{};
    // The record's fields in the dialog's order, which is also the order of the checks. An
    // effect without fields has no dialog.
    std::vector<TFieldSpec> fields{};
    TEffectRange range = TEffectRange::work;
    TEffectOperation operation{};
    TEffectCheck check{};          // optional
    TEffectPrepare prepare{};      // optional
    TEffectDrawingEdit drawing{};  // optional
    TEffectApplies applies{};      // optional: always applies

    bool IsGenerator() const { return range == TEffectRange::insert; }
    bool HasDialog() const { return !fields.empty(); }
    // The index of the named field (SameName), or -1.
    int FieldIndex(std::string_view name) const;
};

// Every entry, in the order of the frame's command table.
std::span<const TEffectEntry> EffectTable();
// The entry of the named command (SameName: "makeline" finds "MakeLine"), or nullptr.
const TEffectEntry* FindEffect(std::string_view command);

// The families of the table, one function per file.
std::vector<TEffectEntry> GeneratorEffects();      // generator_effects.cpp
std::vector<TEffectEntry> ToneGeneratorEffects();  // tone_generator_effects.cpp
std::vector<TEffectEntry> SimpleWaveEffects();     // simple_wave_effects.cpp
std::vector<TEffectEntry> FilterEffects();         // filter_effects.cpp
std::vector<TEffectEntry> ChannelEffects();        // channel_effects.cpp
std::vector<TEffectEntry> TempoPitchEffects();     // tempo_pitch_effects.cpp
std::vector<TEffectEntry> EchoEffects();           // echo_effects.cpp

}  // namespace kalvora
