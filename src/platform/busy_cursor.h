// The busy cursor every wave command shows while it works. The frame installs the indicator
// that really changes the mouse cursor; without one nothing is shown. BeginBusy while busy is
// a programming error; BusyScope, which the document commands use, joins a running period.
#pragma once

namespace kalvora::platform {

class BusyIndicator {
  public:
    virtual ~BusyIndicator() = default;
    virtual void Begin() = 0;  // save the current cursor and show the busy one
    virtual void End() = 0;    // restore the saved cursor
};

// Installs the indicator; nullptr restores the silent default. The indicator is not owned.
void SetBusyIndicator(BusyIndicator* indicator);

void BeginBusy();  // asserts that no busy period is running
void EndBusy();    // asserts that one is
bool IsBusy();

// Shows the busy cursor for the lifetime of the scope. Inside a busy period already running
// (a project save that saves each document) it joins that period instead of nesting.
class BusyScope {
  public:
    BusyScope() : began_(!IsBusy()) {
        if (began_) BeginBusy();
    }
    ~BusyScope() {
        if (began_) EndBusy();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    bool began_;
};

}  // namespace kalvora::platform
