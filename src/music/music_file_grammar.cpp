// The grammars of the music file, versions "7.1" and "7.0".
#include "music/music_file.h"

namespace kalvora {
namespace {

using namespace dtd;

TDTDNode PartNodeGrammar() {
    return Element("PartNode", Optional(Text("PartLabel")), Optional(Empty("Expanded")),
                   Optional(Empty("Selected")));
}

TDTDNode StickChoice() {
    return Optional(Choice(Empty("NoteStickUp"), Empty("NoteStickDown")));
}

TDTDNode ShapeChoice() {
    return Choice(Empty("NoteShapeNormal"), Empty("NoteShapeRectangle"));
}

TDTDNode NoteShiftChoice() {
    return Optional(Choice(Empty("ShiftDoubleMol"), Empty("ShiftMol"), Empty("ShiftNormal"),
                           Empty("ShiftCross"), Empty("ShiftDoubleCross")));
}

TDTDNode TupletChoice() {
    return Optional(Choice(Empty("Duool"), Empty("Triool"), Empty("Kwartool"), Empty("Kwintool")));
}

// Shared by both versions.
const TDTDNode& KeyGrammar() {
    static const TDTDNode grammar =
        Element("Key", Text("Position"), Text("KeyKind"), Optional(Text("OctavesUp")),
                ZeroOrMore(Element("KeyNoteShift", Choice(Empty("ShiftCross"), Empty("ShiftMol")),
                                   Text("Height"))));
    return grammar;
}

const TDTDNode& CompoundPlayerGrammar() {
    static const TDTDNode grammar = [] {
        const auto sampler = [](const char* name) {
            return Element(name, Text("BasicFreq"), Text("SampleWave"), Optional(Text("FreqUp")),
                           Text("VolumeFactor"));
        };
        const auto waveForm = [](const char* name) {
            return Element(name, Text("SampleWave"), Optional(Text("FreqUp")),
                           Text("VolumeFactor"));
        };
        return Element(
            "CompoundPlayer",
            OneOrMore(Choice(sampler("SimpleOneSampler"), sampler("RollOutSampler"),
                             Element("ResonantSampler", Text("ResFactor"), Text("SampleWave"),
                                     Optional(Text("FreqUp")), Text("VolumeFactor")),
                             waveForm("RepeatWaveForm"), waveForm("RollOutWaveForm"))));
    }();
    return grammar;
}

}  // namespace

const TDTDNode& MusicGrammar71() {
    static const TDTDNode grammar = [] {
        const TDTDNode partNode = PartNodeGrammar();
        const TDTDNode bar =
            Element("Bar", Text("Count"), Text("Length"), Optional(Text("CountFirstBar")));
        const TDTDNode parts =
            OneOrMore(Choice(Element("SingleMuzPart", bar, partNode), Empty("ConcatMuzPart"),
                             Element("LoopMuzPart", Text("Count"), partNode),
                             Element("SelectMuzPart",
                                     ZeroOrMore(Element("SelectMuzPartTurn", Text("Count"),
                                                        Optional(Text("Pitch")), partNode)),
                                     partNode)));
        const TDTDNode silence =
            Element("Silence", Text("Position"), Text("Length"), Optional(Text("Points")),
                    TupletChoice(), Optional(Text("PosInOol")));
        const TDTDNode note =
            Element("Note", Text("Position"), Text("Length"), Optional(Text("Points")),
                    Text("Height"), NoteShiftChoice(), TupletChoice(), Optional(Text("PosInOol")),
                    Optional(Choice(Empty("ArtStaccatissimo"), Empty("ArtStaccato"),
                                    Empty("ArtNormal"), Empty("ArtPortato"), Empty("ArtLegato"))),
                    StickChoice());
        const TDTDNode noteGroup =
            Element("NoteGroup", Text("NoteColor"), ShapeChoice(), StickChoice(),
                    CompoundPlayerGrammar(), OneOrMore(Element("NotePart", ZeroOrMore(note))));
        const TDTDNode stave = Element(
            "Stave", Text("RoomUp"), Text("RoomDown"), Optional(Empty("AllowJoinFlags")),
            Optional(Empty("Mute")), Optional(Empty("ExtraLines")), Text("ForegroundColor"),
            Text("BackgroundColor"),
            OneOrMore(Element("KeyPart", KeyGrammar(), ZeroOrMore(Choice(KeyGrammar(), silence)))),
            OneOrMore(noteGroup));
        return Element("UnitMuz", Text("Version"), Text("Tempo"), parts, OneOrMore(stave));
    }();
    return grammar;
}

const TDTDNode& MusicGrammar70() {
    static const TDTDNode grammar = [] {
        const TDTDNode silence =
            Element("Silence", Text("Position"), Text("Length"), Optional(Text("Points")));
        const TDTDNode note = Element("Note", Text("Position"), Text("Length"),
                                      Optional(Text("Points")), Text("Height"), NoteShiftChoice());
        const TDTDNode noteGroup =
            Element("NoteGroup", Text("NoteColor"), ShapeChoice(), StickChoice(),
                    CompoundPlayerGrammar(), ZeroOrMore(note));
        const TDTDNode stave =
            Element("Stave", Text("RoomUp"), Text("RoomDown"), Optional(Empty("AllowJoinFlags")),
                    Optional(Empty("AutoStick")), Optional(Empty("Mute")), Text("ForegroundColor"),
                    Text("BackgroundColor"), KeyGrammar(),
                    ZeroOrMore(Choice(KeyGrammar(), silence)), OneOrMore(noteGroup));
        return Element("UnitMuz", Text("Version"), Text("Tempo"),
                       Element("Bar", Text("Count"), Text("Length")), OneOrMore(stave));
    }();
    return grammar;
}

const TDTDItem* MusicGrammarFor(const std::string& version) {
    if (version == kMusicFileVersion) return MusicGrammar71().get();
    if (version == kMusicFileOldVersion) return MusicGrammar70().get();
    return nullptr;
}

}  // namespace kalvora
