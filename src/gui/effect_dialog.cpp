#include "gui/effect_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/dialog_help.h"
#include "gui/list_field_box.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"

namespace kalvora::gui {
namespace {

bool Owns(const std::optional<TAlternativeOf>& owner, const std::optional<TAlternativeOf>& of) {
    if (!owner || !of) return !owner && !of;
    return owner->choice == of->choice && owner->alternative == of->alternative;
}

// Whether the field is the "Default" check box of a list's sub-field: it stands in the
// list's box, beside that sub-field.
bool IsDefaultFlag(const TEffectEntry& entry, std::string_view name) {
    for (const TFieldSpec& field : entry.fields) {
        for (const TFieldSpec& sub : field.subFields) {
            if (!sub.defaultFlag.empty() && SameName(sub.defaultFlag, name)) return true;
        }
    }
    return false;
}

QGridLayout* NewGrid(QWidget* parent) {
    auto* grid = new QGridLayout(parent);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(1, 1);
    return grid;
}

}  // namespace

TEffectDialog::TEffectDialog(TEffectDialogModel& model, QWidget* parent)
    : QDialog(parent),
      model_(model),
      controls_(model.FieldCount(), nullptr),
      choices_(model.FieldCount(), nullptr) {
    setWindowTitle(FromCore(model.Caption()));
    setObjectName(FromCore(model.Entry().command));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QWidget(this);
    AddRows(NewGrid(fields), std::nullopt);
    layout->addWidget(fields);
    layout->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TEffectDialog::Ok);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    int context = HelpContextOfEffect(model.Entry().command);
    InstallDialogHelp(*this, context != 0 ? context : helpContext::contents, buttons);
    layout->addWidget(buttons);
}

void TEffectDialog::AddRows(QGridLayout* grid, std::optional<TAlternativeOf> owner) {
    std::string_view ownerLabel;
    if (owner) {
        const TFieldSpec& choice =
            model_.Field(static_cast<std::size_t>(model_.Entry().FieldIndex(owner->choice)));
        ownerLabel = choice.kind == TFieldKind::check
                         ? choice.label
                         : choice.alternatives.at(static_cast<std::size_t>(owner->alternative));
    }
    int row = 0;
    TPages pages;
    for (std::size_t i = 0; i < model_.FieldCount(); ++i) {
        if (!Owns(model_.Field(i).owner, owner)) continue;
        if (IsDefaultFlag(model_.Entry(), model_.Field(i).name)) continue;
        const std::string_view page = model_.Field(i).page;
        if (page.empty()) {
            AddField(grid, row++, i, ownerLabel);
            continue;
        }
        if (pages.tabs == nullptr) {
            pages.tabs = new QTabWidget;
            pages.tabs->setObjectName("pages");
            // Every page's name in sight: the dialog grows to show all tabs.
            pages.tabs->setUsesScrollButtons(false);
            grid->addWidget(pages.tabs, row++, 0, 1, 2);
        }
        TPages::Page& on = pages.Of(page);
        AddField(on.grid, on.rows++, i, ownerLabel);
    }
    pages.Finish();
}

TEffectDialog::TPages::Page& TEffectDialog::TPages::Of(std::string_view name) {
    for (Page& page : pages) {
        if (page.name == name) return page;
    }
    auto* widget = new QWidget;
    widget->setObjectName(FromCore(WithoutBlanks(name)));
    auto* grid = new QGridLayout(widget);
    grid->setColumnStretch(1, 1);
    tabs->addTab(widget, FromCore(name));
    pages.push_back({name, grid, 0});
    return pages.back();
}

void TEffectDialog::TPages::Finish() {
    // The rows of every page start at its top.
    for (Page& page : pages)
        page.grid->setRowStretch(page.rows, 1);
}

QWidget* TEffectDialog::AlternativeBox(const TFieldSpec& choice, int alternative) {
    bool any = false;
    for (std::size_t i = 0; i < model_.FieldCount(); ++i) {
        any = any || Owns(model_.Field(i).owner, TAlternativeOf{choice.name, alternative});
    }
    if (!any) return nullptr;
    auto* box = new QWidget;
    AddRows(NewGrid(box), TAlternativeOf{choice.name, alternative});
    return box;
}

void TEffectDialog::AddField(QGridLayout* grid, int row, std::size_t index,
                             std::string_view ownerLabel) {
    const TFieldSpec& spec = model_.Field(index);
    const QString name = FromCore(spec.name);
    // A field named like its alternative needs no label: the radio button says it.
    auto addLabelled = [&](QWidget* control) {
        control->setObjectName(name);
        if (spec.label == ownerLabel) {
            grid->addWidget(control, row, 0, 1, 2);
        } else {
            auto* label = new QLabel(FromCore(spec.label));
            label->setBuddy(control);
            grid->addWidget(label, row, 0);
            grid->addWidget(control, row, 1);
        }
        controls_[index] = control;
    };
    switch (spec.kind) {
        case TFieldKind::value: {
            auto* edit = new QLineEdit;
            connect(edit, &QLineEdit::textEdited, this, [this, index](const QString& text) {
                model_.SetText(index, ToCore(text));
                ShowChoices();
            });
            // Leaving a field may copy its text into others ("Time Middle").
            connect(edit, &QLineEdit::editingFinished, this, [this, index] {
                if (model_.LeaveField(index)) ShowTexts();
            });
            addLabelled(edit);
            break;
        }
        case TFieldKind::wave: {
            auto* list = new QComboBox;
            connect(list, &QComboBox::activated, this, [this, index](int item) {
                model_.SelectWave(index, item);
                ShowChoices();
            });
            addLabelled(list);
            break;
        }
        case TFieldKind::check: {
            auto* check = new QCheckBox(FromCore(spec.label));
            check->setObjectName(name);
            connect(check, &QCheckBox::clicked, this, [this, index](bool on) {
                model_.SetChecked(index, on);
                ShowChoices();
            });
            grid->addWidget(check, row, 0);
            if (QWidget* box = AlternativeBox(spec, 1)) grid->addWidget(box, row, 1);
            controls_[index] = check;
            break;
        }
        case TFieldKind::list: {
            auto* box = new TListFieldBox(model_, index);
            connect(box, &TListFieldBox::ChoicesChanged, this, &TEffectDialog::ShowChoices);
            for (const auto& [flag, check] : box->DefaultBoxes())
                controls_[flag] = check;
            grid->addWidget(box, row, 0, 1, 2);
            controls_[index] = box;
            break;
        }
        case TFieldKind::choice: {
            if (spec.IsPreset() || spec.dropDown) {
                // A drop-down list of presets that fill other fields, or of the alternatives.
                auto* list = new QComboBox;
                for (std::string_view alternative : spec.alternatives)
                    list->addItem(FromCore(alternative));
                connect(list, &QComboBox::activated, this, [this, index](int item) {
                    model_.SetChoice(index, item);
                    ShowTexts();
                });
                addLabelled(list);
                break;
            }
            auto* group = new QGroupBox(FromCore(spec.label));
            group->setObjectName(name);
            auto* inner = new QGridLayout(group);
            inner->setColumnStretch(1, 1);
            auto* buttons = new QButtonGroup(group);
            for (std::size_t a = 0; a < spec.alternatives.size(); ++a) {
                auto* radio = new QRadioButton(FromCore(spec.alternatives[a]));
                radio->setObjectName(name + "." + FromCore(WithoutBlanks(spec.alternatives[a])));
                buttons->addButton(radio, static_cast<int>(a));
                inner->addWidget(radio, static_cast<int>(a), 0, Qt::AlignTop);
                if (QWidget* box = AlternativeBox(spec, static_cast<int>(a))) {
                    inner->addWidget(box, static_cast<int>(a), 1);
                }
            }
            connect(buttons, &QButtonGroup::idClicked, this, [this, index](int alternative) {
                model_.SetChoice(index, alternative);
                ShowChoices();
            });
            grid->addWidget(group, row, 0, 1, 2);
            controls_[index] = group;
            choices_[index] = buttons;
            break;
        }
    }
}

QWidget* TEffectDialog::ControlOf(std::string_view field) const {
    const int index = model_.Entry().FieldIndex(field);
    return index < 0 ? nullptr : controls_[static_cast<std::size_t>(index)];
}

QAbstractButton* TEffectDialog::RadioOf(std::string_view field, int alternative) const {
    const int index = model_.Entry().FieldIndex(field);
    if (index < 0 || !choices_[static_cast<std::size_t>(index)]) return nullptr;
    return choices_[static_cast<std::size_t>(index)]->button(alternative);
}

void TEffectDialog::showEvent(QShowEvent* event) {
    ShowModel();
    QDialog::showEvent(event);
}

void TEffectDialog::ShowModel() {
    model_.Show();
    for (std::size_t i = 0; i < model_.FieldCount(); ++i) {
        const TFieldControl& control = model_.Control(i);
        if (auto* edit = qobject_cast<QLineEdit*>(controls_[i])) {
            edit->setText(FromCore(control.text));
        } else if (auto* list = qobject_cast<QComboBox*>(controls_[i]);
                   list != nullptr && model_.Field(i).kind == TFieldKind::wave) {
            list->clear();
            for (const WaveChoice& item : control.waves.items)
                list->addItem(FromCore(item.name));
            list->setCurrentIndex(control.waves.selected);
        }
    }
    for (std::size_t i = 0; i < model_.FieldCount(); ++i) {
        if (controls_[i] != nullptr) controls_[i]->setEnabled(model_.IsEnabled(i));
    }
    ShowLists();
    ShowChoices();
}

void TEffectDialog::ShowTexts() {
    for (std::size_t i = 0; i < model_.FieldCount(); ++i) {
        auto* edit = qobject_cast<QLineEdit*>(controls_[i]);
        const QString text = FromCore(model_.Control(i).text);
        // Only changed texts: the edit being typed in keeps its cursor.
        if (edit != nullptr && edit->text() != text) edit->setText(text);
    }
    ShowChoices();
}

void TEffectDialog::ShowLists() {
    for (QWidget* control : controls_) {
        if (auto* box = qobject_cast<TListFieldBox*>(control)) box->Refresh();
    }
}

void TEffectDialog::ShowChoices() {
    for (std::size_t i = 0; i < model_.FieldCount(); ++i) {
        const int choice = model_.Control(i).choice;
        if (choices_[i] != nullptr) {
            if (QAbstractButton* radio = choices_[i]->button(choice)) radio->setChecked(true);
        } else if (model_.Field(i).IsPreset() || model_.Field(i).dropDown) {
            qobject_cast<QComboBox*>(controls_[i])->setCurrentIndex(choice);
        } else if (auto* check = qobject_cast<QCheckBox*>(controls_[i])) {
            check->setChecked(choice != 0);
        }
    }
}

void TEffectDialog::Ok() {
    model_.Ok();
    ShowLists();
    done(Accepted);
}

void TEffectDialog::done(int result) {
    if (result == Accepted && !model_.CloseQuery()) return;
    QDialog::done(result);
}

bool ExecEffectDialog(TEffectDialogModel& model, QWidget* parent) {
    TEffectDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace kalvora::gui
