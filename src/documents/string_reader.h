// TStringReader: reads the numbers, unit suffixes, integers and note names that users type
// and files store. Every value type reads its text through it. Text is single-byte; numbers
// take "." or "," as decimal separator. Failures leave their message in ErrorText(); nothing
// here throws or asserts on input. Standard C++ only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "documents/display_unit.h"

namespace kalvora {

class TStringReader {
  public:
    explicit TStringReader(std::string_view text);

    // A number at the read position: an optional sign in first place, blanks, then digits
    // with an optional decimal part ("0.5", "0,5", ".5", "5.") or a fraction ("1/4").
    bool ReadNumber(double& value);

    // The unit suffix after a number: blanks are skipped, then the rest is matched without
    // regard to case; whatever follows a recognised unit is ignored. The end of the text is
    // DisplayUnit::none, an unrecognised suffix DisplayUnit::unknown.
    DisplayUnit ReadUnit();

    // An optional "+", an optional "-" and a run of digits; whatever follows is ignored.
    // Fails when there are no digits or the value does not fit in an int.
    bool ReadInteger(int& value);

    // True when the read position holds a note letter A-G (either case).
    bool AtNoteName() const;

    // A note name such as "A4", "C#-1" or "g": letter, optional "#", optional octave
    // (5 when absent, -2..12). Gives its frequency in hertz; C5 is 523.26 Hz.
    bool ReadNote(double& frequency);

    const std::string& ErrorText() const { return errorText_; }
    std::size_t Position() const { return position_; }

  private:
    bool AtEnd() const { return position_ >= text_.size(); }
    char Current() const { return text_[position_]; }
    void SkipBlanks();
    std::string_view ReadDigitRun();
    bool Fail(std::string_view message);

    std::string text_;
    std::size_t position_ = 0;
    std::string errorText_;
};

}  // namespace kalvora
