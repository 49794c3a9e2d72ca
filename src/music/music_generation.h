// Rendering music into sound: the whole music document (or one subtree of its parts) into
// one new sound in the document's wave format, and one note for "Play Note" and auto-play.
//
// Generation runs in two passes over the part tree. The extent pass finds how much sound
// lies before the music's start (attacks) and how far it reaches; the target is then made
// silent once at that length, and the render pass mixes every note's sound into it at
// tempo × start time + the part's start − the note's attack. Memory is the one target and
// one note's sound at a time. Standard C++ only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "music/note_synthesis.h"
#include "music/sample_waves.h"
#include "sound/error_flag.h"
#include "sound/sound.h"

namespace kalvora {

class TMuzNote;
class TNoteGroup;
class TNoteStave;
class TPartMuz;
class TUnitMuz;

// Which notes a generation renders. With neither filter, every note whose stave is not
// muted; with a stave, only that stave's notes, muted or not ("Play Stave"); with a group,
// only that note group's notes ("Play Note Group").
struct TGenerationFilter {
    const TNoteStave* Stave = nullptr;
    const TNoteGroup* Group = nullptr;
};

// How far the rendering got: seconds of the result done so far, of total.
using TGenerationProgress = std::function<void(double done, double total)>;

struct TGenerationRequest {
    TGenerationFilter Filter;
    // The subtree to render ("Play Subtree"); null for the whole music.
    TPartMuz* From = nullptr;
    // Called after every note; may be empty.
    TGenerationProgress Progress;
};

// What lies before time 0 (Lead, attacks) and the furthest end (Tail), in seconds.
struct TMusicExtent {
    double Lead = 0;
    double Tail = 0;
};

// The extent pass alone. False with errorText (a missing sample wave) on failure.
bool MeasureMusic(TUnitMuz& music, const TSampleWaves& waves, const TGenerationRequest& request,
                  TMusicExtent& extent, std::string& errorText);

// Renders the music into a new sound: mono when the document's MoSt is 1, else stereo, at
// its Freq and BytesPSample; an empty sound when nothing sounds. On failure null: errorText
// says why ("Cannot find window "<name>"."), or is empty when the abort flag stopped the
// work (exhausted memory has then been reported already). Every loop is back at turn 1
// afterwards.
std::unique_ptr<Sound> RenderMusic(TUnitMuz& music, const TSampleWaves& waves,
                                   const TGenerationRequest& request, ErrorFlag* error,
                                   std::string& errorText);

// MusicGenerate, "Play Stave", "Play Note Group" and "Play Subtree": RenderMusic, and on
// failure with a reason the message "Cannot create music: <reason>" (caption "Error").
std::unique_ptr<Sound> GenerateWave(TUnitMuz& music, const TSampleWaves& waves,
                                    const TGenerationRequest& request, ErrorFlag* error);

// The names of the sample waves the players of every note group use (each player's active
// kind), without repeats, in stave, group and player order; empty names are left out.
std::vector<std::string> SampleWaveNames(const TUnitMuz& music);

// MusicPlayNote and auto-play: the note's sound from its group's compound player with no
// transposition, at the given tempo (the document's), with the player's volume applied so
// that the note sounds as loud as in the generated wave. Null when the note makes no sound
// or on failure; then errorText says why (empty when the flag stopped the work).
std::unique_ptr<Sound> MakeNoteSound(const TMuzNote& note, double tempo, const TSampleWaves& waves,
                                     const waveFileProps& format, ErrorFlag* error,
                                     std::string& errorText);

}  // namespace kalvora
