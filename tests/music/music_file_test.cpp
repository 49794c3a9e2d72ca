#include "music/music_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "documents/document_registry.h"
#include "music/stave_editing.h"
#include "music/unit_muz.h"
#include "music_fixture.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using test::AddKey;
using test::AddNote;
using test::AddSilence;

std::string Written(TUnitMuz& music) {
    std::string bytes;
    std::string error;
    EXPECT_TRUE(WriteMusicText(music, bytes, error)) << error;
    return bytes;
}

// Reads `bytes` into a fresh document; the error text when it is refused.
struct Loaded {
    TUnitRegistry registry;
    TUnitMuz music{registry, true};
    std::string error;
    bool ok = false;

    explicit Loaded(std::string_view bytes) { ok = LoadMusicText(bytes, music, error); }
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TOnePlayerProps PlayerProps(TNotePlayerKind kind, const char* wave) {
    TOnePlayerProps props;
    props.NotePlayerKind = kind;
    props.ActiveSampleWave()->ReadText(wave);
    return props;
}

// A document with every kind of part, symbol and player: the tree
// concat(loop(concat(intro, verse)), select(coda)) and two staves.
struct FullDocument {
    TUnitRegistry registry;
    TUnitMuz music{registry, true};
    TSinglePartMuz* intro;
    TSinglePartMuz* verse;
    TSinglePartMuz* coda;
    TLoopPartMuz* loop;
    TSelectPartMuz* select;

    FullDocument() {
        auto first = std::make_unique<TSinglePartMuz>(&music, 4, 3, 1);
        auto second = std::make_unique<TSinglePartMuz>(&music, 8, 6, 0);
        auto third = std::make_unique<TSinglePartMuz>(&music, 2, 2, 0);
        intro = first.get();
        verse = second.get();
        coda = third.get();
        intro->SetLabel("intro");
        auto inner = std::make_unique<TConcatPartMuz>(&music, std::move(first), std::move(second));
        auto repeat = std::make_unique<TLoopPartMuz>(&music, std::move(inner), 3);
        loop = repeat.get();
        loop->SetLabel("chorus");
        auto turns = std::make_unique<TSelectPartMuz>(&music, std::move(third));
        select = turns.get();
        select->Expanded = 0;
        select->AddTurnItem(1);
        select->AddTurnItem(3, -5)->SetLabel("last time");
        auto root = std::make_unique<TStartPartMuz>(&music);
        root->SetPartMuz(
            std::make_unique<TConcatPartMuz>(&music, std::move(repeat), std::move(turns)));
        music.SetRoot(std::move(root));
        music.Tempo.SetValue(2.5);
        music.References().SelectedPart = loop;

        TNoteStave* upper = AddStave(nullptr);
        TNoteStave* lower = AddStave(upper);
        upper->RoomUp.SetValue(120);
        upper->Mute = 1;
        upper->ExtraLines = 1;
        upper->DrawFlagKind = drawFlagNoJoin;
        upper->ForegroundColor = 0x102030;
        upper->BackgroundColor = 0xABCDEF;

        TKey* start = AsKey(intro->StartKeyOfStave(upper));
        start->SetKeyKind(keyKindF);
        start->AddOctaves = -1;
        start->SetKeyNoteShift(3, noteShiftKruis);
        start->SetKeyNoteShift(6, noteShiftMol);
        AddKey(*intro, upper, 0, keyKindC, 2);
        AddKey(*verse, upper, 1.5, keyKindG);

        TTiming triplet{8, 0, triool, 2};
        AddNote(*intro, upper, 0, 3);
        TMuzNote* shifted = AddNote(*intro, upper, 0.25, -7, triplet);
        shifted->NoteShiftKind = noteShiftDoubleMol;
        shifted->ArtKind = artLegato;
        shifted->DrawStickKind = drawStickDown;
        AddNote(*verse, upper, 100.03125, 43, TTiming{64, 0, sool, 0})->NoteShiftKind =
            noteShiftKruis;
        AddSilence(*verse, upper, 2, TTiming{16, 0, kwintool, 4});
        AddSilence(*coda, lower, 0.5, TTiming{2, 3, kwartool, 1});

        auto group =
            std::make_unique<TNoteGroup>(upper, 0x00FF00,
                                         std::make_unique<TCompoundPlayer>(
                                             &music, PlayerProps(notePlayerRollOutSampler, "bell")),
                                         NoteShapeRectangle, drawStickDown);
        TCompoundPlayer& player = group->GetCompoundPlayer();
        TOnePlayer* last = player.GetStartOnePlayer();
        for (auto kind : {notePlayerResonantSampler, notePlayerRepeatWaveForm,
                          notePlayerRollOutWaveForm, notePlayerSimpleSampler}) {
            TOnePlayerProps props = PlayerProps(kind, "organ pipe");
            props.FreqUp.SetValue(5);
            props.VolumeFactor.SetValue(0.25);
            last = player.InsertOnePlayer(last, props);
        }
        TNoteGroup* rectangles = group.get();
        upper->InsertGroup(upper->LastGroup(), std::move(group));
        TMuzNote* chord = AddNote(*coda, upper, 0, -2, TTiming{1, 1, sool, 0}, rectangles);
        chord->ArtKind = artStaccatissimo;
        chord->DrawStickKind = drawStickUp;
        AddNote(*coda, upper, 0, 5, TTiming{}, rectangles)->ArtKind = artPortato;
    }

    TNoteStave* AddStave(TNoteStave* after) {
        return CreateDefaultStave(music.Staves(), after, music.Root(), &music, music.References());
    }
};

TEST(MusicFileTest, EveryKindOfSymbolPartAndPlayerRoundTripsExactly) {
    FullDocument full;
    const std::string first = Written(full.music);
    EXPECT_NE(first.find("<Position>100.03125</Position>"), std::string::npos);

    Loaded loaded(first);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    EXPECT_EQ(Written(loaded.music), first);

    // The tree, its labels, flags and the selected node.
    TUnitMuz& music = loaded.music;
    auto* top = static_cast<TConcatPartMuz*>(music.Root().GetPartMuz());
    ASSERT_EQ(top->GetPartMuzKind(), partMuzConcat);
    auto* loop = static_cast<TLoopPartMuz*>(top->GetFirstPart());
    ASSERT_EQ(loop->GetPartMuzKind(), partMuzLoop);
    EXPECT_EQ(loop->GetCount(), 3);
    EXPECT_EQ(loop->GetLabel(), "chorus");
    EXPECT_EQ(loop->Expanded, 1);
    EXPECT_EQ(music.References().SelectedPart, loop);
    auto* select = static_cast<TSelectPartMuz*>(top->GetSecondPart());
    ASSERT_EQ(select->GetPartMuzKind(), partMuzSelect);
    EXPECT_EQ(select->Expanded, 0);
    ASSERT_NE(select->LookUpTurn(3), nullptr);
    EXPECT_EQ(select->LookUpTurn(3)->GetPitch(), -5);
    EXPECT_EQ(select->LookUpTurn(3)->GetLabel(), "last time");

    const std::vector<TSinglePartMuz*> parts = SingleParts(music.Root());
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0]->GetLabel(), "intro");
    EXPECT_EQ(parts[0]->GetMuzBar().ExtraCount, 1);
    EXPECT_EQ(parts[1]->GetMuzBar().NoteLength, 8);

    // Keys sharing a position keep their order; the long position is exact.
    TNoteStave* upper = music.Staves().FirstStave();
    const auto intro = test::SymbolsOf(*parts[0], upper);
    ASSERT_GE(intro.size(), 2u);
    EXPECT_EQ(AsKey(intro[0])->GetKeyKind(), keyKindF);
    EXPECT_EQ(AsKey(intro[0])->Volgnr, 1);
    EXPECT_EQ(AsKey(intro[1])->GetKeyKind(), keyKindC);
    EXPECT_EQ(AsKey(intro[1])->Volgnr, 2);
    bool found = false;
    for (TStaveSymbol* s : test::SymbolsOf(*parts[1], upper))
        found = found || (s->IsNote() && s->Position == 100.03125);
    EXPECT_TRUE(found);
    EXPECT_EQ(upper->CountGroups(), 2);
    EXPECT_EQ(upper->LastGroup()->GetCompoundPlayer().CountOnePlayers(), 5);
    EXPECT_EQ(music.SelectedSymbol(), music.Root().FirstSymbol());
}

TEST(MusicFileTest, NaturalNormalNotesWriteNoShiftOrArticulation) {
    TUnitRegistry registry;
    TUnitMuz music(registry);
    AddNote(*music.Root().FirstSinglePart(), music.Staves().FirstStave(), 0, 2);
    const std::string bytes = Written(music);
    EXPECT_EQ(bytes.find("Shift"), std::string::npos);
    EXPECT_EQ(bytes.find("<Art"), std::string::npos);
    Loaded loaded(bytes);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    const TMuzNote* note = AsNote(test::SymbolsOf(*loaded.music.Root().FirstSinglePart(),
                                                  loaded.music.Staves().FirstStave())[1]);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->NoteShiftKind, noteShiftNormal);
    EXPECT_EQ(note->ArtKind, artNormal);
    EXPECT_EQ(Written(loaded.music), bytes);
}

// A version 7.0 file with one G stave; `content` follows the start key.
std::string OldFile(const std::string& keyShifts, const std::string& notes) {
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
           "<!DOCTYPE UnitMuz SYSTEM \"UnitMuz.dtd\">\n\n"
           "<UnitMuz>\n<Version>7.0</Version>\n<Tempo>1 s</Tempo>\n"
           "<Bar><Count>4</Count><Length>4</Length></Bar>\n"
           "<Stave><RoomUp>80</RoomUp><RoomDown>80</RoomDown><AutoStick />"
           "<ForegroundColor>000000</ForegroundColor><BackgroundColor>FFFFFF</BackgroundColor>\n"
           "<Key><Position>0</Position><KeyKind>G</KeyKind>" +
           keyShifts +
           "</Key>\n"
           "<Silence><Position>3</Position><Length>4</Length></Silence>\n"
           "<NoteGroup><NoteColor>000000</NoteColor><NoteShapeNormal />"
           "<CompoundPlayer><SimpleOneSampler><BasicFreq>1000 Hz</BasicFreq>"
           "<SampleWave>sample</SampleWave><VolumeFactor>0.5</VolumeFactor></SimpleOneSampler>"
           "</CompoundPlayer>\n" +
           notes + "</NoteGroup></Stave></UnitMuz>\n";
}

std::string OldNote(double position, int height, const std::string& shift = "") {
    return "<Note><Position>" + std::to_string(position) + "</Position><Length>4</Length>" +
           "<Height>" + std::to_string(height) + "</Height>" + shift + "</Note>\n";
}

std::vector<const TMuzNote*> NotesOf(TUnitMuz& music) {
    std::vector<const TMuzNote*> notes;
    for (TStaveSymbol* s = music.Root().FirstSymbol(); s != nullptr; s = s->GetNext()) {
        if (const TMuzNote* note = AsNote(s)) notes.push_back(note);
    }
    return notes;
}

TEST(MusicFileTest, OldFilesTakeHeightsAndAlterationsFromKeyAndBar) {
    // F is staff position -3 under the G key (pitch 3, signature entry 4); the F sharp of
    // the signature holds until a natural F in the same bar; the next bar starts from the
    // key again.
    const std::string sharpF = "<KeyNoteShift><ShiftCross /><Height>4</Height></KeyNoteShift>";
    Loaded loaded(OldFile(sharpF, OldNote(0, 0) + OldNote(0.25, -3) +
                                      OldNote(0.5, -3, "<ShiftNormal />") + OldNote(0.75, 4) +
                                      OldNote(1, -3)));
    ASSERT_TRUE(loaded.ok) << loaded.error;
    const auto notes = NotesOf(loaded.music);
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[0]->Pitch, 6);  // the B on the middle line
    EXPECT_EQ(notes[0]->NoteShiftKind, noteShiftNormal);
    EXPECT_EQ(notes[1]->Pitch, 3);
    EXPECT_EQ(notes[1]->NoteShiftKind, noteShiftKruis);
    EXPECT_EQ(notes[2]->NoteShiftKind, noteShiftNormal);
    EXPECT_EQ(notes[3]->Pitch, 10);  // F an octave up: the natural F holds in any octave
    EXPECT_EQ(notes[3]->NoteShiftKind, noteShiftNormal);
    EXPECT_EQ(notes[4]->NoteShiftKind, noteShiftKruis);  // next bar
    EXPECT_EQ(NotesOf(loaded.music).size(), 5u);

    // Converted once, the file reads back the same in the current version.
    const std::string current = Written(loaded.music);
    Loaded again(current);
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_EQ(Written(again.music), current);
}

std::string DefaultFile() {
    TUnitRegistry registry;
    TUnitMuz music(registry);
    return Written(music);
}

TEST(MusicFileTest, ABadColourIsReportedWithItsLineAndColumn) {
    const std::string bytes = Replaced(DefaultFile(), "<NoteColor>000000<", "<NoteColor>00G0<");
    Loaded loaded(bytes);
    EXPECT_FALSE(loaded.ok);
    // The element's line in the file, its column after six blanks of indentation.
    const std::size_t at = bytes.find("<NoteColor>");
    const int line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + at, '\n'));
    EXPECT_EQ(loaded.error, "In NoteColor: Invalid Hexdecimal value: \"00G0\". At line " +
                                std::to_string(line) + ", column 18.");
}

// Three single parts, each with its key part and note part.
std::string ThreePartFile() {
    TUnitRegistry registry;
    TUnitMuz music(registry, true);
    auto root = std::make_unique<TStartPartMuz>(&music);
    root->SetPartMuz(std::make_unique<TConcatPartMuz>(
        &music,
        std::make_unique<TConcatPartMuz>(&music, std::make_unique<TSinglePartMuz>(&music),
                                         std::make_unique<TSinglePartMuz>(&music)),
        std::make_unique<TSinglePartMuz>(&music)));
    music.SetRoot(std::move(root));
    TNoteStave* stave =
        CreateDefaultStave(music.Staves(), nullptr, music.Root(), &music, music.References());
    for (TSinglePartMuz* part : SingleParts(music.Root()))
        AddNote(*part, stave, 0, 0);
    return Written(music);
}

std::string WithoutLast(std::string text, const std::string& element) {
    const std::size_t begin = text.rfind("<" + element + ">");
    const std::string end = "</" + element + ">\n";
    const std::size_t stop = text.find(end, begin) + end.size();
    const std::size_t lineStart = text.rfind('\n', begin) + 1;
    text.erase(lineStart, stop - lineStart);
    return text;
}

std::string WithExtra(std::string text, const std::string& element) {
    const std::size_t begin = text.rfind("<" + element + ">");
    const std::string end = "</" + element + ">\n";
    const std::size_t stop = text.find(end, begin) + end.size();
    const std::size_t lineStart = text.rfind('\n', begin) + 1;
    text.insert(stop, text.substr(lineStart, stop - lineStart));
    return text;
}

std::string WithoutPosition(const std::string& message) {
    return message.substr(0, message.rfind(" At line "));
}

TEST(MusicFileTest, KeyAndNotePartsMustMatchTheSingleParts) {
    const std::string three = ThreePartFile();
    ASSERT_TRUE(Loaded(three).ok);
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {WithoutLast(three, "KeyPart"), "There are more Music Parts than Key Parts"},
        {WithExtra(three, "KeyPart"), "There are more Key Parts than Music Parts"},
        {WithoutLast(three, "NotePart"), "There are more Music Parts than Note Parts"},
        {WithExtra(three, "NotePart"), "There are more Note Parts than Music Parts"},
    };
    for (const auto& c : cases) {
        Loaded loaded(c.bytes);
        EXPECT_FALSE(loaded.ok);
        EXPECT_EQ(WithoutPosition(loaded.error), c.message);
        EXPECT_NE(loaded.error, c.message) << "no position";
    }
}

// The default file with its part elements replaced.
std::string WithParts(const std::string& parts) {
    const std::string file = DefaultFile();
    const std::size_t begin = file.find("  <SingleMuzPart>");
    const std::size_t end = file.find("  <Stave>");
    return file.substr(0, begin) + parts + file.substr(end);
}

TEST(MusicFileTest, ThePartStackMustBuildOneTree) {
    const std::string single =
        "<SingleMuzPart><Bar><Count>4</Count><Length>4</Length></Bar><PartNode "
        "/></SingleMuzPart>\n";
    const auto missing = [](const std::string& kind, const std::string& child) {
        return "Cannot built a " + kind +
               " Music Part, there are no more Music Parts in the stack for the " + child +
               " while building the tree of Music Parts; The combination of Music Parts is "
               "wrong.";
    };
    const struct {
        std::string parts;
        std::string message;
    } cases[] = {
        {"<ConcatMuzPart />\n" + single, missing("Concat", "second child")},
        {single + "<ConcatMuzPart />\n", missing("Concat", "first child")},
        {"<LoopMuzPart><Count>2</Count><PartNode /></LoopMuzPart>\n" + single,
         missing("Loop", "child")},
        {"<SelectMuzPart><PartNode /></SelectMuzPart>\n" + single, missing("Select", "child")},
        {single + single,
         "There are existing Music Parts falling outside the tree of Music Parts; The "
         "combination of Music Parts is wrong."},
        {single + single + "<ConcatMuzPart />\n" +
             "<LoopMuzPart><Count>2</Count><PartNode><Selected /></PartNode></LoopMuzPart>\n" +
             "<SelectMuzPart><SelectMuzPartTurn><Count>1</Count><PartNode><Selected />"
             "</PartNode></SelectMuzPartTurn><PartNode /></SelectMuzPart>\n",
         "At most one Music Part can be selected."},
    };
    for (const auto& c : cases) {
        Loaded loaded(WithParts(c.parts));
        EXPECT_FALSE(loaded.ok);
        EXPECT_EQ(WithoutPosition(loaded.error), c.message) << c.parts;
        EXPECT_EQ(loaded.music.PartMuzStack().Count(), 0);
    }
    // A wrong tree names the element where reading stopped.
    Loaded loaded(WithParts("<ConcatMuzPart />\n"));
    EXPECT_NE(loaded.error.find(" At line 7, column 18."), std::string::npos) << loaded.error;
}

TEST(MusicFileTest, ValuesThatTheModelCannotHoldAreRefused) {
    const std::string file = DefaultFile();
    const std::string note =
        "<Note><Position>0</Position><Length>4</Length><Height>0</Height></Note>";
    const auto withNote = [&](const std::string& text) {
        return Replaced(file, "<NotePart />", "<NotePart>" + text + "</NotePart>");
    };
    const auto withSilence = [&](const std::string& text) {
        return Replaced(file, "</Key>\n", "</Key>" + text + "\n");
    };
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {Replaced(file, "<Tempo>1 s<", "<Tempo>0 s<"), "In Tempo:"},
        {Replaced(file, "<Count>4</Count>", "<Count>0</Count>"), "In Bar Count:"},
        {Replaced(file, "<Length>4</Length>", "<Length>0</Length>"), "In Bar Length:"},
        {Replaced(file, "<Length>4</Length>", "<Length>4</Length><CountFirstBar>4</CountFirstBar>"),
         "In Bar CountFirstBar:"},
        {Replaced(file, "<KeyKind>G<", "<KeyKind>X<"), "Key Kind \"X\" is not a valid Key Kind."},
        {Replaced(file, "<KeyKind>G</KeyKind>", "<KeyKind>G</KeyKind><OctavesUp>3</OctavesUp>"),
         "In Key OctavesUp:"},
        {Replaced(file, "<Position>0</Position>", "<Position>1</Position>"),
         "The first Key of a Key Part must stand at position 0."},
        {Replaced(file, "<RoomUp>80<", "<RoomUp>29<"), "In Room Up:"},
        {Replaced(file, "<RoomDown>80<", "<RoomDown>10001<"), "In Room Down:"},
        {Replaced(file, "<Tempo>1 s<", "<Tempo>3601 s<"), "In Tempo:"},
        {Replaced(file, "<ForegroundColor>000000<", "<ForegroundColor>x<"),
         "In ForegroundColor: Invalid Hexdecimal value: \"x\"."},
        {Replaced(file, "<BackgroundColor>FFFFFF<", "<BackgroundColor>1000000<"),
         "In BackgroundColor: Color value must lie between 000000 and FFFFFF."},
        {withNote(Replaced(note, "<Length>4<", "<Length>3<")), "In Note Length:"},
        {withNote(Replaced(note, "<Position>0<", "<Position>-1<")), "In Note Position:"},
        {withNote(Replaced(note, "<Position>0<", "<Position>1e300<")), "In Note Position:"},
        {withNote(Replaced(note, "<Height>0<", "<Height>44<")), "In Note Height:"},
        {withNote(Replaced(note, "</Height>", "</Height><PosInOol>-1</PosInOol>")),
         "In Position in MultiOol:"},
        {withNote(Replaced(note, "</Height>", "</Height><PosInOol>1</PosInOol>")),
         "In PosInNote: Value to High for Normal Note."},
        {withNote(Replaced(note, "</Height>", "</Height><Triool /><PosInOol>3</PosInOol>")),
         "In PosInNote: Value to High for Triool."},
        {withNote(Replaced(note, "</Length>", "</Length><Points>4</Points>")), "In Note Points:"},
        {withNote(Replaced(note, "</Height>", "</Height><Duool />")), "In Note Points:"},
        {withNote(Replaced(Replaced(note, "<Length>4<", "<Length>32<"), "</Height>",
                           "</Height><Kwintool />")),
         "In Note Length:"},
        {withSilence("<Silence><Position>1</Position><Length>4</Length><PosInOol>2</PosInOol>"
                     "</Silence>"),
         "In PosInSil: Value to High for Normal Silence."},
        {withSilence("<Silence><Position>1</Position><Length>128</Length></Silence>"),
         "In Silence Length:"},
        {Replaced(file, "<SampleWave>", "<FreqUp>x</FreqUp><SampleWave>"), "unexpected"},
        {Replaced(file, "<VolumeFactor>0.5<", "<VolumeFactor>x<"), "In VolumeFactor:"},
        // Control characters are trimmed like blanks, leaving no name.
        {Replaced(file, "<SampleWave>sample<", "<SampleWave>\x01\x0b<"), "In SampleWave:"},
        {Replaced(file, "<Version>7.1<", "<Version>8.0<"),
         "The music file has version \"8.0\"; only versions 7.0 and 7.1 can be read."},
    };
    for (const auto& c : cases) {
        Loaded loaded(c.bytes);
        EXPECT_FALSE(loaded.ok) << c.message;
        EXPECT_EQ(loaded.error.rfind(c.message, 0), 0u) << loaded.error;
    }
}

TEST(MusicFileTest, TurnsAndLoopsOutsideTheirBoundsAreRefused) {
    const std::string single =
        "<SingleMuzPart><Bar><Count>4</Count><Length>4</Length></Bar><PartNode "
        "/></SingleMuzPart>\n";
    for (const auto& [parts, message] : std::vector<std::pair<std::string, std::string>>{
             {single + "<SelectMuzPart><SelectMuzPartTurn><Count>1</Count><Pitch>97</Pitch>"
                       "<PartNode /></SelectMuzPartTurn><PartNode /></SelectMuzPart>\n",
              "In Pitch:"},
             {single + "<LoopMuzPart><Count>0</Count><PartNode /></LoopMuzPart>\n",
              "In Loop MuzPart Count:"},
             {single + "<LoopMuzPart><Count>1000000</Count><PartNode /></LoopMuzPart>\n",
              "In Loop MuzPart Count:"},
             // Nested loops multiply the turns that playing walks.
             {single + "<LoopMuzPart><Count>100</Count><PartNode /></LoopMuzPart>\n" +
                  "<LoopMuzPart><Count>11</Count><PartNode /></LoopMuzPart>\n",
              "In Loop MuzPart Count: Loops can repeat a part at most 1000 times."},
         }) {
        Loaded loaded(WithParts(parts));
        EXPECT_FALSE(loaded.ok) << parts;
        EXPECT_EQ(loaded.error.rfind(message, 0), 0u) << loaded.error;
    }
}

TEST(MusicFileTest, PositionsCloserThanTheModelTellsApartBecomeOne) {
    // 1, 1.0004 and 1.0008: each close to its neighbour, the ends not close to each other.
    std::string notes;
    for (const char* position : {"1.0008", "1", "1.0004"}) {
        notes += "<Note><Position>" + std::string(position) +
                 "</Position><Length>4</Length><Height>0</Height></Note>";
    }
    Loaded loaded(Replaced(DefaultFile(), "<NotePart />", "<NotePart>" + notes + "</NotePart>"));
    ASSERT_TRUE(loaded.ok) << loaded.error;
    std::vector<double> positions;
    for (const TMuzNote* note : NotesOf(loaded.music))
        positions.push_back(note->Position);
    EXPECT_EQ(positions, (std::vector<double>{1, 1, 1.0008}));
}

TEST(MusicFileTest, AFailedSaveShowsItsReason) {
    platform::RecordingMessageSink messages;
    TUnitRegistry registry;
    TUnitMuz music(registry);
    const std::filesystem::path nowhere =
        std::filesystem::temp_directory_path() / "kalvora-no-such-folder" / "x.kvm";
    EXPECT_FALSE(SaveMusicFile(music, nowhere));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].caption, "FileError");
    EXPECT_EQ(messages.Messages()[0].text.rfind("Cannot save Music: ", 0), 0u);
}

TEST(MusicFileTest, ASavedFileLoadsBack) {
    FullDocument full;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "kalvora-music-file-test.kvm";
    ASSERT_TRUE(SaveMusicFile(full.music, path));
    TUnitRegistry registry;
    TUnitMuz music(registry, true);
    std::string error;
    ASSERT_TRUE(LoadMusicFile(path, music, error)) << error;
    EXPECT_EQ(Written(music), Written(full.music));
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace kalvora
