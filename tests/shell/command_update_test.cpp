#include "shell/command_update.h"

#include <gtest/gtest.h>

#include "shell/command_table.h"

namespace kalvora {
namespace {

using C = CommandId;

FrameSnapshot WaveWindow(std::int64_t samples, int channels = 2) {
    FrameSnapshot s;
    s.activeKind = WindowKind::wave;
    s.documentWindowCount = 1;
    s.wave.sampleCount = samples;
    s.wave.channels = channels;
    return s;
}

bool Enabled(const CommandStates& states, CommandId id) {
    return states[Index(id)].enabled;
}
bool Checked(const CommandStates& states, CommandId id) {
    return states[Index(id)].checked;
}

TEST(CommandUpdateTest, EmptyMonoWaveMayBeDrawnAndRecordedButNotPlayed) {
    CommandStates states = ComputeCommandStates(WaveWindow(0, 1));
    EXPECT_TRUE(Enabled(states, C::DrawWaveLin));
    EXPECT_TRUE(Enabled(states, C::DrawWave3G));
    EXPECT_FALSE(Enabled(states, C::FilePlay));
    EXPECT_FALSE(Enabled(states, C::FilePlayMax));
    EXPECT_TRUE(Enabled(states, C::FileRecord));
    EXPECT_FALSE(Enabled(states, C::FileSaveAs));  // nothing to save yet
    for (CommandId id : {C::EditDelete, C::EditCut, C::EditCopy, C::Volume, C::Length, C::MoveH,
                         C::FilterLow, C::Balance, C::ZoomIn}) {
        EXPECT_FALSE(Enabled(states, id)) << Command(id).name;
    }
    EXPECT_TRUE(Enabled(states, C::MakeSinus));
}

TEST(CommandUpdateTest, DrawingNeedsAnEmptyMonoWaveformUnlessAlreadyDrawing) {
    FrameSnapshot stereo = WaveWindow(0, 2);
    EXPECT_FALSE(Enabled(ComputeCommandStates(stereo), C::DrawWaveLin));
    FrameSnapshot volumeShown = WaveWindow(0, 1);
    volumeShown.wave.waveformShown = false;
    EXPECT_FALSE(Enabled(ComputeCommandStates(volumeShown), C::DrawWave3G));
    FrameSnapshot withSamples = WaveWindow(10, 1);
    EXPECT_FALSE(Enabled(ComputeCommandStates(withSamples), C::DrawWaveLin));
}

TEST(CommandUpdateTest, HandDrawnWaveEnablesVolumeWithOneNodeAndDisablesTheRest) {
    FrameSnapshot s = WaveWindow(0, 1);
    s.wave.userDrawing = true;
    s.wave.drawKind = 1;
    s.wave.drawNodeCount = 0;
    EXPECT_FALSE(Enabled(ComputeCommandStates(s), C::Volume));
    s.wave.drawNodeCount = 1;
    CommandStates states = ComputeCommandStates(s);
    for (CommandId id : {C::Volume, C::MaxVolume, C::MoveV, C::NormalizeVertically, C::Length,
                         C::DrawWaveLin, C::DrawWave3G, C::ViewWave, C::FileSaveAs}) {
        EXPECT_TRUE(Enabled(states, id)) << Command(id).name;
    }
    for (CommandId id :
         {C::ViewVold, C::FileProperties, C::MakeSinus, C::EditPaste, C::MoveH, C::Reverse}) {
        EXPECT_FALSE(Enabled(states, id)) << Command(id).name;
    }
    EXPECT_FALSE(Checked(states, C::DrawWaveLin));
    EXPECT_TRUE(Checked(states, C::DrawWave3G));
}

TEST(CommandUpdateTest, ClipboardSelectionAndChannelRules) {
    FrameSnapshot s = WaveWindow(1000, 2);
    CommandStates states = ComputeCommandStates(s);
    EXPECT_FALSE(Enabled(states, C::EditPaste));
    EXPECT_FALSE(Enabled(states, C::EditTrim));  // a cursor is no selection
    EXPECT_TRUE(Enabled(states, C::MixLeftRight));
    EXPECT_FALSE(Enabled(states, C::Balance));
    EXPECT_TRUE(Enabled(states, C::SplitV));
    EXPECT_FALSE(Enabled(states, C::MergeH));  // only one window

    s.clipboard = true;
    s.documentWindowCount = 2;
    s.wave.selectionFirst = 600;  // ends in either order
    s.wave.selectionSecond = 100;
    states = ComputeCommandStates(s);
    for (CommandId id : {C::EditPaste, C::EditMix, C::EditSwap, C::EditClearClipboard, C::EditTrim,
                         C::MergeH, C::MergeV, C::SplitH}) {
        EXPECT_TRUE(Enabled(states, id)) << Command(id).name;
    }

    FrameSnapshot mono = WaveWindow(1000, 1);
    states = ComputeCommandStates(mono);
    EXPECT_TRUE(Enabled(states, C::Balance));
    EXPECT_FALSE(Enabled(states, C::MixLeftRight));
    EXPECT_FALSE(Enabled(states, C::SplitV));
}

TEST(CommandUpdateTest, SplitHorizontallyNeedsBothEndsInsideTheWave) {
    struct Case {
        std::int64_t first, second;
        bool enabled;
    };
    for (Case c : {Case{0, 500, false}, Case{1, 998, true}, Case{1, 999, false},
                   Case{500, 500, true}, Case{999, 999, false}}) {
        FrameSnapshot s = WaveWindow(1000);
        s.wave.selectionFirst = c.first;
        s.wave.selectionSecond = c.second;
        EXPECT_EQ(Enabled(ComputeCommandStates(s), C::SplitH), c.enabled)
            << c.first << ".." << c.second;
    }
}

TEST(CommandUpdateTest, SaveRevertAndViewStatesFollowTheDocument) {
    FrameSnapshot s = WaveWindow(100);
    s.wave.hasFile = true;
    s.wave.needsSave = false;
    CommandStates states = ComputeCommandStates(s);
    EXPECT_FALSE(Enabled(states, C::FileSave));
    EXPECT_FALSE(Enabled(states, C::FileRevert));
    EXPECT_TRUE(Checked(states, C::ViewWave));
    EXPECT_FALSE(Checked(states, C::ViewVold));

    s.wave.needsSave = true;
    s.wave.waveformShown = false;
    s.wave.toolMode = 2;
    states = ComputeCommandStates(s);
    EXPECT_TRUE(Enabled(states, C::FileSave));
    EXPECT_TRUE(Enabled(states, C::FileRevert));
    EXPECT_TRUE(Checked(states, C::ViewVold));
    EXPECT_FALSE(Checked(states, C::ZoomIn));
    EXPECT_TRUE(Checked(states, C::NoZoom));

    s.wave.hasFile = false;  // a new wave: no file to revert to
    EXPECT_FALSE(Enabled(ComputeCommandStates(s), C::FileRevert));
}

TEST(CommandUpdateTest, PlayerStopAndPauseRules) {
    FrameSnapshot s = WaveWindow(100);
    CommandStates states = ComputeCommandStates(s);
    EXPECT_FALSE(Enabled(states, C::FileStop));
    EXPECT_TRUE(Enabled(states, C::FilePause));

    s.player.playChecked = true;
    states = ComputeCommandStates(s);
    EXPECT_TRUE(Enabled(states, C::FileStop));
    EXPECT_TRUE(Checked(states, C::FilePlay));

    s.player = {};
    s.player.recordChecked = true;  // a running recording cannot pause
    states = ComputeCommandStates(s);
    EXPECT_TRUE(Enabled(states, C::FileStop));
    EXPECT_FALSE(Enabled(states, C::FilePause));
    s.player.recordPending = true;  // ... but a pending one waits for Pause
    EXPECT_TRUE(Enabled(ComputeCommandStates(s), C::FilePause));

    s.player = {};
    s.player.playEnabled = false;  // no temporary folder: nothing plays or records
    states = ComputeCommandStates(s);
    for (CommandId id : {C::FilePlay, C::FilePlayMax, C::FileRecord, C::FileStop, C::FilePause}) {
        EXPECT_FALSE(Enabled(states, id)) << Command(id).name;
    }
}

TEST(CommandUpdateTest, UndoAndProjectCommands) {
    FrameSnapshot s;
    CommandStates states = ComputeCommandStates(s);
    EXPECT_FALSE(Enabled(states, C::Undo));
    EXPECT_FALSE(Enabled(states, C::ProjectSave));
    EXPECT_TRUE(Enabled(states, C::ProjectOpen));
    EXPECT_TRUE(Enabled(states, C::WindowCascade));
    EXPECT_TRUE(Enabled(states, C::HelpContents));
    s.undoRecord = true;
    s.projectOpen = true;
    states = ComputeCommandStates(s);
    EXPECT_TRUE(Enabled(states, C::Undo));
    EXPECT_TRUE(Enabled(states, C::DeleteUndo));
    EXPECT_TRUE(Enabled(states, C::ProjectClose));
    EXPECT_TRUE(Enabled(states, C::ProjectExport));
    s.undoDocumentDrawing = true;
    EXPECT_FALSE(Enabled(ComputeCommandStates(s), C::Undo));
}

TEST(CommandUpdateTest, ADocumentBeingRecordedIntoCannotBeChanged) {
    FrameSnapshot s = WaveWindow(1000, 1);
    s.clipboard = true;
    s.undoRecord = true;
    s.wave.recording = true;
    s.undoDocumentRecording = true;
    CommandStates states = ComputeCommandStates(s);
    for (CommandId id : {C::EditDelete, C::EditCut, C::EditPaste, C::EditMix, C::EditTrim,
                         C::MakeSinus, C::Volume, C::Reverse, C::FilterLow, C::Balance,
                         C::FileProperties, C::DrawWaveLin, C::SplitV, C::Undo, C::keyCtrlDel}) {
        EXPECT_FALSE(Enabled(states, id)) << Command(id).name;
    }
    // Reading it, saving it and leaving it alone stay possible.
    for (CommandId id : {C::EditCopy, C::FileSaveAs, C::ZoomIn, C::NoZoom, C::DuplicateWave,
                         C::EditClearClipboard, C::DeleteUndo}) {
        EXPECT_TRUE(Enabled(states, id)) << Command(id).name;
    }
}

TEST(CommandUpdateTest, NoWindowDisablesEveryDocumentCommand) {
    FrameSnapshot s;
    s.clipboard = true;
    CommandStates states = ComputeCommandStates(s);
    for (const CommandInfo& info : CommandTable()) {
        bool document = info.category == CommandCategory::Edit ||
                        info.category == CommandCategory::WaveWindow ||
                        info.category == CommandCategory::MakeWave ||
                        info.category == CommandCategory::SimpleWave ||
                        info.category == CommandCategory::ComplexWave ||
                        info.category == CommandCategory::Filter ||
                        info.category == CommandCategory::key || IsMusicCategory(info.category);
        if (document && info.id != C::SelectWave) {
            EXPECT_FALSE(states[Index(info.id)].enabled) << info.name;
        }
    }
    for (CommandId id : {C::FileProperties, C::FileSave, C::FileSaveAs, C::FileRevert, C::FilePlay,
                         C::FileRecord, C::DuplicateWave, C::DuplicateMuz, C::FileClose}) {
        EXPECT_FALSE(Enabled(states, id)) << Command(id).name;
    }
}

TEST(CommandUpdateTest, MusicWindowPlaysOnlyWhenPossibleAndNeverRecords) {
    FrameSnapshot s;
    s.activeKind = WindowKind::music;
    s.documentWindowCount = 1;
    s.music.commands[Index(C::MusicNote4)] = {true, true, true};
    s.music.commands[Index(C::keyL)] = {true, false, true};
    s.musicDialogVisible = true;
    CommandStates states = ComputeCommandStates(s);
    EXPECT_TRUE(Enabled(states, C::FilePlay));
    EXPECT_FALSE(Enabled(states, C::FileRecord));
    EXPECT_TRUE(Enabled(states, C::FileProperties));
    EXPECT_TRUE(Enabled(states, C::DuplicateMuz));
    EXPECT_TRUE(states[Index(C::DuplicateMuz)].visible);
    EXPECT_FALSE(Enabled(states, C::DuplicateWave));
    EXPECT_FALSE(states[Index(C::DuplicateWave)].visible);
    EXPECT_FALSE(states[Index(C::ViewWave)].visible);
    EXPECT_TRUE(states[Index(C::MusicDialog)].visible);
    EXPECT_TRUE(Checked(states, C::MusicDialog));
    EXPECT_TRUE(Enabled(states, C::MusicNote4));
    EXPECT_TRUE(Checked(states, C::MusicNote4));
    EXPECT_FALSE(Enabled(states, C::MusicNote8));
    EXPECT_TRUE(Enabled(states, C::keyL));  // a music operation of its own
    EXPECT_FALSE(Enabled(states, C::Volume));
    s.player.playEnabled = false;
    EXPECT_FALSE(Enabled(ComputeCommandStates(s), C::FilePlay));
}

TEST(CommandUpdateTest, KeyCommandsFollowTheCommandTheyRun) {
    FrameSnapshot s = WaveWindow(100, 1);
    CommandStates states = ComputeCommandStates(s);
    EXPECT_TRUE(Enabled(states, C::keyL));        // Length
    EXPECT_TRUE(Enabled(states, C::keyB));        // Balance on a mono wave
    EXPECT_FALSE(Enabled(states, C::keyShiftL));  // nothing with a wave window
    EXPECT_FALSE(Enabled(states, C::keyAltD));    // DrawWaveLin needs an empty wave
}

TEST(CommandUpdateTest, ArrangementHidesWhatTheActiveKindDoesNotUse) {
    auto menu = [](const Arrangement& a, MenuId id) {
        return a.menuVisible[static_cast<std::size_t>(id)];
    };
    auto bar = [](const Arrangement& a, ToolbarId id) {
        return a.toolbarVisible[static_cast<std::size_t>(id)];
    };
    Arrangement none = ArrangeFor(WindowKind::none);
    for (MenuId id : {MenuId::music, MenuId::edit, MenuId::view, MenuId::make, MenuId::effects,
                      MenuId::window}) {
        EXPECT_FALSE(menu(none, id));
    }
    EXPECT_TRUE(menu(none, MenuId::file));
    EXPECT_TRUE(menu(none, MenuId::help));
    EXPECT_TRUE(bar(none, ToolbarId::basic));
    EXPECT_FALSE(bar(none, ToolbarId::wave1));
    EXPECT_FALSE(bar(none, ToolbarId::music3));
    EXPECT_FALSE(none.nameBoxEnabled);
    EXPECT_TRUE(none.clearNameBox);

    Arrangement wave = ArrangeFor(WindowKind::wave);
    EXPECT_TRUE(menu(wave, MenuId::edit));
    EXPECT_FALSE(menu(wave, MenuId::music));
    EXPECT_TRUE(bar(wave, ToolbarId::wave3));
    EXPECT_FALSE(bar(wave, ToolbarId::music1));
    EXPECT_TRUE(wave.nameBoxEnabled);

    Arrangement music = ArrangeFor(WindowKind::music);
    EXPECT_FALSE(menu(music, MenuId::edit));
    EXPECT_FALSE(menu(music, MenuId::effects));
    EXPECT_TRUE(menu(music, MenuId::view));
    EXPECT_TRUE(menu(music, MenuId::music));
    EXPECT_TRUE(bar(music, ToolbarId::music2));
    EXPECT_FALSE(bar(music, ToolbarId::wave2));
}

TEST(CommandUpdateTest, UpdaterArrangesOnlyWhenTheKindChangesAndMasksMissingHandlers) {
    CommandUpdater updater;
    CommandSet runnable = AllCommands();
    runnable.reset(Index(C::Volume));
    FrameSnapshot s = WaveWindow(100);
    FrameUpdate first = updater.Update(s, runnable);
    ASSERT_TRUE(first.arrangement);
    EXPECT_EQ(first.arrangement->kind, WindowKind::wave);
    EXPECT_FALSE(first.commands[Index(C::Volume)].enabled);
    EXPECT_TRUE(first.commands[Index(C::Reverse)].enabled);
    EXPECT_FALSE(updater.Update(s, runnable).arrangement);  // same kind: nothing to arrange
    FrameUpdate closed = updater.Update(FrameSnapshot{}, runnable);
    ASSERT_TRUE(closed.arrangement);
    EXPECT_EQ(closed.arrangement->kind, WindowKind::none);
    // The first update arranges even for no window at all.
    CommandUpdater fresh;
    EXPECT_TRUE(fresh.Update(FrameSnapshot{}, runnable).arrangement);
}

TEST(CommandUpdateTest, StatusPanelsDescribeTheActiveWaveAndEmptyWithoutOne) {
    FrameSnapshot s = WaveWindow(1000, 2);
    s.wave.rate = 22050;
    StatusPanelTexts panels = ComputeStatusPanels(s);
    EXPECT_FALSE(panels[0]);
    EXPECT_FALSE(panels[1]);
    EXPECT_EQ(panels[2], "0.04535 s");
    EXPECT_EQ(panels[3], "22.050 kHz");
    EXPECT_EQ(panels[4], "16");
    EXPECT_EQ(panels[5], "ST");
    EXPECT_EQ(panels[6], "3.90 kb");
    EXPECT_EQ(panels[7], "New");

    StatusPanelTexts none = ComputeStatusPanels(FrameSnapshot{});
    for (std::size_t i = 2; i < 8; ++i)
        EXPECT_EQ(none[i], "") << i;
    EXPECT_FALSE(none[0]);

    FrameSnapshot music;
    music.activeKind = WindowKind::music;
    music.music.panels = {std::string("Note"), std::string("pos: 2 1/4"), std::nullopt,
                          std::string("c4")};
    StatusPanelTexts musicPanels = ComputeStatusPanels(music);
    EXPECT_EQ(musicPanels[1], "Note");
    EXPECT_EQ(musicPanels[2], "pos: 2 1/4");
    EXPECT_FALSE(musicPanels[3]);  // left as it is
    EXPECT_EQ(musicPanels[4], "c4");
    EXPECT_EQ(musicPanels[7], "");
}

// Leaving a music window for a wave window or none empties the panel that named the selected
// symbol's kind; within one kind the panel stays for the view that fills it.
TEST(CommandUpdateTest, PanelOneIsEmptiedWhenTheMusicWindowIsLeft) {
    CommandUpdater updater;
    FrameSnapshot music;
    music.activeKind = WindowKind::music;
    music.music.panels = {std::string("Note"), std::nullopt, std::nullopt, std::nullopt};
    EXPECT_EQ(updater.Update(music, AllCommands()).panels[1], "Note");
    EXPECT_EQ(updater.Update(WaveWindow(100), AllCommands()).panels[1], "");
    EXPECT_FALSE(updater.Update(WaveWindow(100), AllCommands()).panels[1]);
    updater.Update(music, AllCommands());
    EXPECT_EQ(updater.Update(FrameSnapshot{}, AllCommands()).panels[1], "");
}

}  // namespace
}  // namespace kalvora
