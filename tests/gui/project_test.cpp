// Projects from the frame's side: a body of work saved, closed and reopened with every
// window, its place, its settings and its unsaved changes.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QMdiArea>

#include "documents/wave_creation.h"
#include "gui/frame_projects.h"
#include "gui/mdi_child_muz.h"
#include "gui/mdi_child_wave.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "gui/wave_test_support.h"
#include "music/unit_muz.h"
#include "shell/music_documents.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using testing::StereoSine;
using testing::WriteWav;

class ProjectTest : public ::testing::Test, public testing::FrameFixture {
  protected:
    ProjectTest() {
        frame.saveFileName = [this](FileDialogKind) { return std::optional(project); };
        frame.openFileNames = [this](FileDialogKind) {
            return QStringList{FileNameFromCore(project)};
        };
        frame.resize(1200, 900);
        Settle();
    }

    TMDIChildWave* Open(const std::string& file) {
        EXPECT_TRUE(frame.OpenWaveFile(file));
        Settle();
        return frame.ActiveWaveWindow();
    }

    TMDIChildWave* Named(const std::string& name) { return frame.WaveWindowNamed(name); }

    std::string project = FileNameToCore(folder.filePath("work.kvp"));
};

TEST_F(ProjectTest, EveryWindowSettingAndChangeComesBack) {
    ASSERT_TRUE(frame.RunCommand(C::ProjectNew));
    EXPECT_EQ(frame.windowTitle(), FromCore("Kalvora 8.0 - " + project));

    // A changed wave, zoomed and split.
    TMDIChildWave* changed = Open(WriteWav(folder, "changed.wav", *StereoSine(44100)));
    ASSERT_NE(changed, nullptr);
    changed->Wave().SetName("Changed");
    changed->setGeometry(10, 20, 600, 300);
    Settle();
    changed->Wave().SetSelection(100, 1100);
    ASSERT_TRUE(changed->Wave().Delete());
    changed->Group().SetSplitPosition(0.4);
    Settle();
    ASSERT_TRUE(changed->Group().ViewSecond().ZoomTo(2000, 9000, true));
    Settle();
    const double split = changed->Group().SplitPosition();

    // An unchanged wave.
    TMDIChildWave* same = Open(WriteWav(folder, "same.wav", *StereoSine(2000)));
    ASSERT_NE(same, nullptr);
    same->Wave().SetName("Same");
    same->Wave().MarkSaved();

    // A new wave without a file and without samples, and a hand-drawn one.
    frame.AddWaveWindow(NewWave(frame.Workspace(), {22050, 1, 1}));
    TMDIChildWave* drawn = frame.AddWaveWindow(NewWave(frame.Workspace(), {8000, 1, 2}));
    drawn->Wave().DrawWave(TDrawKind::linear);
    drawn->Wave().DrawNodes().Insert(0.25, 12000);
    drawn->Wave().DrawingEdited();
    Settle();
    // A music document that exists only in the project.
    TMDIChildMuz* music = frame.AddMusicWindow(NewMusic(frame.Workspace().Registry()));
    music->Music().Tempo.SetValue(2.75);
    music->Music().MarkChanged();
    music->setGeometry(40, 50, 500, 250);
    const std::string musicName = music->Music().Name();
    // The drawn wave is the active one when the project is saved.
    frame.MdiArea()->setActiveSubWindow(drawn);
    Settle();
    const std::string emptyName = frame.DocumentWindows()[2]->Document().Name();
    const std::string drawnName = drawn->Wave().Name();
    drawn->setGeometry(30, 60, 400, 200);
    const QRect drawnPlace = drawn->geometry();

    ASSERT_TRUE(frame.RunCommand(C::ProjectSave));
    EXPECT_TRUE(messages.Messages().empty()) << messages.Messages().front().text;
    ASSERT_TRUE(frame.RunCommand(C::ProjectClose));
    Settle();
    EXPECT_TRUE(frame.DocumentWindows().isEmpty());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Kalvora 8.0"));

    ASSERT_TRUE(frame.RunCommand(C::ProjectOpen));
    Settle();
    EXPECT_TRUE(messages.Messages().empty()) << messages.Messages().front().text;
    EXPECT_EQ(frame.windowTitle(), FromCore("Kalvora 8.0 - " + project));
    ASSERT_EQ(frame.DocumentWindows().size(), 5);

    TMDIChildWave* changedAgain = Named("Changed");
    ASSERT_NE(changedAgain, nullptr);
    EXPECT_EQ(changedAgain->Wave().GetValues(), 43100);
    EXPECT_EQ(changedAgain->Wave().StatusText(), "Changed");
    EXPECT_EQ(changedAgain->geometry(), QRect(10, 20, 600, 300));
    EXPECT_NEAR(changedAgain->Group().SplitPosition(), split, 0.01);
    ASSERT_TRUE(changedAgain->Group().ViewSecond().Zoomed());
    EXPECT_NEAR(changedAgain->Group().ViewSecond().Geometry().FirstVisible(), 2000, 100);

    TMDIChildWave* sameAgain = Named("Same");
    ASSERT_NE(sameAgain, nullptr);
    EXPECT_FALSE(sameAgain->Wave().NeedsSave());

    TMDIChildWave* empty = Named(emptyName);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->Wave().HasNoFile());
    EXPECT_EQ(empty->Wave().GetValues(), 0);
    EXPECT_EQ(empty->Wave().GetFreq(), 22050);
    EXPECT_EQ(empty->Wave().GetBytesPSample(), 1);

    TMDIChildWave* drawnAgain = Named(drawnName);
    ASSERT_NE(drawnAgain, nullptr);
    EXPECT_TRUE(drawnAgain->Wave().UserDrawing());
    EXPECT_EQ(drawnAgain->Wave().DrawNodes().Count(), 3);
    EXPECT_EQ(drawnAgain->geometry(), drawnPlace);
    TMDIChildMuz* musicAgain = nullptr;
    for (TMDIChildKalvora* window : frame.DocumentWindows()) {
        if (auto* candidate = qobject_cast<TMDIChildMuz*>(window)) musicAgain = candidate;
    }
    ASSERT_NE(musicAgain, nullptr);
    EXPECT_EQ(musicAgain->Music().Name(), musicName);
    EXPECT_TRUE(musicAgain->Music().HasNoFile());
    EXPECT_DOUBLE_EQ(musicAgain->Music().Tempo.GetValue(), 2.75);
    EXPECT_EQ(musicAgain->geometry(), QRect(40, 50, 500, 250));

    // The last window of the project is the active one again.
    EXPECT_EQ(frame.ActiveWaveWindow(), drawnAgain);
}

TEST_F(ProjectTest, ClosingTheProgramSavesTheProjectAndTheCommandLineOpensIt) {
    ASSERT_TRUE(frame.RunCommand(C::ProjectNew));
    TMDIChildWave* wave = Open(WriteWav(folder, "a.wav", *StereoSine(3000)));
    ASSERT_NE(wave, nullptr);
    wave->Wave().SetName("A");
    wave->Wave().SetSelection(10, 20);
    int questions = 0;
    frame.closeQuestion = [&questions](const QString&) {
        ++questions;
        return CloseAnswer::cancel;
    };
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(questions, 0) << "a project keeps the changes; nothing is asked";
    EXPECT_TRUE(QFileInfo::exists(FromCore(project)));

    TMainForm second;
    second.show();
    second.OpenFromCommandLine(FileNameFromCore(project));
    QApplication::processEvents();
    EXPECT_EQ(second.ProjectFile(), project);
    EXPECT_EQ(second.windowTitle(), FromCore("Kalvora 8.0 - " + project));
    ASSERT_EQ(second.DocumentWindows().size(), 1);
    TMDIChildWave* again = second.WaveWindowNamed("A");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Wave().SelMin(), 10);
    EXPECT_EQ(again->Wave().SelMax(), 20);
    EXPECT_EQ(again->Wave().StatusText(), "Changed");
    EXPECT_TRUE(messages.Messages().empty()) << messages.Messages().front().text;
}

}  // namespace
}  // namespace kalvora::gui
