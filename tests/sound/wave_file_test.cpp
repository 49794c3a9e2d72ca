#include "sound/wave_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <iterator>

#include "platform/recording_message_sink.h"
#include "sound/sample_memory.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::ElementsAre;
using testing::MakeWave;
using testing::Samples;

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void Put(Bytes& bytes, std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// The fields of a WAV file, canonical by default, for writing broken variants.
struct WavFile {
    std::string riff = "RIFF";
    std::string waveFmt = "WAVEfmt ";
    std::uint32_t fmtSize = 16;
    std::uint32_t format = 1;
    std::uint32_t channels = 1;
    std::uint32_t rate = 8000;
    std::uint32_t bits = 16;
    Bytes betweenChunks;  // chunks between "fmt " and "data"
    std::string dataTag = "data";
    std::optional<std::uint32_t> dataSize;  // default: the size of data
    Bytes data;

    Bytes Encode() const {
        Bytes bytes;
        Put(bytes, riff);
        Put(bytes, 0, 4);
        Put(bytes, waveFmt);
        Put(bytes, fmtSize, 4);
        Put(bytes, format, 2);
        Put(bytes, channels, 2);
        Put(bytes, rate, 4);
        Put(bytes, rate * channels * bits / 8, 4);
        Put(bytes, channels * bits / 8, 2);
        Put(bytes, bits, 2);
        for (std::uint32_t i = 16; i < fmtSize; ++i)
            bytes.push_back(0);
        bytes.insert(bytes.end(), betweenChunks.begin(), betweenChunks.end());
        Put(bytes, dataTag);
        Put(bytes, dataSize.value_or(static_cast<std::uint32_t>(data.size())), 4);
        bytes.insert(bytes.end(), data.begin(), data.end());
        return bytes;
    }
};

Bytes Le16(std::initializer_list<std::int16_t> samples) {
    Bytes bytes;
    for (std::int16_t s : samples)
        Put(bytes, static_cast<std::uint16_t>(s), 2);
    return bytes;
}

class WaveFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("kalvora-wave-file-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path Path(const std::string& name) const { return folder_ / name; }

    static Bytes Contents(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    bool Read(const WavFile& file) { return Read(file.Encode()); }
    bool Read(const Bytes& bytes) { return ReadWaveBytes(bytes, sound, errorText); }

    std::unique_ptr<Sound> sound;
    std::string errorText;
    ErrorFlag error = 0;
    platform::RecordingMessageSink messages;

  private:
    std::filesystem::path folder_;
};

TEST_F(WaveFileTest, RefusedHeadersGiveTheirTexts) {
    struct Case {
        std::string name;
        WavFile file;
        std::string_view text;
    };
    WavFile base;
    base.data = Le16({1, 2});
    auto with = [&](auto change) {
        WavFile file = base;
        change(file);
        return file;
    };
    Bytes list;
    Put(list, "LIST");
    Put(list, 4, 4);
    Put(list, "INFO");
    const std::vector<Case> cases = {
        {"not RIFF", with([](WavFile& f) { f.riff = "RIFX"; }), "\"RIFF\" not found."},
        {"not WAVE", with([](WavFile& f) { f.waveFmt = "WAVEfmt_"; }), "\"WAVEfmt \" not found."},
        {"small fmt", with([](WavFile& f) { f.fmtSize = 14; }), "chunk too small."},
        {"float", with([](WavFile& f) { f.format = 3; }), "A value must be 1."},
        {"extensible", with([](WavFile& f) { f.format = 0xFFFE; }), "A value must be 1."},
        {"no channels", with([](WavFile& f) { f.channels = 0; }), "MonoStereo must be 1 or 2."},
        {"3 channels", with([](WavFile& f) { f.channels = 3; }), "MonoStereo must be 1 or 2."},
        {"rate 0", with([](WavFile& f) { f.rate = 0; }), waveFileText::badRate},
        {"negative rate", with([](WavFile& f) { f.rate = 0x80000000u; }), waveFileText::badRate},
        {"24 bits", with([](WavFile& f) { f.bits = 24; }), waveFileText::badBits},
        {"4 bits", with([](WavFile& f) { f.bits = 4; }), waveFileText::badBits},
        {"0 bits", with([](WavFile& f) { f.bits = 0; }), waveFileText::badBits},
        {"LIST chunk", with([&](WavFile& f) { f.betweenChunks = list; }), "\"data\" not found."},
        {"no data", with([](WavFile& f) { f.dataTag = "datx"; }), "\"data\" not found."},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Read(c.file)) << c.name;
        EXPECT_EQ(errorText, c.text) << c.name;
        EXPECT_EQ(sound, nullptr) << c.name;
    }
    EXPECT_FALSE(Read(Bytes{}));
    EXPECT_EQ(errorText, "\"RIFF\" not found.");
    // Cut off inside the header: the missing bytes fail the next check.
    const Bytes whole = base.Encode();
    for (std::size_t size : {4u, 12u, 20u, 24u, 36u}) {
        EXPECT_FALSE(Read(Bytes(whole.begin(), whole.begin() + size))) << size;
    }
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(WaveFileTest, ReadsTheFourKindsOfSampleData) {
    WavFile mono8;
    mono8.bits = 8;
    mono8.data = {0, 128, 255};
    ASSERT_TRUE(Read(mono8));
    EXPECT_EQ(errorText, "No errors occurred.");
    EXPECT_EQ(sound->GetWaveFileProps(), (waveFileProps{8000, 1, 1}));
    EXPECT_THAT(Samples(dynamic_cast<MonoSound&>(*sound).WaveMiddle),
                ElementsAre(-32768, 0, 32512));

    WavFile stereo8 = mono8;
    stereo8.channels = 2;
    stereo8.data = {0, 255, 128, 129, 7};  // the odd last byte is no frame
    ASSERT_TRUE(Read(stereo8));
    auto& s8 = dynamic_cast<StereoSound&>(*sound);
    EXPECT_THAT(Samples(s8.WaveLeft), ElementsAre(-32768, 0));
    EXPECT_THAT(Samples(s8.WaveRight), ElementsAre(32512, 256));

    WavFile mono16;
    mono16.rate = 44100;
    mono16.data = Le16({-32768, 32767, -1});
    mono16.data.push_back(0x55);  // an odd data size loses its last byte
    ASSERT_TRUE(Read(mono16));
    EXPECT_EQ(sound->GetWaveFileProps(), (waveFileProps{44100, 1, 2}));
    EXPECT_THAT(Samples(dynamic_cast<MonoSound&>(*sound).WaveMiddle),
                ElementsAre(-32768, 32767, -1));

    WavFile stereo16 = mono16;
    stereo16.channels = 2;
    stereo16.data = Le16({1, -2, 3, -4});  // data size 8: two frames per channel
    ASSERT_TRUE(Read(stereo16));
    auto& s16 = dynamic_cast<StereoSound&>(*sound);
    EXPECT_THAT(Samples(s16.WaveLeft), ElementsAre(1, 3));
    EXPECT_THAT(Samples(s16.WaveRight), ElementsAre(-2, -4));
}

TEST_F(WaveFileTest, ExtendedFmtAndFactChunksAreRead) {
    WavFile extended;
    extended.fmtSize = 18;
    extended.data = Le16({5, 6});
    ASSERT_TRUE(Read(extended));
    EXPECT_EQ(sound->GetValues(), 2);

    WavFile withFact;
    Put(withFact.betweenChunks, "fact");
    Put(withFact.betweenChunks, 4, 4);
    Put(withFact.betweenChunks, 2, 4);
    withFact.data = Le16({5, 6});
    ASSERT_TRUE(Read(withFact));
    EXPECT_THAT(Samples(dynamic_cast<MonoSound&>(*sound).WaveMiddle), ElementsAre(5, 6));
}

TEST_F(WaveFileTest, EmptyDataKeepsTheFormat) {
    WavFile file;
    file.channels = 2;
    file.bits = 8;
    file.rate = 11025;
    ASSERT_TRUE(Read(file));
    EXPECT_EQ(sound->GetValues(), 0);
    EXPECT_EQ(sound->GetWaveFileProps(), (waveFileProps{11025, 2, 1}));
}

TEST_F(WaveFileTest, AClaimedSizeBeyondTheFileReadsOnlyWhatIsThere) {
    WavFile file;
    file.channels = 2;
    file.data = Le16({1, 2, 3, 4, 5});  // two whole frames and half of one
    for (std::uint32_t claimed : {100u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        file.dataSize = claimed;
        // Never more than the two frames the file holds are allocated.
        SampleAllocationLimit limit(4);
        ASSERT_TRUE(Read(file)) << claimed;
        EXPECT_THAT(Samples(dynamic_cast<StereoSound&>(*sound).WaveRight), ElementsAre(2, 4));
    }
    EXPECT_TRUE(messages.Messages().empty());
}

// The reader only says why; its callers show the message with the file's name, once.
TEST_F(WaveFileTest, AllocationFailureWhileReadingFailsTheRead) {
    WavFile file;
    file.data = Le16({1, 2, 3});
    SampleAllocationLimit limit(2);
    EXPECT_FALSE(Read(file));
    EXPECT_EQ(sound, nullptr);
    EXPECT_EQ(errorText, kNotEnoughMemoryText);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(WaveFileTest, FilesThatCannotBeOpened) {
    EXPECT_FALSE(ReadWaveFile(Path("missing.wav"), sound, errorText));
    EXPECT_EQ(errorText, "Cannot open File.");
    EXPECT_FALSE(ReadWaveFile(Path(""), sound, errorText));
    EXPECT_EQ(errorText, "Cannot open File.");
}

TEST_F(WaveFileTest, WritingAndReadingBackGivesTheSameBytes) {
    struct Case {
        std::uint32_t channels, bits;
        Bytes data;
    };
    const Case cases[] = {
        {1, 8, {0, 128, 255, 1, 127}},
        {2, 8, {0, 128, 255, 1}},
        {1, 16, Le16({-32768, 32767, 0, -1, 77})},
        {2, 16, Le16({-32768, 32767, 0, -1})},
    };
    for (const Case& c : cases) {
        WavFile file;
        file.channels = c.channels;
        file.bits = c.bits;
        file.rate = 22050;
        file.data = c.data;
        Bytes canonical = file.Encode();
        const std::uint32_t riffSize = static_cast<std::uint32_t>(canonical.size() - 8);
        for (int i = 0; i < 4; ++i)
            canonical[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
        WriteBytes(Path("in.wav"), canonical);

        ASSERT_TRUE(ReadWaveFile(Path("in.wav"), sound, errorText));
        ASSERT_TRUE(WriteWaveFile(*sound, &error, Path("out.wav"), 0, sound->GetValues()));
        EXPECT_EQ(Contents(Path("out.wav")), canonical) << c.channels << " " << c.bits;
    }
}

TEST_F(WaveFileTest, EightBitWritingTruncatesTowardZero) {
    MonoSound mono(MakeWave({-32768, -257, -256, -255, -1, 0, 255, 256, 32767}), 8000, 1);
    ASSERT_TRUE(WriteWaveFile(mono, &error, Path("eight.wav"), 0, 9));
    const Bytes bytes = Contents(Path("eight.wav"));
    EXPECT_THAT(Bytes(bytes.begin() + 44, bytes.end()),
                ElementsAre(0, 127, 127, 128, 128, 128, 128, 129, 255));
}

TEST_F(WaveFileTest, WritesARangeWithTheCanonicalHeader) {
    ErrorFlag fill = 0;
    Wave left(&fill, 300);
    Wave right(&fill, 300);
    for (int i = 0; i < 300; ++i) {
        left.wave[i] = static_cast<std::int16_t>(i);
        right.wave[i] = static_cast<std::int16_t>(-i);
    }
    const StereoSound stereo(std::move(left), std::move(right), 44100, 2);
    ASSERT_TRUE(WriteWaveFile(stereo, &error, Path("range.wav"), 50, 150));
    const Bytes bytes = Contents(Path("range.wav"));
    ASSERT_EQ(bytes.size(), 444u);
    Bytes header;
    Put(header, "RIFF");
    Put(header, 436, 4);
    Put(header, "WAVEfmt ");
    Put(header, 16, 4);
    Put(header, 1, 2);
    Put(header, 2, 2);
    Put(header, 44100, 4);
    Put(header, 44100 * 4, 4);
    Put(header, 4, 2);
    Put(header, 16, 2);
    Put(header, "data");
    Put(header, 400, 4);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 44), header);
    EXPECT_EQ(Bytes(bytes.begin() + 44, bytes.begin() + 48), Le16({50, -50}));
    EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), Le16({149, -149}));

    // An empty range gives a header alone.
    ASSERT_TRUE(WriteWaveFile(stereo, &error, Path("empty.wav"), 7, 7));
    EXPECT_EQ(Contents(Path("empty.wav")).size(), 44u);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(WaveFileTest, AFolderThatCannotBeWrittenIsReported) {
    const MonoSound mono(MakeWave({1, 2}), 8000, 2);
    EXPECT_FALSE(WriteWaveFile(mono, &error, Path("no-such-folder") / "x.wav", 0, 2));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
              "Cannot save Wave: Operating System cannot open file for writing, maybe the file "
              "is readonly.");
    EXPECT_EQ(messages.Messages()[0].caption, "FileError");
    EXPECT_EQ(messages.Messages()[0].icon, platform::MessageIcon::information);
}

// Replacing goes through a new file, which the system would allow even beside a read-only
// one: the writer refuses a file whose write bits are off and leaves it as it was.
TEST_F(WaveFileTest, AReadOnlyFileIsRefusedAndKept) {
    namespace fs = std::filesystem;
    const Bytes old = {'o', 'l', 'd'};
    WriteBytes(Path("locked.wav"), old);
    fs::permissions(Path("locked.wav"), fs::perms::owner_read | fs::perms::group_read);
    const MonoSound mono(MakeWave({1, 2}), 8000, 2);
    EXPECT_FALSE(WriteWaveFile(mono, &error, Path("locked.wav"), 0, 2));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
              "Cannot save Wave: Operating System cannot open file for writing, maybe the file "
              "is readonly.");
    EXPECT_EQ(messages.Messages()[0].caption, "FileError");
    EXPECT_EQ(Contents(Path("locked.wav")), old);
    EXPECT_EQ(fs::status(Path("locked.wav")).permissions(),
              fs::perms::owner_read | fs::perms::group_read);
}

// The new file keeps the old one's permission bits, and a link is written through: the file
// it points at gets the samples, the link stays a link.
TEST_F(WaveFileTest, TheOldFilesModeAndLinksAreKept) {
    namespace fs = std::filesystem;
    const MonoSound mono(MakeWave({1, 2}), 8000, 2);
    WriteBytes(Path("shared.wav"), {'o', 'l', 'd'});
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(Path("shared.wav"), mode);
    ASSERT_TRUE(WriteWaveFile(mono, &error, Path("shared.wav"), 0, 2));
    EXPECT_EQ(fs::status(Path("shared.wav")).permissions(), mode);  // 640

    fs::create_directories(Path("takes"));
    WriteBytes(Path("takes/real.wav"), {'o', 'l', 'd'});
    fs::create_symlink("takes/real.wav", Path("link.wav"));
    ASSERT_TRUE(WriteWaveFile(mono, &error, Path("link.wav"), 0, 2));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(Path("link.wav"))));
    EXPECT_EQ(fs::read_symlink(Path("link.wav")), "takes/real.wav");
    EXPECT_EQ(Contents(Path("takes/real.wav")).size(), 48u);
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("takes")), {}), 1);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(WaveFileTest, AFullDiskIsReportedAndTheOldFileSurvives) {
    const Bytes old = {'o', 'l', 'd'};
    WriteBytes(Path("keep.wav"), old);
    ErrorFlag fill = 0;
    Wave samples(&fill, 100000);
    samples.clearPart(&fill, 0, 100000);
    const MonoSound mono(std::move(samples), 8000, 2);

    // A file-size limit makes writes fail as they would on a full disk.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = WriteWaveFile(mono, &error, Path("keep.wav"), 0, 100000);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(Contents(Path("keep.wav")), old);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_THAT(messages.Messages()[0].text, ::testing::StartsWith("Cannot save Wave: "));
    EXPECT_THAT(messages.Messages()[0].text, ::testing::HasSubstr("File too large"));
    EXPECT_EQ(messages.Messages()[0].caption, "FileError");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("")),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left behind
}

TEST_F(WaveFileTest, ADocumentWithItsFlagSetCanStillBeSaved) {
    const StereoSound stereo(MakeWave({1}), MakeWave({2}), 8000, 2);
    const MonoSound mono(MakeWave({3}), 8000, 2);
    error = 1;
    EXPECT_TRUE(WriteWaveFile(stereo, &error, Path("s.wav"), 0, 1));
    EXPECT_TRUE(WriteWaveFile(mono, &error, Path("m.wav"), 0, 1));
    EXPECT_EQ(Contents(Path("s.wav")).size(), 48u);
}

}  // namespace
}  // namespace kalvora
