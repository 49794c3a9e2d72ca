#include "gui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <system_error>

#include "documents/wave_creation.h"
#include "gui/about_box.h"
#include "gui/command_actions.h"
#include "gui/effect_commands.h"
#include "gui/export_options_dialog.h"
#include "gui/file_dialogs.h"
#include "gui/frame_additions.h"
#include "gui/frame_projects.h"
#include "gui/help_window.h"
#include "gui/keyboard_filter.h"
#include "gui/mdi_child_wave.h"
#include "gui/merge_split_commands.h"
#include "gui/mix_dialog.h"
#include "gui/music_commands.h"
#include "gui/music_dialog_commands.h"
#include "gui/name_box.h"
#include "gui/play_head_tracker.h"
#include "gui/qt_text.h"
#include "gui/register_dialog.h"
#include "gui/select_zoom_dialog.h"
#include "gui/sound_file_commands.h"
#include "gui/status_panels.h"
#include "gui/view_commands.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "gui/wave_commands.h"
#include "gui/wave_file_prop_dialog.h"
#include "platform/assertion.h"
#include "platform/messages.h"
#include "platform/qt/qt_media_player.h"
#include "platform/sndfile/sndfile_codec.h"
#include "platform/user_identity.h"
#include "shell/command_line.h"
#include "shell/command_table.h"
#include "shell/envelope_strip.h"
#include "shell/frame_texts.h"
#include "shell/temp_folder.h"
#include "shell/visible_area_placement.h"
#include "shell/wave_frame_document.h"
#include "shell/window_layout.h"
#include "sound/wave.h"

namespace kalvora::gui {
namespace {

std::filesystem::path SystemTempDirectory() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : base;
}

// The hourglass of the busy periods: the application's override cursor.
class TBusyCursor final : public platform::BusyIndicator {
  public:
    void Begin() override { QApplication::setOverrideCursor(Qt::WaitCursor); }
    void End() override { QApplication::restoreOverrideCursor(); }
};

}  // namespace

TMainForm::TMainForm(std::unique_ptr<platform::MediaPlayer> mediaPlayer)
    : busyCursor_(std::make_unique<TBusyCursor>()), mediaPlayer_(std::move(mediaPlayer)) {
    setObjectName(QStringLiteral("MainForm"));
    // Start-up, in order: the last-used parameter records with their defaults and the
    // registry with NoNameCounter 0 (the workspace, built with the frame), no project, the
    // temporary folder for playing and recording, the sinus table, no clipboard and no undo
    // record (the workspace starts without), no tool dialogs, caption, icon, cursors (loaded
    // with the frame).
    platform::SetBusyIndicator(busyCursor_.get());
    projects_ = std::make_unique<TFrameProjects>(*this);
    std::filesystem::path folder =
        PrivateTempFolderPath(SystemTempDirectory(), platform::CurrentUserTag());
    tempFolder_ = folder.string();
    playEnabled_ = CheckTempFolder(folder);
    if (!mediaPlayer_) mediaPlayer_ = std::make_unique<platform::QtMediaPlayer>();
    player_ = std::make_unique<FramePlayer>(*mediaPlayer_, folder, playEnabled_);
    // The end of a play changes the commands without any input.
    player_->SetChangeListener([this] {
        SyncRecordingWindows();
        ScheduleUpdate();
    });
    CreateSinus();
    workspace_.SetShadowStore(&shadowFiles_);
    soundCodec_ = std::make_unique<platform::SndfileCodec>();
    workspace_.SetSoundCodec(soundCodec_.get());
    setWindowIcon(ApplicationIcon());
    RebuildCaption();

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("MdiArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setBackground(QColor(0x9a, 0xa3, 0xad));
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::OnSubWindowActivated);

    actions_ = new CommandActions(this);
    connect(actions_, &CommandActions::Triggered, this, [this](CommandId id) { RunCommand(id); });
    // The actions live in the frame so that their status tips reach it.
    for (const CommandInfo& info : CommandTable()) {
        if (QAction* action = actions_->Action(info.id)) addAction(action);
    }
    nameBox_ = new TNameBox(this);
    connect(nameBox_, &TNameBox::NameEntered, this, &TMainForm::OnNameEntered);
    connect(nameBox_, &TNameBox::TypingCancelled, this, &TMainForm::ShowActiveName);
    BuildMenus();
    BuildToolbars();
    statusPanels_ = new TStatusPanels(statusBar());
    RegisterHandlers();
    additions_ = new TFrameAdditions(*this, *mediaPlayer_, *recentFilesMenu_);

    // The keyboard flags start cleared; the filter sees every key of the application.
    toolWindowKeyboard_.FrameActivated();
    keyboardFilter_ = new TKeyboardFilter(*this);
    qApp->installEventFilter(keyboardFilter_);

    // Idle processing: an update follows every burst of input, and a slow timer catches
    // changes that come without input (the end of a play).
    idleTimer_ = new QTimer(this);
    idleTimer_->setInterval(250);
    connect(idleTimer_, &QTimer::timeout, this, &TMainForm::UpdateCommands);
    idleTimer_->start();
    resize(1280, 800);
    UpdateCommands();
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(keyboardFilter_);
    // The widgets outlive this part of the frame while Qt tears them down: their signals must
    // not reach it any more.
    mdiArea_->disconnect(this);
    nameBox_->disconnect(this);
    actions_->disconnect(this);
    // The tool window tells the frame when it hides: it goes while the frame is whole.
    delete selectZoom_;
    selectZoom_ = nullptr;
    // The documents go before the workspace they use (closed windows wait for their deletion
    // and are no longer in the area's list, but still among its children).
    for (TMDIChildKalvora* window : findChildren<TMDIChildKalvora*>())
        delete window;
    workspace_.Undo().DropUndo();
    ReleaseSinus();
    platform::SetBusyIndicator(nullptr);
}

const std::string& TMainForm::ProjectFile() const {
    return projects_->ProjectFile();
}

void TMainForm::RebuildCaption() {
    setWindowTitle(FromCore(MainCaption(ProjectFile())));
}

// --- menus and toolbars -------------------------------------------------------------------

void TMainForm::BuildMenus() {
    for (const MenuInfo& info : Menus()) {
        if (info.topLevel) menuBar()->addMenu(BuildMenu(info.id, this));
    }
}

QMenu* TMainForm::BuildMenu(MenuId id, QWidget* parent) {
    auto* menu = new QMenu(FromCore(Menu(id).caption), parent);
    menu->setObjectName(FromCore(PlainCaption(Menu(id).caption)) + QStringLiteral("Menu"));
    menu->setToolTipsVisible(false);
    menus_[static_cast<std::size_t>(id)] = menu;
    for (const MenuItem& item : MenuItems(id)) {
        switch (item.kind) {
            case MenuItemKind::command:
                menu->addAction(actions_->Action(item.command));
                break;
            case MenuItemKind::separator:
                menu->addSeparator();
                break;
            case MenuItemKind::submenu:
                menu->addMenu(BuildMenu(item.submenu, menu));
                break;
            case MenuItemKind::recentFiles:
                recentFilesMenu_ = menu->addMenu(QString::fromLatin1(kRecentFilesCaption));
                break;
            case MenuItemKind::windowList:
                windowMenu_ = menu;
                connect(menu, &QMenu::aboutToShow, this, &TMainForm::FillWindowList);
                break;
        }
    }
    return menu;
}

void TMainForm::BuildToolbars() {
    for (const ToolbarInfo& info : Toolbars()) {
        auto* toolbar = new QToolBar(FromCore(info.name), this);
        toolbar->setObjectName(FromCore(info.name));
        toolbar->setIconSize(QSize(22, 22));
        toolbar->setFloatable(false);
        for (const ToolbarItem& item : ToolbarItems(info.id)) {
            switch (item.kind) {
                case ToolbarItemKind::command:
                    toolbar->addAction(actions_->Action(item.command));
                    break;
                case ToolbarItemKind::separator:
                    toolbar->addSeparator();
                    break;
                case ToolbarItemKind::nameBox:
                    toolbar->addWidget(nameBox_);
                    break;
            }
        }
        toolbars_[static_cast<std::size_t>(info.id)] = toolbar;
    }
    // Row by row: the wave and the music set share rows 1 to 3, and only one set is shown.
    for (int row = 0; row <= 3; ++row) {
        if (row > 0) addToolBarBreak(Qt::TopToolBarArea);
        for (const ToolbarInfo& info : Toolbars()) {
            if (info.row == row) addToolBar(Qt::TopToolBarArea, ToolbarOf(info.id));
        }
    }
}

QAction* TMainForm::Action(CommandId id) const {
    return actions_->Action(id);
}

// --- the command update -----------------------------------------------------------------

FrameSnapshot TMainForm::Snapshot() const {
    FrameSnapshot snapshot;
    QList<TMDIChildKalvora*> windows = DocumentWindows();
    snapshot.documentWindowCount = static_cast<int>(windows.size());
    if (TMDIChildKalvora* active = ActiveDocumentWindow()) {
        snapshot.activeKind = active->Kind();
        active->Describe(snapshot);
    }
    DescribeWorkspace(workspace_, snapshot);
    if (const TUndoUnit* record = workspace_.Undo().Record()) {
        auto* window = dynamic_cast<TMDIChildWave*>(record->Document().Window());
        snapshot.undoDocumentRecording = window != nullptr && window->RecordedInto();
    }
    snapshot.projectOpen = !ProjectFile().empty();
    snapshot.player = player_->Facts();
    snapshot.selectZoomVisible = selectZoom_ != nullptr && selectZoom_->isVisible();
    snapshot.musicDialogVisible = MusicDialogVisible(*this);
    snapshot.musicPartsVisible = MusicTreeDialogVisible(*this);
    return snapshot;
}

void TMainForm::UpdateCommands() {
    updateScheduled_ = false;
    FrameUpdate update = updater_.Update(Snapshot(), runnable_);
    states_ = update.commands;
    if (update.arrangement) ApplyArrangement(*update.arrangement);
    actions_->Apply(states_);
    statusPanels_->Apply(update.panels);
    if (selectZoom_ != nullptr && selectZoom_->isVisible()) selectZoom_->Follow(ActiveWaveWindow());
    FollowActiveMusic(*this);
}

void TMainForm::ScheduleUpdate() {
    if (updateScheduled_) return;
    updateScheduled_ = true;
    QTimer::singleShot(0, this, &TMainForm::UpdateCommands);
}

void TMainForm::ApplyArrangement(const Arrangement& arrangement) {
    for (const MenuInfo& info : Menus()) {
        if (!info.topLevel) continue;
        MenuOf(info.id)->menuAction()->setVisible(
            arrangement.menuVisible[static_cast<std::size_t>(info.id)]);
    }
    for (const ToolbarInfo& info : Toolbars()) {
        ToolbarOf(info.id)->setVisible(
            arrangement.toolbarVisible[static_cast<std::size_t>(info.id)]);
    }
    if (arrangement.clearNameBox) nameBox_->clear();
    nameBox_->SetAvailable(arrangement.nameBoxEnabled);
}

bool TMainForm::CommandEnabled(CommandId id) const {
    return states_[Index(id)].enabled;
}

bool TMainForm::RunCommand(CommandId id) {
    if (additions_ != nullptr && additions_->LongWorkRunning()) return false;
    UpdateCommands();
    if (!CommandEnabled(id) || !handlers_[Index(id)]) return false;
    handlers_[Index(id)]();
    ScheduleUpdate();
    return true;
}

void TMainForm::SetHandler(CommandId id, std::function<void()> handler) {
    handlers_[Index(id)] = std::move(handler);
    runnable_.set(Index(id));
}

// The commands this program carries out; the others stay disabled until their part of the
// program exists.
void TMainForm::RegisterHandlers() {
    using C = CommandId;
    SetHandler(C::FileExit, [this] { close(); });
    SetHandler(C::FileClose, [this] {
        if (TMDIChildKalvora* window = ActiveDocumentWindow()) window->close();
    });
    SetHandler(C::WindowCascade, [this] { mdiArea_->cascadeSubWindows(); });
    SetHandler(C::WindowTileHorizontal, [this] { TileWindows(true); });
    SetHandler(C::WindowTileVertical, [this] { TileWindows(false); });
    SetHandler(C::WindowMinimizeAll, [this] {
        for (TMDIChildKalvora* window : DocumentWindows())
            window->showMinimized();
        ArrangeMinimizedWindows();
    });
    SetHandler(C::WindowArrangeAll, [this] { ArrangeMinimizedWindows(); });
    SetHandler(C::HelpAbout, [this] {
        if (!aboutBox_) aboutBox_ = std::make_unique<TAboutBox>(this);
        aboutBox_->exec();
    });
    SetHandler(C::FilePlay, [this] { RunPlayerCommand([this] { PlayActiveDocument(false); }); });
    SetHandler(C::FilePlayMax, [this] { RunPlayerCommand([this] { PlayActiveDocument(true); }); });
    SetHandler(C::FileStop, [this] { RunPlayerCommand([this] { player_->Stop(); }); });
    SetHandler(C::FilePause, [this] { RunPlayerCommand([this] { player_->Pause(); }); });
    SetHandler(C::FileRecord, [this] { RunPlayerCommand([this] { RecordIntoActiveDocument(); }); });
    SetHandler(C::HelpContents, [this] { ShowHelp(C::HelpContents); });
    SetHandler(C::HelpTopicSearch, [this] { ShowHelp(C::HelpTopicSearch); });
    SetHandler(C::HelpOnHelp, [this] { ShowHelp(C::HelpOnHelp); });
    RegisterWaveCommands(*this);
    RegisterMergeSplitCommands(*this);
    RegisterViewCommands(*this);
    RegisterEffectCommands(*this);
    RegisterSoundFileCommands(*this);
    RegisterMusicCommands(*this);  // after the wave commands: it passes theirs on
    RegisterMusicDialogCommands(*this);
    projects_->RegisterCommands();
}

// --- the tool window "Select and Zoom" -----------------------------------------------------

void TMainForm::ToggleSelectZoom() {
    if (selectZoom_ != nullptr && selectZoom_->isVisible()) {
        selectZoom_->close();
    } else {
        if (selectZoom_ == nullptr) selectZoom_ = new TDlgSelZoom(*this);
        selectZoom_->ShowBesideFrame();
    }
    ScheduleUpdate();
}

void TMainForm::WaveSelectionChanged(const TMDIChildWave& window) {
    if (selectZoom_ != nullptr && selectZoom_->isVisible()) selectZoom_->SelectionChanged(window);
}

void TMainForm::WaveViewChanged(const TMDIChildWave& window, int view) {
    if (selectZoom_ != nullptr && selectZoom_->isVisible()) selectZoom_->ViewChanged(window, view);
}

// --- playing and recording -----------------------------------------------------------------

// The selection of a wave (the whole wave without one), or the rendered music.
void TMainForm::PlayActiveDocument(bool maximal) {
    TMDIChildKalvora* window = ActiveDocumentWindow();
    if (window == nullptr) return;
    std::optional<PlayRange> range = window->Document().SoundToPlay();
    if (!range || !range->sound || range->begin >= range->end) return;
    if (player_->PlaySound(*range->sound, range->begin, range->end, maximal)) {
        additions_->PlayHead().PlayStarted(qobject_cast<TMDIChildWave*>(window), range->begin,
                                           range->end, range->sound->Freq);
    }
}

void TMainForm::RecordIntoActiveDocument() {
    TMDIChildKalvora* window = ActiveDocumentWindow();
    RecordTarget* target = window != nullptr ? window->Document().AsRecordTarget() : nullptr;
    player_->Record(target);
    if (player_->IsRecordingInto(target)) additions_->PlayHead().RecordStarted();
}

bool TMainForm::Play(const Sound& sound, bool maximal) {
    bool played = false;
    RunPlayerCommand([&] { played = sound.GetValues() > 0 && player_->Play(sound, maximal); });
    if (played) {
        additions_->PlayHead().PlayStarted(nullptr, 0, static_cast<std::int32_t>(sound.GetValues()),
                                           sound.Freq);
    }
    ScheduleUpdate();
    return played;
}

void TMainForm::RunPlayerCommand(const std::function<void()>& command) {
    command();
    SyncRecordingWindows();
}

// The window of the document the player records into locks the commands that would change it,
// and closing it ends the recording first, discarding it.
void TMainForm::SyncRecordingWindows() {
    for (TMDIChildKalvora* window : DocumentWindows()) {
        auto* wave = qobject_cast<TMDIChildWave*>(window);
        if (wave == nullptr) continue;
        RecordTarget* target = wave->Document().AsRecordTarget();
        const bool recordedInto = player_->IsRecordingInto(target);
        if (recordedInto && !wave->RecordedInto()) {
            wave->SetRecording([this, target] {
                player_->TargetClosing(target);
                ScheduleUpdate();
            });
        } else if (!recordedInto && wave->RecordedInto()) {
            wave->ClearRecording();
        }
    }
}

// --- document windows -------------------------------------------------------------------

TMDIChildKalvora* TMainForm::AddDocumentWindow(std::unique_ptr<FrameDocument> document) {
    auto* window = new TMDIChildKalvora(*this, std::move(document));
    ShowDocumentWindow(window, std::nullopt);
    return window;
}

TMDIChildWave* TMainForm::AddWaveWindow(std::unique_ptr<TUnitWave> document) {
    return AddWaveWindow(std::move(document), defaultWaveViewProps_);
}

TMDIChildWave* TMainForm::AddWaveWindow(std::unique_ptr<TUnitWave> document,
                                        const TWaveViewProps& settings,
                                        std::optional<QRect> bounds) {
    KALVORA_ASSERT(document != nullptr);
    auto* window = new TMDIChildWave(*this, std::move(document), settings);
    ShowDocumentWindow(window, bounds);
    window->Refresh();
    window->ApplyShadowViews();  // what an opened wave's shadow file says of its window
    return window;
}

TMDIChildWave* TMainForm::WaveWindowNamed(std::string_view name) const {
    if (name.empty()) return nullptr;
    TUnitWave* wave = workspace_.Registry().FindWave(name);
    return wave != nullptr ? dynamic_cast<TMDIChildWave*>(wave->Window()) : nullptr;
}

void TMainForm::RepaintEnvelopeUsers(std::string_view name) {
    if (name.empty()) return;
    for (TMDIChildKalvora* window : DocumentWindows()) {
        auto* wave = qobject_cast<TMDIChildWave*>(window);
        if (wave == nullptr) continue;
        const TWaveViewProps& settings = wave->Group().WaveSettings();
        if (settings.DrawEnvelope && settings.EnvelopeName == name) wave->Group().RepaintAll();
    }
}

void TMainForm::RepaintEnvelopeStrip(const TUnitWave& envelope, double from, double to) {
    const std::string& name = envelope.Name();
    if (name.empty()) return;
    for (TMDIChildKalvora* window : DocumentWindows()) {
        auto* wave = qobject_cast<TMDIChildWave*>(window);
        if (wave == nullptr) continue;
        const TWaveViewProps& settings = wave->Group().WaveSettings();
        if (!settings.DrawEnvelope || settings.EnvelopeName != name) continue;
        const std::optional<std::pair<double, double>> strip =
            EnvelopeStripInFront(from, to, envelope.SelStart(), envelope.SelEnd(),
                                 static_cast<std::int32_t>(wave->Wave().GetValues()));
        if (!strip) continue;
        wave->Group().ViewFirst().RepaintSamples(strip->first, strip->second);
        wave->Group().ViewSecond().RepaintSamples(strip->first, strip->second);
    }
}

void TMainForm::ShowDocumentWindow(TMDIChildKalvora* window, std::optional<QRect> bounds) {
    mdiArea_->addSubWindow(window);
    if (bounds) {
        window->setGeometry(*bounds);
    } else {
        window->resize(640, 360);
    }
    // A new document joins the registry as the active one, even before the area reports the
    // activation.
    if (TUnit* unit = window->Document().Unit()) workspace_.Registry().Activate(*unit);
    window->show();
    mdiArea_->setActiveSubWindow(window);
    ShowActiveName();
    // The menus and toolbars of the window's kind come first: the toolbars they show take
    // room from the document area, which the new window then has to fit into.
    UpdateCommands();
    if (layout() != nullptr) layout()->activate();
    KeepInsideVisibleArea(window);
}

// Whatever placed the window (the area's own placement, or bounds from split, merge or a
// project), it ends up wholly inside the visible document area, shrunk when that is small.
void TMainForm::KeepInsideVisibleArea(QWidget* window) {
    if (!isVisible()) return;  // not laid out yet: there is no area to keep to
    // The area the user can see: the document area as far as it lies on the screen.
    QRect area = mdiArea_->viewport()->rect();
    if (const QScreen* screen = this->screen()) {
        const QRect onScreen = screen->availableGeometry();
        area &= QRect(mdiArea_->viewport()->mapFromGlobal(onScreen.topLeft()), onScreen.size());
    }
    const QRect wanted = window->geometry();
    const WindowRect placed =
        PlaceInsideVisibleArea({wanted.left(), wanted.top(), wanted.width(), wanted.height()},
                               {area.left(), area.top(), area.width(), area.height()});
    window->setGeometry(placed.left, placed.top, placed.width, placed.height);
}

// The current window of the area: it stays current while a dialog or another top-level
// window has the focus, so that commands run from there still find their document.
TMDIChildKalvora* TMainForm::ActiveDocumentWindow() const {
    auto* window = qobject_cast<TMDIChildKalvora*>(mdiArea_->currentSubWindow());
    return window != nullptr && !window->IsClosed() ? window : nullptr;
}

TMDIChildWave* TMainForm::ActiveWaveWindow() const {
    return qobject_cast<TMDIChildWave*>(ActiveDocumentWindow());
}

WindowKind TMainForm::ActiveKind() const {
    TMDIChildKalvora* window = ActiveDocumentWindow();
    return window ? window->Kind() : WindowKind::none;
}

QList<TMDIChildKalvora*> TMainForm::DocumentWindows() const {
    QList<TMDIChildKalvora*> windows;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder)) {
        auto* child = qobject_cast<TMDIChildKalvora*>(window);
        if (child != nullptr && !child->IsClosed()) windows.append(child);
    }
    return windows;
}

void TMainForm::OnSubWindowActivated(QMdiSubWindow* window) {
    // The area reports no window while the frame itself is inactive (a dialog is open); the
    // current window stays the active document then.
    auto* child = qobject_cast<TMDIChildKalvora*>(window);
    if (child == nullptr || child->IsClosed()) {
        ScheduleUpdate();
        return;
    }
    // Activating a document window ends typing in the name box and in a tool dialog, and puts
    // its document last in the registry's stacking order.
    nameBox_->StopTyping();
    toolWindowKeyboard_.FrameActivated();
    if (TUnit* unit = child->Document().Unit()) workspace_.Registry().Activate(*unit);
    ShowActiveName();
    ScheduleUpdate();
}

void TMainForm::ShowActiveName() {
    TMDIChildKalvora* window = ActiveDocumentWindow();
    nameBox_->setText(window ? FromCore(window->Document().Name()) : QString());
}

void TMainForm::OnNameEntered(const QString& text) {
    TMDIChildKalvora* window = ActiveDocumentWindow();
    if (window == nullptr) return;
    std::string name = TrimmedName(ToCore(text));
    if (window->Document().Rename(name)) window->RebuildCaption();
    ShowActiveName();
    nameBox_->StopTyping();
    if (window->widget() != nullptr) window->widget()->setFocus();
}

void TMainForm::FillWindowList() {
    for (QAction* action : windowListActions_) {
        windowMenu_->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        QString title =
            window->windowTitle().isEmpty() ? QStringLiteral("(no name)") : window->windowTitle();
        QString text = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title) : title;
        auto* action = new QAction(text, windowMenu_);
        action->setCheckable(true);
        action->setChecked(window == mdiArea_->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, window] {
            if (window->isMinimized()) window->showNormal();
            mdiArea_->setActiveSubWindow(window);
        });
        windowMenu_->addAction(action);
        windowListActions_.append(action);
    }
}

void TMainForm::TileWindows(bool horizontally) {
    QList<TMDIChildKalvora*> windows = DocumentWindows();
    QRect area = mdiArea_->viewport()->rect();
    WindowRect frame{area.left(), area.top(), area.width(), area.height()};
    std::vector<WindowRect> rects = horizontally
                                        ? TileHorizontally(static_cast<int>(windows.size()), frame)
                                        : TileVertically(static_cast<int>(windows.size()), frame);
    for (int i = 0; i < windows.size(); ++i) {
        const WindowRect& r = rects[static_cast<std::size_t>(i)];
        windows[i]->showNormal();
        windows[i]->setGeometry(r.left, r.top, r.width, r.height);
    }
}

void TMainForm::ArrangeMinimizedWindows() {
    QList<TMDIChildKalvora*> minimized;
    for (TMDIChildKalvora* window : DocumentWindows()) {
        if (window->isMinimized()) minimized.append(window);
    }
    if (minimized.isEmpty()) return;
    QSize icon = minimized.first()->size();
    QRect area = mdiArea_->viewport()->rect();
    std::vector<WindowRect> rects = ArrangeIcons(
        static_cast<int>(minimized.size()), {area.left(), area.top(), area.width(), area.height()},
        icon.width(), icon.height());
    for (int i = 0; i < minimized.size(); ++i) {
        minimized[i]->move(rects[static_cast<std::size_t>(i)].left,
                           rects[static_cast<std::size_t>(i)].top);
    }
}

// --- the command line ---------------------------------------------------------------------

void TMainForm::OpenFromCommandLine(const QString& argument) {
    std::string fileName = FileNameToCore(argument);
    std::optional<FileKind> kind = FileKindOfArgument(fileName);
    if (!kind) return;
    switch (*kind) {
        case FileKind::wave:
            OpenWaveFile(fileName);
            break;
        case FileKind::music:
            OpenMusicFile(fileName);
            break;
        case FileKind::project:
            projects_->StartWith(fileName);
            break;
    }
    RebuildCaption();
    ScheduleUpdate();
}

bool TMainForm::OpenWaveFile(const std::string& fileName) {
    std::unique_ptr<TUnitWave> document = OpenWave(workspace_, fileName);
    if (!document) return false;  // the reader's message has been shown
    AddWaveWindow(std::move(document));
    FileUsed(fileName);
    return true;
}

void TMainForm::FileUsed(const std::string& fileName) {
    additions_->FileUsed(fileName);
}

// --- keyboard -------------------------------------------------------------------------------

bool TMainForm::KeyboardTyping() const {
    return nameBox_->Typing() || toolWindowKeyboard_.ToolWindowHasKeyboard();
}

bool TMainForm::OwnsKeyboardOf(const QWidget* window) const {
    return window == this;
}

// --- services -------------------------------------------------------------------------------

CloseAnswer TMainForm::AskCloseQuestion(const QString& text) {
    if (closeQuestion) return closeQuestion(text);
    QMessageBox box(QMessageBox::Question, FromCore(kUnsavedChangesCaption), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return CloseAnswer::save;
        case QMessageBox::No:
            return CloseAnswer::discard;
        default:
            return CloseAnswer::cancel;
    }
}

std::optional<std::string> TMainForm::AskSaveFileName(FileDialogKind kind) {
    if (saveFileName) return saveFileName(kind);
    QStringList names = RunFileDialog(this, kind);
    if (names.isEmpty()) return std::nullopt;
    return FileNameToCore(names.first());
}

QStringList TMainForm::AskOpenFileNames(FileDialogKind kind) {
    if (openFileNames) return openFileNames(kind);
    return RunFileDialog(this, kind);
}

std::optional<waveFileProps> TMainForm::AskWaveFileProps(const waveFileProps& props) {
    if (waveFilePropsAnswer) return waveFilePropsAnswer(props);
    TDlgWaveFileProp dialog(this, props);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Props();
}

std::optional<TMixPlace> TMainForm::AskMixPlace(TMixPlace place) {
    if (mixPlaceAnswer) return mixPlaceAnswer(place);
    TDlgMix dialog(this, place);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Place();
}

std::optional<ExportChoices> TMainForm::AskExportChoices(platform::EncodedFormat format,
                                                         const ExportChoices& choices) {
    if (exportChoicesAnswer) return exportChoicesAnswer(format, choices);
    TDlgExportOptions dialog(this, format, choices);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choices();
}

void TMainForm::RegisterActiveDocument() {
    TMDIChildKalvora* window = ActiveDocumentWindow();
    if (window == nullptr) return;
    auto rename = [window](const std::string& name) {
        if (!window->Document().Rename(name)) return false;
        window->RebuildCaption();
        return true;
    };
    if (registerNameAnswer) {
        if (std::optional<std::string> name = registerNameAnswer(window->Document().Name()))
            rename(*name);
    } else {
        TDlgRegister dialog(this, window->Document().Name(), rename);
        dialog.exec();
    }
    ShowActiveName();
}

THelpWindow& TMainForm::HelpWindow() {
    if (helpWindow_ == nullptr) helpWindow_ = new THelpWindow(this);
    return *helpWindow_;
}

void TMainForm::ShowHelp(CommandId id) {
    THelpWindow& help = HelpWindow();
    if (id == CommandId::HelpTopicSearch) {
        help.ShowSearch();
    } else if (id == CommandId::HelpOnHelp) {
        help.ShowHelpOnHelp();
    } else {
        help.ShowContents();
    }
}

// --- shutdown and events --------------------------------------------------------------------

// Without a project, closing asks every document window its close question first; one
// refusal keeps the program and all its windows open. An open project is saved instead, and
// a failed save keeps the program open.
void TMainForm::closeEvent(QCloseEvent* event) {
    if (additions_->LongWorkRunning()) {  // its progress window says how to end it
        event->ignore();
        return;
    }
    if (!projects_->Session().CloseForShutdown()) {
        event->ignore();
        return;
    }
    // The undo record goes with the program (the clipboard and records go with the frame).
    workspace_.Undo().DropUndo();
    if (helpWindow_ != nullptr) helpWindow_->close();
    if (selectZoom_ != nullptr) selectZoom_->close();
    idleTimer_->stop();
    QMainWindow::closeEvent(event);
}

// Going back to the frame (a click into a view of the document window that is already the
// active one activates only the frame) gives the keys back to the frame's commands.
void TMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        toolWindowKeyboard_.FrameActivated();
    QMainWindow::changeEvent(event);
}

// Status tips go to panel 0 instead of replacing the panels with a message.
bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        statusPanels_->SetText(0, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

}  // namespace kalvora::gui
