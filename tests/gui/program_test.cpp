// Runs the program itself: --screenshot starts it, lets the loop settle, saves the main window
// and exits.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

TEST(ProgramTest, ScreenshotOptionSavesTheMainWindow) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString picture = folder.filePath("frame.png");
    QProcess program;
    program.start(KALVORA_PROGRAM, {"--screenshot", picture, "missing.kvm"});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    QImage image(picture);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 1280);
    EXPECT_EQ(image.height(), 800);
    // The message about the music file went to standard error, not into a blocking box.
    EXPECT_TRUE(QString::fromLocal8Bit(program.readAllStandardError()).contains("Cannot read the file"));
}

}  // namespace
