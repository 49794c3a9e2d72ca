// kalvora-cli score: a music file's staff notation drawn into a PNG.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../music/music_fixture.h"
#include "cli/cli_fixture.h"
#include "documents/document_registry.h"
#include "music/music_file.h"
#include "music/unit_muz.h"

namespace kalvora::cli {
namespace {

using test::AddNote;
using test::AddSilence;

// The default document (one stave, G clef, 4/4) drawn from y 0: its middle line lies at
// y 120 (40 above the stave's room of 80), its picture is 40 + 80 + 80 + 40 high.
constexpr int kMiddleY = 120;
constexpr int kPieceHeight = 240;

class ScoreVerbTest : public CliFolderTest {
  protected:
    // Two bars on the default stave: two quarters, a chord of two quarters and a quarter
    // rest, then a half note and a half rest.
    std::string WritePiece(const std::string& name) {
        TUnitRegistry registry;
        TUnitMuz music(registry);
        TSinglePartMuz& part = *music.Root().FirstSinglePart();
        TNoteStave* stave = music.Staves().FirstStave();
        AddNote(part, stave, 0, 6);
        AddNote(part, stave, 0.25, 8);
        AddNote(part, stave, 0.5, 4);
        AddNote(part, stave, 0.5, 8);
        AddSilence(part, stave, 0.75);
        AddNote(part, stave, 1, 3, TTiming{2, 0, sool, 0});
        AddSilence(part, stave, 1.5, TTiming{2, 0, sool, 0});
        EXPECT_TRUE(SaveMusicFile(music, Path(name)));
        return Path(name);
    }

    static std::string Text(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static bool IsInk(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

    // Dark pixels off the five staff lines: heads, stems, rests, bar lines, digits.
    static int NotationInk(const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            if ((y - kMiddleY) % 10 == 0 && y >= kMiddleY - 20 && y <= kMiddleY + 20) continue;
            for (int x = 0; x < image.width(); ++x)
                count += IsInk(image, x, y) ? 1 : 0;
        }
        return count;
    }
};

TEST_F(ScoreVerbTest, DrawsTheWholePieceWithoutASize) {
    const std::string piece = WritePiece("piece.kvm");
    ASSERT_EQ(Run({"score", piece, Path("piece.png")}), exitSuccess) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "");
    const QImage image(QString::fromStdString(Path("piece.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.height(), kPieceHeight);
    // The final double bar's thick line ends 20 pixels before the right edge, paper after it.
    const int right = image.width() - 1;
    EXPECT_TRUE(IsInk(image, right - 20, kMiddleY + 5));
    for (int x = right - 19; x <= right; ++x)
        EXPECT_FALSE(IsInk(image, x, kMiddleY + 5)) << x;

    // An empty document draws only staff lines, time signature and bars: less ink.
    TUnitRegistry registry;
    TUnitMuz empty(registry);
    ASSERT_TRUE(SaveMusicFile(empty, Path("empty.kvm")));
    ASSERT_EQ(Run({"score", Path("empty.kvm"), Path("empty.png")}), exitSuccess) << err.str();
    const QImage emptyImage(QString::fromStdString(Path("empty.png")));
    EXPECT_LT(emptyImage.width(), image.width());
    EXPECT_GT(NotationInk(image), NotationInk(emptyImage) + 100);
}

TEST_F(ScoreVerbTest, DrawsAtTheGivenSizeAndReplacesAnOldPicture) {
    const std::string piece = WritePiece("piece.kvm");
    const std::string png = Path("piece.png");
    std::ofstream(png) << "old";
    ASSERT_EQ(Run({"score", piece, png, "--size", "150x300"}), exitSuccess) << err.str();
    const QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 150);
    EXPECT_EQ(image.height(), 300);
    EXPECT_GT(NotationInk(image), 100);
}

TEST_F(ScoreVerbTest, AFileTheReaderRefusesGivesItsMessageAndNoPicture) {
    const std::string piece = WritePiece("piece.kvm");
    std::string text = Text(piece);
    const std::size_t at = text.find("<KeyKind>G<");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 11, "<KeyKind>H<");
    std::ofstream(piece, std::ios::binary) << text;
    const std::string png = Path("piece.png");
    std::ofstream(png) << "old";

    EXPECT_EQ(Run({"score", piece, png}), exitFileError);
    EXPECT_EQ(err.str().rfind(piece + ": Key Kind \"H\" is not a valid Key Kind. At line ", 0), 0u)
        << err.str();
    EXPECT_NE(err.str().find(", column "), std::string::npos) << err.str();
    EXPECT_EQ(Text(png), "old");

    EXPECT_EQ(Run({"score", Path("missing.kvm"), Path("missing.png")}), exitFileError);
    EXPECT_NE(err.str().find("missing.kvm"), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists(Path("missing.png")));
}

TEST_F(ScoreVerbTest, UsageErrorsDrawNothing) {
    const std::string piece = WritePiece("piece.kvm");
    const std::string png = Path("piece.png");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::string sizeRule = "In --size: Use WIDTHxHEIGHT, whole numbers from 1 to 8192.\n";
    const std::string usage = "usage: kalvora-cli score IN.kvm OUT.png [--size WxH]\n";
    const std::vector<Case> cases = {
        {{"score"}, usage},
        {{"score", piece}, usage},
        {{"score", piece, png, Path("more.png")}, usage},
        {{"score", piece, png, "size=10x10"}, usage},
        {{"score", piece, png, "--size", "0x10"}, sizeRule},
        {{"score", piece, png, "--size", "100"}, sizeRule},
        {{"score", piece, png, "--size", "8193x10"}, sizeRule},
        {{"score", piece, png, "--size", "ax10"}, sizeRule},
        {{"score", piece, png, "--zoom", "2"}, "Unknown option --zoom for score.\n"},
        {{"score", piece, piece},
         "In " + piece + ": The picture cannot replace the music file it is drawn from.\n"},
    };
    const std::string before = Text(piece);
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), exitUsageError) << c.args.size();
        EXPECT_EQ(err.str(), c.message);
        EXPECT_FALSE(std::filesystem::exists(png));
    }
    EXPECT_EQ(Text(piece), before);
}

}  // namespace
}  // namespace kalvora::cli
