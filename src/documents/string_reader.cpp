#include "documents/string_reader.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace kalvora {
namespace {

constexpr std::string_view kNoValue = "Input has no value.";
constexpr std::string_view kTooLarge = "Number is too large.";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithUpper(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (UpperAscii(text[i]) != prefix[i]) return false;
    }
    return true;
}

bool AllZero(std::string_view digits) {
    return digits.find_first_not_of('0') == std::string_view::npos;
}

// Converts "digits[.digits]" exactly (correctly rounded) and independently of the C locale.
// A value below the smallest double reads as 0; one above the largest fails.
bool ParseDecimal(std::string_view integerDigits, std::string_view fractionDigits, double& value) {
    std::string text(integerDigits.empty() ? std::string_view("0") : integerDigits);
    if (!fractionDigits.empty()) {
        text.push_back('.');
        text.append(fractionDigits);
    }
    double parsed = 0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        if (!AllZero(integerDigits)) return false;
        parsed = 0;
    } else if (result.ec != std::errc() || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

TStringReader::TStringReader(std::string_view text) : text_(text) {}

void TStringReader::SkipBlanks() {
    while (!AtEnd() && (Current() == ' ' || Current() == '\t'))
        ++position_;
}

std::string_view TStringReader::ReadDigitRun() {
    const std::size_t start = position_;
    while (!AtEnd() && IsDigit(Current()))
        ++position_;
    return std::string_view(text_).substr(start, position_ - start);
}

bool TStringReader::Fail(std::string_view message) {
    errorText_ = message;
    return false;
}

bool TStringReader::ReadNumber(double& value) {
    double sign = 1;
    if (!AtEnd() && Current() == '-') {
        sign = -1;
        ++position_;
    } else if (!AtEnd() && Current() == '+') {
        ++position_;
    }
    SkipBlanks();
    const std::string_view integerDigits = ReadDigitRun();

    if (!AtEnd() && (Current() == '.' || Current() == ',')) {
        ++position_;
        const std::string_view fractionDigits = ReadDigitRun();
        double magnitude = 0;
        if (!ParseDecimal(integerDigits, fractionDigits, magnitude)) return Fail(kTooLarge);
        value = sign * magnitude;
        return true;
    }

    if (!AtEnd() && Current() == '/') {
        ++position_;
        const std::string_view denominatorDigits = ReadDigitRun();
        if (integerDigits.empty()) return Fail("Input has no value before '/'.");
        if (denominatorDigits.empty()) return Fail("Input has no value after '/'.");
        if (AllZero(denominatorDigits)) return Fail("Broke is invalid.");
        double numerator = 0;
        double denominator = 0;
        if (!ParseDecimal(integerDigits, {}, numerator) ||
            !ParseDecimal(denominatorDigits, {}, denominator)) {
            return Fail(kTooLarge);
        }
        value = sign * numerator / denominator;
        return true;
    }

    if (integerDigits.empty()) return Fail(kNoValue);
    double magnitude = 0;
    if (!ParseDecimal(integerDigits, {}, magnitude)) return Fail(kTooLarge);
    value = sign * magnitude;
    return true;
}

DisplayUnit TStringReader::ReadUnit() {
    SkipBlanks();
    if (AtEnd()) return DisplayUnit::none;
    struct Suffix {
        std::string_view text;
        DisplayUnit unit;
    };
    // Tested in this order: the first match wins.
    static constexpr Suffix suffixes[] = {
        {"%", DisplayUnit::percent},      {"$", DisplayUnit::sample},
        {"S", DisplayUnit::second},       {"'", DisplayUnit::degree},
        {"MS", DisplayUnit::millisecond}, {"HZ", DisplayUnit::hertz},
        {"KHZ", DisplayUnit::kilohertz},  {"DB", DisplayUnit::decibel},
    };
    const std::string_view rest = std::string_view(text_).substr(position_);
    for (const Suffix& suffix : suffixes) {
        if (StartsWithUpper(rest, suffix.text)) {
            position_ += suffix.text.size();
            return suffix.unit;
        }
    }
    return DisplayUnit::unknown;
}

bool TStringReader::ReadInteger(int& value) {
    bool negative = false;
    if (!AtEnd() && Current() == '+') ++position_;
    if (!AtEnd() && Current() == '-') {
        negative = true;
        ++position_;
    }
    const std::string_view digits = ReadDigitRun();
    value = 0;
    if (digits.empty()) return Fail(kNoValue);
    // Accumulate in 64 bits and stop growing once past the range of an int, so that a
    // run of any length is judged by its value.
    long long magnitude = 0;
    for (char digit : digits) {
        if (magnitude <= static_cast<long long>(INT_MAX) + 1) {
            magnitude = magnitude * 10 + (digit - '0');
        }
    }
    if (negative) {
        if (magnitude > static_cast<long long>(INT_MAX) + 1) {
            value = INT_MIN;
            return Fail("Value is too low. (minimum: -2147483648)");
        }
        value = static_cast<int>(-magnitude);
    } else {
        if (magnitude > INT_MAX) {
            value = INT_MAX;
            return Fail("Value is too high. (maximum: 2147483647)");
        }
        value = static_cast<int>(magnitude);
    }
    return true;
}

bool TStringReader::AtNoteName() const {
    if (AtEnd()) return false;
    const char letter = UpperAscii(Current());
    return letter >= 'A' && letter <= 'G';
}

bool TStringReader::ReadNote(double& frequency) {
    if (!AtNoteName()) return Fail(kNoValue);
    const char letter = UpperAscii(Current());
    ++position_;
    static constexpr int semitones[] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    int semitone = semitones[letter - 'A'];
    if (!AtEnd() && Current() == '#') {
        if (letter == 'B' || letter == 'E') return Fail("This note cannot have a \"#\".");
        ++semitone;
        ++position_;
    }
    int octave = 5;
    const std::size_t octaveStart = position_;
    if (!ReadInteger(octave)) {
        // No digits: the default octave. Out of range: the saturated value is judged below.
        if (octave == 0) {
            octave = 5;
            position_ = octaveStart;
        }
    }
    if (octave < -2) return Fail("The minimum Octave number is -2.");
    if (octave > 12) return Fail("The maximum Octave number is 12.");
    errorText_.clear();
    frequency = 523.26 * std::pow(2.0, octave - 5 + semitone / 12.0);
    return true;
}

}  // namespace kalvora
