// The soak's own statement of the command update rules: which commands the frame must offer,
// worked out from the live documents, windows, clipboard, undo record and player rather than
// from the frame's snapshot, so that a snapshot that goes stale or a rule that drifts shows.
#pragma once

#include <string>
#include <vector>

namespace kalvora::gui {
class TMainForm;
}

namespace kalvora::soak {

// The differences between the frame's menu actions and the rules, one text per command
// ("EditTrim: enabled, expected disabled"); empty when they agree.
std::vector<std::string> CompareCommandStates(gui::TMainForm& frame);

}  // namespace kalvora::soak
