#include "gui/list_field_box.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <string_view>

#include "gui/qt_text.h"

namespace kalvora::gui {
namespace {

struct ButtonText {
    TBrowseButton button;
    const char* caption;  // shown
    const char* name;     // the object name's word and the tool tip
};

// The moving buttons in one row, the editing buttons in the next.
constexpr std::array<ButtonText, 4> kMoveButtons = {{{TBrowseButton::first, "|<", "First"},
                                                     {TBrowseButton::previous, "<", "Previous"},
                                                     {TBrowseButton::next, ">", "Next"},
                                                     {TBrowseButton::last, ">|", "Last"}}};
constexpr std::array<ButtonText, 6> kEditButtons = {{{TBrowseButton::insert, "Insert", "Insert"},
                                                     {TBrowseButton::append, "Append", "Append"},
                                                     {TBrowseButton::remove, "Delete", "Delete"},
                                                     {TBrowseButton::copy, "Copy", "Copy"},
                                                     {TBrowseButton::paste, "Paste", "Paste"},
                                                     {TBrowseButton::clear, "Clear", "Clear"}}};

QLineEdit* ReadOnlyNumber(const QString& name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setMaximumWidth(60);
    return edit;
}

}  // namespace

TListFieldBox::TListFieldBox(TEffectDialogModel& model, std::size_t field, QWidget* parent)
    : QGroupBox(parent), model_(model), field_(field) {
    const TFieldSpec& spec = model.Field(field);
    const QString name = FromCore(spec.name);
    setTitle(FromCore(spec.label));
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    for (std::size_t i = 0; i < spec.subFields.size(); ++i) {
        const TFieldSpec& sub = spec.subFields[i];
        const int row = static_cast<int>(i);
        auto* edit = new QLineEdit;
        edit->setObjectName(name + "." + FromCore(sub.name));
        auto* label = new QLabel(FromCore(sub.label));
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            model_.SetListText(field_, i, ToCore(text));
            emit ChoicesChanged();
        });
        edits_.push_back(edit);
        if (sub.defaultFlag.empty()) continue;
        const auto flag = static_cast<std::size_t>(model.Entry().FieldIndex(sub.defaultFlag));
        auto* check = new QCheckBox(FromCore(model.Field(flag).label));
        check->setObjectName(FromCore(sub.defaultFlag));
        check->setToolTip(tr("A new entry starts with the default %1").arg(FromCore(sub.label)));
        connect(check, &QCheckBox::clicked, this, [this, flag](bool on) {
            model_.SetChecked(flag, on);
            emit ChoicesChanged();
        });
        grid->addWidget(check, row, 2);
        defaultBoxes_.emplace_back(flag, check);
    }
    layout->addLayout(grid);

    auto addButtons = [&](const auto& texts, QHBoxLayout* row) {
        for (const ButtonText& text : texts) {
            auto* button = new QPushButton(QString::fromLatin1(text.caption));
            button->setObjectName(name + "." + QString::fromLatin1(text.name));
            button->setToolTip(QString::fromLatin1(text.name));
            button->setAutoDefault(false);
            const TBrowseButton which = text.button;
            connect(button, &QPushButton::clicked, this, [this, which] { Press(which); });
            buttons_[static_cast<std::size_t>(text.button)] = button;
            row->addWidget(button);
        }
    };
    auto* moveRow = new QHBoxLayout;
    addButtons(kMoveButtons, moveRow);
    moveRow->addStretch();
    count_ = ReadOnlyNumber(name + ".count");
    number_ = ReadOnlyNumber(name + ".number");
    auto* countLabel = new QLabel(tr("Count"));
    countLabel->setBuddy(count_);
    auto* numberLabel = new QLabel(tr("Number"));
    numberLabel->setBuddy(number_);
    moveRow->addWidget(numberLabel);
    moveRow->addWidget(number_);
    moveRow->addWidget(countLabel);
    moveRow->addWidget(count_);
    layout->addLayout(moveRow);
    auto* editRow = new QHBoxLayout;
    addButtons(kEditButtons, editRow);
    layout->addLayout(editRow);
}

void TListFieldBox::Press(TBrowseButton button) {
    model_.Browse(field_, button);
    Refresh();
    emit ChoicesChanged();
}

void TListFieldBox::Refresh() {
    const TListControl& control = *model_.Control(field_).list;
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        if (edits_[i]->text() != FromCore(control.Texts()[i])) {
            edits_[i]->setText(FromCore(control.Texts()[i]));
        }
    }
    const TBrowseState& state = control.State();
    count_->setText(QString::number(state.count));
    number_->setText(QString::number(state.number));
    ButtonOf(TBrowseButton::first)->setEnabled(state.canPrevious);
    ButtonOf(TBrowseButton::previous)->setEnabled(state.canPrevious);
    ButtonOf(TBrowseButton::next)->setEnabled(state.canNext);
    ButtonOf(TBrowseButton::last)->setEnabled(state.canNext);
    ButtonOf(TBrowseButton::remove)->setEnabled(state.canDelete);
    ButtonOf(TBrowseButton::paste)->setEnabled(state.canPaste);
}

}  // namespace kalvora::gui
