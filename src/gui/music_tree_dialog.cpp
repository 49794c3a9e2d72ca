#include "gui/music_tree_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/dialog_controls.h"
#include "gui/main_form.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"
#include "shell/octave_text.h"

namespace kalvora::gui {

namespace {

using C = TMusTreeCommand;

constexpr int kItemRole = Qt::UserRole;

TMusTreeItem* ItemOf(const QTreeWidgetItem* node) {
    return node != nullptr
               ? reinterpret_cast<TMusTreeItem*>(node->data(0, kItemRole).value<quintptr>())
               : nullptr;
}

QStyle::StandardPixmap PictureOf(TMusTreePicture picture) {
    switch (picture) {
        case TMusTreePicture::repeat:
            return QStyle::SP_BrowserReload;
        case TMusTreePicture::turns:
            return QStyle::SP_DirOpenIcon;
        case TMusTreePicture::turnItem:
            return QStyle::SP_ArrowRight;
        default:
            return QStyle::SP_FileIcon;
    }
}

QStyle::StandardPixmap PictureOf(TMusTreeCommand command) {
    switch (command) {
        case C::insertSingle:
            return QStyle::SP_FileDialogNewFolder;
        case C::appendSingle:
            return QStyle::SP_FileIcon;
        case C::repeat:
            return QStyle::SP_BrowserReload;
        case C::turns:
            return QStyle::SP_DirOpenIcon;
        case C::turn:
            return QStyle::SP_ArrowRight;
        case C::forward:
            return QStyle::SP_ArrowDown;
        case C::backward:
            return QStyle::SP_ArrowUp;
        case C::forwardInto:
            return QStyle::SP_MediaSeekForward;
        case C::backwardInto:
            return QStyle::SP_MediaSeekBackward;
        case C::forwardOut:
            return QStyle::SP_MediaSkipForward;
        case C::backwardOut:
            return QStyle::SP_MediaSkipBackward;
        case C::deletePart:
            return QStyle::SP_TrashIcon;
        case C::begin:
            return QStyle::SP_ArrowBack;
        case C::end:
            return QStyle::SP_ArrowForward;
        default:
            return QStyle::SP_CustomBase;
    }
}

void SetExpandedBelow(QTreeWidgetItem* node, bool expanded) {
    for (int i = 0; i < node->childCount(); ++i)
        SetExpandedBelow(node->child(i), expanded);
    node->setExpanded(expanded);
}

}  // namespace

TDlgMusTree::TDlgMusTree(TMainForm& frame, std::unique_ptr<TMusicPlayback> playback)
    : TMusicToolWindow(frame), playback_(std::move(playback)), presenter_(playback_.get()) {
    setObjectName(QStringLiteral("DlgMusTree"));
    setWindowTitle(QStringLiteral("Music Parts"));
    auto* layout = new QVBoxLayout(this);
    auto* menus = new QMenuBar(this);
    auto* tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("tbMusTree"));
    tools->setIconSize(QSize(16, 16));
    layout->setMenuBar(menus);
    layout->addWidget(tools);
    BuildMenusAndTools(menus, tools);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("tvMusTree"));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    tree_->setMinimumSize(260, 220);
    layout->addWidget(tree_);

    auto* fields = new QGridLayout;
    editCount_ = NewEdit(QStringLiteral("editCount"), this);
    editPitch_ = NewEdit(QStringLiteral("editPitch"), this);
    editOctave_ = NewEdit(QStringLiteral("editOctave"), this);
    editOctave_->setReadOnly(true);
    editOctave_->setFocusPolicy(Qt::NoFocus);
    AddRow(fields, 0, QStringLiteral("Count"), editCount_);
    AddRow(fields, 1, QStringLiteral("Pitch"), editPitch_);
    AddRow(fields, 2, QStringLiteral("Octave"), editOctave_);
    chkPlayDraw_ = new QCheckBox(QStringLiteral("Play and Draw Subtree"), this);
    chkPlayDraw_->setObjectName(QStringLiteral("chkPlayDraw"));
    chkPlayDraw_->setTristate(true);
    btnPlay_ = new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay),
                               QStringLiteral("Play Subtree"), this);
    btnPlay_->setObjectName(QStringLiteral("btnPlay"));
    btnPlay_->setAutoDefault(false);
    fields->addWidget(chkPlayDraw_, 0, 2);
    fields->addWidget(btnPlay_, 1, 2);
    layout->addLayout(fields);

    const TButtonRow row = AddButtonRow(*layout, helpContext::musicParts);
    btnApply_ = row.apply;
    QPushButton* close = row.close;
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("lblStatus"));
    statusLine_->setFrameShape(QFrame::StyledPanel);
    statusLine_->setMinimumHeight(statusLine_->fontMetrics().height() + 4);
    layout->addWidget(statusLine_);
    // The tree would make its first node current on taking the focus, which selects a part
    // the user never chose (and marks the document changed).
    close->setFocus();

    connect(btnApply_, &QPushButton::clicked, this, &TDlgMusTree::Apply);
    connect(btnPlay_, &QPushButton::clicked, this, [this] { RunCommand(C::play); });
    connect(chkPlayDraw_, &QCheckBox::clicked, this, [this] {
        if (presenter_.Updating()) return;
        presenter_.TogglePlayDraw();
        RefreshControls();
    });
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { OnCurrentItemChanged(current); });
    connect(tree_, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* node) { presenter_.SetExpanded(ItemOf(node), true); });
    connect(tree_, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* node) { presenter_.SetExpanded(ItemOf(node), false); });
    connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* node) {
        presenter_.SetLabel(ItemOf(node), ToCore(node->text(0)));
    });
    for (QLineEdit* edit : {editCount_, editPitch_}) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this] { presenter_.Typed(); });
    }
    // "Octave" follows the pitch text on every change, typed or shown.
    connect(editPitch_, &QLineEdit::textChanged, this, [this](const QString& text) {
        editOctave_->setText(FromCore(OctaveText(ToCore(text))));
    });
    Rebuild();
}

void TDlgMusTree::BuildMenusAndTools(QMenuBar* menus, QToolBar* tools) {
    std::map<std::string, QMenu*> menuOf;
    const char* previousMenu = nullptr;
    for (const TMusTreeCommandText& text : MusTreeCommandTexts()) {
        QMenu*& menu = menuOf[text.menu];
        if (menu == nullptr) menu = menus->addMenu(QString::fromLatin1(text.menu));
        const QString hint = QString::fromLatin1(text.hint);
        const qsizetype bar = hint.indexOf(QLatin1Char('|'));
        auto* action = new QAction(QString::fromLatin1(text.caption), this);
        action->setObjectName(QStringLiteral("act") +
                              QString::number(static_cast<int>(text.command)));
        action->setToolTip(bar >= 0 ? hint.left(bar) : hint);
        action->setStatusTip(bar >= 0 ? hint.mid(bar + 1) : hint);
        const QStyle::StandardPixmap picture = PictureOf(text.command);
        if (picture != QStyle::SP_CustomBase) action->setIcon(style()->standardIcon(picture));
        if (text.menuItem != nullptr) {
            // The menu's item has its own caption; the tool button keeps the command's.
            auto* item = menu->addAction(QString::fromLatin1(text.menuItem));
            item->setStatusTip(action->statusTip());
            connect(item, &QAction::triggered, action, &QAction::trigger);
            connect(action, &QAction::enabledChanged, item, &QAction::setEnabled);
        } else {
            menu->addAction(action);
        }
        if (previousMenu != nullptr && std::string(previousMenu) != text.menu)
            tools->addSeparator();
        previousMenu = text.menu;
        if (picture != QStyle::SP_CustomBase) tools->addAction(action);
        actions_[text.command] = action;
        connect(action, &QAction::triggered, this, [this, c = text.command] { RunCommand(c); });
    }
}

void TDlgMusTree::Bind(TUnitMuz* unit) {
    presenter_.Bind(unit);
    Rebuild();
}

void TDlgMusTree::Refresh() {
    Rebuild();
}

// The whole tree again, with the document's selected node selected.
void TDlgMusTree::Rebuild() {
    presenter_.BeginUpdate();
    tree_->clear();
    AddNodes(presenter_.BuildNodes(), nullptr, presenter_.Selected());
    presenter_.EndUpdate();
    RefreshControls();
}

void TDlgMusTree::AddNodes(const std::vector<TMusTreeNode>& nodes, QTreeWidgetItem* parent,
                           TMusTreeItem* selected) {
    for (const TMusTreeNode& node : nodes) {
        auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
        item->setText(0, FromCore(node.text));
        item->setIcon(0, style()->standardIcon(PictureOf(node.picture)));
        item->setData(0, kItemRole, QVariant::fromValue(reinterpret_cast<quintptr>(node.item)));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        AddNodes(node.children, item, selected);
        item->setExpanded(node.expanded);
        if (node.item == selected) tree_->setCurrentItem(item);
    }
}

void TDlgMusTree::SelectItemOf(TMusTreeItem* wanted) {
    presenter_.BeginUpdate();
    QTreeWidgetItemIterator it(tree_);
    for (; *it != nullptr; ++it) {
        if (ItemOf(*it) == wanted) {
            tree_->setCurrentItem(*it);
            break;
        }
    }
    if (wanted == nullptr) tree_->setCurrentItem(nullptr);
    presenter_.EndUpdate();
}

void TDlgMusTree::OnCurrentItemChanged(QTreeWidgetItem* current) {
    if (presenter_.Updating()) return;
    // Committing may show a message, and the window's reactivation rebuilds the tree: take
    // the item before its node can go.
    TMusTreeItem* wanted = ItemOf(current);
    CommitFocusedField();
    TMusTreeItem* selected = presenter_.SelectNode(wanted);
    if (ItemOf(tree_->currentItem()) != selected && selected == wanted) SelectItemOf(selected);
    if (selected != wanted) {
        // A refused turn count keeps its node until a valid count is entered.
        QTimer::singleShot(0, this, [this, selected] {
            SelectItemOf(selected);
            editCount_->setFocus(Qt::OtherFocusReason);
        });
        return;
    }
    RefreshControls();
}

void TDlgMusTree::RefreshControls() {
    presenter_.BeginUpdate();
    for (const auto& [command, action] : actions_)
        action->setEnabled(presenter_.Enabled(command));
    const bool count = presenter_.Enabled(C::count);
    const bool pitch = presenter_.Enabled(C::pitch);
    editCount_->setEnabled(count);
    editPitch_->setEnabled(pitch);
    editCount_->setText(FromCore(presenter_.CountText()));
    editPitch_->setText(FromCore(presenter_.PitchText()));
    editOctave_->setEnabled(pitch);
    chkPlayDraw_->setEnabled(presenter_.Enabled(C::playDraw));
    switch (presenter_.PlayDrawState()) {
        case TPlayDrawState::checked:
            chkPlayDraw_->setCheckState(Qt::Checked);
            break;
        case TPlayDrawState::grayed:
            chkPlayDraw_->setCheckState(Qt::PartiallyChecked);
            break;
        default:
            chkPlayDraw_->setCheckState(Qt::Unchecked);
            break;
    }
    btnPlay_->setEnabled(presenter_.Enabled(C::play));
    btnApply_->setEnabled(presenter_.Enabled(C::apply));
    presenter_.EndUpdate();
}

void TDlgMusTree::RunCommand(TMusTreeCommand command) {
    CommitFocusedField();
    if (!presenter_.Enabled(command)) return;
    QTreeWidgetItem* current = tree_->currentItem();
    switch (command) {
        case C::expand:
        case C::collapse:
            if (current != nullptr) current->setExpanded(command == C::expand);
            return;
        case C::expandAll:
        case C::collapseAll:
            if (current != nullptr) SetExpandedBelow(current, command == C::expandAll);
            return;
        default:
            break;
    }
    if (const auto question = presenter_.ConfirmationFor(command)) {
        const auto answer =
            QMessageBox::question(this, FromCore(question->caption), FromCore(question->text),
                                  QMessageBox::Ok | QMessageBox::Cancel);
        if (answer != QMessageBox::Ok) return;
    }
    if (!presenter_.Run(command)) return;
    if (command == C::play || command == C::begin || command == C::end) {
        RefreshControls();
        return;
    }
    Rebuild();
}

void TDlgMusTree::Leave(TMusTreeCommand field) {
    QLineEdit* edit = field == C::count ? editCount_ : editPitch_;
    const TFieldCommit commit = presenter_.LeaveField(field, ToCore(edit->text()));
    if (commit.text) {
        presenter_.BeginUpdate();
        edit->setText(FromCore(*commit.text));
        presenter_.EndUpdate();
    }
    if (commit.KeepsFocus()) {
        QTimer::singleShot(0, edit, [edit] { edit->setFocus(Qt::OtherFocusReason); });
    }
}

void TDlgMusTree::CommitFocusedField() {
    QWidget* focused = focusWidget();
    if (focused == editCount_) Leave(C::count);
    if (focused == editPitch_) Leave(C::pitch);
}

void TDlgMusTree::Apply() {
    CommitFocusedField();
}

bool TDlgMusTree::event(QEvent* event) {
    // The long hint of the tool button or menu item under the mouse.
    if (event->type() == QEvent::StatusTip) {
        statusLine_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return TMusicToolWindow::event(event);
}

bool TDlgMusTree::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == editCount_) Leave(C::count);
        if (watched == editPitch_) Leave(C::pitch);
    }
    return TMusicToolWindow::eventFilter(watched, event);
}

}  // namespace kalvora::gui
