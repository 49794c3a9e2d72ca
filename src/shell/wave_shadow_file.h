// The shadow file of a wave document: the ".kvw" file beside its WAV file that keeps the
// selection or cursor, the hand drawing, the window's split, zooms, shown display and view
// settings, and the format of a wave without samples. Written on every save, read when the
// wave is opened or reverted. Core code: the documents, the XML layer and the settings.
//
// Reading is done in two steps, so that a broken file changes nothing: the whole file is read
// and checked into a TWaveShadow, which is then applied to the document. kalvora-cli's check
// verb uses only the first step.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/draw_nodes.h"
#include "documents/wave_shadow_store.h"
#include "shell/wave_view_state.h"
#include "sound/sound.h"
#include "xml/xml_tree.h"

namespace kalvora {

class TUnitWave;

// A hand drawing as stored: its nodes in list order (not necessarily by position).
struct TShadowDrawing {
    TDrawKind kind = TDrawKind::linear;
    std::vector<TDrawNode> nodes;
    double length = 1.0;  // seconds
};

// Everything a shadow file holds.
struct TWaveShadow {
    // Without a drawing: the selection, the smaller end first; equal ends are a cursor.
    std::int32_t selectionBegin = 0;
    std::int32_t selectionEnd = 0;
    std::optional<TShadowDrawing> drawing;
    TWaveViewState views;
    // The format of a wave without samples (which has no WAV file).
    std::optional<waveFileProps> emptyWave;
};

// The largest sample rate a shadow file may give an empty wave.
inline constexpr int kMaximumShadowSampleFreq = 1000000;

// What document and its window would store now. Without a window the document's pending view
// state is taken, or the default views (unzoomed, waveform, default settings).
TWaveShadow ShadowOf(const TUnitWave& document);

std::unique_ptr<TXMLComplexElement> WriteUnitWave(const TWaveShadow& shadow);
// Reads a UnitWave element the grammar has matched. On failure returns false with
// "In <field>: <reason> At line <l>, column <c>." (or the settings readers' message).
bool ReadUnitWave(const TXMLItem& element, TWaveShadow& shadow, std::string& errorText);

// Reads and checks a whole shadow file. noFile when it does not exist; failed with the
// reason when it cannot be read, is not of version "8.0", does not fit the grammar or holds
// a value that cannot be used.
TShadowReadResult ReadShadowFile(const std::filesystem::path& fileName, TWaveShadow& shadow,
                                 std::string& errorText);
// The same for the bytes of a whole file (never noFile).
TShadowReadResult ReadShadowText(std::string_view bytes, TWaveShadow& shadow,
                                 std::string& errorText);

// Puts a shadow into document: the drawing or the selection (clamped to the sound), and the
// view state, kept in the document for its window (loading: see TWindowViewState). An
// empty wave's format comes back through sound, for the caller to put in place.
void ApplyShadow(const TWaveShadow& shadow, TUnitWave& document, bool loading,
                 std::unique_ptr<Sound>& sound);

// Writes document's shadow file; false with the writer's message.
bool WriteShadow(const TUnitWave& document, const std::string& fileName, std::string& errorText);
// Reads fileName into document (nothing changes unless the whole file is valid).
TShadowReadResult ReadShadow(TUnitWave& document, const std::string& fileName, bool loading,
                             std::unique_ptr<Sound>& sound, std::string& errorText);

// The store the frame installs in its workspace.
class TWaveShadowFiles final : public WaveShadowStore {
  public:
    bool Write(const TUnitWave& document, const std::string& shadowFileName,
               std::string& errorText) override;
    TShadowReadResult Read(TUnitWave& document, const std::string& shadowFileName, bool loading,
                           std::unique_ptr<Sound>& replacement, std::string& errorText) override;
};

}  // namespace kalvora
