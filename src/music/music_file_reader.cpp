// Reading a music file of version "7.1" or "7.0" into an empty music document.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "music/music_file.h"
#include "music/music_math.h"
#include "music/part_tree.h"
#include "music/stave_list.h"
#include "music/stave_time_symbol.h"
#include "music/unit_muz.h"
#include "xml/xml_document.h"

namespace kalvora {
namespace {

const char* TupletName(TMultiOol multiOol) {
    switch (multiOol) {
        case duool:
            return "Duool";
        case triool:
            return "Triool";
        case kwartool:
            return "Kwartool";
        case kwintool:
            return "Kwintool";
        default:
            return nullptr;
    }
}

// A note of a version "7.0" stave, kept until the whole stave is read: its height is a
// staff position and its alteration may come from the key or an earlier note of its bar.
struct OldNote {
    const TXMLItem* element;
    TNoteGroup* group;
    double position;
    TTiming timing;
    int staffPosition;
    int shift;  // a TNoteShiftKind, or -1 when the file gives none
    int pitch = 0;
};

// What the reader knows of each part on the stack: how deep its subtree is and how often
// its loops play a single part at most.
struct PartShape {
    int depth = 1;
    long long turns = 1;
};

class MusicReader {
  public:
    MusicReader(TUnitMuz& music, bool old, std::string& error)
        : music_(music), old_(old), error_(error) {}

    bool Read(const TXMLItem& document) {
        TXMLChildCursor children(document);
        children.Take("Version");
        const TXMLItem& tempo = children.Take("Tempo");
        if (!ReadValue(music_.Tempo, tempo, "Tempo")) return false;
        if (music_.Tempo.GetValue() > kMaxMusicTempo) {
            return Fail(tempo, "In Tempo: A whole note can last at most " +
                                   std::to_string(static_cast<int>(kMaxMusicTempo)) + " seconds.");
        }
        auto root = std::make_unique<TStartPartMuz>(&music_);
        if (old_) {
            std::unique_ptr<TSinglePartMuz> part;
            if (!ReadBar(children.Take("Bar"), part)) return false;
            root->SetPartMuz(std::move(part));
        } else {
            if (!ReadPartTree(children, *root)) return false;
        }
        music_.SetRoot(std::move(root));
        parts_ = SingleParts(music_.Root());
        pending_.resize(parts_.size());
        while (const TXMLItem* stave = children.TakeIf("Stave")) {
            if (!ReadStave(*stave)) return false;
        }
        PlaceSymbols();
        TMusicReferences& references = music_.References();
        references.DialogStave = music_.Staves().FirstStave();
        SetSelectedSymbol(references, music_.Root().FirstSymbol());
        return true;
    }

  private:
    bool Fail(const TXMLItem& at, const std::string& text) {
        error_ = text + at.PositionText();
        return false;
    }

    bool ReadValue(unit& value, const TXMLItem& item, std::string_view label) {
        if (value.ReadText(item.GetString(), label, error_)) return true;
        error_ += item.PositionText();
        return false;
    }

    bool ReadInteger(const TXMLItem& item, std::string_view label, int& result) {
        unitInteger value(0);
        if (!ReadValue(value, item, label)) return false;
        result = value.GetValue();
        return true;
    }

    bool ReadPositiveInteger(const TXMLItem& item, std::string_view label, int& result) {
        unitIntegerPosMore value(1);
        if (!ReadValue(value, item, label)) return false;
        result = value.GetValue();
        return true;
    }

    bool ReadIntegerIn(const TXMLItem& item, std::string_view label, int low, int high,
                       int& result) {
        if (!ReadInteger(item, label, result)) return false;
        if (result >= low && result <= high) return true;
        return Fail(item, "In " + std::string(label) + ": The value must lie between " +
                              std::to_string(low) + " and " + std::to_string(high) + ".");
    }

    bool ReadLengthKind(const TXMLItem& item, std::string_view label, int& result) {
        if (!ReadInteger(item, label, result)) return false;
        if (IsLengthKind(result)) return true;
        return Fail(item,
                    "In " + std::string(label) + ": A length must be 1, 2, 4, 8, 16, 32 or 64.");
    }

    bool ReadPosition(const TXMLItem& item, std::string_view label, double& result) {
        unitFactorPos value(0.0, DisplayUnit::none);
        if (!ReadValue(value, item, label)) return false;
        result = value.GetValue();
        if (std::isfinite(result) && result >= 0 && result <= kMaxMusicPosition) return true;
        return Fail(item, "In " + std::string(label) + ": A position must lie between 0 and " +
                              std::to_string(static_cast<int>(kMaxMusicPosition)) +
                              " whole notes.");
    }

    bool ReadColor(const TXMLItem& item, platform::Color& color) {
        const std::string& text = item.GetString();
        unsigned long long value = 0;
        const char* last = text.data() + text.size();
        const auto [end, ec] = std::from_chars(text.data(), last, value, 16);
        if (text.empty() || end != last ||
            (ec != std::errc() && ec != std::errc::result_out_of_range)) {
            return Fail(
                item, "In " + item.GetElement() + ": Invalid Hexdecimal value: \"" + text + "\".");
        }
        if (ec == std::errc::result_out_of_range || value > 0xFFFFFFull) {
            return Fail(item, "In " + item.GetElement() +
                                  ": Color value must lie between 000000 and FFFFFF.");
        }
        color = static_cast<platform::Color>(value);
        return true;
    }

    // ---- The part tree ----

    bool ReadBar(const TXMLItem& bar, std::unique_ptr<TSinglePartMuz>& part) {
        TXMLChildCursor children(bar);
        int count = 0;
        int length = 0;
        int first = 0;
        if (!ReadIntegerIn(children.Take("Count"), "Bar Count", 1, 99, count)) return false;
        if (!ReadLengthKind(children.Take("Length"), "Bar Length", length)) return false;
        if (const TXMLItem* extra = children.TakeIf("CountFirstBar")) {
            if (!ReadIntegerIn(*extra, "Bar CountFirstBar", 0, count - 1, first)) return false;
        }
        part = std::make_unique<TSinglePartMuz>(&music_, length, count, first);
        return true;
    }

    bool ReadPartNode(const TXMLItem& node, TMusTreeItem& item, std::uint8_t* expanded) {
        TXMLChildCursor children(node);
        if (const TXMLItem* label = children.TakeIf("PartLabel")) item.SetLabel(label->GetString());
        const bool isExpanded = children.TakeIf("Expanded") != nullptr;
        if (expanded != nullptr) *expanded = isExpanded ? 1 : 0;
        if (const TXMLItem* selected = children.TakeIf("Selected")) {
            if (selectedSeen_) return Fail(*selected, "At most one Music Part can be selected.");
            selectedSeen_ = true;
            music_.References().SelectedPart = &item;
        }
        return true;
    }

    static std::string MissingChild(const char* kind, const char* child) {
        return std::string("Cannot built a ") + kind +
               " Music Part, there are no more Music Parts in the stack for the " + child +
               " while building the tree of Music Parts; The combination of Music Parts is "
               "wrong.";
    }

    // Pops a part with its shape; null when the stack is empty.
    std::unique_ptr<TPartMuz> Pop(PartShape& shape) {
        std::unique_ptr<TPartMuz> part = music_.PartMuzStack().Pop();
        if (part != nullptr) {
            shape = shapes_.back();
            shapes_.pop_back();
        }
        return part;
    }

    // Pushes a part; a tree nested deeper than the model's walks can follow is refused.
    bool Push(const TXMLItem& element, std::unique_ptr<TPartMuz> part, PartShape shape) {
        if (shape.depth > kMaxPartDepth) {
            return Fail(element, "The tree of Music Parts is nested deeper than " +
                                     std::to_string(kMaxPartDepth) + " levels.");
        }
        music_.PartMuzStack().Push(std::move(part));
        shapes_.push_back(shape);
        return true;
    }

    bool ReadPartElement(const TXMLItem& element) {
        const std::string& name = element.GetElement();
        TXMLChildCursor children(element);
        PartShape shape;
        if (name == "SingleMuzPart") {
            std::unique_ptr<TSinglePartMuz> part;
            if (!ReadBar(children.Take("Bar"), part)) return false;
            if (!ReadPartNode(children.Take("PartNode"), *part, nullptr)) return false;
            return Push(element, std::move(part), shape);
        }
        if (name == "ConcatMuzPart") {
            PartShape first;
            std::unique_ptr<TPartMuz> second = Pop(shape);
            if (second == nullptr) return Fail(element, MissingChild("Concat", "second child"));
            std::unique_ptr<TPartMuz> firstPart = Pop(first);
            if (firstPart == nullptr) return Fail(element, MissingChild("Concat", "first child"));
            shape = {std::max(shape.depth, first.depth) + 1, std::max(shape.turns, first.turns)};
            return Push(
                element,
                std::make_unique<TConcatPartMuz>(&music_, std::move(firstPart), std::move(second)),
                shape);
        }
        if (name == "LoopMuzPart") {
            int count = 0;
            const TXMLItem& countItem = children.Take("Count");
            if (!ReadPositiveInteger(countItem, "Loop MuzPart Count", count)) return false;
            std::unique_ptr<TPartMuz> child = Pop(shape);
            if (child == nullptr) return Fail(element, MissingChild("Loop", "child"));
            // Playing walks every turn of every loop, nested loops multiplied.
            shape = {shape.depth + 1, shape.turns * count};
            if (shape.turns > kMaxLoopCount) {
                return Fail(countItem, "In Loop MuzPart Count: Loops can repeat a part at most " +
                                           std::to_string(kMaxLoopCount) + " times.");
            }
            auto loop = std::make_unique<TLoopPartMuz>(&music_, std::move(child), count);
            if (!ReadPartNode(children.Take("PartNode"), *loop, &loop->Expanded)) return false;
            return Push(element, std::move(loop), shape);
        }
        std::unique_ptr<TPartMuz> child = Pop(shape);
        if (child == nullptr) return Fail(element, MissingChild("Select", "child"));
        ++shape.depth;
        auto select = std::make_unique<TSelectPartMuz>(&music_, std::move(child));
        while (const TXMLItem* turn = children.TakeIf("SelectMuzPartTurn")) {
            if (!ReadTurn(*turn, *select)) return false;
        }
        if (!ReadPartNode(children.Take("PartNode"), *select, &select->Expanded)) return false;
        return Push(element, std::move(select), shape);
    }

    bool ReadTurn(const TXMLItem& turn, TSelectPartMuz& select) {
        TXMLChildCursor children(turn);
        int count = 0;
        int pitch = 0;
        if (!ReadPositiveInteger(children.Take("Count"), "Count", count)) return false;
        if (const TXMLItem* pitchItem = children.TakeIf("Pitch")) {
            if (!ReadIntegerIn(*pitchItem, "Pitch", -kMaxTransposition, kMaxTransposition, pitch))
                return false;
        }
        TCountSelectPartItem* item = select.AddTurnItem(count, pitch);
        return ReadPartNode(children.Take("PartNode"), *item, nullptr);
    }

    bool ReadPartTree(TXMLChildCursor& children, TStartPartMuz& root) {
        const TXMLItem* last = nullptr;
        while (!children.AtEnd() && !children.Is("Stave")) {
            const std::string name = children.Is("SingleMuzPart")   ? "SingleMuzPart"
                                     : children.Is("ConcatMuzPart") ? "ConcatMuzPart"
                                     : children.Is("LoopMuzPart")   ? "LoopMuzPart"
                                                                    : "SelectMuzPart";
            last = &children.Take(name);
            if (!ReadPartElement(*last)) return false;
        }
        TPartMuzStack& stack = music_.PartMuzStack();
        if (stack.Count() != 1) {
            return Fail(*last,
                        "There are existing Music Parts falling outside the tree of Music "
                        "Parts; The combination of Music Parts is wrong.");
        }
        root.SetPartMuz(stack.Pop());
        return true;
    }

    // ---- Staves ----

    // The room above or below a stave, at least 30 pixels and at most what a window can lay
    // out without overflowing its coordinates.
    bool ReadRoom(unitIntegerMoreUser& room, const TXMLItem& item, std::string_view label) {
        if (!ReadValue(room, item, label)) return false;
        if (room.GetValue() <= kMaxStaveRoom) return true;
        return Fail(item, "In " + std::string(label) + ": The room must lie between " +
                              std::to_string(TNoteStave::kMinRoom) + " and " +
                              std::to_string(kMaxStaveRoom) + ".");
    }

    bool ReadStave(const TXMLItem& element) {
        TXMLChildCursor children(element);
        unitIntegerMoreUser roomUp(TNoteStave::kDefaultRoom, TNoteStave::kMinRoom);
        unitIntegerMoreUser roomDown(TNoteStave::kDefaultRoom, TNoteStave::kMinRoom);
        if (!ReadRoom(roomUp, children.Take("RoomUp"), "Room Up")) return false;
        if (!ReadRoom(roomDown, children.Take("RoomDown"), "Room Down")) return false;
        const std::uint8_t flags =
            children.TakeIf("AllowJoinFlags") ? AllowJoinFlags : drawFlagNoJoin;
        if (old_) children.TakeIf("AutoStick");
        const std::uint8_t mute = children.TakeIf("Mute") ? 1 : 0;
        const std::uint8_t extraLines = !old_ && children.TakeIf("ExtraLines") ? 1 : 0;
        platform::Color foreground = 0;
        platform::Color background = 0;
        if (!ReadColor(children.Take("ForegroundColor"), foreground)) return false;
        if (!ReadColor(children.Take("BackgroundColor"), background)) return false;
        TStaveList& staves = music_.Staves();
        stave_ =
            staves.CreateStave(staves.LastStave(), &music_, foreground, background,
                               roomUp.GetValue(), roomDown.GetValue(), flags, mute, extraLines);
        return old_ ? ReadOldStaveContent(children) : ReadStaveContent(children);
    }

    bool ReadStaveContent(TXMLChildCursor& children) {
        std::size_t index = 0;
        const TXMLItem* lastKeyPart = nullptr;
        while (const TXMLItem* keyPart = children.TakeIf("KeyPart")) {
            if (index >= parts_.size())
                return Fail(*keyPart, "There are more Key Parts than Music Parts");
            if (!ReadKeysAndSilences(*keyPart, index)) return false;
            lastKeyPart = keyPart;
            ++index;
        }
        if (index < parts_.size())
            return Fail(*lastKeyPart, "There are more Music Parts than Key Parts");
        while (const TXMLItem* group = children.TakeIf("NoteGroup")) {
            if (!ReadNoteGroup(*group)) return false;
        }
        return true;
    }

    bool ReadOldStaveContent(TXMLChildCursor& children) {
        keys_.clear();
        while (!children.AtEnd() && !children.Is("NoteGroup")) {
            const TXMLItem& item =
                children.Is("Key") ? children.Take("Key") : children.Take("Silence");
            if (!ReadKeyOrSilence(item, 0)) return false;
        }
        oldNotes_.clear();
        while (const TXMLItem* group = children.TakeIf("NoteGroup")) {
            if (!ReadNoteGroup(*group)) return false;
        }
        return ConvertOldNotes();
    }

    // The keys and silences of the current stave in single part `index`.
    bool ReadKeysAndSilences(const TXMLItem& keyPart, std::size_t index) {
        keys_.clear();
        for (const TXMLItem* item = keyPart.GetFirst(); item != nullptr; item = item->GetNext()) {
            if (!ReadKeyOrSilence(*item, index)) return false;
        }
        return true;
    }

    bool ReadKeyOrSilence(const TXMLItem& item, std::size_t index) {
        if (item.GetElement() == "Key") return ReadKey(item, index);
        TTiming timing;
        double position = 0;
        if (!ReadTiming(item, "Silence", position, timing)) return false;
        Add(index, std::make_unique<TSilence>(stave_, parts_[index], position, timing));
        return true;
    }

    bool ReadKey(const TXMLItem& element, std::size_t index) {
        TXMLChildCursor children(element);
        double position = 0;
        if (!ReadPosition(children.Take("Position"), "Key Position", position)) return false;
        // Every stave starts each part with a key: the first one stands at 0.
        if (keys_.empty()) {
            if (!SamePosition(position, 0.0))
                return Fail(element, "The first Key of a Key Part must stand at position 0.");
            position = 0.0;
        }
        const TXMLItem& kindItem = children.Take("KeyKind");
        const std::string& kindText = kindItem.GetString();
        TKeyKind kind = keyKindG;
        if (kindText == "F") {
            kind = keyKindF;
        } else if (kindText == "C") {
            kind = keyKindC;
        } else if (kindText != "G") {
            return Fail(kindItem, "Key Kind \"" + kindText + "\" is not a valid Key Kind.");
        }
        int octaves = 0;
        if (const TXMLItem* up = children.TakeIf("OctavesUp")) {
            if (!ReadIntegerIn(*up, "Key OctavesUp", -2, 2, octaves)) return false;
        }
        // Keys at one position keep the order of the file.
        int volgnr = 1;
        for (const TKey* key : keys_) {
            if (SamePosition(key->Position, position)) volgnr = std::max(volgnr, key->Volgnr + 1);
        }
        auto key =
            std::make_unique<TKey>(stave_, parts_[index], &music_, position, kind, octaves, volgnr);
        while (const TXMLItem* shift = children.TakeIf("KeyNoteShift")) {
            TXMLChildCursor parts(*shift);
            const TNoteShiftKind shiftKind =
                parts.TakeIf("ShiftCross") ? noteShiftKruis : noteShiftMol;
            if (shiftKind == noteShiftMol) parts.Take("ShiftMol");
            int height = 0;
            if (!ReadInteger(parts.Take("Height"), "Key NoteShift Height", height)) return false;
            key->SetKeyNoteShift(FloorMod(height, 7), shiftKind);
        }
        keys_.push_back(key.get());
        Add(index, std::move(key));
        return true;
    }

    // Position, Length, Points and, in version 7.1, the tuplet of a note (kind "Note") or
    // silence (kind "Silence"); checks the combination.
    bool ReadTiming(const TXMLItem& element, const std::string& kind, double& position,
                    TTiming& timing) {
        TXMLChildCursor children(element);
        if (!ReadPosition(children.Take("Position"), kind + " Position", position)) return false;
        const TXMLItem& lengthItem = children.Take("Length");
        if (!ReadLengthKind(lengthItem, kind + " Length", timing.NoteLengthKind)) return false;
        const TXMLItem* pointsItem = children.TakeIf("Points");
        if (pointsItem != nullptr) {
            if (!ReadPositiveInteger(*pointsItem, kind + " Points", timing.Points)) return false;
            if (timing.Points > 3) {
                return Fail(*pointsItem,
                            "In " + kind + " Points: A " + kind + " has at most 3 points.");
            }
        }
        // The rest follows Height for notes; skip what is not timing.
        const TXMLItem* tupletItem = nullptr;
        const TXMLItem* posItem = nullptr;
        for (const TXMLItem* item = element.GetFirst(); item != nullptr; item = item->GetNext()) {
            const std::string& name = item->GetElement();
            for (TMultiOol multiOol : {duool, triool, kwartool, kwintool}) {
                if (name == TupletName(multiOol)) {
                    timing.MultiOol = multiOol;
                    tupletItem = item;
                }
            }
            if (name == "PosInOol") posItem = item;
        }
        if (tupletItem != nullptr) {
            const int most = timing.MultiOol == kwintool ? 16 : 32;
            if (timing.NoteLengthKind > most) {
                return Fail(lengthItem, "In " + kind + " Length: A " + TupletName(timing.MultiOol) +
                                            " cannot be shorter than " + std::to_string(most) +
                                            ".");
            }
            if (!MayTotalPoints(timing.MultiOol, timing.Points)) {
                return Fail(pointsItem != nullptr ? *pointsItem : *tupletItem,
                            "In " + kind + " Points: A " + TupletName(timing.MultiOol) +
                                " needs 1 to 3 points.");
            }
        }
        if (posItem != nullptr) {
            if (!ReadInteger(*posItem, "Position in MultiOol", timing.PosInOol)) return false;
            if (timing.PosInOol < 0) {
                return Fail(*posItem, "In Position in MultiOol: The value must not be negative.");
            }
            if (timing.PosInOol >= timing.MultiOol) {
                const char* tuplet = TupletName(timing.MultiOol);
                const std::string owner = kind == "Note" ? "PosInNote" : "PosInSil";
                return Fail(*posItem, "In " + owner + ": Value to High for " +
                                          (tuplet != nullptr ? tuplet : "Normal " + kind) + ".");
            }
        }
        return true;
    }

    // ---- Note groups ----

    bool ReadOnePlayer(const TXMLItem& element, TOnePlayerProps& props) {
        const std::string& name = element.GetElement();
        TXMLChildCursor children(element);
        unitUnitWave* wave = nullptr;
        if (name == "SimpleOneSampler" || name == "RollOutSampler") {
            const bool simple = name == "SimpleOneSampler";
            props.NotePlayerKind = simple ? notePlayerSimpleSampler : notePlayerRollOutSampler;
            unitTimePosMore& basic =
                simple ? props.SimpleSamplerProps.BasicFreq : props.RollOutSamplerProps.BasicFreq;
            if (!ReadValue(basic, children.Take("BasicFreq"), "BasicFreq")) return false;
        } else if (name == "ResonantSampler") {
            props.NotePlayerKind = notePlayerResonantSampler;
            if (!ReadValue(props.ResonantSamplerProps.ResFactor, children.Take("ResFactor"),
                           "ResFactor"))
                return false;
        } else {
            props.NotePlayerKind =
                name == "RepeatWaveForm" ? notePlayerRepeatWaveForm : notePlayerRollOutWaveForm;
        }
        wave = props.ActiveSampleWave();
        // The reader trims control characters too, so a text may be left empty; a wave has a
        // name, and an empty one could not be written again.
        const TXMLItem& waveItem = children.Take("SampleWave");
        if (waveItem.GetString().empty())
            return Fail(waveItem, "In SampleWave: The name of the sample wave is empty.");
        wave->ReadText(waveItem.GetString());
        if (const TXMLItem* up = children.TakeIf("FreqUp")) {
            if (!ReadValue(props.FreqUp, *up, "FreqUp")) return false;
        }
        return ReadValue(props.VolumeFactor, children.Take("VolumeFactor"), "VolumeFactor");
    }

    bool ReadCompoundPlayer(const TXMLItem& element, std::unique_ptr<TCompoundPlayer>& player) {
        TOnePlayer* last = nullptr;
        for (const TXMLItem* item = element.GetFirst(); item != nullptr; item = item->GetNext()) {
            TOnePlayerProps props;
            if (!ReadOnePlayer(*item, props)) return false;
            if (player == nullptr) {
                player = std::make_unique<TCompoundPlayer>(&music_, props);
                last = player->GetStartOnePlayer();
            } else {
                last = player->InsertOnePlayer(last, props);
            }
        }
        player->SetDialogOnePlayer(player->GetStartOnePlayer());
        return true;
    }

    static std::uint8_t ReadStick(TXMLChildCursor& children) {
        if (children.TakeIf("NoteStickUp")) return drawStickUp;
        if (children.TakeIf("NoteStickDown")) return drawStickDown;
        return drawStickAuto;
    }

    bool ReadNoteGroup(const TXMLItem& element) {
        TXMLChildCursor children(element);
        platform::Color color = 0;
        if (!ReadColor(children.Take("NoteColor"), color)) return false;
        const TNoteShape shape =
            children.TakeIf("NoteShapeRectangle") ? NoteShapeRectangle : NoteShapeNormal;
        if (shape == NoteShapeNormal) children.Take("NoteShapeNormal");
        const auto stick = static_cast<TDrawStickKind>(ReadStick(children));
        std::unique_ptr<TCompoundPlayer> player;
        if (!ReadCompoundPlayer(children.Take("CompoundPlayer"), player)) return false;
        auto owned = std::make_unique<TNoteGroup>(stave_, color, std::move(player), shape, stick);
        group_ = owned.get();
        stave_->InsertGroup(stave_->LastGroup(), std::move(owned));
        if (old_) {
            while (const TXMLItem* note = children.TakeIf("Note")) {
                if (!ReadOldNote(*note)) return false;
            }
            return true;
        }
        std::size_t index = 0;
        const TXMLItem* lastNotePart = nullptr;
        while (const TXMLItem* notePart = children.TakeIf("NotePart")) {
            if (index >= parts_.size())
                return Fail(*notePart, "There are more Note Parts than Music Parts");
            for (const TXMLItem* note = notePart->GetFirst(); note != nullptr;
                 note = note->GetNext()) {
                if (!ReadNote(*note, index)) return false;
            }
            lastNotePart = notePart;
            ++index;
        }
        if (index < parts_.size())
            return Fail(*lastNotePart, "There are more Music Parts than Note Parts");
        return true;
    }

    static int ReadNoteShift(TXMLChildCursor& children) {
        if (children.TakeIf("ShiftDoubleMol")) return noteShiftDoubleMol;
        if (children.TakeIf("ShiftMol")) return noteShiftMol;
        if (children.TakeIf("ShiftNormal")) return noteShiftNormal;
        if (children.TakeIf("ShiftCross")) return noteShiftKruis;
        if (children.TakeIf("ShiftDoubleCross")) return noteShiftDoubleKruis;
        return -1;
    }

    bool ReadHeight(TXMLChildCursor& children, int low, int high, int& height) {
        return ReadIntegerIn(children.Take("Height"), "Note Height", low, high, height);
    }

    bool ReadNote(const TXMLItem& element, std::size_t index) {
        double position = 0;
        TTiming timing;
        if (!ReadTiming(element, "Note", position, timing)) return false;
        TXMLChildCursor children(element);
        children.Take("Position");
        children.Take("Length");
        children.TakeIf("Points");
        int pitch = 0;
        if (!ReadHeight(children, kMinPitch, kMaxPitch, pitch)) return false;
        const int shift = ReadNoteShift(children);
        for (const char* tuplet : {"Duool", "Triool", "Kwartool", "Kwintool"})
            children.TakeIf(tuplet);
        children.TakeIf("PosInOol");
        TNoteArtKind art = artNormal;
        if (children.TakeIf("ArtStaccatissimo")) {
            art = artStaccatissimo;
        } else if (children.TakeIf("ArtStaccato")) {
            art = artStaccato;
        } else if (children.TakeIf("ArtPortato")) {
            art = artPortato;
        } else if (children.TakeIf("ArtLegato")) {
            art = artLegato;
        } else {
            children.TakeIf("ArtNormal");
        }
        const auto stick = static_cast<TDrawStickKind>(ReadStick(children));
        Add(index,
            std::make_unique<TMuzNote>(
                stave_, group_, &music_, parts_[index], position, timing, pitch,
                shift < 0 ? noteShiftNormal : static_cast<TNoteShiftKind>(shift), art, stick));
        return true;
    }

    // A version "7.0" note waits until its stave is read (ConvertOldNotes).
    bool ReadOldNote(const TXMLItem& element) {
        OldNote note{&element, group_, 0, {}, 0, -1};
        if (!ReadTiming(element, "Note", note.position, note.timing)) return false;
        TXMLChildCursor children(element);
        children.Take("Position");
        children.Take("Length");
        children.TakeIf("Points");
        // Staff positions beyond this hold no valid height under any key.
        if (!ReadHeight(children, -2 * kMaxPitch, 2 * kMaxPitch, note.staffPosition)) return false;
        note.shift = ReadNoteShift(children);
        oldNotes_.push_back(note);
        return true;
    }

    // The key of the current stave in effect at `position`: the last at or before it.
    const TKey* OldKeyAt(double position) const {
        const TKey* found = nullptr;
        for (const TKey* key : keys_) {
            if (PositionBefore(position, key->Position)) continue;
            if (found == nullptr || Before(*found, *key)) found = key;
        }
        return found;
    }

    // Turns the staff positions of the stave's notes into heights under the key in effect
    // and gives a note without alteration the one in effect: the key's, unless an earlier
    // note of the same name in the same bar altered it.
    bool ConvertOldNotes() {
        std::vector<std::size_t> order(oldNotes_.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return PositionBefore(oldNotes_[a].position, oldNotes_[b].position);
        });
        const TMuzBar& bar = parts_[0]->GetMuzBar();
        for (std::size_t n = 0; n < order.size(); ++n) {
            OldNote& note = oldNotes_[order[n]];
            const TKey* key = OldKeyAt(note.position);
            note.pitch = key->PitchOf(note.staffPosition);
            if (!IsValidPitch(note.pitch)) {
                const TXMLItem* height = note.element->GetFirst();
                while (height->GetElement() != "Height")
                    height = height->GetNext();
                return Fail(*height, "In Note Height: The height " + std::to_string(note.pitch) +
                                         " lies outside -43 .. 43.");
            }
            if (note.shift < 0) note.shift = AlterationInEffect(order, n, *key, bar);
        }
        for (const OldNote& note : oldNotes_) {
            Add(0, std::make_unique<TMuzNote>(stave_, note.group, &music_, parts_[0], note.position,
                                              note.timing, note.pitch,
                                              static_cast<TNoteShiftKind>(note.shift)));
        }
        return true;
    }

    int AlterationInEffect(const std::vector<std::size_t>& order, std::size_t n, const TKey& key,
                           const TMuzBar& bar) const {
        const OldNote& note = oldNotes_[order[n]];
        for (std::size_t m = n; m-- > 0;) {
            const OldNote& earlier = oldNotes_[order[m]];
            if (!PositionBefore(earlier.position, note.position)) continue;
            if (!PositionBefore(note.position, bar.BarEnd(earlier.position))) break;
            if (FloorMod(earlier.pitch, 7) == FloorMod(note.pitch, 7)) return earlier.shift;
        }
        return key.KeyNoteShiftOfPitch(note.pitch);
    }

    // ---- Placing the symbols ----

    void Add(std::size_t index, std::unique_ptr<TStaveSymbol> symbol) {
        pending_[index].push_back(std::move(symbol));
    }

    // The model takes positions closer than its tolerance for one position. Positions in a
    // file may form a chain of such neighbours whose ends are not close, which no order can
    // satisfy; each is moved onto the first position of its cluster, so that any two
    // positions left are either equal or clearly apart. Positions the program wrote are
    // far apart and stay as they are.
    static void SnapPositions(std::vector<std::unique_ptr<TStaveSymbol>>& symbols) {
        std::vector<double> positions;
        positions.reserve(symbols.size());
        for (const auto& symbol : symbols)
            positions.push_back(symbol->Position);
        std::sort(positions.begin(), positions.end());
        std::vector<double> starts;
        for (const double position : positions) {
            if (starts.empty() || !SamePosition(position, starts.back()))
                starts.push_back(position);
        }
        for (const auto& symbol : symbols) {
            const auto after = std::upper_bound(starts.begin(), starts.end(), symbol->Position);
            symbol->Position = *(after - 1);
        }
    }

    // Links every part's symbols in order. Each is linked before the one that follows it,
    // which costs nothing, and symbols equal in order keep the order of the file.
    void PlaceSymbols() {
        for (std::size_t index = 0; index < parts_.size(); ++index) {
            std::vector<std::unique_ptr<TStaveSymbol>>& symbols = pending_[index];
            SnapPositions(symbols);
            std::stable_sort(symbols.begin(), symbols.end(),
                             [](const std::unique_ptr<TStaveSymbol>& a,
                                const std::unique_ptr<TStaveSymbol>& b) { return Before(*a, *b); });
            for (auto it = symbols.rbegin(); it != symbols.rend(); ++it)
                parts_[index]->InsertSymbol(*it);
            symbols.clear();
        }
    }

    TUnitMuz& music_;
    bool old_;
    std::string& error_;
    bool selectedSeen_ = false;
    std::vector<PartShape> shapes_;  // beside the document's part stack
    std::vector<TSinglePartMuz*> parts_;
    // The symbols read for each single part, linked when all staves are read.
    std::vector<std::vector<std::unique_ptr<TStaveSymbol>>> pending_;
    TNoteStave* stave_ = nullptr;
    TNoteGroup* group_ = nullptr;
    std::vector<const TKey*> keys_;  // of the current stave in the current part
    std::vector<OldNote> oldNotes_;  // of the current stave, version 7.0
};

bool ReadResult(const TXMLReadResult& file, TUnitMuz& music, std::string& error) {
    switch (file.outcome) {
        case TXMLReadOutcome::missing:
            error = "The file cannot be opened.";
            return false;
        case TXMLReadOutcome::unknownVersion:
            error = file.version.empty() ? std::string("The file names no Version.")
                                         : "The music file has version \"" + file.version +
                                               "\"; only versions 7.0 and 7.1 can be read.";
            return false;
        case TXMLReadOutcome::rejected:
            error = file.message;
            return false;
        case TXMLReadOutcome::read:
            break;
    }
    return ReadMusic(file.Document(), file.version, music, error);
}

}  // namespace

bool ReadMusic(const TXMLItem& document, std::string_view version, TUnitMuz& music,
               std::string& error) {
    MusicReader reader(music, version == kMusicFileOldVersion, error);
    const bool ok = reader.Read(document);
    // A failed document is discarded: nothing may point into what is freed with it.
    if (!ok) music.References() = TMusicReferences{};
    // Whatever the stack still holds is freed with the failed reading.
    while (music.PartMuzStack().Pop() != nullptr) {
    }
    return ok;
}

bool LoadMusicFile(const std::filesystem::path& fileName, TUnitMuz& music, std::string& error) {
    return ReadResult(ReadXMLFile(fileName, "", MusicGrammarFor), music, error);
}

bool LoadMusicText(std::string_view bytes, TUnitMuz& music, std::string& error) {
    return ReadResult(ReadXMLText(bytes, "", MusicGrammarFor), music, error);
}

}  // namespace kalvora
