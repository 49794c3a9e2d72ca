// What the player asks of the wave document it records into: its format, whether it is still
// empty, and taking the recorded sound. The wave document implements it; kalvora-cli and the
// tests have their own. Standard C++ and the sound engine only.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/sound.h"

namespace kalvora {

class RecordTarget {
  public:
    virtual ~RecordTarget() = default;

    // The rate, channel count and sample width the recording is made in.
    virtual waveFileProps RecordFormat() const = 0;
    // Samples per channel: only an empty document (0) is recorded into.
    virtual std::int64_t RecordSampleCount() const = 0;
    // The recording has ended: sound, in RecordFormat(), replaces the document's empty
    // sound without an undo record; the window refreshes and the document is marked changed.
    virtual void TakeRecording(std::unique_ptr<Sound> sound) = 0;
};

}  // namespace kalvora
