#include "soak/dialog_responder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "documents/effect_table.h"
#include "gui/effect_dialog.h"
#include "gui/list_field_box.h"
#include "gui/qt_text.h"

namespace kalvora::soak {
namespace {

constexpr const char* kAttempts = "soakAttempts";

int Uniform(Rng& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

double Real(Rng& rng, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng);
}

bool Chance(Rng& rng, double p) {
    return std::bernoulli_distribution(p)(rng);
}

std::string Number(double value, Rng& rng) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4g", value);
    std::string result(text);
    // The readers take "," as well as "." for the decimal separator.
    if (Chance(rng, 0.2)) {
        for (char& c : result) {
            if (c == '.') c = ',';
        }
    }
    return result;
}

// Replaces the text of an edit as typing does (the edit's signals run).
void Type(QLineEdit& edit, const std::string& text) {
    edit.setFocus();
    edit.selectAll();
    edit.insert(QString::fromLatin1(text.c_str()));
    emit edit.textEdited(edit.text());
}

QPushButton* ButtonNamed(QWidget& dialog, const QString& caption) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        if (button->text().remove('&') == caption && button->isEnabled()) return button;
    }
    return nullptr;
}

bool PressOk(QDialog& dialog) {
    for (auto* box : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) {
            ok->click();
            return true;
        }
    }
    if (QPushButton* ok = ButtonNamed(dialog, QStringLiteral("OK"))) {
        ok->click();
        return true;
    }
    return false;
}

std::string Quoted(const QString& text) {
    return "\"" + text.toStdString() + "\"";
}

}  // namespace

std::string RandomValueText(const std::string& current, Rng& rng) {
    // The number at the start of the text, and the unit after it.
    std::string shown = current;
    for (char& c : shown) {
        if (c == ',') c = '.';
    }
    const char* begin = shown.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(value)) return current;
    const std::string unit = current.substr(static_cast<std::size_t>(end - begin));
    switch (Uniform(rng, 0, 9)) {
        case 0:
        case 1:
        case 2:
            return current;
        case 3:
        case 4:
        case 5:
            return Number(value * Real(rng, 0.0, 2.0), rng) + unit;
        case 6:
            return Number(Real(rng, 0.0, 1.0), rng) + unit;
        case 7:
            return Number(Uniform(rng, 0, 5), rng) + unit;
        case 8:
            return Number(-value * Real(rng, 0.0, 1.0), rng) + unit;
        default:
            // Without its unit, the value is read in the field's own.
            return Number(value * Real(rng, 0.5, 1.5), rng);
    }
}

std::string RandomInvalidText(Rng& rng) {
    static const std::array<const char*, 14> texts = {
        "",    "abc", "1e400", "-",        "12 parsecs",           "0x10", "1..2", " ",
        "nan", "inf", "-inf",  "1e-400 s", "99999999999999999999", "5 s s"};
    if (Chance(rng, 0.05)) return std::string(300, '9');
    return texts[static_cast<std::size_t>(Uniform(rng, 0, texts.size() - 1))];
}

TDialogResponder::TDialogResponder(Rng& rng, std::function<void(const std::string&)> log)
    : rng_(rng), log_(std::move(log)) {
    timer_ = new QTimer(this);
    timer_->setInterval(1);
    connect(timer_, &QTimer::timeout, this, &TDialogResponder::RespondNow);
}

void TDialogResponder::Start() {
    timer_->start();
}

void TDialogResponder::Stop() {
    timer_->stop();
}

void TDialogResponder::RespondNow() {
    if (QWidget* modal = QApplication::activeModalWidget()) Respond(modal);
}

void TDialogResponder::Respond(QWidget* modal) {
    const int attempt = modal->property(kAttempts).toInt();
    modal->setProperty(kAttempts, attempt + 1);
    if (auto* effect = qobject_cast<gui::TEffectDialog*>(modal)) {
        RespondEffect(*effect, attempt);
    } else if (qobject_cast<QFileDialog*>(modal) != nullptr ||
               qobject_cast<QMessageBox*>(modal) != nullptr) {
        // Files are chosen through the frame's seams; a box is a message the soak reads
        // through the message sink.
        Cancel(*modal, modal->metaObject()->className());
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        RespondForm(*dialog, attempt);
    } else {
        modal->close();
    }
}

void TDialogResponder::Cancel(QWidget& dialog, const std::string& name) {
    log_("  " + name + ": Cancel");
    if (auto* box = qobject_cast<QDialog*>(&dialog)) {
        box->reject();
    } else {
        dialog.close();
    }
}

// The fields of the effect's entry, each filled by its kind: valid values near the shown
// ones, sometimes an invalid text, a random alternative, check box and wave document.
void TDialogResponder::RespondEffect(gui::TEffectDialog& dialog, int attempt) {
    const std::string name = dialog.objectName().toStdString();
    const TEffectEntry* entry = FindEffect(name);
    if (entry == nullptr || attempt >= 3 || Chance(rng_, attempt == 0 ? 0.1 : 0.4)) {
        Cancel(dialog, name);
        return;
    }
    const bool invalid = Chance(rng_, 0.15);
    std::string typed;
    for (const TFieldSpec& field : entry->fields) {
        QWidget* control = dialog.ControlOf(field.name);
        if (control == nullptr || !Chance(rng_, attempt == 0 ? 0.7 : 0.3)) continue;
        std::string what;
        switch (field.kind) {
            case TFieldKind::value:
                if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                    const std::string text =
                        invalid && Chance(rng_, 0.5)
                            ? RandomInvalidText(rng_)
                            : RandomValueText(edit->text().toStdString(), rng_);
                    Type(*edit, text);
                    what = "\"" + text + "\"";
                }
                break;
            case TFieldKind::choice: {
                const int alternative =
                    Uniform(rng_, 0, static_cast<int>(field.alternatives.size()) - 1);
                if (QAbstractButton* radio = dialog.RadioOf(field.name, alternative)) {
                    radio->click();
                    what = std::string(field.alternatives[static_cast<std::size_t>(alternative)]);
                }
                break;
            }
            case TFieldKind::check:
                if (auto* box = qobject_cast<QCheckBox*>(control)) {
                    box->click();
                    what = box->isChecked() ? "on" : "off";
                }
                break;
            case TFieldKind::wave:
                if (auto* list = qobject_cast<QComboBox*>(control); list && list->count() > 0) {
                    list->setCurrentIndex(Uniform(rng_, 0, list->count() - 1));
                    what = Quoted(list->currentText());
                }
                break;
            case TFieldKind::list:
                what = FillControls(*control, invalid, false);
                break;
        }
        if (!what.empty()) typed += " " + std::string(field.name) + "=" + what;
    }
    log_("  " + name + ": OK" + typed);
    if (QPushButton* ok = ButtonNamed(dialog, QStringLiteral("OK"))) {
        ok->click();
    } else {
        Cancel(dialog, name);
    }
}

std::string TDialogResponder::FillControls(QWidget& root, bool invalidTexts, bool queueButtons) {
    std::string typed;
    buttonQueued_ = false;
    for (auto* radio : root.findChildren<QRadioButton*>()) {
        if (radio->isEnabled() && Chance(rng_, 0.2)) {
            radio->click();
            typed += " [" + radio->text().remove('&').toStdString() + "]";
        }
    }
    for (auto* box : root.findChildren<QCheckBox*>()) {
        if (box->isEnabled() && Chance(rng_, 0.25)) {
            box->click();
            typed += " " + Quoted(box->text().remove('&')) + (box->isChecked() ? "=on" : "=off");
        }
    }
    for (auto* list : root.findChildren<QComboBox*>()) {
        if (list->isEnabled() && list->count() > 0 && !list->isEditable() && Chance(rng_, 0.25)) {
            list->setCurrentIndex(Uniform(rng_, 0, list->count() - 1));
            typed += " " + list->objectName().toStdString() + "=" + Quoted(list->currentText());
        }
    }
    for (auto* edit : root.findChildren<QLineEdit*>()) {
        if (!edit->isEnabled() || edit->isReadOnly() || !Chance(rng_, 0.5)) continue;
        // The edits inside combo boxes belong to them.
        if (qobject_cast<QComboBox*>(edit->parentWidget()) != nullptr) continue;
        const std::string text = invalidTexts && Chance(rng_, 0.4)
                                     ? RandomInvalidText(rng_)
                                     : RandomValueText(edit->text().toStdString(), rng_);
        Type(*edit, text);
        typed += " " + edit->objectName().toStdString() + "=\"" + text + "\"";
    }
    // The buttons that act inside the dialog (browse a list, take the window's size, edit
    // the palette), now and then. A button that may open a dialog of its own is pressed
    // from the dialog's event loop, after this answer: a dialog opened from inside the
    // responder's timer would never see the timer again.
    for (auto* button : root.findChildren<QPushButton*>()) {
        const QString caption = button->text().remove('&');
        if (!button->isEnabled() || !button->isVisible() || caption == "OK" ||
            caption == "Cancel" || caption.contains("Help") || !Chance(rng_, 0.08)) {
            continue;
        }
        typed += " <" + caption.toStdString() + ">";
        if (queueButtons) {
            QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
            buttonQueued_ = true;
            break;
        }
        button->click();
    }
    return typed;
}

void TDialogResponder::RespondForm(QDialog& dialog, int attempt) {
    const std::string name = dialog.metaObject()->className();
    if (attempt >= 3 || Chance(rng_, attempt == 0 ? 0.15 : 0.5)) {
        Cancel(dialog, name);
        return;
    }
    const std::string typed = FillControls(dialog, Chance(rng_, 0.15), true);
    // A button pressed later may open a dialog over this one; this one is answered again.
    if (buttonQueued_) {
        log_("  " + name + ":" + typed);
        dialog.setProperty(kAttempts, attempt);
        return;
    }
    log_("  " + name + ": OK" + typed);
    if (!PressOk(dialog)) dialog.accept();
}

}  // namespace kalvora::soak
