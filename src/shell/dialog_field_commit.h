// What became of a field of a modeless music dialog when it lost the focus. Standard C++ only.
#pragma once

#include <optional>
#include <string>

namespace kalvora {

enum class TFieldOutcome : unsigned char {
    unchanged,  // nothing typed since the last commit, or the dialog was refreshing
    applied,    // the value went into the document
    refused,    // a message was shown; the value kept its previous state
};

struct TFieldCommit {
    TFieldOutcome outcome = TFieldOutcome::unchanged;
    // The text the field shows afterwards, when it must change (a refused turn count shows
    // the old count again).
    std::optional<std::string> text;

    // A refused value takes the focus back to its field.
    bool KeepsFocus() const { return outcome == TFieldOutcome::refused; }
};

}  // namespace kalvora
