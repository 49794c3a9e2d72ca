// The --select BEGIN:END option of the verbs that work on part of a wave. Each end is a plain
// integer (a sample index), a time with its unit ("1.5s", "250ms", read by the time value
// type) or a share of the length ("25%"); a time or share goes to the nearest sample. END may
// equal the length; the ends may come in either order; equal ends select nothing, so that
// the verb works on the whole wave, as a document does with a cursor.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kalvora::cli {

struct SampleSelection {
    std::int32_t begin = 0;
    std::int32_t end = 0;
};

// The selection in a wave of length samples at rate, or nothing with errorText set to
// "In --select: <reason>".
std::optional<SampleSelection> ReadSelection(const std::string& text, std::int32_t length,
                                             std::int32_t rate, std::string& errorText);

}  // namespace kalvora::cli
