// File > Import... and File > Export...: other programs' sound files (WAV in every variant,
// FLAC, Ogg, MP3) read into a new wave document, and a document written out as WAV, FLAC or
// Ogg Vorbis, through the workspace's sound codec. The WAV reader of Open stays as it is.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "documents/wave_document.h"
#include "sound/sound_export.h"

namespace kalvora {

class TWorkspace;

inline constexpr std::string_view kImportCaption = "Import";
// Added to Open's refusal of a file that Import reads.
inline constexpr std::string_view kUseImportHint =
    "Kalvora can import this file: use File > Import to convert it.";

// A new document holding the imported sound, 16 bits at the file's rate, without a file of
// its own (Save asks for a WAV name). It is named after the file when no open document has
// that name, else "NONAME" + the next counter. A file that cannot be imported shows
// "Cannot import the file: "<name>" <reason>" (caption "File Error") and gives nullptr;
// clipped samples are reported after a successful import.
std::unique_ptr<TUnitWave> ImportWave(TWorkspace& workspace, const std::string& fileName);

// Writes the document's work range (the selection, or the whole wave without one). A
// failure shows "Cannot export the wave to "<name>": <reason>" (caption "File Error").
// The document itself does not change: neither its file name nor its change marks.
bool ExportWave(TUnitWave& document, const std::string& fileName, const ExportChoices& choices);

// Whether Import could read a file (for Open's hint).
bool CanImport(const TWorkspace& workspace, const std::string& fileName);

}  // namespace kalvora
