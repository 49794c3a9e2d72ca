// A dialog script for the effect commands' tests: it fills a dialog as a user would (texts
// typed into fields, which check their alternatives, then choices, wave lists and check boxes
// set to the value given), then presses OK, once.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "documents/effect_dialog.h"
#include "platform/assertion.h"

namespace kalvora::testing {

struct ScriptedDialog {
    std::vector<std::pair<std::string, std::string>> texts{};
    std::vector<std::pair<std::string, int>> choices{};
    std::vector<std::pair<std::string, std::string>> waves{};
    std::vector<std::pair<std::string, bool>> checks{};
    bool accepted = false;

    bool operator()(TEffectDialogModel& dialog) {
        dialog.Show();
        auto index = [&](const std::string& field) {
            const int i = dialog.Entry().FieldIndex(field);
            KALVORA_ASSERT(i >= 0);
            return static_cast<std::size_t>(i);
        };
        for (const auto& [field, text] : texts)
            dialog.SetText(index(field), text);
        for (const auto& [field, choice] : choices)
            dialog.SetChoice(index(field), choice);
        for (const auto& [field, name] : waves)
            dialog.SelectWaveNamed(index(field), name);
        for (const auto& [field, on] : checks)
            dialog.SetChecked(index(field), on);
        accepted = dialog.Ok() && dialog.CloseQuery();
        return accepted;
    }
};

}  // namespace kalvora::testing
