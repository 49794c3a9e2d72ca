#include "cli/cli_selection.h"

#include <algorithm>
#include <cmath>

#include "cli/cli_arguments.h"
#include "documents/string_reader.h"
#include "documents/unit_time.h"

namespace kalvora::cli {
namespace {

struct EndReading {
    std::optional<double> sample;
    std::string reason;
};

EndReading ReadEnd(const std::string& text, std::int32_t length, std::int32_t rate) {
    if (const auto index = ParsePlainInteger(text)) return {static_cast<double>(*index), {}};
    if (!text.empty() && text.back() == '%') {
        TStringReader reader(std::string_view(text).substr(0, text.size() - 1));
        double share = 0;
        if (!reader.ReadNumber(share) || reader.ReadUnit() != DisplayUnit::none) {
            return {std::nullopt, "Write a share as a number followed by \"%\"."};
        }
        return {std::floor(share * 0.01 * length + 0.5), {}};
    }
    const UnitReading time = ParseTimeOrFrequency(text, false);
    if (!time.ok) return {std::nullopt, time.reason};
    if (time.displayUnit != DisplayUnit::second && time.displayUnit != DisplayUnit::millisecond) {
        return {std::nullopt, "Write a time in 's' or 'ms'."};
    }
    return {std::floor(time.value * rate + 0.5), {}};
}

}  // namespace

std::optional<SampleSelection> ReadSelection(const std::string& text, std::int32_t length,
                                             std::int32_t rate, std::string& errorText) {
    const auto fail = [&](const std::string& reason) -> std::optional<SampleSelection> {
        errorText = "In --select: " + reason;
        return std::nullopt;
    };
    const auto colon = text.find(':');
    if (colon == std::string::npos) return fail("Write the selection as BEGIN:END.");
    const EndReading first = ReadEnd(text.substr(0, colon), length, rate);
    if (!first.sample) return fail(first.reason);
    const EndReading second = ReadEnd(text.substr(colon + 1), length, rate);
    if (!second.sample) return fail(second.reason);
    for (const double sample : {*first.sample, *second.sample}) {
        if (!(sample >= 0 && sample <= length)) {
            return fail("The selection must lie inside the wave, 0 to " + std::to_string(length) +
                        " samples.");
        }
    }
    SampleSelection selection;
    selection.begin = static_cast<std::int32_t>(std::min(*first.sample, *second.sample));
    selection.end = static_cast<std::int32_t>(std::max(*first.sample, *second.sample));
    if (selection.begin == selection.end) selection = {0, length};
    return selection;
}

}  // namespace kalvora::cli
