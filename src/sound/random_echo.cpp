// Random echo (see random_echo.h).
#include "sound/random_echo.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/assertion.h"
#include "sound/wave.h"

namespace kalvora {
namespace {

// Freq / kEarRoom samples are kept free at the end for the time difference of the balance.
constexpr double kEarRoom = 3400;

// The echo being made: the sound itself until a manipulation makes a new one, which the
// echo then owns (and drops with the next).
class EchoCopy {
  public:
    explicit EchoCopy(const Sound& sound) : current_(&sound) {}

    const Sound& operator*() const { return *current_; }
    const Sound* operator->() const { return current_; }
    std::int32_t Values() const { return current_->GetValues(); }

    // Takes next as the echo; false when it could not be made.
    bool Become(std::unique_ptr<Sound> next) {
        if (!next) return false;
        owned_ = std::move(next);
        current_ = owned_.get();
        return true;
    }

  private:
    const Sound* current_;
    std::unique_ptr<Sound> owned_;
};

// A uniform place in the envelope: the die's value from 0 to 1, held at the last sample
// when the die leads past 1.
double UniformPlace(const Dicer& dicer, int die) {
    return std::clamp(dicer.Value(die, 1, 0), 0.0, 1.0);
}

// The manipulation's envelope read at a uniform place, mapped to bottom .. top.
double EnvelopeDraw(ErrorFlag* error, const RandomEchoManipulation& manipulation,
                    const Dicer& dicer, double top, double bottom) {
    return manipulation.envelope->GetEnvelopeValue(error, UniformPlace(dicer, manipulation.die),
                                                   top, bottom);
}

bool IsDrawn(const RandomEchoManipulation& manipulation) {
    return manipulation.draw == RandomEchoDraw::envelope ||
           manipulation.draw == RandomEchoDraw::linear;
}

// A mono sound reading wave in place (its array protected from release): the balance of a
// stereo echo works on its first channel without copying it.
std::unique_ptr<Sound> MonoView(const Wave& wave, const Sound& like) {
    auto view = std::make_unique<MonoSound>(Wave(const_cast<std::int16_t*>(wave.wave), wave.values),
                                            like.Freq, like.BytesPSample);
    view->SetProtectWave();
    return view;
}

bool ScaleVolume(ErrorFlag* error, EchoCopy& echo, const RandomEchoSettings& settings,
                 const Dicer& dicer) {
    const RandomEchoManipulation& volume = settings.volume;
    if (!IsDrawn(volume)) return true;
    const double factor = volume.draw == RandomEchoDraw::linear
                              ? dicer.Value(volume.die, 1, 0)
                              : EnvelopeDraw(error, volume, dicer, 1, -1);
    return echo.Become(echo->Scale(error, factor, 0, echo.Values()));
}

// Changes the length (a negative factor plays the echo backwards); room grows by what the
// echo lost.
bool ChangeLength(ErrorFlag* error, EchoCopy& echo, const RandomEchoSettings& settings,
                  const Dicer& dicer, double& room) {
    if (settings.length.draw != RandomEchoDraw::envelope || echo.Values() == 0) return true;
    const double factor = EnvelopeDraw(error, settings.length, dicer, 1, -1);
    const std::int32_t before = echo.Values();
    if (!echo.Become(echo->Resample(error, factor))) return false;
    room += before - echo.Values();
    return true;
}

bool ChangePitchAndTempo(ErrorFlag* error, EchoCopy& echo, const RandomEchoSettings& settings,
                         const Dicer& dicer, double& room) {
    if (!settings.ChangesPitchOrTempo() || echo.Values() == 0) return true;
    const double s = settings.tempo.draw == RandomEchoDraw::envelope
                         ? EnvelopeDraw(error, settings.tempo, dicer, 1, -1)
                         : 1;
    const double q = settings.pitch.draw == RandomEchoDraw::envelope
                         ? EnvelopeDraw(error, settings.pitch, dicer, 1, -1) * settings.freqFactor
                         : 1;
    const std::int32_t before = echo.Values();
    // A tempo of 0 would last forever: the echo is left out.
    auto next = s != 0 ? echo->TempoPitch(error, 1 / s, 0, std::fabs(s), q, settings.blockSize,
                                          settings.quality)
                       : echo->MakeEmpty();
    if (!echo.Become(std::move(next))) return false;
    room += before - echo.Values();
    return true;
}

bool PlaceBetweenTheEars(ErrorFlag* error, EchoCopy& echo, const RandomEchoSettings& settings,
                         const Dicer& dicer, double& room) {
    const RandomEchoManipulation& balance = settings.balance;
    if (!IsDrawn(balance)) return true;
    const double d = balance.draw == RandomEchoDraw::linear
                         ? dicer.Value(balance.die, 1, -1)
                         : EnvelopeDraw(error, balance, dicer, 1, -1);
    if (echo.Values() > 0) {
        const std::unique_ptr<Sound> first = MonoView(echo->GetLeftWave(), *echo);
        if (!echo.Become(first->Balance(error, d, settings.balanceTimeDifference,
                                        settings.balanceVolume, settings.balanceFilter))) {
            return false;
        }
    }
    room = std::trunc(room - echo->Freq / kEarRoom);
    return true;
}

// Where the echo goes: within the time difference (cyclable) or the room left for it, and
// always inside the result, whatever the die's lead or a room below zero.
std::int32_t EchoPlace(ErrorFlag* error, const RandomEchoSettings& settings, const Dicer& dicer,
                       double M, double room, std::int32_t resultLength) {
    const double limit = settings.cyclable ? M : room;
    const RandomEchoManipulation& time = settings.time;
    const double t = time.draw == RandomEchoDraw::envelope
                         ? EnvelopeDraw(error, time, dicer, limit, 0)
                         : dicer.Value(time.die, limit, 0);
    const double last = resultLength - 1;
    return static_cast<std::int32_t>(std::clamp(std::trunc(t), 0.0, last));
}

// Makes one echo and mixes it into result; false when something could not be made.
bool AddEcho(ErrorFlag* error, Sound& result, const Sound& sound,
             const RandomEchoSettings& settings, Dicer& dicer, double M) {
    double room = std::trunc(M);
    EchoCopy echo(sound);
    dicer.Roll();
    if (!ScaleVolume(error, echo, settings, dicer)) return false;
    if (!ChangeLength(error, echo, settings, dicer, room)) return false;
    if (!ChangePitchAndTempo(error, echo, settings, dicer, room)) return false;
    if (!PlaceBetweenTheEars(error, echo, settings, dicer, room)) return false;
    const std::int32_t at = EchoPlace(error, settings, dicer, M, room, result.GetValues());
    if (echo.Values() == 0) return !ErrorIsSet(error);
    if (settings.cyclable) {
        result.MixCycleAfterThis(error, *echo, at);
    } else {
        result.MixAfter(error, *echo, at);
    }
    return !ErrorIsSet(error);
}

}  // namespace

double RandomEchoLength(const Sound& sound, const RandomEchoSettings& settings) {
    const double M = sound.Freq * settings.timeDifference;
    if (settings.cyclable) return std::trunc(M + 1);
    return std::trunc(sound.GetValues() + M + 1 + sound.Freq / kEarRoom);
}

std::unique_ptr<Sound> RandomEcho(ErrorFlag* error, const Sound& sound,
                                  const RandomEchoSettings& settings, Dicer& dicer) {
    KALVORA_ASSERT(sound.GetValues() > 0 && settings.timeDifference >= 0);
    KALVORA_ASSERT(!settings.ChangesPitchOrTempo() ||
                   std::trunc(sound.Freq * settings.blockSize) >= (settings.quality == 1 ? 2 : 1));
    if (ErrorIsSet(error)) return nullptr;
    const double length = RandomEchoLength(sound, settings);
    if (!(length < std::numeric_limits<std::int32_t>::max())) {
        SetError(error);
        return nullptr;
    }
    const bool stereo = sound.MoSt == 2 || IsDrawn(settings.balance);
    const waveFileProps props{sound.Freq, static_cast<std::int16_t>(stereo ? 2 : 1),
                              sound.BytesPSample};
    auto result = MakeEmptySound(props)->MakeSilence(error, length);
    if (!result) return nullptr;
    const double M = sound.Freq * settings.timeDifference;
    for (std::int32_t i = 0; i < settings.count; ++i) {
        if (!AddEcho(error, *result, sound, settings, dicer, M)) return nullptr;
    }
    if (ErrorIsSet(error)) return nullptr;
    return result;
}

}  // namespace kalvora
