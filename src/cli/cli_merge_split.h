// "kalvora-cli help SplitV | SplitH | MergeH | MergeV": the fields of the split and merge
// commands with their alternatives (verb_merge_split.cpp).
#pragma once

#include <ostream>
#include <string_view>

namespace kalvora::cli {

// Writes the help of the split or merge command named (any case) and returns true; false
// when name is none of them.
bool PrintMergeSplitHelp(std::string_view name, std::ostream& out);

}  // namespace kalvora::cli
