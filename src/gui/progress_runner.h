// The program's runner of long work: the work runs on a thread of its own; when it takes
// longer than about half a second a modal progress window with Cancel appears, so that no
// other command and no close can run meanwhile. Cancel sets the work's error flag to
// "cancelled", and the work stops as after a failure.
#pragma once

#include <QString>
#include <chrono>
#include <functional>

#include "documents/long_work.h"

class QWidget;
class QProgressDialog;

namespace kalvora::gui {

class TProgressRunner final : public TLongWorkRunner {
  public:
    explicit TProgressRunner(QWidget* parent) : parent_(parent) {}

    void Run(const std::function<void()>& work, ErrorFlag* error) override;
    // While work runs (its progress window shown or not yet).
    bool Running() const { return running_; }

    // How long work runs before the progress window shows (tests shorten it).
    void SetDelay(std::chrono::milliseconds delay) { delay_ = delay; }
    // Called once the progress window shows (tests press Cancel from here).
    void SetShownHandler(std::function<void(QProgressDialog&)> onShown) {
        onShown_ = std::move(onShown);
    }

  private:
    QWidget* parent_;
    std::chrono::milliseconds delay_{500};
    std::function<void(QProgressDialog&)> onShown_;
    bool running_ = false;
};

// The texts of the progress window.
inline constexpr const char* kProgressCaption = "Kalvora";
inline constexpr const char* kProgressText = "Changing the wave...";
inline constexpr const char* kCancellingText = "Cancelling...";

}  // namespace kalvora::gui
