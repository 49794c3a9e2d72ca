#include "gui/music_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/color_box.h"
#include "gui/dialog_controls.h"
#include "gui/main_form.h"
#include "gui/mdi_child_muz.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

namespace {

using B = TListButton;
using F = TMusicField;
using L = TMusicListLevel;

int Index(TMusicField field) {
    return static_cast<int>(field);
}

// The buttons of a list row: object name suffix, picture or caption, tool tip.
struct ListButtonLook {
    B button;
    const char* name;
    QStyle::StandardPixmap picture;
    const char* caption;
    const char* tip;
};

const ListButtonLook kListButtons[] = {
    {B::first, "First", QStyle::SP_MediaSkipBackward, nullptr, "First"},
    {B::previous, "Previous", QStyle::SP_ArrowLeft, nullptr, "Previous"},
    {B::next, "Next", QStyle::SP_ArrowRight, nullptr, "Next"},
    {B::last, "Last", QStyle::SP_MediaSkipForward, nullptr, "Last"},
    {B::insert, "Insert", QStyle::SP_CustomBase, "Insert", "Insert before the current one"},
    {B::append, "Append", QStyle::SP_CustomBase, "Append", "Append after the current one"},
    {B::remove, "Delete", QStyle::SP_CustomBase, "Delete", "Delete the current one"},
    {B::movePrevious, "MovePrev", QStyle::SP_ArrowUp, nullptr, "Move one place earlier"},
    {B::moveNext, "MoveNext", QStyle::SP_ArrowDown, nullptr, "Move one place later"},
};

const char* const kPageCaptions[] = {"Simple One Sampler", "Resonant Sampler", "Repeat Wave Form",
                                     "Roll Out Sampler", "Roll Out Wave Form"};

QLineEdit* ReadOnlyEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    return edit;
}

}  // namespace

TDlgMusic::TDlgMusic(TMainForm& frame, std::unique_ptr<TMusicPlayback> playback)
    : TMusicToolWindow(frame), playback_(std::move(playback)), presenter_(playback_.get()) {
    setObjectName(QStringLiteral("DlgMusic"));
    setWindowTitle(QStringLiteral("Music"));
    auto* layout = new QVBoxLayout(this);

    auto* tempoRow = new QHBoxLayout;
    auto* tempoLabel = new QLabel(QStringLiteral("Tempo"), this);
    QLineEdit* tempo = NewField(F::tempo, QStringLiteral("editTempo"));
    tempoLabel->setBuddy(tempo);
    tempoRow->addWidget(tempoLabel);
    tempoRow->addWidget(tempo);
    tempoRow->addStretch();
    layout->addLayout(tempoRow);

    // ---- staves
    btnStavePlay_ = new QPushButton(QStringLiteral("Play Stave"), this);
    btnStavePlay_->setObjectName(QStringLiteral("btnStavePlay"));
    layout->addWidget(NewListRow(L::stave, QStringLiteral("Stave"), btnStavePlay_));
    grpStave_ = new QGroupBox(QStringLiteral("Stave"), this);
    grpStave_->setObjectName(QStringLiteral("grpStave"));
    auto* staveGrid = new QGridLayout(grpStave_);
    AddRow(staveGrid, 0, QStringLiteral("Room Up:"),
           NewField(F::roomUp, QStringLiteral("editStaveRoomUp")));
    AddRow(staveGrid, 1, QStringLiteral("Room Down:"),
           NewField(F::roomDown, QStringLiteral("editStaveRoomDown")));
    chkAllowJoinFlags_ = new QCheckBox(QStringLiteral("Allow Join Flags"), grpStave_);
    chkAllowJoinFlags_->setObjectName(QStringLiteral("chkStaveAllowJoinFlags"));
    chkEnableSound_ = new QCheckBox(QStringLiteral("Enable Sound"), grpStave_);
    chkEnableSound_->setObjectName(QStringLiteral("chkStaveEnableSound"));
    chkExtraLines_ = new QCheckBox(QStringLiteral("Draw Extra Horizontal Lines"), grpStave_);
    chkExtraLines_->setObjectName(QStringLiteral("chkStaveExtraLines"));
    colbForeground_ = NewColorBox(QStringLiteral("colbStaveForeground"), grpStave_);
    colbBackground_ = NewColorBox(QStringLiteral("colbStaveBackground"), grpStave_);
    AddRow(staveGrid, 2, QStringLiteral("Foreground"), colbForeground_);
    AddRow(staveGrid, 3, QStringLiteral("Background"), colbBackground_);
    staveGrid->addWidget(chkAllowJoinFlags_, 0, 2);
    staveGrid->addWidget(chkEnableSound_, 1, 2);
    staveGrid->addWidget(chkExtraLines_, 2, 2);
    layout->addWidget(grpStave_);

    // ---- note groups
    btnGroupPlay_ = new QPushButton(QStringLiteral("Play Note Group"), this);
    btnGroupPlay_->setObjectName(QStringLiteral("btnGroupPlay"));
    layout->addWidget(NewListRow(L::group, QStringLiteral("Group"), btnGroupPlay_));
    grpGroup_ = new QGroupBox(QStringLiteral("Note Group"), this);
    grpGroup_->setObjectName(QStringLiteral("grpGroup"));
    auto* groupRow = new QHBoxLayout(grpGroup_);
    groupRow->addWidget(NewRadioGroup(QStringLiteral("Note Shape"), {"Normal", "Rectangle"},
                                      QStringLiteral("grpGroupNoteShape"), noteShape_, grpGroup_));
    auto* groupGrid = new QGridLayout;
    colbNoteColor_ = NewColorBox(QStringLiteral("colbGroupNoteColor"), grpGroup_);
    AddRow(groupGrid, 0, QStringLiteral("Note:"), colbNoteColor_);
    chkSticksUp_ = new QCheckBox(QStringLiteral("Draw Sticks Up"), grpGroup_);
    chkSticksUp_->setObjectName(QStringLiteral("chkGroupDrawSticksUp"));
    chkSticksDown_ = new QCheckBox(QStringLiteral("Draw Sticks Down"), grpGroup_);
    chkSticksDown_->setObjectName(QStringLiteral("chkGroupDrawSticksDown"));
    groupGrid->addWidget(chkSticksUp_, 1, 0, 1, 2);
    groupGrid->addWidget(chkSticksDown_, 2, 0, 1, 2);
    groupRow->addLayout(groupGrid);
    layout->addWidget(grpGroup_);

    // ---- one-players
    layout->addWidget(NewListRow(L::player, QStringLiteral("Play"), nullptr));
    grpPlayer_ = new QGroupBox(QStringLiteral("Player"), this);
    grpPlayer_->setObjectName(QStringLiteral("grpPlayer"));
    auto* playerLayout = new QVBoxLayout(grpPlayer_);
    auto* playerGrid = new QGridLayout;
    AddRow(playerGrid, 0, QStringLiteral("Volume Factor:"),
           NewField(F::volumeFactor, QStringLiteral("editPlayVolumeFactor")));
    AddRow(playerGrid, 1, QStringLiteral("Freq Up:"),
           NewField(F::freqUp, QStringLiteral("editPlayFreqUp")));
    playerLayout->addLayout(playerGrid);
    pcPlay_ = new QTabWidget(grpPlayer_);
    pcPlay_->setObjectName(QStringLiteral("pcPlay"));
    for (int kind = 0; kind <= notePlayerRollOutWaveForm; ++kind)
        pcPlay_->addTab(NewPlayerPage(kind), QString::fromLatin1(kPageCaptions[kind]));
    playerLayout->addWidget(pcPlay_);
    layout->addWidget(grpPlayer_);

    // ---- Apply (the default button: Enter commits), Close, Help
    btnApply_ = AddButtonRow(*layout, helpContext::editMusic).apply;
    connect(btnApply_, &QPushButton::clicked, this, &TDlgMusic::Apply);
    connect(btnStavePlay_, &QPushButton::clicked, this, [this] { presenter_.PlayStave(); });
    connect(btnGroupPlay_, &QPushButton::clicked, this, [this] { presenter_.PlayNoteGroup(); });

    // Fields applied at once; the presenter ignores them while the dialog refreshes.
    auto thenRefresh = [this](auto apply) {
        return [this, apply](auto value) {
            apply(value);
            Refresh();
        };
    };
    connect(chkAllowJoinFlags_, &QCheckBox::clicked, this,
            thenRefresh([this](bool on) { presenter_.SetAllowJoinFlags(on); }));
    connect(chkEnableSound_, &QCheckBox::clicked, this,
            thenRefresh([this](bool on) { presenter_.SetEnableSound(on); }));
    connect(chkExtraLines_, &QCheckBox::clicked, this,
            thenRefresh([this](bool on) { presenter_.SetExtraLines(on); }));
    connect(chkSticksUp_, &QCheckBox::clicked, this,
            thenRefresh([this](bool on) { presenter_.SetStickBox(TStickBox::up, on); }));
    connect(chkSticksDown_, &QCheckBox::clicked, this,
            thenRefresh([this](bool on) { presenter_.SetStickBox(TStickBox::down, on); }));
    connect(colbForeground_, &TColorBox::ColorChosen, this,
            [this](platform::Color color) { presenter_.SetForeground(color); });
    connect(colbBackground_, &TColorBox::ColorChosen, this,
            [this](platform::Color color) { presenter_.SetBackground(color); });
    connect(colbNoteColor_, &TColorBox::ColorChosen, this,
            [this](platform::Color color) { presenter_.SetNoteColor(color); });
    connect(noteShape_, &QButtonGroup::idClicked, this,
            [this](int shape) { presenter_.SetNoteShape(shape); });
    connect(pcPlay_, &QTabWidget::currentChanged, this, [this](int page) {
        if (presenter_.Updating() || page < 0) return;
        presenter_.ChoosePlayerPage(static_cast<TNotePlayerKind>(page));
        Refresh();
    });
    Refresh();
}

QWidget* TDlgMusic::NewListRow(TMusicListLevel level, const QString& name, QPushButton* play) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    ListControls& list = lists_[static_cast<int>(level)];
    list.count = ReadOnlyEdit(QStringLiteral("edit%1Count").arg(name), row);
    list.cursor = ReadOnlyEdit(QStringLiteral("edit%1Cursor").arg(name), row);
    layout->addWidget(new QLabel(QStringLiteral("Count"), row));
    layout->addWidget(list.count);
    layout->addWidget(new QLabel(QStringLiteral("Cursor"), row));
    layout->addWidget(list.cursor);
    for (const ListButtonLook& look : kListButtons) {
        auto* button = new QToolButton(row);
        button->setObjectName(QStringLiteral("btn%1%2").arg(name, QString::fromLatin1(look.name)));
        if (look.caption != nullptr) {
            button->setText(QString::fromLatin1(look.caption));
        } else {
            button->setIcon(style()->standardIcon(look.picture));
        }
        button->setToolTip(QString::fromLatin1(look.tip));
        button->setFocusPolicy(Qt::NoFocus);
        list.buttons[static_cast<int>(look.button)] = button;
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this,
                [this, level, b = look.button] { Press(level, b); });
    }
    layout->addStretch();
    if (play != nullptr) {
        play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
        play->setAutoDefault(false);
        layout->addWidget(play);
    }
    return row;
}

QLineEdit* TDlgMusic::NewField(TMusicField field, const QString& name) {
    QLineEdit* edit = NewEdit(name, this);
    fields_[Index(field)] = edit;
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this] { presenter_.Typed(); });
    return edit;
}

QComboBox* TDlgMusic::NewSampleWaveBox(TMusicField field, const QString& name) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    fields_[Index(field)] = box;
    box->installEventFilter(this);
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [this] { presenter_.Typed(); });
    // A name chosen from the list is taken at once.
    connect(box, &QComboBox::activated, this, [this, field] {
        if (presenter_.Updating()) return;
        presenter_.Typed();
        Leave(field);
    });
    return box;
}

QWidget* TDlgMusic::NewPlayerPage(int kind) {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    switch (kind) {
        case notePlayerSimpleSampler:
            AddRow(grid, 0, QStringLiteral("Sample Wave"),
                   NewSampleWaveBox(F::simpleSampleWave, QStringLiteral("cboPlaySOSSampleWave")));
            AddRow(grid, 1, QStringLiteral("Basic Frequency:"),
                   NewField(F::simpleBasicFreq, QStringLiteral("editPlaySOSBasicFreq")));
            break;
        case notePlayerResonantSampler:
            AddRow(grid, 0, QStringLiteral("Sample Wave"),
                   NewSampleWaveBox(F::resonantSampleWave, QStringLiteral("cboPlayRSSampleWave")));
            AddRow(grid, 1, QStringLiteral("Resonant Factor"),
                   NewField(F::resonantFactor, QStringLiteral("editPlayRSResonantFactor")));
            break;
        case notePlayerRepeatWaveForm:
            AddRow(grid, 0, QStringLiteral("Sample Wave"),
                   NewSampleWaveBox(F::repeatSampleWave, QStringLiteral("cboPlayRWFSampleWave")));
            break;
        case notePlayerRollOutSampler:
            AddRow(grid, 0, QStringLiteral("Sample Wave"),
                   NewSampleWaveBox(F::rollOutSampleWave, QStringLiteral("cboPlayROSSampleWave")));
            AddRow(grid, 1, QStringLiteral("Basic Frequency:"),
                   NewField(F::rollOutBasicFreq, QStringLiteral("editPlayROSBasicFreq")));
            break;
        default:
            AddRow(grid, 0, QStringLiteral("Sample Wave"),
                   NewSampleWaveBox(F::rollOutWaveFormSampleWave,
                                    QStringLiteral("cboPlayROWFSampleWave")));
            break;
    }
    grid->setRowStretch(2, 1);
    return page;
}

void TDlgMusic::Bind(TUnitMuz* unit) {
    presenter_.Bind(unit);
    Refresh();
}

void TDlgMusic::WindowChanged(TMDIChildKalvora* window) {
    disconnect(staveChanged_);
    if (auto* music = qobject_cast<TMDIChildMuz*>(window)) {
        staveChanged_ = connect(music, &TMDIChildMuz::StaveChanged, this,
                                [this](TNoteStave* stave) { StaveChanged(stave); });
    }
}

void TDlgMusic::StaveChanged(const TNoteStave* stave) {
    if (stave != nullptr && stave == presenter_.CurrentStave()) Refresh();
}

void TDlgMusic::Press(TMusicListLevel level, TListButton button) {
    presenter_.Press(level, button);
    Refresh();
}

QString TDlgMusic::FieldText(TMusicField field) const {
    QWidget* widget = fields_[Index(field)];
    if (auto* box = qobject_cast<QComboBox*>(widget)) return box->currentText();
    return static_cast<QLineEdit*>(widget)->text();
}

void TDlgMusic::Leave(TMusicField field) {
    const TFieldCommit commit = presenter_.LeaveField(field, ToCore(FieldText(field)));
    if (commit.outcome == TFieldOutcome::unchanged) return;
    if (commit.KeepsFocus()) {
        QWidget* widget = fields_[Index(field)];
        QTimer::singleShot(0, widget, [widget] { widget->setFocus(Qt::OtherFocusReason); });
        return;
    }
    // The value is shown again in its display unit.
    Refresh();
}

void TDlgMusic::Apply() {
    QWidget* focused = focusWidget();
    for (int i = 0; i < kMusicFieldCount; ++i) {
        QWidget* field = fields_[i];
        if (field != nullptr && (focused == field || field->isAncestorOf(focused))) {
            Leave(static_cast<TMusicField>(i));
            return;
        }
    }
}

bool TDlgMusic::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Opening a sample wave list is no leaving.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason) {
            for (int i = 0; i < kMusicFieldCount; ++i) {
                if (fields_[i] == watched) Leave(static_cast<TMusicField>(i));
            }
        }
    }
    return TMusicToolWindow::eventFilter(watched, event);
}

void TDlgMusic::FillSampleWaveLists() {
    std::vector<WaveChoice> waves = Frame().Workspace().Registry().WaveList(WaveListMode::all);
    for (int i = 0; i < kMusicFieldCount; ++i) {
        auto* box = qobject_cast<QComboBox*>(fields_[i]);
        if (box == nullptr) continue;
        box->clear();
        for (const WaveChoice& choice : waves)
            box->addItem(FromCore(choice.name));
    }
}

void TDlgMusic::Refresh() {
    presenter_.BeginUpdate();
    const TMusicDialogView view = presenter_.Describe();
    FillSampleWaveLists();
    for (int i = 0; i < kMusicFieldCount; ++i) {
        const auto field = static_cast<TMusicField>(i);
        QWidget* widget = fields_[i];
        widget->setEnabled(view.Enabled(field));
        const QString text = FromCore(view.Text(field));
        if (auto* box = qobject_cast<QComboBox*>(widget)) {
            box->setEditText(text);
        } else {
            static_cast<QLineEdit*>(widget)->setText(text);
        }
    }
    for (int level = 0; level < 3; ++level) {
        const TListLevelView& shown = view.levels[level];
        ListControls& list = lists_[level];
        list.count->setText(FromCore(shown.count));
        list.cursor->setText(FromCore(shown.cursor));
        for (int b = 0; b < kListButtonCount; ++b)
            list.buttons[b]->setEnabled(shown.enabled[b]);
    }
    grpStave_->setEnabled(view.staveEnabled);
    chkAllowJoinFlags_->setChecked(view.allowJoinFlags);
    chkEnableSound_->setChecked(view.enableSound);
    chkExtraLines_->setChecked(view.extraLines);
    colbForeground_->SetColor(view.foreground);
    colbBackground_->SetColor(view.background);
    btnStavePlay_->setEnabled(view.playStaveEnabled);

    grpGroup_->setEnabled(view.groupEnabled);
    // Without a group no shape is chosen: the exclusive group would keep one checked.
    noteShape_->setExclusive(false);
    for (QAbstractButton* shape : noteShape_->buttons())
        shape->setChecked(noteShape_->id(shape) == view.noteShape);
    noteShape_->setExclusive(true);
    colbNoteColor_->SetColor(view.noteColor);
    chkSticksUp_->setChecked(view.sticksUp);
    chkSticksDown_->setChecked(view.sticksDown);
    btnGroupPlay_->setEnabled(view.playGroupEnabled);

    grpPlayer_->setEnabled(view.playerEnabled);
    if (view.page >= 0) pcPlay_->setCurrentIndex(view.page);
    btnApply_->setEnabled(view.hasDocument);
    presenter_.EndUpdate();
}

}  // namespace kalvora::gui
