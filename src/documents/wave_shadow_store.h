// The reader and writer of the shadow file that keeps, beside each WAV file, everything of a
// wave document that the WAV file cannot hold (selection, drawing, window and view settings,
// the format of an empty wave). The frame installs one in the workspace; without one, saving
// writes the WAV file only and opening reads no shadow file.
#pragma once

#include <memory>
#include <string>

#include "sound/sound.h"

namespace kalvora {

class TUnitWave;

enum class TShadowReadResult { noFile = 0, read = 1, failed = 2 };

class WaveShadowStore {
  public:
    virtual ~WaveShadowStore() = default;
    // Writes document's shadow file; false with the writer's message on failure.
    virtual bool Write(const TUnitWave& document, const std::string& shadowFileName,
                       std::string& errorText) = 0;
    // Reads shadowFileName into document. loading is set while a project is being loaded
    // (the window applies its view settings later). replacement receives a new empty sound
    // when the file describes an empty wave.
    virtual TShadowReadResult Read(TUnitWave& document, const std::string& shadowFileName,
                                   bool loading, std::unique_ptr<Sound>& replacement,
                                   std::string& errorText) = 0;
};

}  // namespace kalvora
