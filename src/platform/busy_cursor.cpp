#include "platform/busy_cursor.h"

#include "platform/assertion.h"

namespace kalvora::platform {
namespace {

BusyIndicator* currentIndicator = nullptr;
bool busy = false;

}  // namespace

void SetBusyIndicator(BusyIndicator* indicator) {
    currentIndicator = indicator;
}

void BeginBusy() {
    KALVORA_ASSERT(!busy);
    busy = true;
    if (currentIndicator) currentIndicator->Begin();
}

void EndBusy() {
    KALVORA_ASSERT(busy);
    busy = false;
    if (currentIndicator) currentIndicator->End();
}

bool IsBusy() {
    return busy;
}

}  // namespace kalvora::platform
