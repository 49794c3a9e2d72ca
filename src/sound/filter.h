// The settings the time-domain filters of Wave and Sound take: which output a filter gives,
// and frequencies and widths that are either constant or follow an envelope wave. Also the
// mapping of envelope values to frequencies and widths, which the dialogs use to check what
// an envelope can ask for. Standard C++ only.
#pragma once

#include <cstdint>

#include "sound/error_flag.h"

namespace kalvora {

class Wave;
class Sound;

// The cascade of first-order sections keeps the low or the high frequencies.
enum class LowHighKind { low, high };
// The damped oscillator gives its own output (resonant) or the input minus it (notch).
enum class ResNotchKind { resonant, notch };

// A filter frequency: a constant period in samples, or an envelope wave read at the
// position of each sample whose values give the frequency (EnvelopeFrequency) and, at the
// sample rate rate, the period rate / frequency.
struct FilterFrequency {
    double period = 0;
    const Wave* envelope = nullptr;
    double rate = 0;

    static FilterFrequency Constant(double period) { return {period, nullptr, 0}; }
    static FilterFrequency Envelope(const Wave& envelope, double rate) {
        return {0, &envelope, rate};
    }
};

// A resonator width from 0 to 1: constant, or read from an envelope (EnvelopeWidth).
struct FilterWidth {
    double width = 0;
    const Wave* envelope = nullptr;

    static FilterWidth Constant(double width) { return {width, nullptr}; }
    static FilterWidth Envelope(const Wave& envelope) { return {0, &envelope}; }
};

// The frequency in hertz of a frequency envelope's value v, truncated first: 20·10^((v +
// 32768)/21845), so that -32768 is 20 Hz and 32767 is 20000 Hz on a logarithmic scale.
double EnvelopeFrequency(double value);
// The width of a width envelope's value v, truncated first: (v + 32768)/65536.
double EnvelopeWidth(double value);

// The highest frequency a frequency envelope asks for when it filters a sound of
// channelCount channels: the frequency of the largest value of the envelope waves that feed
// those channels (interpolation never exceeds it). Requires envelope.GetValues() > 0.
double HighestEnvelopeFrequency(ErrorFlag* error, int channelCount, const Sound& envelope);

}  // namespace kalvora
