// The names, usage lines and summaries of the verbs that need the Qt layer (the player and
// the pictures). Both their real registrations and kalvora-cli's forwarding ones take the
// texts from here, so "help" reads the same whichever program answers. Standard C++ only.
#pragma once

#include <string_view>

namespace kalvora::cli {

struct VerbTexts {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
};

inline constexpr VerbTexts kPlayTexts{
    "play", "play FILE.wav [--select BEGIN:END] [--maximal]",
    "play a WAV file, its selection or at maximal volume, and return when the play has ended"};

inline constexpr VerbTexts kRecordTexts{
    "record", "record OUT.wav --length TIME [--rate N] [--channels 1|2] [--bits 8|16]",
    "record from the sound input into a new WAV file of the given length and format (defaults "
    "44100 Hz, stereo, 16 bits)"};

inline constexpr VerbTexts kWaveformTexts{
    "waveform", "waveform IN.wav OUT.png [--size WxH] [--select BEGIN:END] [FIELD=TEXT ...]",
    "paints the whole wave as a wave window shows it (view settings as fields) into a PNG"};

inline constexpr VerbTexts kDiagramTexts{
    "diagram", "diagram IN.wav OUT.png [FIELD=TEXT ...]",
    "computes the volume diagram of a WAV file (diagram settings as fields) into a PNG, one pixel "
    "per cell"};

inline constexpr VerbTexts kScoreTexts{
    "score", "score IN.kvm OUT.png [--size WxH]",
    "draws the staff notation of a music file into a PNG (without --size the whole piece, at "
    "most 4000x4000)"};

}  // namespace kalvora::cli
