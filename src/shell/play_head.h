// The play head: while a range of a wave plays, the sample being heard, taken from how far
// the audio player has played its file (the sound server's processed time, not a clock of
// our own); and the time shown in the status bar while playing ("elapsed / total") or
// recording ("elapsed"). Core code: standard C++ only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kalvora {

class TPlayHead {
  public:
    // A play of the samples begin .. end - 1 at rate freq started; document identifies the
    // wave that plays them (nullptr for a sound of no window, such as rendered music).
    void Started(const void* document, std::int32_t begin, std::int32_t end, int freq);
    // The play ended, was stopped or was replaced by a recording.
    void Ended() { playing_ = false; }

    bool Playing() const { return playing_; }
    const void* Document() const { return playing_ ? document_ : nullptr; }
    std::int32_t Begin() const { return begin_; }
    std::int32_t End() const { return end_; }
    double TotalSeconds() const;

    // The time heard so far, given the player's reading: never less than an earlier reading
    // of the same play, since a sound device that is being stopped may read 0 again.
    double Heard(double seconds);

    // The sample heard after seconds of play: begin + seconds·freq, kept inside the played
    // range; none when nothing plays.
    std::optional<double> SampleAt(double seconds) const;

  private:
    bool playing_ = false;
    const void* document_ = nullptr;
    std::int32_t begin_ = 0;
    std::int32_t end_ = 0;
    int freq_ = 0;
    double heard_ = 0.0;
};

// A time as the status bar shows it: "m:ss.t", tenths truncated ("0:00.0", "1:05.3",
// "62:00.0").
std::string PlayClockText(double seconds);
// "elapsed / total" while playing, elapsed kept within total.
std::string PlayTimeText(double elapsed, double total);
// "Recording " + elapsed.
std::string RecordTimeText(double elapsed);

}  // namespace kalvora
