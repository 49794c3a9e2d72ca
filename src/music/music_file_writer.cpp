// Writing a music document as a version "7.1" file.
#include <cstdio>
#include <vector>

#include "documents/writers.h"
#include "music/music_file.h"
#include "music/part_tree.h"
#include "music/stave_list.h"
#include "music/stave_time_symbol.h"
#include "music/unit_muz.h"
#include "platform/messages.h"

namespace kalvora {
namespace {

std::string ColorHex(platform::Color color) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
    return text;
}

std::string IntegerText(int value) {
    return std::to_string(value);
}

// Positions are written with every digit they need, so that symbols meet exactly again after
// reading (a cut 100.03125 would leave a gap that breaks beams).
std::string PositionText(double position) {
    return WriteValueExact(position, DisplayUnit::none);
}

class MusicWriter {
  public:
    explicit MusicWriter(TUnitMuz& music) : music_(music) {}

    std::unique_ptr<TXMLComplexElement> Write() {
        auto root = std::make_unique<TXMLComplexElement>("UnitMuz");
        root->AddText("Version", std::string(kMusicFileVersion));
        root->AddText("Tempo", music_.Tempo.GetText());
        if (TPartMuz* top = music_.Root().GetPartMuz()) WritePart(*root, *top);
        parts_ = SingleParts(music_.Root());
        for (TNoteStave* stave = music_.Staves().FirstStave(); stave != nullptr;
             stave = stave->GetNext()) {
            WriteStave(*root, *stave);
        }
        return root;
    }

  private:
    void WritePartNode(TXMLComplexElement& parent, const TMusTreeItem& item, bool expanded) {
        TXMLComplexElement& node = parent.AddElement("PartNode");
        if (!item.GetLabel().empty()) node.AddText("PartLabel", item.GetLabel());
        if (expanded) node.AddElement("Expanded");
        if (music_.References().SelectedPart == &item) node.AddElement("Selected");
    }

    // Post-order: children first, so that the reader's stack holds them when the parent
    // comes.
    void WritePart(TXMLComplexElement& root, TPartMuz& part) {
        switch (part.GetPartMuzKind()) {
            case partMuzSingle: {
                auto& single = static_cast<TSinglePartMuz&>(part);
                TXMLComplexElement& element = root.AddElement("SingleMuzPart");
                const TMuzBar& bar = single.GetMuzBar();
                TXMLComplexElement& barElement = element.AddElement("Bar");
                barElement.AddText("Count", IntegerText(bar.CountNotes));
                barElement.AddText("Length", IntegerText(bar.NoteLength));
                if (bar.ExtraCount != 0)
                    barElement.AddText("CountFirstBar", IntegerText(bar.ExtraCount));
                WritePartNode(element, single, false);
                break;
            }
            case partMuzConcat: {
                auto& concat = static_cast<TConcatPartMuz&>(part);
                WritePart(root, *concat.GetFirstPart());
                WritePart(root, *concat.GetSecondPart());
                root.AddElement("ConcatMuzPart");
                break;
            }
            case partMuzLoop: {
                auto& loop = static_cast<TLoopPartMuz&>(part);
                WritePart(root, *loop.GetLoopPart());
                TXMLComplexElement& element = root.AddElement("LoopMuzPart");
                element.AddText("Count", IntegerText(loop.GetCount()));
                WritePartNode(element, loop, loop.Expanded != 0);
                break;
            }
            case partMuzSelect: {
                auto& select = static_cast<TSelectPartMuz&>(part);
                WritePart(root, *select.GetSelectPart());
                TXMLComplexElement& element = root.AddElement("SelectMuzPart");
                for (TCountSelectPartItem* turn = select.FirstTurnItem(); turn != nullptr;
                     turn = static_cast<TCountSelectPartItem*>(turn->GetNext())) {
                    TXMLComplexElement& turnElement = element.AddElement("SelectMuzPartTurn");
                    turnElement.AddText("Count", IntegerText(turn->GetCount()));
                    if (turn->GetPitch() != 0)
                        turnElement.AddText("Pitch", IntegerText(turn->GetPitch()));
                    WritePartNode(turnElement, *turn, false);
                }
                WritePartNode(element, select, select.Expanded != 0);
                break;
            }
            case partMuzStart:
                break;
        }
    }

    void WriteStave(TXMLComplexElement& root, const TNoteStave& stave) {
        TXMLComplexElement& element = root.AddElement("Stave");
        element.AddText("RoomUp", stave.RoomUp.GetText());
        element.AddText("RoomDown", stave.RoomDown.GetText());
        if (stave.DrawFlagKind == AllowJoinFlags) element.AddElement("AllowJoinFlags");
        if (stave.Mute != 0) element.AddElement("Mute");
        if (stave.ExtraLines != 0) element.AddElement("ExtraLines");
        element.AddText("ForegroundColor", ColorHex(stave.ForegroundColor));
        element.AddText("BackgroundColor", ColorHex(stave.BackgroundColor));
        for (TSinglePartMuz* part : parts_) {
            TXMLComplexElement& keyPart = element.AddElement("KeyPart");
            for (TStaveSymbol* s = part->FirstSymbol(); s != nullptr; s = s->GetNext()) {
                if (s->GetNoteStave() != &stave) continue;
                if (TKey* key = AsKey(s)) {
                    WriteKey(keyPart, *key);
                } else if (s->IsSilence()) {
                    WriteSilence(keyPart, static_cast<const TSilence&>(*s));
                }
            }
        }
        for (TNoteGroup* group = stave.GetStartNoteGroup(); group != nullptr;
             group = group->GetNext()) {
            WriteNoteGroup(element, *group);
        }
    }

    static void WriteKey(TXMLComplexElement& parent, const TKey& key) {
        TXMLComplexElement& element = parent.AddElement("Key");
        element.AddText("Position", PositionText(key.Position));
        element.AddText("KeyKind", key.KeyKind == keyKindF   ? "F"
                                   : key.KeyKind == keyKindC ? "C"
                                                             : "G");
        if (key.AddOctaves != 0) element.AddText("OctavesUp", IntegerText(key.AddOctaves));
        for (int index = 0; index < 7; ++index) {
            const auto shift = static_cast<TNoteShiftKind>(key.NoteShiftKinds[index]);
            if (shift != noteShiftKruis && shift != noteShiftMol) continue;
            TXMLComplexElement& shiftElement = element.AddElement("KeyNoteShift");
            shiftElement.AddElement(shift == noteShiftKruis ? "ShiftCross" : "ShiftMol");
            shiftElement.AddText("Height", IntegerText(index));
        }
    }

    static void WriteTiming(TXMLComplexElement& element, const TStaveTimeSymbol& symbol) {
        element.AddText("Position", PositionText(symbol.Position));
        element.AddText("Length", IntegerText(symbol.NoteLengthKind));
        if (symbol.Points > 0) element.AddText("Points", IntegerText(symbol.Points));
    }

    static void WriteTuplet(TXMLComplexElement& element, const TStaveTimeSymbol& symbol) {
        switch (symbol.GetMultiOol()) {
            case duool:
                element.AddElement("Duool");
                break;
            case triool:
                element.AddElement("Triool");
                break;
            case kwartool:
                element.AddElement("Kwartool");
                break;
            case kwintool:
                element.AddElement("Kwintool");
                break;
            default:
                break;
        }
        if (symbol.PosInOol > 0) element.AddText("PosInOol", IntegerText(symbol.PosInOol));
    }

    static void WriteSilence(TXMLComplexElement& parent, const TSilence& silence) {
        TXMLComplexElement& element = parent.AddElement("Silence");
        WriteTiming(element, silence);
        WriteTuplet(element, silence);
    }

    static void WriteStick(TXMLComplexElement& element, std::uint8_t stick) {
        if (stick == drawStickUp) element.AddElement("NoteStickUp");
        if (stick == drawStickDown) element.AddElement("NoteStickDown");
    }

    static void WriteNote(TXMLComplexElement& parent, const TMuzNote& note) {
        TXMLComplexElement& element = parent.AddElement("Note");
        WriteTiming(element, note);
        element.AddText("Height", IntegerText(note.Pitch));
        switch (note.NoteShiftKind) {
            case noteShiftDoubleMol:
                element.AddElement("ShiftDoubleMol");
                break;
            case noteShiftMol:
                element.AddElement("ShiftMol");
                break;
            case noteShiftKruis:
                element.AddElement("ShiftCross");
                break;
            case noteShiftDoubleKruis:
                element.AddElement("ShiftDoubleCross");
                break;
            default:
                break;
        }
        WriteTuplet(element, note);
        switch (note.ArtKind) {
            case artStaccatissimo:
                element.AddElement("ArtStaccatissimo");
                break;
            case artStaccato:
                element.AddElement("ArtStaccato");
                break;
            case artPortato:
                element.AddElement("ArtPortato");
                break;
            case artLegato:
                element.AddElement("ArtLegato");
                break;
            default:
                break;
        }
        WriteStick(element, note.DrawStickKind);
    }

    static void WriteOnePlayer(TXMLComplexElement& parent, const TOnePlayer& player) {
        const TOnePlayerProps& props = player.OnePlayerProps;
        TXMLComplexElement* element = nullptr;
        switch (props.NotePlayerKind) {
            case notePlayerRollOutSampler:
                element = &parent.AddElement("RollOutSampler");
                element->AddText("BasicFreq", props.RollOutSamplerProps.BasicFreq.GetText());
                break;
            case notePlayerResonantSampler:
                element = &parent.AddElement("ResonantSampler");
                element->AddText("ResFactor", props.ResonantSamplerProps.ResFactor.GetText());
                break;
            case notePlayerRepeatWaveForm:
                element = &parent.AddElement("RepeatWaveForm");
                break;
            case notePlayerRollOutWaveForm:
                element = &parent.AddElement("RollOutWaveForm");
                break;
            default:  // a one-player whose kind is not chosen yet is kept as a simple sampler
                element = &parent.AddElement("SimpleOneSampler");
                element->AddText("BasicFreq", props.SimpleSamplerProps.BasicFreq.GetText());
                break;
        }
        const unitUnitWave* wave = props.ActiveSampleWave();
        element->AddText("SampleWave", wave != nullptr
                                           ? wave->GetText()
                                           : props.SimpleSamplerProps.SampleWave.GetText());
        if (props.FreqUp.GetValue() != 0) element->AddText("FreqUp", props.FreqUp.GetText());
        element->AddText("VolumeFactor", props.VolumeFactor.GetText());
    }

    void WriteNoteGroup(TXMLComplexElement& stave, const TNoteGroup& group) {
        TXMLComplexElement& element = stave.AddElement("NoteGroup");
        element.AddText("NoteColor", ColorHex(group.NoteColor));
        element.AddElement(group.NoteShape == NoteShapeRectangle ? "NoteShapeRectangle"
                                                                 : "NoteShapeNormal");
        WriteStick(element, group.DrawStickKind);
        TXMLComplexElement& players = element.AddElement("CompoundPlayer");
        for (const TOnePlayer* player = group.GetCompoundPlayer().GetStartOnePlayer();
             player != nullptr; player = player->GetNext()) {
            WriteOnePlayer(players, *player);
        }
        for (TSinglePartMuz* part : parts_) {
            TXMLComplexElement& notePart = element.AddElement("NotePart");
            for (TStaveSymbol* s = part->FirstSymbol(); s != nullptr; s = s->GetNext()) {
                const TMuzNote* note = AsNote(s);
                if (note != nullptr && note->NoteGroup == &group) WriteNote(notePart, *note);
            }
        }
    }

    TUnitMuz& music_;
    std::vector<TSinglePartMuz*> parts_;
};

}  // namespace

std::unique_ptr<TXMLComplexElement> WriteMusic(TUnitMuz& music) {
    return MusicWriter(music).Write();
}

bool WriteMusicText(TUnitMuz& music, std::string& bytes, std::string& error) {
    const std::unique_ptr<TXMLComplexElement> root = WriteMusic(music);
    if (!root->CheckWritable(error)) return false;
    bytes.clear();
    root->WriteDocument(bytes);
    return true;
}

bool SaveMusicFile(TUnitMuz& music, const std::filesystem::path& fileName) {
    std::string error;
    if (!WriteMusic(music)->WriteFile(fileName, error)) {
        platform::ShowMessage("Cannot save Music: " + error, "FileError",
                              platform::MessageIcon::information);
        return false;
    }
    return true;
}

}  // namespace kalvora
