#include "gui/select_zoom_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/dialog_controls.h"
#include "gui/dialog_help.h"
#include "gui/help_window.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/qt_text.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

TDlgSelZoom::TDlgSelZoom(TMainForm& frame) : TToolWindow(frame), frame_(frame) {
    setObjectName(QStringLiteral("DlgSelZoom"));
    setWindowTitle(QStringLiteral("Select and Zoom"));

    auto* select = new QGridLayout;
    rbCursor_ = new QRadioButton(QStringLiteral("&Cursor"), this);
    rbCursor_->setObjectName(QStringLiteral("rbCursor"));
    editAt_ = NewEdit(QStringLiteral("editAt"), this);
    select->addWidget(rbCursor_, 0, 0);
    select->addWidget(new QLabel(QStringLiteral("At"), this), 0, 1);
    select->addWidget(editAt_, 0, 2);
    rbPart_ = new QRadioButton(QStringLiteral("&Part"), this);
    rbPart_->setObjectName(QStringLiteral("rbPart"));
    editPartBegin_ = NewEdit(QStringLiteral("editPartBegin"), this);
    editPartEnd_ = NewEdit(QStringLiteral("editPartEnd"), this);
    select->addWidget(rbPart_, 1, 0);
    select->addWidget(new QLabel(QStringLiteral("Begin"), this), 1, 1);
    select->addWidget(editPartBegin_, 1, 2);
    select->addWidget(new QLabel(QStringLiteral("End"), this), 2, 1);
    select->addWidget(editPartEnd_, 2, 2);
    select->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(select);
    const char* const titles[2] = {"Zoom First View", "Zoom Second View"};
    const char* const names[2] = {"First", "Second"};
    for (int i = 0; i < 2; ++i) {
        ViewControls& view = views_[static_cast<std::size_t>(i)];
        const QString name = QString::fromLatin1(names[i]);
        view.group = new QGroupBox(QString::fromLatin1(titles[i]), this);
        view.group->setObjectName(QStringLiteral("grpZoom") + name);
        auto* grid = new QGridLayout(view.group);
        view.zoomed = new QCheckBox(QStringLiteral("Zoomed"), view.group);
        view.zoomed->setObjectName(QStringLiteral("chkZoomed") + name);
        view.begin = NewEdit(QStringLiteral("editZoomBegin") + name, view.group);
        view.end = NewEdit(QStringLiteral("editZoomEnd") + name, view.group);
        grid->addWidget(view.zoomed, 0, 0, 1, 2);
        AddRow(grid, 1, QStringLiteral("Begin"), view.begin);
        AddRow(grid, 2, QStringLiteral("End"), view.end);
        layout->addWidget(view.group);
        connect(view.zoomed, &QCheckBox::clicked, this, [this, i](bool on) {
            if (!filling_) model_.Views[i].Zoomed = on;
        });
        // Typing a zoom end means zooming that view.
        auto typed = [this, i](std::string TSelectZoom::ViewZoom::*text) {
            return [this, i, text](const QString& value) {
                if (filling_) return;
                model_.Views[i].*text = ToCore(value);
                model_.Views[i].Zoomed = true;
                views_[static_cast<std::size_t>(i)].zoomed->setChecked(true);
            };
        };
        connect(view.begin, &QLineEdit::textEdited, this, typed(&TSelectZoom::ViewZoom::BeginText));
        connect(view.end, &QLineEdit::textEdited, this, typed(&TSelectZoom::ViewZoom::EndText));
    }

    // Apply is the default button: Enter in a text box applies what was typed.
    btnApply_ = new QPushButton(QStringLiteral("&Apply"), this);
    btnApply_->setObjectName(QStringLiteral("btnApply"));
    btnApply_->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setAutoDefault(false);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("btnHelp"));
    help->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnApply_);
    buttons->addWidget(close);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    connect(btnApply_, &QPushButton::clicked, this, &TDlgSelZoom::Apply);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(help, &QPushButton::clicked, this,
            [this] { ShowDialogHelp(this, helpContext::selectAndZoom); });
    InstallDialogHelp(*this, helpContext::selectAndZoom);

    // Typing in "At" chooses "Cursor", typing in the part's ends chooses "Part".
    connect(rbCursor_, &QRadioButton::clicked, this, [this] {
        if (!filling_) model_.CursorChosen = true;
    });
    connect(rbPart_, &QRadioButton::clicked, this, [this] {
        if (!filling_) model_.CursorChosen = false;
    });
    connect(editAt_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (filling_) return;
        model_.AtText = ToCore(text);
        model_.CursorChosen = true;
        rbCursor_->setChecked(true);
    });
    auto partTyped = [this](std::string TSelectZoom::*field) {
        return [this, field](const QString& text) {
            if (filling_) return;
            model_.*field = ToCore(text);
            model_.CursorChosen = false;
            rbPart_->setChecked(true);
        };
    };
    connect(editPartBegin_, &QLineEdit::textEdited, this, partTyped(&TSelectZoom::PartBeginText));
    connect(editPartEnd_, &QLineEdit::textEdited, this, partTyped(&TSelectZoom::PartEndText));
}

void TDlgSelZoom::ShowBesideFrame() {
    adjustSize();
    const QRect outer = frame_.frameGeometry();
    const QScreen* screen = frame_.screen();
    const QSize screenSize =
        screen != nullptr ? screen->size() : QSize(outer.right(), outer.bottom());
    const platform::Point at =
        SelectZoomPlace(platform::Rect{outer.left(), outer.top(), outer.left() + outer.width(),
                                       outer.top() + outer.height()},
                        platform::Size{screenSize.width(), screenSize.height()},
                        platform::Size{frameGeometry().width(), frameGeometry().height()});
    move(at.x, at.y);
    Fill(frame_.ActiveWaveWindow());
    show();
    raise();
}

void TDlgSelZoom::Follow(TMDIChildWave* active) {
    if (active == window_.data() && (active != nullptr || !btnApply_->isEnabled())) return;
    Fill(active);
}

void TDlgSelZoom::SelectionChanged(const TMDIChildWave& window) {
    if (&window == window_.data()) FillSelection();
}

void TDlgSelZoom::ViewChanged(const TMDIChildWave& window, int view) {
    if (&window == window_.data()) FillView(view - 1);
}

// With no wave window active everything is empty and disabled, "Apply" included.
void TDlgSelZoom::Fill(TMDIChildWave* window) {
    window_ = window;
    const bool on = window != nullptr;
    for (QWidget* control : std::initializer_list<QWidget*>{
             rbCursor_, rbPart_, editAt_, editPartBegin_, editPartEnd_, btnApply_})
        control->setEnabled(on);
    for (ViewControls& view : views_)
        view.group->setEnabled(on);
    if (on) {
        FillSelection();
        FillView(0);
        FillView(1);
        return;
    }
    model_ = TSelectZoom();
    model_.AtText.clear();
    filling_ = true;
    rbCursor_->setAutoExclusive(false);
    rbCursor_->setChecked(false);
    rbPart_->setChecked(false);
    rbCursor_->setAutoExclusive(true);
    editAt_->clear();
    editPartBegin_->clear();
    editPartEnd_->clear();
    for (ViewControls& view : views_) {
        view.zoomed->setChecked(false);
        view.begin->clear();
        view.end->clear();
    }
    filling_ = false;
}

void TDlgSelZoom::FillSelection() {
    if (window_ == nullptr) return;
    const TUnitWave& wave = window_->Wave();
    const std::int32_t first = wave.FirstEnd();
    const std::int32_t second = wave.SecondEnd();
    model_.FillSelection(wave.GetFreq(), first,
                         first != second ? std::optional<std::int64_t>(second) : std::nullopt);
    ShowSelection();
}

void TDlgSelZoom::FillView(int view) {
    if (window_ == nullptr) return;
    TViewWave& shown = window_->Group().View(view + 1);
    const TWaveViewGeometry& geometry = shown.Geometry();
    const double rate = window_->Wave().GetFreq();
    if (geometry.Zoomed()) {
        model_.FillView(view, rate, geometry.FirstVisible(), geometry.LastVisible());
    } else {
        model_.FillView(view, rate, std::nullopt, 0.0);
    }
    ShowView(view);
}

void TDlgSelZoom::ShowSelection() {
    filling_ = true;
    rbCursor_->setChecked(model_.CursorChosen);
    rbPart_->setChecked(!model_.CursorChosen);
    editAt_->setText(FromCore(model_.AtText));
    editPartBegin_->setText(FromCore(model_.PartBeginText));
    editPartEnd_->setText(FromCore(model_.PartEndText));
    filling_ = false;
}

void TDlgSelZoom::ShowView(int view) {
    filling_ = true;
    const TSelectZoom::ViewZoom& zoom = model_.Views[view];
    ViewControls& controls = views_[static_cast<std::size_t>(view)];
    controls.zoomed->setChecked(zoom.Zoomed);
    controls.begin->setText(FromCore(zoom.BeginText));
    controls.end->setText(FromCore(zoom.EndText));
    filling_ = false;
}

void TDlgSelZoom::Apply() {
    TMDIChildWave* window = window_;
    if (window == nullptr || window != frame_.ActiveWaveWindow()) return;
    TUnitWave& wave = window->Wave();
    const TSelectZoom::Actions actions = model_.Apply(wave.GetFreq(), wave.GetValues());
    if (actions.Cursor) wave.SetCursor(static_cast<std::int32_t>(*actions.Cursor));
    if (actions.SelectionBegin) {
        wave.SetSelection(static_cast<std::int32_t>(*actions.SelectionBegin),
                          static_cast<std::int32_t>(*actions.SelectionEnd));
    }
    for (int i = 0; i < 2; ++i) {
        TViewWave& view = window->Group().View(i + 1);
        switch (actions.ViewZoomAction[i]) {
            case TSelectZoom::Actions::Zoom::keep:
                break;
            case TSelectZoom::Actions::Zoom::unzoom:
                if (view.Zoomed()) view.Unzoom();
                break;
            case TSelectZoom::Actions::Zoom::zoomTo:
                view.ZoomTo(static_cast<double>(actions.ZoomBegin[i]),
                            static_cast<double>(actions.ZoomEnd[i]), true);
                break;
        }
    }
    frame_.RepaintEnvelopeUsers(wave.Name());
}

}  // namespace kalvora::gui
