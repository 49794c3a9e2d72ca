#include "gui/color_palette_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/color_box.h"
#include "gui/dialog_controls.h"
#include "gui/dialog_help.h"
#include "gui/qt_text.h"
#include "platform/qt/image_canvas.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

TPaletteBar::TPaletteBar(const TColorPaletteEditor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor) {
    setObjectName(QStringLiteral("pboColor"));
    setMinimumSize(40, 16);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaletteBar::paintEvent(QPaintEvent*) {
    platform::ImageCanvas canvas(std::max(1, width()), std::max(1, height()));
    DrawPaletteBar(canvas, canvas.Bounds(), editor_.Palette());
    QPainter painter(this);
    canvas.DrawOnto(painter, QPoint(0, 0));
}

namespace {

// A button that moves between the stops: it does not take the focus, so that a position
// being typed is taken once, by the button's own action.
QToolButton* NavigationButton(QStyle::StandardPixmap picture, const QString& name,
                              const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(picture));
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPushButton* ActionButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

template <typename Action>
void TDlgColorPalette1D::Act(Action action) {
    if (!TakePosition()) return;
    action();
    ShowCurrent();
}

TDlgColorPalette1D::TDlgColorPalette1D(QWidget* parent, const TColorPalette1DItem& palette)
    : QDialog(parent), editor_(palette) {
    setObjectName(QStringLiteral("DlgColorPalette1D"));
    setWindowTitle(QStringLiteral("Color Palette"));
    setSizeGripEnabled(true);

    btnPalItemFirst_ =
        NavigationButton(QStyle::SP_MediaSkipBackward, QStringLiteral("btnPalItemFirst"),
                         QStringLiteral("First stop"), this);
    btnPalItemPrevious_ =
        NavigationButton(QStyle::SP_MediaSeekBackward, QStringLiteral("btnPalItemPrevious"),
                         QStringLiteral("Previous stop"), this);
    btnPalItemNext_ =
        NavigationButton(QStyle::SP_MediaSeekForward, QStringLiteral("btnPalItemNext"),
                         QStringLiteral("Next stop"), this);
    btnPalItemLast_ =
        NavigationButton(QStyle::SP_MediaSkipForward, QStringLiteral("btnPalItemLast"),
                         QStringLiteral("Last stop"), this);
    btnPalItemAdd_ = ActionButton(QStringLiteral("&Add"), QStringLiteral("btnPalItemAdd"), this);
    btnPalItemDelete_ =
        ActionButton(QStringLiteral("&Delete"), QStringLiteral("btnPalItemDelete"), this);
    auto* stops = new QHBoxLayout;
    stops->addWidget(btnPalItemFirst_);
    stops->addWidget(btnPalItemPrevious_);
    stops->addWidget(btnPalItemNext_);
    stops->addWidget(btnPalItemLast_);
    stops->addSpacing(12);
    stops->addWidget(btnPalItemAdd_);
    stops->addWidget(btnPalItemDelete_);
    stops->addStretch();

    auto* grid = new QGridLayout;
    editPosition_ = NewEdit(QStringLiteral("editPosition"), this);
    AddRow(grid, 0, QStringLiteral("&Position"), editPosition_);
    cboColorBefore_ = NewColorBox(QStringLiteral("cboColorBefore"), this);
    AddRow(grid, 1, QStringLiteral("Color (&Before)"), cboColorBefore_);
    btnColorPrevious_ =
        ActionButton(QStringLiteral("< P&revious"), QStringLiteral("btnColorPrevious"), this);
    grid->addWidget(btnColorPrevious_, 1, 2);
    chkColorAfter_ = new QCheckBox(QStringLiteral("Color A&fter"), this);
    chkColorAfter_->setObjectName(QStringLiteral("chkColorAfter"));
    cboColorAfter_ = NewColorBox(QStringLiteral("cboColorAfter"), this);
    grid->addWidget(chkColorAfter_, 2, 0);
    grid->addWidget(cboColorAfter_, 2, 1);
    btnColorNext_ = ActionButton(QStringLiteral("< &Next"), QStringLiteral("btnColorNext"), this);
    grid->addWidget(btnColorNext_, 2, 2);
    grid->setColumnStretch(1, 1);

    pboColor_ = new TPaletteBar(editor_, this);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    InstallDialogHelp(*this, helpContext::colorPalette, buttons_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(stops);
    layout->addLayout(grid);
    layout->addWidget(pboColor_, 1);
    layout->addWidget(buttons_);

    connect(btnPalItemFirst_, &QToolButton::clicked, this,
            [this] { Act([this] { editor_.First(); }); });
    connect(btnPalItemPrevious_, &QToolButton::clicked, this,
            [this] { Act([this] { editor_.Previous(); }); });
    connect(btnPalItemNext_, &QToolButton::clicked, this,
            [this] { Act([this] { editor_.Next(); }); });
    connect(btnPalItemLast_, &QToolButton::clicked, this,
            [this] { Act([this] { editor_.Last(); }); });
    connect(btnPalItemAdd_, &QPushButton::clicked, this,
            [this] { Act([this] { editor_.Add(); }); });
    connect(btnPalItemDelete_, &QPushButton::clicked, this,
            [this] { Act([this] { editor_.Delete(); }); });
    connect(btnColorPrevious_, &QPushButton::clicked, this,
            [this] { Act([this] { editor_.CopyPreviousColor(); }); });
    connect(btnColorNext_, &QPushButton::clicked, this,
            [this] { Act([this] { editor_.CopyNextColor(); }); });
    connect(cboColorBefore_, &TColorBox::ColorChosen, this, [this](platform::Color color) {
        if (updating_ > 0) return;
        editor_.SetColorBefore(color);
        ShowCurrent();
    });
    connect(chkColorAfter_, &QCheckBox::clicked, this, [this](bool on) {
        if (updating_ > 0) return;
        editor_.SetUseColorAfter(on);
        ShowCurrent();
    });
    connect(cboColorAfter_, &TColorBox::ColorChosen, this, [this](platform::Color color) {
        if (updating_ > 0 || !editor_.Current().UseColorAfter) return;
        editor_.SetColorAfter(color);
        ShowCurrent();
    });
    connect(editPosition_, &QLineEdit::textEdited, this, [this] {
        if (updating_ == 0) positionChanged_ = true;
    });
    connect(editPosition_, &QLineEdit::returnPressed, this, [this] { TakePosition(); });
    editPosition_->installEventFilter(this);
    ShowCurrent();
    resize(480, 240);
}

bool TDlgColorPalette1D::TakePosition() {
    if (!positionChanged_) return true;
    positionChanged_ = false;
    if (editor_.SetPositionText(ToCore(editPosition_->text()))) {
        ShowCurrent();
        return true;
    }
    positionChanged_ = true;
    // Back into the edit once the message has closed.
    QTimer::singleShot(0, editPosition_, [edit = editPosition_] {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    });
    return false;
}

// Leaving the position edit takes what was typed; not when the focus goes to OK or Cancel
// (OK takes it itself, Cancel drops it) or leaves the dialog (a message box).
bool TDlgColorPalette1D::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editPosition_ && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = QApplication::focusWidget();
        const bool toButtons = next != nullptr && buttons_->isAncestorOf(next);
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !toButtons) {
            TakePosition();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgColorPalette1D::ShowCurrent() {
    ++updating_;
    const TColorPalette1DItem& stop = editor_.Current();
    const bool inner = editor_.IsInner();
    btnPalItemFirst_->setEnabled(editor_.CanGoBack());
    btnPalItemPrevious_->setEnabled(editor_.CanGoBack());
    btnColorPrevious_->setEnabled(editor_.CanGoBack());
    btnPalItemNext_->setEnabled(editor_.CanGoForward());
    btnPalItemLast_->setEnabled(editor_.CanGoForward());
    btnColorNext_->setEnabled(editor_.CanGoForward());
    btnPalItemAdd_->setEnabled(true);
    btnPalItemDelete_->setEnabled(inner);
    editPosition_->setEnabled(inner);
    chkColorAfter_->setEnabled(inner);
    if (!positionChanged_) editPosition_->setText(FromCore(editor_.PositionText()));
    cboColorBefore_->SetColor(stop.ColorBefore);
    chkColorAfter_->setChecked(stop.UseColorAfter != 0);
    cboColorAfter_->SetColor(editor_.ShownColorAfter());
    cboColorAfter_->setEnabled(inner && stop.UseColorAfter != 0);
    pboColor_->update();
    --updating_;
}

void TDlgColorPalette1D::done(int result) {
    if (result == Accepted && !TakePosition()) return;
    QDialog::done(result);
}

}  // namespace kalvora::gui
