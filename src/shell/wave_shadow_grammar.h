// The grammar of a wave's shadow file (document element UnitWave, version "8.0"), which keeps
// beside a WAV file everything the WAV file cannot hold. Core code: the XML layer only.
#pragma once

#include <string_view>

#include "xml/xml_grammar.h"

namespace kalvora {

// The only version of the shadow file this program reads and writes.
inline constexpr std::string_view kShadowFileVersion = "8.0";

//   UnitWave: (Version: text,
//              (ValueDraw: (Part: (WavePos: text, WavePos: text) | Cursor: (WavePos: text))
//               | UserDraw: ((DrawLinear: empty | DrawParabola: empty),
//                            DrawPoint: (Position: text, WaveValue: text)*, DrawLength: text)),
//              SplitPosition: text, View: (Zoom: (WavePos: text, WavePos: text))?, View: (...),
//              (ShowWave: empty | ShowVolume: empty), ViewWave: (...), ViewVolume: (...),
//              EmptyWave: ((Mono: empty | Stereo: empty), SampleFreq: text,
//                          BytesPerSample: text)?)
const TDTDNode& UnitWaveGrammar();

}  // namespace kalvora
