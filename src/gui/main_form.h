// The main window: the MDI frame with the menus, the seven toolbars, the name box and the
// status bar, all built from the command table. It owns what the documents share, runs the
// command update whenever the program is idle and routes every command to its handler.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "documents/merge_split_records.h"
#include "documents/mix_place.h"
#include "documents/workspace.h"
#include "gui/artwork.h"
#include "gui/mdi_child.h"
#include "music/unit_muz.h"
#include "platform/busy_cursor.h"
#include "platform/media_player.h"
#include "shell/command_update.h"
#include "shell/file_dialogs.h"
#include "shell/frame_player.h"
#include "shell/tool_window_keyboard.h"
#include "shell/wave_shadow_file.h"
#include "shell/wave_view_props.h"
#include "sound/sound.h"
#include "sound/sound_export.h"
#include "volume/vold_view_props.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace kalvora::gui {

class CommandActions;
class TFrameAdditions;
class TAboutBox;
class TDlgSelZoom;
class TFrameProjects;
class THelpWindow;
class TKeyboardFilter;
class TMDIChildMuz;
class TMDIChildWave;
class TNameBox;
class TStatusPanels;

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    // mediaPlayer: the audio player; the sound server's player when none is given (tests
    // give a fake one).
    explicit TMainForm(std::unique_ptr<platform::MediaPlayer> mediaPlayer = nullptr);
    ~TMainForm() override;

    // --- start-up
    // Opens the file named on the command line by its extension.
    void OpenFromCommandLine(const QString& argument);
    // The one way a wave file is opened (command line, Open wave, projects).
    bool OpenWaveFile(const std::string& fileName);
    // A file was opened or saved: it goes first in File > Recent Files.
    void FileUsed(const std::string& fileName);
    // Recent files, dropped files, the play head, the work status and long work's progress.
    TFrameAdditions& Additions() const { return *additions_; }

    // --- document windows
    TMDIChildKalvora* AddDocumentWindow(std::unique_ptr<FrameDocument> document);
    // A new window for a wave document (opened, new, duplicated, made elsewhere), starting
    // from the default view settings or from the given ones, placed at bounds when given
    // (split and merge place their windows where their sources were).
    TMDIChildWave* AddWaveWindow(std::unique_ptr<TUnitWave> document);
    TMDIChildWave* AddWaveWindow(std::unique_ptr<TUnitWave> document,
                                 const TWaveViewProps& settings,
                                 std::optional<QRect> bounds = std::nullopt);
    // A new window for a music document (new, opened, duplicated).
    TMDIChildMuz* AddMusicWindow(std::unique_ptr<TUnitMuz> document);
    // The one way a music file is opened (command line, Open music). With withSampleWaves
    // (outside a project load), the sample waves it names that lie beside it open too.
    bool OpenMusicFile(const std::string& fileName, bool withSampleWaves = true);
    // The active window when it shows a music document, else none.
    TMDIChildMuz* ActiveMusicWindow() const;
    // The window of the open wave document of that name, or none.
    TMDIChildWave* WaveWindowNamed(std::string_view name) const;
    // The wave windows that draw the wave of that name as their envelope repaint.
    void RepaintEnvelopeUsers(std::string_view name);
    // ... only where they show the samples from .. to of the envelope wave.
    void RepaintEnvelopeStrip(const TUnitWave& envelope, double from, double to);
    TMDIChildKalvora* ActiveDocumentWindow() const;
    WindowKind ActiveKind() const;
    // The active window when it shows a wave document, else none.
    TMDIChildWave* ActiveWaveWindow() const;
    // In stacking order: from the window activated longest ago to the active window.
    QList<TMDIChildKalvora*> DocumentWindows() const;
    QMdiArea* MdiArea() const { return mdiArea_; }

    // --- what the documents share: registry (with NoNameCounter), clipboard, undo record and
    // the last-used parameter records
    TWorkspace& Workspace() { return workspace_; }
    // The view settings new wave windows start from.
    // "Use As Default" in the settings dialogs writes into them.
    const TWaveViewProps& DefaultWaveViewProps() const { return defaultWaveViewProps_; }
    TWaveViewProps& DefaultWaveViewProps() { return defaultWaveViewProps_; }
    // The volume diagram settings new wave windows start from.
    const TVoldViewProps& DefaultVoldViewProps() const { return defaultVoldViewProps_; }
    TVoldViewProps& DefaultVoldViewProps() { return defaultVoldViewProps_; }

    // --- the tool window "Select and Zoom"
    // The command SelectWave: closes the window when it is shown, else shows it (made once).
    void ToggleSelectZoom();
    // The tool window, or none before it was first shown.
    TDlgSelZoom* SelectZoom() const { return selectZoom_; }
    // What a wave window tells the tool window: its selection changed, or the zoom or scroll
    // position of its view 1 or 2.
    void WaveSelectionChanged(const TMDIChildWave& window);
    void WaveViewChanged(const TMDIChildWave& window, int view);

    // --- commands
    void UpdateCommands();
    void ScheduleUpdate();
    bool CommandEnabled(CommandId id) const;
    const CommandStates& States() const { return states_; }
    // Runs a command when it is enabled; returns whether it ran.
    bool RunCommand(CommandId id);
    QAction* Action(CommandId id) const;
    // Gives a command its handler; commands without one stay disabled.
    void SetHandler(CommandId id, std::function<void()> handler);
    bool HasHandler(CommandId id) const { return runnable_.test(Index(id)); }
    // The handler given to a command (empty without one): commands that both kinds of
    // window carry out pass on what is not theirs.
    std::function<void()> Handler(CommandId id) const { return handlers_[Index(id)]; }
    QMenu* MenuOf(MenuId id) const { return menus_[static_cast<std::size_t>(id)]; }
    QToolBar* ToolbarOf(ToolbarId id) const { return toolbars_[static_cast<std::size_t>(id)]; }

    // --- keyboard
    bool KeyboardTyping() const;
    // Whether a tool window has the keyboard; every tool window reports to it (TToolWindow).
    TToolWindowKeyboard& ToolWindowKeyboard() { return toolWindowKeyboard_; }
    bool OwnsKeyboardOf(const QWidget* window) const;
    TNameBox* NameBox() const { return nameBox_; }

    // --- services for the documents and windows
    TStatusPanels& StatusPanels() const { return *statusPanels_; }
    // The busy cursor (the document commands show it through platform::BusyScope).
    void BeginBusy() { platform::BeginBusy(); }
    void EndBusy() { platform::EndBusy(); }
    const QCursor& ScreenCursorOf(ScreenCursor cursor) const { return cursors_.Get(cursor); }
    bool PlayEnabled() const { return playEnabled_; }
    // Plays a whole sound (music uses it); false when it could not be played.
    bool Play(const Sound& sound, bool maximal);
    FramePlayer& Player() const { return *player_; }
    const std::string& TempFolder() const { return tempFolder_; }
    // The open project's file; empty when none is open.
    const std::string& ProjectFile() const;
    TFrameProjects& Projects() const { return *projects_; }
    // The frame's caption: the program and the open project.
    void RebuildCaption();
    // The name box shows the active document's name.
    void ShowActiveName();
    // Whatever placed a document window, it ends up wholly inside the visible document area.
    void KeepInsideVisibleArea(QWidget* window);

    // --- dialogs (replaceable, so that tests answer them)
    CloseAnswer AskCloseQuestion(const QString& text);
    std::optional<std::string> AskSaveFileName(FileDialogKind kind);
    QStringList AskOpenFileNames(FileDialogKind kind);
    // The "Wave Properties" dialog opened on props; nullopt when cancelled.
    std::optional<waveFileProps> AskWaveFileProps(const waveFileProps& props);
    // The "Mix" dialog opened on place; nullopt when cancelled.
    std::optional<TMixPlace> AskMixPlace(TMixPlace place);
    // The "Export" dialog after the file name, for the format chosen; nullopt when cancelled.
    std::optional<ExportChoices> AskExportChoices(platform::EncodedFormat format,
                                                  const ExportChoices& choices);
    // The choices of the last export, offered again by the next.
    ExportChoices& LastExportChoices() { return lastExportChoices_; }
    // The "Register" command: the dialog renames the active document.
    void RegisterActiveDocument();
    std::function<CloseAnswer(const QString&)> closeQuestion;
    std::function<std::optional<std::string>(FileDialogKind)> saveFileName;
    std::function<QStringList(FileDialogKind)> openFileNames;
    std::function<std::optional<waveFileProps>(const waveFileProps&)> waveFilePropsAnswer;
    std::function<std::optional<TMixPlace>(TMixPlace)> mixPlaceAnswer;
    std::function<std::optional<ExportChoices>(platform::EncodedFormat, const ExportChoices&)>
        exportChoicesAnswer;
    // Answers the "Register" dialog with the text typed (nullopt: Cancel).
    std::function<std::optional<std::string>(const std::string& name)> registerNameAnswer;
    // Split and merge: the last choices, which the next one starts from, and answers that
    // replace the dialogs "Split Horizontally" and "Merge ..." (nullopt: Cancel).
    TMergeSplitRecords mergeSplitRecords;
    std::function<std::optional<TSplitHorResult>(TSplitHorResult)> splitHorAnswer;
    std::function<std::optional<TMergeProps>(TMergeKind, const std::vector<TMergeSource>&,
                                             const TMergeProps&)>
        mergeAnswer;

    THelpWindow& HelpWindow();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void BuildMenus();
    QMenu* BuildMenu(MenuId id, QWidget* parent);
    void BuildToolbars();
    void RegisterHandlers();
    FrameSnapshot Snapshot() const;
    void ShowDocumentWindow(TMDIChildKalvora* window, std::optional<QRect> bounds);
    void OpenSampleWavesBeside(const TUnitMuz& music, const std::string& fileName);
    void ApplyArrangement(const Arrangement& arrangement);
    void FillWindowList();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnNameEntered(const QString& text);
    void TileWindows(bool horizontally);
    void ArrangeMinimizedWindows();
    void ShowHelp(CommandId id);
    void PlayActiveDocument(bool maximal);
    void RecordIntoActiveDocument();
    // Runs a command of the player, then tells the wave windows which of them is recorded into.
    void RunPlayerCommand(const std::function<void()>& command);
    void SyncRecordingWindows();

    CommandActions* actions_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    TNameBox* nameBox_ = nullptr;
    TStatusPanels* statusPanels_ = nullptr;
    TKeyboardFilter* keyboardFilter_ = nullptr;
    QTimer* idleTimer_ = nullptr;
    std::array<QMenu*, kMenuCount> menus_{};
    std::array<QToolBar*, kToolbarCount> toolbars_{};
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> windowListActions_;
    QMenu* recentFilesMenu_ = nullptr;
    TFrameAdditions* additions_ = nullptr;
    std::unique_ptr<TAboutBox> aboutBox_;
    THelpWindow* helpWindow_ = nullptr;
    TDlgSelZoom* selectZoom_ = nullptr;

    std::array<std::function<void()>, kCommandCount> handlers_{};
    CommandSet runnable_;
    CommandUpdater updater_;
    CommandStates states_{};
    bool updateScheduled_ = false;

    // The reader and writer of the waves' shadow files, installed in the workspace.
    TWaveShadowFiles shadowFiles_;
    // The frame's state shared by all documents. The workspace outlives every document
    // window: the destructor closes the windows first.
    TWorkspace workspace_;
    TWaveViewProps defaultWaveViewProps_;
    TVoldViewProps defaultVoldViewProps_;
    // The open project and the Project commands.
    std::unique_ptr<TFrameProjects> projects_;
    bool playEnabled_ = false;
    std::string tempFolder_;
    TToolWindowKeyboard toolWindowKeyboard_;
    ScreenCursors cursors_;
    std::unique_ptr<platform::BusyIndicator> busyCursor_;
    // The audio player and the play and record state over it (destroyed first).
    std::unique_ptr<platform::MediaPlayer> mediaPlayer_;
    std::unique_ptr<FramePlayer> player_;
    // The reader and writer of other programs' sound files (Import and Export).
    std::unique_ptr<platform::SoundCodec> soundCodec_;
    ExportChoices lastExportChoices_;
};

}  // namespace kalvora::gui
