// File > Import... and File > Export... in the frame, over the real codec, with their
// dialogs answered through the frame's questions; and the export options dialog itself.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>

#include "gui/export_options_dialog.h"
#include "gui/mdi_child_wave.h"
#include "gui/status_panels.h"
#include "gui/wave_test_support.h"
#include "platform/sndfile/sndfile_codec.h"
#include "sound/sound_import.h"
#include "support/wave_file_builder.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using kalvora::testing::BuildWaveFile;
using kalvora::testing::FloatSamples;
using kalvora::testing::WaveFileLayout;

class SoundFileCommandsTest : public ::testing::Test, public testing::FrameFixture {
  protected:
    // A mono 32-bit float WAV file, which Open refuses and Import reads.
    std::string WriteFloatWave(const std::string& name, std::vector<float> samples) {
        WaveFileLayout layout;
        layout.kind = WaveFileLayout::Kind::ieeeFloat;
        layout.bits = 32;
        layout.channels = 1;
        layout.rate = 22050;
        const std::string file = FileNameToCore(folder.filePath(QString::fromStdString(name)));
        kalvora::testing::WriteBytes(file, BuildWaveFile(layout, FloatSamples(samples)));
        return file;
    }
};

TEST_F(SoundFileCommandsTest, ImportOpensEveryChosenFileAsANewWave) {
    const std::string file = WriteFloatWave("voice.wav", {0.5f, -0.5f, 0.25f, 0.0f});
    EXPECT_TRUE(frame.CommandEnabled(C::FileImport));  // also without any window
    EXPECT_FALSE(frame.CommandEnabled(C::FileExport));
    frame.openFileNames = [&](FileDialogKind kind) {
        EXPECT_EQ(kind, FileDialogKind::importSound);
        return QStringList{FileNameFromCore(file), folder.filePath("missing.flac")};
    };
    ASSERT_TRUE(frame.RunCommand(C::FileImport));
    Settle();
    ASSERT_EQ(messages.Messages().size(), 1u);  // the missing one
    EXPECT_EQ(messages.Messages()[0].text.rfind("Cannot import the file: \"", 0), 0u);
    TMDIChildWave* window = frame.ActiveWaveWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(frame.DocumentWindows().size(), 1);
    EXPECT_EQ(window->Wave().Name(), "voice");
    EXPECT_TRUE(window->Wave().HasNoFile());
    EXPECT_EQ(window->Wave().GetFreq(), 22050);
    EXPECT_EQ(window->Wave().GetValues(), 4);
    EXPECT_EQ(frame.StatusPanels().Text(7), "New");
    EXPECT_TRUE(frame.CommandEnabled(C::FileExport));
}

TEST_F(SoundFileCommandsTest, OpenRefusesTheSameFileWithAHintAtImport) {
    const std::string file = WriteFloatWave("voice.wav", {0.5f});
    frame.OpenFromCommandLine(FileNameFromCore(file));
    Settle();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_NE(messages.Messages()[0].text.find("use File > Import to convert it."),
              std::string::npos);
    EXPECT_TRUE(frame.DocumentWindows().isEmpty());
}

TEST_F(SoundFileCommandsTest, ExportWritesTheWaveWithTheChosenWidth) {
    const std::string file = WriteFloatWave("voice.wav", {0.5f, -0.5f, 0.25f, 0.0f});
    frame.openFileNames = [&](FileDialogKind) { return QStringList{FileNameFromCore(file)}; };
    ASSERT_TRUE(frame.RunCommand(C::FileImport));
    Settle();
    const std::string target = FileNameToCore(folder.filePath("out.flac"));
    frame.saveFileName = [&](FileDialogKind kind) -> std::optional<std::string> {
        EXPECT_EQ(kind, FileDialogKind::exportSound);
        return target;
    };
    int asked = 0;
    frame.exportChoicesAnswer = [&](platform::EncodedFormat format, const ExportChoices& shown) {
        ++asked;
        EXPECT_EQ(format, platform::EncodedFormat::flac);
        ExportChoices choices = shown;
        choices.bits = 24;
        return std::optional<ExportChoices>(choices);
    };
    ASSERT_TRUE(frame.RunCommand(C::FileExport));
    Settle();
    EXPECT_EQ(asked, 1);
    ASSERT_TRUE(messages.Messages().empty()) << messages.Messages()[0].text;
    EXPECT_EQ(frame.LastExportChoices().bits, 24);

    platform::SndfileCodec codec;
    std::string errorText;
    std::unique_ptr<platform::SoundDecoder> decoder = codec.Open(target, errorText);
    ASSERT_TRUE(decoder) << errorText;
    EXPECT_EQ(decoder->Info().frames, 4);
    EXPECT_EQ(decoder->Info().rate, 22050);
    EXPECT_TRUE(decoder->Info().wide);  // 24 bits
    // The document keeps its state: still without a file.
    EXPECT_TRUE(frame.ActiveWaveWindow()->Wave().HasNoFile());

    // Cancelling the options writes nothing.
    frame.exportChoicesAnswer = [](platform::EncodedFormat, const ExportChoices&) {
        return std::optional<ExportChoices>();
    };
    const std::string other = FileNameToCore(folder.filePath("other.wav"));
    frame.saveFileName = [&](FileDialogKind) -> std::optional<std::string> { return other; };
    ASSERT_TRUE(frame.RunCommand(C::FileExport));
    EXPECT_FALSE(QFile::exists(FileNameFromCore(other)));
}

TEST_F(SoundFileCommandsTest, TheOptionsDialogShowsWhatTheFormatHas) {
    TDlgExportOptions lossless(&frame, platform::EncodedFormat::wav, {24, 5.0});
    auto* width = lossless.findChild<QComboBox*>(QStringLiteral("cbSampleWidth"));
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(lossless.findChild<QDoubleSpinBox*>(), nullptr);
    EXPECT_EQ(width->currentText(), "24 bits");
    width->setCurrentIndex(0);
    EXPECT_EQ(lossless.Choices().bits, 16);

    TDlgExportOptions ogg(&frame, platform::EncodedFormat::oggVorbis, {16, 5.0});
    auto* quality = ogg.findChild<QDoubleSpinBox*>(QStringLiteral("edQuality"));
    ASSERT_NE(quality, nullptr);
    EXPECT_EQ(ogg.findChild<QComboBox*>(), nullptr);
    quality->setValue(12);  // held within 0 .. 10
    EXPECT_EQ(ogg.Choices().quality, 10.0);
}

}  // namespace
}  // namespace kalvora::gui
