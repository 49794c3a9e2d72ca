// Random echo: a new sound made of copies of a whole sound, each changed by random amounts
// (volume, length, pitch, tempo, direction) and placed at a random time. The amounts come
// from the six dice of a Dicer; a manipulation "by envelope" reads a wave at a uniformly
// random place, so that the envelope's shape maps the uniform number to the distribution
// wanted. Standard C++ only.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/dicer.h"
#include "sound/error_flag.h"
#include "sound/sound.h"

namespace kalvora {

// How one manipulation draws its amount.
enum class RandomEchoDraw : std::uint8_t {
    unchanged,  // the manipulation is left out
    linear,     // uniform over its interval
    envelope,   // the envelope read at a uniform place
};

struct RandomEchoManipulation {
    RandomEchoDraw draw = RandomEchoDraw::unchanged;
    const Sound* envelope = nullptr;  // for draw == envelope; must hold samples
    int die = 0;                      // 0 .. Dicer::DICES - 1
};

struct RandomEchoSettings {
    std::int32_t count = 20;
    // Echoes wrap around the start of a result of one time difference.
    bool cyclable = false;
    double timeDifference = 1.0;  // seconds, >= 0: the span the echoes are placed in
    // time: linear or envelope (never unchanged); the others may be unchanged. length, pitch
    // and tempo know no linear draw (taken as unchanged).
    RandomEchoManipulation time{RandomEchoDraw::linear, nullptr, 0};
    RandomEchoManipulation volume{RandomEchoDraw::unchanged, nullptr, 1};
    RandomEchoManipulation length{RandomEchoDraw::unchanged, nullptr, 2};
    RandomEchoManipulation balance{RandomEchoDraw::unchanged, nullptr, 3};
    RandomEchoManipulation pitch{RandomEchoDraw::unchanged, nullptr, 4};
    RandomEchoManipulation tempo{RandomEchoDraw::unchanged, nullptr, 5};
    bool balanceTimeDifference = true;
    bool balanceVolume = true;   // the volume difference between the ears
    bool balanceFilter = false;  // the direction filter instead
    double freqFactor = 2.0;     // the pitch envelope's value is multiplied by it
    int quality = 0;             // 1: the high quality of tempo and pitch
    double blockSize = 0.04;     // seconds

    bool ChangesPitchOrTempo() const {
        return pitch.draw == RandomEchoDraw::envelope || tempo.draw == RandomEchoDraw::envelope;
    }
};

// The number of samples per channel of the result: trunc(M + 1) when cyclable, else
// trunc(n + M + 1 + Freq/3400), with M = Freq·timeDifference and n the sound's samples.
double RandomEchoLength(const Sound& sound, const RandomEchoSettings& settings);

// New: the echoes of the whole sound, rolled from dicer (the caller seeds it). Stereo when
// the sound is stereo or the balance is drawn, otherwise mono; the sound's rate and width.
// Each echo is mixed in at a place clamped into the result. Requires a time difference >= 0,
// a sound with samples and, when pitch or tempo is drawn, a block of at least one sample
// (two in high quality). A result longer than a wave can hold fails like exhausted memory.
std::unique_ptr<Sound> RandomEcho(ErrorFlag* error, const Sound& sound,
                                  const RandomEchoSettings& settings, Dicer& dicer);

}  // namespace kalvora
