// The soak's hand on the modal dialogs: whatever dialog a command opens, it is answered from
// inside its own event loop with random valid values, random invalid texts or Cancel, the
// way a hurried user fills it. A dialog that refuses its input stays open and is answered
// again (after a few refusals with Cancel).
//
// The dialogs of the effect table are filled from their entry's fields (values, choices,
// check boxes, wave lists, lists), so an effect added to the table is answered without new
// code here; other dialogs are filled through their standard controls.
#pragma once

#include <QObject>
#include <functional>
#include <random>
#include <string>

class QDialog;
class QTimer;
class QWidget;

namespace kalvora::gui {
class TEffectDialog;
}

namespace kalvora::soak {

using Rng = std::mt19937_64;

// A text for a value field that showed current: mostly a number of the same unit near it,
// sometimes a small or negative one.
std::string RandomValueText(const std::string& current, Rng& rng);
// A text no value field should accept.
std::string RandomInvalidText(Rng& rng);

class TDialogResponder : public QObject {
  public:
    // log receives one line per answer ("MakeSinus: OK with frequency=\"440 Hz\" ...").
    TDialogResponder(Rng& rng, std::function<void(const std::string&)> log);

    // Polls for a modal dialog while the soak runs.
    void Start();
    void Stop();
    // Answers the modal dialog that is open now, if any.
    void RespondNow();

  private:
    void Respond(QWidget* modal);
    void RespondEffect(gui::TEffectDialog& dialog, int attempt);
    void RespondForm(QDialog& dialog, int attempt);
    // Fills every edit, radio button, check box and list of a widget tree at random, and
    // now and then presses one of its other buttons (queued: see buttonQueued_).
    std::string FillControls(QWidget& root, bool invalidTexts, bool queueButtons);
    void Cancel(QWidget& dialog, const std::string& name);

    Rng& rng_;
    std::function<void(const std::string&)> log_;
    QTimer* timer_ = nullptr;
    // FillControls left a button press to the dialog's event loop.
    bool buttonQueued_ = false;
};

}  // namespace kalvora::soak
