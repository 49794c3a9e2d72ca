#include "shell/project_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "documents/document_test_support.h"
#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "music/music_file.h"
#include "music/unit_muz.h"
#include "platform/recording_message_sink.h"
#include "shell/wave_shadow_file.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;

std::string ReadAll(const std::filesystem::path& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> FilesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator(folder, error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error))
        names.insert(it->path().filename().string());
    return names;
}

// The frame as the project sees it: windows in a list, the last one active.
class FakeHost final : public ProjectHost {
  public:
    explicit FakeHost(TWorkspace& workspace) : workspace_(workspace) {}
    ~FakeHost() override { CloseDocumentWindows(false); }

    struct Window {
        std::unique_ptr<TUnit> unit;
        TProjectBounds bounds;
    };
    std::vector<Window> windows;
    TProjectBounds frame{10, 20, 800, 600, TWindowShow::normal};
    bool refuseClose = false;
    bool showsMusic = true;
    int loadedCalls = 0;

    template <typename Document>
    Document& Add(std::unique_ptr<Document> unit, TProjectBounds bounds = {1, 2, 300, 200}) {
        Document& result = *unit;
        workspace_.Registry().Activate(result);
        windows.push_back({std::move(unit), bounds});
        return result;
    }
    TUnitWave& Wave(std::size_t i) { return static_cast<TUnitWave&>(*windows.at(i).unit); }
    TUnitMuz& Music(std::size_t i) { return static_cast<TUnitMuz&>(*windows.at(i).unit); }
    void Close(std::size_t i) {
        workspace_.Registry().Remove(*windows.at(i).unit);
        windows.erase(windows.begin() + static_cast<std::ptrdiff_t>(i));
    }

    std::vector<TProjectWindowRef> DocumentWindows() const override {
        std::vector<TProjectWindowRef> refs;
        for (const Window& window : windows)
            refs.push_back({window.unit.get(), window.bounds});
        return refs;
    }
    TProjectBounds FrameBounds() const override { return frame; }
    void SetFrameBounds(const TProjectBounds& bounds) override { frame = bounds; }
    bool CloseDocumentWindows(bool ask) override {
        if (ask && refuseClose) return false;
        while (!windows.empty())
            Close(windows.size() - 1);
        return true;
    }
    bool AddWave(std::unique_ptr<TUnitWave> wave, const TProjectBounds& bounds) override {
        Add(std::move(wave), bounds);
        return true;
    }
    bool AddMusic(std::unique_ptr<TUnitMuz> music, const TProjectBounds& bounds) override {
        if (!showsMusic) return false;
        Add(std::move(music), bounds);
        return true;
    }
    void WindowsLoaded() override { ++loadedCalls; }
    void ProjectFileChanged() override {}

  private:
    TWorkspace& workspace_;
};

class ProjectSessionTest : public ScratchFolderTest {
  protected:
    ProjectSessionTest() { workspace_.SetShadowStore(&shadows_); }

    std::string File(const std::string& name) const { return (folder_ / name).string(); }
    std::filesystem::path Copies() const { return CopyFolderOf(project_); }

    // A wave saved to its own file, unchanged.
    TUnitWave& SavedWave(const std::string& name, const Samples& samples) {
        auto wave = std::make_unique<TUnitWave>(workspace_, Mono(samples));
        EXPECT_TRUE(wave->SaveFileAs(File(name)));
        return host_.Add(std::move(wave));
    }
    TUnitMuz& SavedMusic(const std::string& name, double tempo) {
        auto music = std::make_unique<TUnitMuz>(workspace_.Registry());
        music->Tempo.SetValue(tempo);
        EXPECT_TRUE(SaveMusicFile(*music, File(name)));
        music->SetFileName(File(name));
        music->MarkSaved();
        return host_.Add(std::move(music));
    }
    TProject ReadProject(const std::string& file) {
        TProject project;
        std::string error;
        EXPECT_EQ(ReadProjectFile(file, project, error), TProjectReadResult::read) << error;
        return project;
    }
    // Closes everything without asking and loads the project again.
    void Reopen() {
        ASSERT_TRUE(session_.CloseAllWindows());
        ASSERT_TRUE(host_.windows.empty());
        session_.LoadProject(project_);
    }

    platform::RecordingMessageSink messages_;
    TWaveShadowFiles shadows_;
    TWorkspace workspace_;
    FakeHost host_{workspace_};
    TProjectSession session_{workspace_, host_};
    std::string project_ = File("work.kvp");
};

TEST_F(ProjectSessionTest, ChangedWavesGetCopiesAndAnUnchangedMusicKeepsOnlyItsFile) {
    ASSERT_TRUE(session_.NewProject(project_));
    SavedWave("a.wav", Ramp(100)).SetCursor(5);  // the cursor lives in the shadow: changed
    SavedMusic("m.kvm", 2.0);
    TUnitWave& b = SavedWave("b.wav", Ramp(50));
    b.Delete();
    ASSERT_TRUE(session_.SaveCurrentProject());

    const TProject project = ReadProject(project_);
    ASSERT_EQ(project.windows.size(), 3u);
    EXPECT_EQ(project.windows[0].tempFile, 0);
    EXPECT_EQ(project.windows[1].tempFile, -1);
    EXPECT_EQ(project.windows[1].file, File("m.kvm"));
    EXPECT_EQ(project.windows[1].kind, TUnitKind::music);
    EXPECT_EQ(project.windows[2].tempFile, 1);
    EXPECT_EQ(project.windows[2].file, File("b.wav"));
    EXPECT_EQ(project.frame, host_.frame);
    // a: only its shadow changed; b: its samples too (an empty wave keeps only a shadow file).
    EXPECT_EQ(FilesIn(Copies()), (std::set<std::string>{"savedProjectWindowFile0.kvw",
                                                        "savedProjectWindowFile1.kvw"}));
    EXPECT_EQ(host_.Wave(0).TempFile(), 0);
    EXPECT_TRUE(host_.Wave(0).NeedsSave()) << "saving a project marks nothing saved";
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(ProjectSessionTest, ReopeningRestoresEveryDocumentNameChangeAndPlace) {
    ASSERT_TRUE(session_.NewProject(project_));
    workspace_.Registry().SetNoNameCounter(7);
    TUnitWave& changed = SavedWave("a.wav", Ramp(100));
    changed.SetSelection(10, 20);
    changed.Delete();  // 90 samples left, cursor at 10
    changed.SetSelection(30, 40);
    changed.SetName("Changed");
    SavedWave("b.wav", Ramp(60)).SetName("Same");
    host_.Add(NewWave(workspace_, {22050, 1, 2}));  // NONAME8, no file, no samples
    TUnitWave& drawn = host_.Add(NewWave(workspace_, {8000, 1, 2}));
    drawn.DrawWave(TDrawKind::smooth);
    drawn.DrawNodes().Insert(0.5, 1000);
    drawn.DrawingEdited();
    TUnitMuz& music = host_.Add(std::make_unique<TUnitMuz>(workspace_.Registry()),
                                {5, 6, 400, 300, TWindowShow::maximized});
    music.Tempo.SetValue(3.5);
    music.SetName("Tune");
    host_.frame = {1, 2, 1000, 700, TWindowShow::maximized};
    const Samples drawnSamples = LeftSamples(drawn.TheSound());
    ASSERT_TRUE(session_.SaveCurrentProject());

    Reopen();
    ASSERT_EQ(host_.windows.size(), 5u);
    EXPECT_EQ(host_.loadedCalls, 1);
    EXPECT_EQ(workspace_.Registry().NoNameCounter(), 9);
    EXPECT_EQ(host_.frame, (TProjectBounds{1, 2, 1000, 700, TWindowShow::maximized}));

    TUnitWave& a = host_.Wave(0);
    EXPECT_EQ(a.Name(), "Changed");
    EXPECT_EQ(a.FileName(), File("a.wav"));
    EXPECT_EQ(a.GetValues(), 90);
    EXPECT_EQ(a.SelMin(), 30);
    EXPECT_EQ(a.SelMax(), 40);
    EXPECT_EQ(a.StatusText(), "Changed");
    EXPECT_TRUE(a.TrackChanges());

    TUnitWave& b = host_.Wave(1);
    EXPECT_EQ(b.Name(), "Same");
    EXPECT_FALSE(b.NeedsSave());
    EXPECT_EQ(LeftSamples(b.TheSound()), Ramp(60));

    TUnitWave& empty = host_.Wave(2);
    EXPECT_EQ(empty.Name(), "NONAME8");
    EXPECT_TRUE(empty.HasNoFile());
    EXPECT_EQ(empty.GetValues(), 0);
    EXPECT_EQ(empty.GetFreq(), 22050);
    EXPECT_EQ(empty.GetMoSt(), 1);

    TUnitWave& redrawn = host_.Wave(3);
    EXPECT_TRUE(redrawn.UserDrawing());
    EXPECT_EQ(redrawn.DrawKind(), TDrawKind::smooth);
    EXPECT_EQ(redrawn.DrawNodes().Count(), 3);
    EXPECT_EQ(LeftSamples(redrawn.TheSound()), drawnSamples);

    TUnitMuz& tune = host_.Music(4);
    EXPECT_EQ(tune.Name(), "Tune");
    EXPECT_TRUE(tune.HasNoFile());
    EXPECT_DOUBLE_EQ(tune.Tempo.GetValue(), 3.5);
    EXPECT_EQ(host_.windows[4].bounds, (TProjectBounds{5, 6, 400, 300, TWindowShow::maximized}));
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Messages().front().text;
}

TEST_F(ProjectSessionTest, SavingAgainKeepsOnlyTheCopiesTheNewProjectNames) {
    ASSERT_TRUE(session_.NewProject(project_));
    SavedWave("a.wav", Ramp(10)).Delete();
    SavedWave("b.wav", Ramp(20)).SetCursor(3);
    ASSERT_TRUE(session_.SaveCurrentProject());
    host_.Close(0);
    ASSERT_TRUE(session_.SaveCurrentProject());

    const TProject project = ReadProject(project_);
    ASSERT_EQ(project.windows.size(), 1u);
    const int number = project.windows[0].tempFile;
    ASSERT_GE(number, 0);
    EXPECT_EQ(FilesIn(Copies()),
              std::set<std::string>{"savedProjectWindowFile" + std::to_string(number) + ".kvw"});
    Reopen();
    ASSERT_EQ(host_.windows.size(), 1u);
    EXPECT_EQ(host_.Wave(0).SelMin(), 3);
}

TEST_F(ProjectSessionTest, ExportCopiesEveryDocumentWithoutFilesAndMarksNothing) {
    ASSERT_TRUE(session_.NewProject(project_));
    SavedWave("a.wav", Ramp(10));
    TUnitWave& changed = SavedWave("b.wav", Ramp(20));
    changed.Delete();
    changed.Paste();  // nothing in the clipboard: stays empty, but it is changed
    SavedMusic("m.kvm", 1.5);
    const std::string exported = File("out/export.kvp");
    std::filesystem::create_directories(folder_ / "out");
    ASSERT_TRUE(session_.ExportProject(exported));

    EXPECT_EQ(session_.ProjectFile(), project_);
    EXPECT_FALSE(std::filesystem::exists(project_)) << "the project itself is not saved";
    EXPECT_EQ(ReadAll(exported).find("<File>"), std::string::npos);
    const TProject project = ReadProject(exported);
    for (const TProjectWindow& window : project.windows) {
        EXPECT_TRUE(window.file.empty());
        EXPECT_GE(window.tempFile, 0);
    }
    EXPECT_TRUE(changed.NeedsSave() || changed.GetValues() == 0);
    EXPECT_EQ(host_.Wave(0).TempFile(), -1) << "export does not number the documents' copies";

    // The export stands on its own: the documents' own files are not needed.
    ASSERT_TRUE(session_.CloseProject());
    std::filesystem::remove(File("a.wav"));
    std::filesystem::remove(File("a.kvw"));
    std::filesystem::remove(File("m.kvm"));
    session_.LoadProject(exported);
    ASSERT_EQ(host_.windows.size(), 3u);
    EXPECT_EQ(LeftSamples(host_.Wave(0).TheSound()), Ramp(10));
    EXPECT_DOUBLE_EQ(host_.Music(2).Tempo.GetValue(), 1.5);
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Messages().front().text;
}

TEST_F(ProjectSessionTest, MusicWithoutAFileKeepsItsCopyThroughEverySave) {
    ASSERT_TRUE(session_.NewProject(project_));
    TUnitMuz& music = host_.Add(std::make_unique<TUnitMuz>(workspace_.Registry()));
    music.Tempo.SetValue(4.0);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(session_.SaveCurrentProject());
        Reopen();
        ASSERT_EQ(host_.windows.size(), 1u) << "round " << round;
        EXPECT_DOUBLE_EQ(host_.Music(0).Tempo.GetValue(), 4.0);
        EXPECT_TRUE(host_.Music(0).NeedsSave());
    }
}

TEST_F(ProjectSessionTest, ADocumentTheFrameCannotShowStaysInTheProject) {
    ASSERT_TRUE(session_.NewProject(project_));
    host_.Add(std::make_unique<TUnitMuz>(workspace_.Registry())).Tempo.SetValue(4.0);
    SavedWave("a.wav", Ramp(10)).SetCursor(2);
    ASSERT_TRUE(session_.SaveCurrentProject());
    ASSERT_TRUE(session_.CloseAllWindows());

    host_.showsMusic = false;
    session_.LoadProject(project_);
    ASSERT_EQ(host_.windows.size(), 1u);
    host_.Wave(0).SetCursor(3);
    ASSERT_TRUE(session_.CloseProject());

    host_.showsMusic = true;
    session_.LoadProject(project_);
    ASSERT_EQ(host_.windows.size(), 2u);
    EXPECT_DOUBLE_EQ(host_.Music(1).Tempo.GetValue(), 4.0);
    EXPECT_EQ(host_.Wave(0).SelMin(), 3);
}

TEST_F(ProjectSessionTest, ANameThatIsTakenIsReportedAndLeftOff) {
    ASSERT_TRUE(session_.NewProject(project_));
    SavedWave("a.wav", Ramp(10)).SetName("A");
    ASSERT_TRUE(session_.CloseProject());
    SavedWave("b.wav", Ramp(10)).SetName("A");  // open outside any project
    session_.LoadProject(project_);

    ASSERT_EQ(host_.windows.size(), 2u);
    EXPECT_EQ(host_.Wave(1).Name(), "");
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "When opening file \"" + File("a.wav") +
                                                "\" from project, a window with name \"A\" "
                                                "already exists");
    EXPECT_EQ(messages_.Messages()[0].caption, "Error");
}

TEST_F(ProjectSessionTest, AMissingOrBrokenCopyLosesOnlyThatWavesChanges) {
    struct Case {
        const char* what;
        bool broken;  // garbage instead of the copy; otherwise the copy is deleted
    };
    for (const Case& c : {Case{"missing", false}, Case{"unreadable", true}}) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(session_.NewProject(project_));
        TUnitWave& a = SavedWave("a.wav", Ramp(10));
        a.Delete();
        a.Paste();
        TUnitWave& b = host_.Add(NamedWave(workspace_, Mono(Ramp(5))));
        b.SetName("B");
        SavedWave("c.wav", Ramp(30)).SetCursor(7);
        ASSERT_TRUE(session_.SaveCurrentProject());
        const TProject project = ReadProject(project_);
        for (int i : {0, 1}) {
            const std::filesystem::path base = CopyBaseName(project_, project.windows[i].tempFile);
            for (const char* extension : {".wav", ".kvw"}) {
                const std::filesystem::path path = base.string() + extension;
                std::filesystem::remove(path);
                if (c.broken) std::ofstream(path) << "no sound";
            }
        }
        messages_.Clear();
        Reopen();
        ASSERT_EQ(host_.windows.size(), 3u);
        EXPECT_EQ(host_.Wave(0).FileName(), File("a.wav"));
        EXPECT_EQ(LeftSamples(host_.Wave(0).TheSound()), Ramp(10)) << "its own file";
        EXPECT_EQ(host_.Wave(1).Name(), "B");
        EXPECT_EQ(host_.Wave(1).GetValues(), 0) << "no file: an empty sound";
        EXPECT_TRUE(host_.Wave(1).NeedsSave() || host_.Wave(1).HasNoFile());
        EXPECT_EQ(host_.Wave(2).SelMin(), 7);
        int lost = 0;
        for (const auto& message : messages_.Messages())
            lost += message.text.find("those changes are lost") != std::string::npos;
        EXPECT_EQ(lost, 2);
        ASSERT_TRUE(session_.CloseProject());
    }
}

TEST_F(ProjectSessionTest, AMusicDocumentThatCannotBeReadDoesNotStopTheProject) {
    ASSERT_TRUE(session_.NewProject(project_));
    SavedMusic("m.kvm", 2.0);
    SavedWave("a.wav", Ramp(10)).SetName("A");
    ASSERT_TRUE(session_.SaveCurrentProject());
    ASSERT_TRUE(session_.CloseAllWindows());
    std::ofstream(File("m.kvm")) << "<UnitMuz>";
    messages_.Clear();
    session_.LoadProject(project_);
    ASSERT_EQ(host_.windows.size(), 1u);
    EXPECT_EQ(host_.Wave(0).Name(), "A");
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_NE(messages_.Messages()[0].text.find("Cannot read the file: \"" + File("m.kvm")),
              std::string::npos);
    EXPECT_EQ(session_.ProjectFile(), project_);
}

// A written project whose copy number is negative.
std::string BrokenTempFile() {
    TProject project;
    project.windows.push_back({TUnitKind::wave, "", 0, "", {}});
    std::string text;
    WriteProjectTree(project, false)->WriteDocument(text);
    const std::string good = "<TempFile>0</TempFile>";
    return text.replace(text.find(good), good.size(), "<TempFile>-3</TempFile>");
}

TEST_F(ProjectSessionTest, AProjectFileThatCannotBeReadOpensNothingAndIsClosed) {
    const struct {
        const char* what;
        std::string text;  // empty: no file at all
        std::string reason;
    } cases[] = {
        {"missing", "", "The file cannot be opened."},
        {"old version",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!DOCTYPE Project>\n\n<Project>\n"
         "  <Version>7.0</Version>\n</Project>\n",
         "Unknown Version \"7.0\""},
        {"bad number", BrokenTempFile(), "In TempFile: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = File(std::string(c.what) + ".kvp");
        if (!c.text.empty()) std::ofstream(file) << c.text;
        messages_.Clear();
        EXPECT_FALSE(session_.OpenProject(file));
        EXPECT_TRUE(host_.windows.empty());
        EXPECT_EQ(session_.ProjectFile(), "");
        ASSERT_EQ(messages_.Messages().size(), 1u);
        EXPECT_EQ(messages_.Messages()[0].text.rfind("Cannot read the file: \"" + file + "\" ", 0),
                  0u);
        EXPECT_NE(messages_.Messages()[0].text.find(c.reason), std::string::npos)
            << messages_.Messages()[0].text;
        EXPECT_EQ(messages_.Messages()[0].caption, "File Error");
    }
}

TEST_F(ProjectSessionTest, WithoutAProjectClosingAsksEveryWindowAndARefusalKeepsThemAll) {
    SavedWave("a.wav", Ramp(10));
    host_.refuseClose = true;
    EXPECT_FALSE(session_.CloseForShutdown());
    EXPECT_EQ(host_.windows.size(), 1u);
    EXPECT_FALSE(session_.NewProject(project_));
    EXPECT_EQ(session_.ProjectFile(), "");
    host_.refuseClose = false;
    EXPECT_TRUE(session_.CloseForShutdown());
    EXPECT_TRUE(host_.windows.empty());
}

TEST_F(ProjectSessionTest, WithAProjectClosingSavesItAndAsksNothing) {
    ASSERT_TRUE(session_.NewProject(project_));
    SavedWave("a.wav", Ramp(10)).SetCursor(4);
    host_.refuseClose = true;  // would refuse if it were asked
    EXPECT_TRUE(session_.CloseForShutdown());
    EXPECT_TRUE(host_.windows.empty());
    session_.LoadProject(project_);
    ASSERT_EQ(host_.windows.size(), 1u);
    EXPECT_EQ(host_.Wave(0).SelMin(), 4);
}

// Every single write, folder creation or deletion of a save may fail: the save is then
// reported, and the project on disk is the previous one, whole.
TEST_F(ProjectSessionTest, AFailureAnywhereInASaveLeavesThePreviousProjectLoadable) {
    ASSERT_TRUE(session_.NewProject(project_));
    SavedWave("a.wav", Ramp(10)).SetCursor(1);
    TUnitWave& b = host_.Add(NamedWave(workspace_, Mono(Ramp(8))));
    host_.Add(std::make_unique<TUnitMuz>(workspace_.Registry())).Tempo.SetValue(2.0);
    ASSERT_TRUE(session_.SaveCurrentProject());
    const std::string previous = ReadAll(project_);

    // The next state: other changes, one window more.
    host_.Wave(0).SetCursor(6);
    b.SetCursor(2);
    b.Delete();
    host_.Music(2).Tempo.SetValue(3.0);
    SavedWave("c.wav", Ramp(12)).SetCursor(9);

    bool reachedTheEnd = false;
    for (int n = 1; n < 100 && !reachedTheEnd; ++n) {
        SCOPED_TRACE("operation " + std::to_string(n));
        TFailingProjectFileSystem failing(n);
        session_.SetFileSystem(&failing);
        messages_.Clear();
        const bool saved = session_.SaveCurrentProject();
        session_.SetFileSystem(nullptr);
        reachedTheEnd = !failing.Failed();
        if (reachedTheEnd) {
            EXPECT_TRUE(saved);
            EXPECT_TRUE(messages_.Messages().empty());
            break;
        }
        EXPECT_FALSE(messages_.Messages().empty()) << "a failure is reported";
        if (!saved) {
            EXPECT_EQ(ReadAll(project_), previous);
        }

        // What is on disk loads whole, into a second frame.
        TWorkspace otherWorkspace;
        otherWorkspace.SetShadowStore(&shadows_);
        FakeHost other(otherWorkspace);
        TProjectSession reader(otherWorkspace, other);
        platform::RecordingMessageSink readMessages;
        reader.LoadProject(project_);
        EXPECT_TRUE(readMessages.Messages().empty()) << readMessages.Messages().front().text;
        const std::size_t windows = saved ? 4u : 3u;
        ASSERT_EQ(other.windows.size(), windows);
        EXPECT_EQ(other.Wave(0).SelMin(), saved ? 6 : 1);
        EXPECT_EQ(other.Wave(1).GetValues(), saved ? 0 : 8);
        EXPECT_DOUBLE_EQ(other.Music(2).Tempo.GetValue(), saved ? 3.0 : 2.0);
    }
    EXPECT_TRUE(reachedTheEnd);
    // Whatever failed before, the folder holds only what the project names.
    const TProject project = ReadProject(project_);
    std::set<std::string> named;
    for (const TProjectWindow& window : project.windows) {
        if (window.tempFile < 0) continue;
        for (const char* extension : {".wav", ".kvw", ".kvm"}) {
            const std::filesystem::path path =
                CopyBaseName(project_, window.tempFile).string() + extension;
            if (std::filesystem::exists(path)) named.insert(path.filename().string());
        }
    }
    EXPECT_EQ(FilesIn(Copies()), named);
}

TEST(ProjectCopyNames, OnlyCopiesOfTheProjectCount) {
    const struct {
        const char* name;
        std::optional<int> number;
    } cases[] = {
        {"savedProjectWindowFile0.wav", 0},
        {"savedProjectWindowFile12.kvw", 12},
        {"newProjectWindowFile3.kvm", 3},
        {"savedProjectWindowFile.wav", std::nullopt},
        {"savedProjectWindowFile1.txt", std::nullopt},
        {"savedProjectWindowFile1x.wav", std::nullopt},
        {"notes.wav", std::nullopt},
        {"savedProjectWindowFile-1.wav", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CopyNumberOfFileName(c.name), c.number) << c.name;
    EXPECT_EQ(CopyFolderOf("/a/b/work.kvp"), std::filesystem::path("/a/b/workTempSaveFiles"));
    EXPECT_EQ(CopyBaseName("/a/b/work.kvp", 4),
              std::filesystem::path("/a/b/workTempSaveFiles/savedProjectWindowFile4"));
}

}  // namespace
}  // namespace kalvora
