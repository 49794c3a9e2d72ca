// Helpers for the tests that play and record through the private sound server of ./test:
// the skip when there is none, tones to play, finding a tone in a recording by its peak and
// length, and letting the event loop run until something has happened.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "sound/sound.h"
#include "sound/wave_file.h"

// Skips the test when ./test could not start its sound server.
#define KALVORA_REQUIRE_SOUND_SERVER()                                                  \
    do {                                                                                \
        if (std::getenv("KALVORA_SOUND_SERVER") == nullptr) {                           \
            GTEST_SKIP() << "no private sound server (KALVORA_SOUND_SERVER is unset): " \
                            "./test starts one when pulseaudio is installed";           \
        }                                                                               \
    } while (false)

namespace kalvora::testing {

// The audio classes need an application object; a test binary without one gets one for the
// rest of the process.
inline void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "kalvora-tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* const application = new QCoreApplication(argc, argv);
    (void)application;
}

// A sine tone of the given length, frequency and amplitude in every channel.
inline std::unique_ptr<Sound> Tone(const waveFileProps& format, double seconds, double hertz,
                                   int amplitude) {
    ErrorFlag error = 0;
    const auto n = static_cast<std::int32_t>(seconds * format.Freq);
    std::unique_ptr<Sound> sound = MakeEmptySound(format)->MakeSilence(&error, n);
    for (int c = 0; c < format.MoSt; ++c) {
        const Wave& wave = c == 0 ? sound->GetLeftWave() : sound->GetRightWave();
        for (std::int32_t i = 0; i < n; ++i) {
            wave.wave[i] =
                static_cast<std::int16_t>(amplitude * std::sin(2 * M_PI * hertz * i / format.Freq));
        }
    }
    return sound;
}

inline void WriteTone(const std::filesystem::path& file, const waveFileProps& format,
                      double seconds, double hertz, int amplitude) {
    std::unique_ptr<Sound> tone = Tone(format, seconds, hertz, amplitude);
    ErrorFlag error = 0;
    ASSERT_TRUE(WriteWaveFile(*tone, &error, file, 0, tone->GetValues()));
}

// Where a recording is louder than threshold (over all channels), and how loud it gets.
struct ToneSpan {
    std::int32_t peak = 0;
    std::int32_t first = -1;  // the first and last loud sample; -1 when there is none
    std::int32_t last = -1;
    double Seconds(int rate) const { return first < 0 ? 0.0 : double(last - first + 1) / rate; }
};

inline ToneSpan FindTone(const Sound& sound, int threshold) {
    ToneSpan span;
    for (const Wave* wave : {&sound.GetLeftWave(), &sound.GetRightWave()}) {
        for (std::int32_t i = 0; i < wave->values; ++i) {
            const int value = std::abs(int{wave->wave[i]});
            span.peak = std::max(span.peak, value);
            if (value > threshold) {
                if (span.first < 0 || i < span.first) span.first = i;
                span.last = std::max(span.last, i);
            }
        }
    }
    return span;
}

// Runs the event loop until done() holds or seconds have passed; returns done().
inline bool WaitFor(const std::function<bool()>& done, double seconds) {
    QDeadlineTimer deadline(static_cast<qint64>(seconds * 1000));
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired()) loop.quit();
    });
    if (done()) return true;
    poll.start(5);
    loop.exec();
    return done();
}

// Lets the event loop run for a while.
inline void Idle(double seconds) {
    WaitFor([] { return false; }, seconds);
}

}  // namespace kalvora::testing
