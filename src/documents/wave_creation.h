// The ways a wave document comes into being: New wave, opening a WAV file (alone or from a
// project's temporary copy), Duplicate, and a document for a sound made elsewhere (music
// rendering, split, merge). Each returns the document, or nullptr after a message; the
// caller (the frame) creates its window, links it (LinkWindow) and registers it
// (TUnitRegistry::Activate).
#pragma once

#include <memory>
#include <string>

#include "documents/wave_document.h"
#include "sound/sound.h"

namespace kalvora {

class TWorkspace;

// "&New wave...": an empty sound of props, named "NONAME" + the next counter, no file.
std::unique_ptr<TUnitWave> NewWave(TWorkspace& workspace, const waveFileProps& props);

// A new document named "NONAME" + the next counter holding sound, without a file.
std::unique_ptr<TUnitWave> NamedWave(TWorkspace& workspace, std::unique_ptr<Sound> sound);

// "&Duplicate": a new named document holding the work range of source.
std::unique_ptr<TUnitWave> DuplicateWave(TUnitWave& source);

// Opens fileName with an empty name. With a temporary copy (projects): the copy is read
// when it exists; when neither it nor fileName exists the document starts as an empty
// stereo sound at 44100 Hz, 16 bits. A failed read shows
// "Cannot read the file: "<name>" <reason>" and returns nullptr. The shadow file (the
// copy's when it exists, else the file's) is read; its failure is reported but the document
// stays. A document opened from a copy is marked changed. With keepLoading, TrackChanges
// stays off until the caller switches it on.
std::unique_ptr<TUnitWave> OpenWave(TWorkspace& workspace, const std::string& fileName,
                                    const std::string& tempFileName = {}, bool keepLoading = false);

}  // namespace kalvora
