#include "shell/wave_shadow_grammar.h"

#include "shell/view_settings_xml.h"

namespace kalvora {

const TDTDNode& UnitWaveGrammar() {
    using namespace dtd;
    static const TDTDNode grammar = [] {
        const TDTDNode twoPositions = Sequence(Text("WavePos"), Text("WavePos"));
        const TDTDNode valueDraw = Element(
            "ValueDraw", Choice(Element("Part", twoPositions), Element("Cursor", Text("WavePos"))));
        const TDTDNode userDraw =
            Element("UserDraw", Choice(Empty("DrawLinear"), Empty("DrawParabola")),
                    ZeroOrMore(Element("DrawPoint", Text("Position"), Text("WaveValue"))),
                    Text("DrawLength"));
        const TDTDNode view = Element("View", Optional(Element("Zoom", twoPositions)));
        const TDTDNode emptyWave = Element("EmptyWave", Choice(Empty("Mono"), Empty("Stereo")),
                                           Text("SampleFreq"), Text("BytesPerSample"));
        return Element("UnitWave", Text("Version"), Choice(valueDraw, userDraw),
                       Text("SplitPosition"), view, view,
                       Choice(Empty("ShowWave"), Empty("ShowVolume")), ViewWaveGrammar(),
                       ViewVolumeGrammar(), Optional(emptyWave));
    }();
    return grammar;
}

}  // namespace kalvora
