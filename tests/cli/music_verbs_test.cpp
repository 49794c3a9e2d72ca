// kalvora-cli check and convert on music files.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_fixture.h"
#include "documents/document_registry.h"
#include "music/music_file.h"
#include "music/unit_muz.h"

namespace kalvora::cli {
namespace {

class MusicVerbsTest : public CliFolderTest {
  protected:
    std::string WriteNewMusic(const std::string& name) {
        TUnitRegistry registry;
        TUnitMuz music(registry);
        EXPECT_TRUE(SaveMusicFile(music, Path(name)));
        return Path(name);
    }

    static std::string Text(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void Replace(const std::string& file, const std::string& what, const std::string& with) {
        std::string text = Text(file);
        const std::size_t at = text.find(what);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, what.size(), with);
        std::ofstream(file, std::ios::binary) << text;
    }
};

TEST_F(MusicVerbsTest, CheckConfirmsAMusicFileByItsTopElement) {
    const std::string file = WriteNewMusic("song.kvm");
    EXPECT_EQ(Run({"check", file}), exitSuccess) << err.str();
    EXPECT_EQ(out.str(), file + ": a valid Music File.\n");

    const std::string renamed = Path("song.txt");
    std::filesystem::rename(file, renamed);
    EXPECT_EQ(Run({"check", renamed}), exitSuccess) << err.str();
}

TEST_F(MusicVerbsTest, CheckGivesTheReadersMessageWithItsPlace) {
    const std::string file = WriteNewMusic("song.kvm");
    Replace(file, "<KeyKind>G<", "<KeyKind>H<");
    EXPECT_EQ(Run({"check", file}), exitFileError);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str().rfind(file + ": Key Kind \"H\" is not a valid Key Kind. At line ", 0), 0u)
        << err.str();
}

TEST_F(MusicVerbsTest, ConvertBringsAnOldFileToTheCurrentVersionOnce) {
    const std::string old = Path("old.kvm");
    std::ofstream(old) << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                          "<!DOCTYPE UnitMuz SYSTEM \"UnitMuz.dtd\">\n\n"
                          "<UnitMuz><Version>7.0</Version><Tempo>2 s</Tempo>"
                          "<Bar><Count>3</Count><Length>4</Length></Bar>"
                          "<Stave><RoomUp>80</RoomUp><RoomDown>90</RoomDown>"
                          "<ForegroundColor>000000</ForegroundColor>"
                          "<BackgroundColor>FFFFFF</BackgroundColor>"
                          "<Key><Position>0</Position><KeyKind>F</KeyKind></Key>"
                          "<NoteGroup><NoteColor>0000FF</NoteColor><NoteShapeNormal />"
                          "<CompoundPlayer><RepeatWaveForm><SampleWave>saw</SampleWave>"
                          "<VolumeFactor>0.5</VolumeFactor></RepeatWaveForm></CompoundPlayer>"
                          "<Note><Position>0.5</Position><Length>8</Length><Height>2</Height>"
                          "</Note></NoteGroup></Stave></UnitMuz>\n";
    const std::string once = Path("once.kvm");
    const std::string twice = Path("twice.kvm");
    EXPECT_EQ(Run({"convert", old, once}), exitSuccess) << err.str();
    EXPECT_NE(Text(once).find("<Version>7.1</Version>"), std::string::npos);
    EXPECT_NE(Text(once).find("<Height>-4</Height>"), std::string::npos);  // staff position 2
    EXPECT_EQ(Run({"convert", once, twice}), exitSuccess) << err.str();
    EXPECT_EQ(Text(twice), Text(once));
}

TEST_F(MusicVerbsTest, ConvertWritesNothingForAFileItCannotRead) {
    const std::string file = WriteNewMusic("song.kvm");
    Replace(file, "<Length>4<", "<Length>5<");
    const std::string output = Path("out.kvm");
    EXPECT_EQ(Run({"convert", file, output}), exitFileError);
    EXPECT_EQ(err.str().rfind(file + ": Cannot read the file: In Bar Length: ", 0), 0u)
        << err.str();
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_EQ(Run({"convert", file, output, "--bits", "8"}), exitUsageError);
}

}  // namespace
}  // namespace kalvora::cli
