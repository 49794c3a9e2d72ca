#include "shell/wave_shadow_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "documents/document_test_support.h"
#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"
#include "shell/wave_shadow_grammar.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;

std::string ReadAll(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const std::string& fileName, const std::string& text) {
    std::ofstream(fileName, std::ios::binary) << text;
}

// Replaces the first occurrence of what; the test fails when there is none.
std::string Replaced(std::string text, const std::string& what, const std::string& with) {
    const std::size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    if (at != std::string::npos) text.replace(at, what.size(), with);
    return text;
}

class WaveShadowFileTest : public ::testing::Test {
  protected:
    std::unique_ptr<TUnitWave> Document(std::int32_t samples) {
        return std::make_unique<TUnitWave>(workspace_, Mono(Samples(samples)));
    }

    // The file a document writes, as text.
    std::string Written(const TUnitWave& document) {
        const std::string file = folder_.File("written.kvw");
        std::string error;
        EXPECT_TRUE(WriteShadow(document, file, error)) << error;
        return ReadAll(file);
    }

    // Reads text as a shadow file into document.
    TShadowReadResult Read(const std::string& text, TUnitWave& document, std::string& error,
                           std::unique_ptr<Sound>* sound = nullptr) {
        const std::string file = folder_.File("read.kvw");
        WriteAll(file, text);
        std::unique_ptr<Sound> replacement;
        const TShadowReadResult result = ReadShadow(document, file, false, replacement, error);
        if (sound != nullptr) *sound = std::move(replacement);
        return result;
    }

    const TWaveViewState& ViewsOf(const TUnitWave& document) {
        const auto* views = dynamic_cast<const TWaveViewState*>(document.PendingViewState());
        EXPECT_NE(views, nullptr);
        static const TWaveViewState none;
        return views != nullptr ? *views : none;
    }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    ScratchFolder folder_;
};

TEST_F(WaveShadowFileTest, AReversedSelectionIsWrittenSmallerEndFirstAndReadBack) {
    auto saved = Document(5000);
    saved->SetEnds(3000, 1000);
    const std::string text = Written(*saved);
    const std::size_t first = text.find("<WavePos>1000</WavePos>");
    const std::size_t second = text.find("<WavePos>3000</WavePos>");
    ASSERT_NE(first, std::string::npos) << text;
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_NE(text.find("<Version>8.0</Version>"), std::string::npos);

    auto opened = Document(5000);
    std::string error;
    ASSERT_EQ(Read(text, *opened, error), TShadowReadResult::read) << error;
    EXPECT_EQ(opened->SelMin(), 1000);
    EXPECT_EQ(opened->SelMax(), 3000);
}

TEST_F(WaveShadowFileTest, ACursorIsWrittenAsCursorAndClampedToTheSoundWhenRead) {
    auto saved = Document(5000);
    saved->SetCursor(4000);
    const std::string text = Written(*saved);
    EXPECT_NE(text.find("<Cursor>"), std::string::npos) << text;
    EXPECT_EQ(text.find("<Part>"), std::string::npos);

    auto shorter = Document(100);
    std::string error;
    ASSERT_EQ(Read(text, *shorter, error), TShadowReadResult::read) << error;
    EXPECT_EQ(shorter->FirstEnd(), 100);
    EXPECT_EQ(shorter->SecondEnd(), 100);

    // A selection beyond the end shrinks to the sound as well.
    saved->SetSelection(200, 4000);
    ASSERT_EQ(Read(Written(*saved), *shorter, error), TShadowReadResult::read) << error;
    EXPECT_EQ(shorter->SelMin(), 100);
    EXPECT_EQ(shorter->SelMax(), 100);
}

TEST_F(WaveShadowFileTest, AnEmptyWaveKeepsItsFormat) {
    TUnitWave empty(workspace_, MakeEmptySound({11025, 1, 1}));
    const std::string text = Written(empty);
    EXPECT_NE(text.find("<EmptyWave>"), std::string::npos) << text;

    auto opened = std::make_unique<TUnitWave>(workspace_, MakeEmptySound({44100, 2, 2}));
    std::string error;
    std::unique_ptr<Sound> sound;
    ASSERT_EQ(Read(text, *opened, error, &sound), TShadowReadResult::read) << error;
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetWaveFileProps(), (waveFileProps{11025, 1, 1}));
    EXPECT_EQ(sound->GetValues(), 0);

    // A wave with samples writes no EmptyWave and hands back no sound.
    ASSERT_EQ(Read(Written(*Document(10)), *opened, error, &sound), TShadowReadResult::read);
    EXPECT_EQ(sound, nullptr);
}

TEST_F(WaveShadowFileTest, OnlyAZoomedViewWritesItsZoom) {
    auto saved = Document(50000);
    auto views = std::make_unique<TWaveViewState>();
    views->zooms[0] = TViewZoom{1200, 34000};
    views->splitPosition = 0.25;
    saved->KeepViewState(std::move(views));
    const std::string text = Written(*saved);
    const std::size_t zoom = text.find("<Zoom>");
    ASSERT_NE(zoom, std::string::npos) << text;
    EXPECT_EQ(text.find("<Zoom>", zoom + 1), std::string::npos);
    EXPECT_NE(text.find("<View />"), std::string::npos);  // the second view

    auto opened = Document(50000);
    std::string error;
    ASSERT_EQ(Read(text, *opened, error), TShadowReadResult::read) << error;
    const TWaveViewState& read = ViewsOf(*opened);
    ASSERT_TRUE(read.zooms[0].has_value());
    EXPECT_EQ(*read.zooms[0], (TViewZoom{1200, 34000}));
    EXPECT_FALSE(read.zooms[1].has_value());
    EXPECT_DOUBLE_EQ(read.splitPosition, 0.25);
    EXPECT_FALSE(read.loading);
}

TEST_F(WaveShadowFileTest, TheDisplayAndBothSettingsRecordsRoundTrip) {
    auto saved = Document(100);
    auto views = std::make_unique<TWaveViewState>();
    views->showVolume = true;
    views->waveSettings.DrawStyle = drawStylePoints;
    views->waveSettings.ValuesPerPixel = 40;
    views->waveSettings.GridColor = 0x123456;
    views->waveSettings.UseGrid = false;
    views->volumeSettings.XResolution = 321;
    views->volumeSettings.YResolution = 77;
    views->volumeSettings.Sensitivity = TVoldViewProps::SensHigh;
    views->volumeSettings.BackgroundColor = 0x203040;
    const TWaveViewState expected = *views;
    saved->KeepViewState(std::move(views));

    auto opened = Document(100);
    std::string error;
    ASSERT_EQ(Read(Written(*saved), *opened, error), TShadowReadResult::read) << error;
    const TWaveViewState& read = ViewsOf(*opened);
    EXPECT_TRUE(read.showVolume);
    EXPECT_EQ(read.waveSettings, expected.waveSettings);
    EXPECT_TRUE(read.volumeSettings.Equals(expected.volumeSettings));
}

TEST_F(WaveShadowFileTest, AHandDrawnWaveRoundTripsItsNodesWithoutRecomputing) {
    auto saved = Document(10);
    saved->DrawWave(TDrawKind::smooth);
    saved->DrawNodes().Insert(0.25, 12000);
    saved->DrawNodes().Insert(0.625, -3000);
    saved->EditDrawing([](TDrawNodes&, double& length) { length = 0.5; });
    const std::string text = Written(*saved);
    EXPECT_NE(text.find("<DrawParabola />"), std::string::npos) << text;
    EXPECT_NE(text.find("<WaveValue>12000 $</WaveValue>"), std::string::npos);
    EXPECT_NE(text.find("<DrawLength>0.5 s</DrawLength>"), std::string::npos);

    auto opened = Document(7);
    std::string error;
    ASSERT_EQ(Read(text, *opened, error), TShadowReadResult::read) << error;
    EXPECT_TRUE(opened->UserDrawing());
    EXPECT_EQ(opened->DrawKind(), TDrawKind::smooth);
    EXPECT_DOUBLE_EQ(opened->DrawLength(), 0.5);
    EXPECT_EQ(opened->GetValues(), 7);  // the sound of the WAV file stays
    std::vector<std::pair<double, int>> nodes;
    for (const TDrawNode& node : opened->DrawNodes())
        nodes.emplace_back(node.position, node.value);
    EXPECT_EQ(nodes, (std::vector<std::pair<double, int>>{
                         {0.0, 0}, {0.25, 12000}, {0.625, -3000}, {1.0, 0}}));

    // Reading a file without a drawing ends the drawing.
    ASSERT_EQ(Read(Written(*Document(7)), *opened, error), TShadowReadResult::read) << error;
    EXPECT_FALSE(opened->UserDrawing());
    EXPECT_TRUE(opened->DrawNodes().Empty());
}

TEST_F(WaveShadowFileTest, NodesOutOfPositionOrderAreKeptInFileOrderAndStillDraw) {
    auto saved = Document(10);
    saved->DrawWave(TDrawKind::linear);
    saved->DrawNodes().Insert(0.25, 1000);
    saved->DrawNodes().Insert(0.75, 2000);
    std::string text = Written(*saved);
    text = Replaced(text, "<Position>0.25</Position>", "<Position>0.9</Position>");

    auto opened = Document(10);
    std::string error;
    ASSERT_EQ(Read(text, *opened, error), TShadowReadResult::read) << error;
    std::vector<double> positions;
    for (const TDrawNode& node : opened->DrawNodes())
        positions.push_back(node.position);
    EXPECT_EQ(positions, (std::vector<double>{0.0, 0.9, 0.75, 1.0}));
    // Computing and editing the drawing copes with the order.
    opened->DrawingEdited();
    EXPECT_EQ(opened->GetValues(), 44101);
    opened->DrawNodes().Insert(0.5, 500);
    opened->EditDrawing([](TDrawNodes& nodes, double&) { nodes.NormalizeValues(); });
    EXPECT_EQ(opened->GetValues(), 44101);
}

struct BrokenCase {
    const char* what;
    const char* with;
    const char* message;  // the start of the reason
};

// Every case turns one part of a valid file into a fault; the reader must name the field and
// its place, and change nothing.
TEST_F(WaveShadowFileTest, UnusableValuesAreRefusedWithTheirFieldAndPlace) {
    auto saved = Document(5000);
    saved->SetSelection(1000, 3000);
    auto views = std::make_unique<TWaveViewState>();
    views->zooms[0] = TViewZoom{100, 400};
    saved->KeepViewState(std::move(views));
    const std::string selected = Written(*saved);

    TUnitWave empty(workspace_, MakeEmptySound({22050, 1, 2}));
    const std::string emptyText = Written(empty);

    auto drawn = Document(10);
    drawn->DrawWave(TDrawKind::linear);
    drawn->DrawNodes().Insert(0.5, 700);
    const std::string drawnText = Written(*drawn);
    // Only the first of the three nodes.
    const std::size_t secondNode = drawnText.find("<DrawPoint>", drawnText.find("</DrawPoint>"));
    const std::size_t length = drawnText.find("<DrawLength>");
    const std::string oneNode =
        drawnText.substr(0, secondNode) + drawnText.substr(length, std::string::npos);

    const std::vector<std::pair<const std::string*, BrokenCase>> cases = {
        {&selected,
         {"<WavePos>3000</WavePos>", "<WavePos>999</WavePos>",
          "In Part WavePos 2: Value must be no less than Part WavePos 1. At line "}},
        {&selected,
         {"<WavePos>400</WavePos>", "<WavePos>100</WavePos>",
          "In Zoom WavePos 2: Value must be more than Zoom WavePos 1. At line "}},
        {&selected,
         {"<WavePos>400</WavePos>", "<WavePos>20</WavePos>",
          "In Zoom WavePos 2: Value must be more than Zoom WavePos 1. At line "}},
        {&selected,
         {"<SplitPosition>", "<SplitPosition>1.5",
          "In SplitPosition: Value must be no more than 1. At line "}},
        {&emptyText,
         {"<BytesPerSample>2<", "<BytesPerSample>3<",
          "In BytesPerSample: Value must be 1 or 2. At line "}},
        {&emptyText,
         {"<SampleFreq>22050<", "<SampleFreq>0<",
          "In SampleFreq: Value must be positive and more than 0. At line "}},
        {&emptyText,
         {"<SampleFreq>22050<", "<SampleFreq>-8000<",
          "In SampleFreq: Value must be positive and more than 0. At line "}},
        {&emptyText,
         {"<SampleFreq>22050<", "<SampleFreq>1000001<",
          "In SampleFreq: Value must be no more than 1000000. At line "}},
        {&drawnText,
         {"<Position>0.5</Position>", "<Position>1.5</Position>",
          "In DrawPoint Position: Value must be no more than 1. At line "}},
        {&drawnText,
         {"<Position>0</Position>", "<Position>0.1</Position>",
          "In DrawPoint Position: The first DrawPoint must lie at 0. At line "}},
        {&drawnText,
         {"<Position>1</Position>", "<Position>0.8</Position>",
          "In DrawPoint Position: The last DrawPoint must lie at 1. At line "}},
        {&oneNode,
         {"<DrawLinear />", "<DrawLinear />",
          "In UserDraw: A drawing must have at least two DrawPoints. At line "}},
        {&drawnText,
         {"<WaveValue>700 $</WaveValue>", "<WaveValue>40000 $</WaveValue>",
          "In DrawPoint WaveValue: Wave Value is too high. (maximum: 32767 $) At line "}},
        {&selected,
         {"<GridColor>808080<", "<GridColor>80G080<",
          "In GridColor: Invalid Hexdecimal value: \"80G080\". At line "}},
        {&selected,
         {"<Version>8.0</Version>", "<Version>7.0</Version>",
          "Unknown Version \"7.0\": this program reads Wave Shadow Files of version 8.0 only."}},
        {&selected,
         {"<Version>8.0</Version>", "",
          "The file holds no Version: this program reads Wave Shadow Files of version 8.0 "
          "only."}},
        {&selected, {"<SplitPosition>", "<SplitPosition a=\"1\">", "unexpected 'a' found in line"}},
        {&selected, {"<ShowWave />", "", "unexpected begin of element \"ViewWave\""}},
    };
    for (const auto& [text, broken] : cases) {
        SCOPED_TRACE(broken.with);
        auto opened = Document(5000);
        opened->SetSelection(10, 20);
        std::string error;
        ASSERT_EQ(Read(Replaced(*text, broken.what, broken.with), *opened, error),
                  TShadowReadResult::failed);
        EXPECT_EQ(error.rfind(broken.message, 0), 0u) << error;
        EXPECT_EQ(opened->SelMin(), 10);  // nothing applied
        EXPECT_EQ(opened->SelMax(), 20);
        EXPECT_EQ(opened->PendingViewState(), nullptr);
        EXPECT_FALSE(opened->UserDrawing());
    }
}

TEST_F(WaveShadowFileTest, AMissingFileIsNoErrorButAnUnreadableOneIs) {
    auto document = Document(10);
    std::unique_ptr<Sound> sound;
    std::string error;
    EXPECT_EQ(ReadShadow(*document, folder_.File("none.kvw"), false, sound, error),
              TShadowReadResult::noFile);
    std::filesystem::create_directory(folder_.File("folder.kvw"));
    EXPECT_EQ(ReadShadow(*document, folder_.File("folder.kvw"), false, sound, error),
              TShadowReadResult::failed);
    EXPECT_EQ(error, "The file cannot be opened.");
}

TEST_F(WaveShadowFileTest, TheStoreReadsOnOpenWritesOnSaveAndMarksTheViewsForLoading) {
    TWaveShadowFiles store;
    workspace_.SetShadowStore(&store);
    const std::string wav = folder_.File("take.wav");
    {
        TUnitWave first(workspace_, Mono(Ramp(300)));
        first.SetSelection(20, 30);
        ASSERT_TRUE(first.SaveFileAs(wav));
        EXPECT_TRUE(std::filesystem::exists(folder_.File("take.kvw")));
        EXPECT_FALSE(first.NeedsSave());
        // A click changes only the shadow file: Save writes it alone.
        first.SetCursor(50);
        std::filesystem::remove(wav);
        ASSERT_TRUE(first.SaveFile());
        EXPECT_FALSE(std::filesystem::exists(wav));
        first.MarkChanged();
        ASSERT_TRUE(first.SaveFile());
    }
    auto opened = OpenWave(workspace_, wav);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->FirstEnd(), 50);
    EXPECT_FALSE(opened->NeedsSave());
    EXPECT_FALSE(ViewsOf(*opened).loading);

    auto loading = OpenWave(workspace_, wav, folder_.File("copy.wav"), true);
    ASSERT_NE(loading, nullptr);
    EXPECT_TRUE(ViewsOf(*loading).loading);

    // Revert reads the shadow file again.
    opened->SetCursor(7);
    ASSERT_TRUE(opened->Revert());
    EXPECT_EQ(opened->FirstEnd(), 50);

    // A broken shadow file is reported; the wave opens all the same, without its state.
    WriteAll(folder_.File("take.kvw"), "<?xml?>\n<!DOCTYPE>\n<UnitWave>\n");
    messages_.Clear();
    auto broken = OpenWave(workspace_, wav);
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(broken->FirstEnd(), 0);
    EXPECT_EQ(broken->PendingViewState(), nullptr);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text.rfind(
                  "Cannot read the file: \"" + folder_.File("take.kvw") + "\" ", 0),
              0u);
    workspace_.SetShadowStore(nullptr);
}

TEST_F(WaveShadowFileTest, AShadowFileThatCannotBeWrittenIsReportedAfterTheWave) {
    TWaveShadowFiles store;
    workspace_.SetShadowStore(&store);
    std::filesystem::create_directory(folder_.File("take.kvw"));  // in the way
    TUnitWave wave(workspace_, Mono(Ramp(30)));
    EXPECT_FALSE(wave.SaveFileAs(folder_.File("take.wav")));
    EXPECT_TRUE(std::filesystem::exists(folder_.File("take.wav")));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    const std::string& text = messages_.Messages()[0].text;
    EXPECT_EQ(text.rfind("Cannot save Wave Shadow File: ", 0), 0u) << text;
    EXPECT_NE(text.find(". The Wave is saved correctly."), std::string::npos) << text;
    workspace_.SetShadowStore(nullptr);
}

}  // namespace
}  // namespace kalvora
