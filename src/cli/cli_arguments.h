// The words after a verb, sorted into positional words, "--option VALUE" pairs and
// "FIELD=TEXT" assignments, in the shape every verb shares.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::cli {

struct FieldAssignment {
    std::string field;  // as typed; verbs compare case-insensitively
    std::string text;
};

class CliArguments {
  public:
    // Options listed in flagOptions take no value (e.g. "--maximal"); every other "--name"
    // takes the next word. Returns std::nullopt and sets error on a malformed line.
    static std::optional<CliArguments> Parse(const std::vector<std::string>& words,
                                             const std::vector<std::string>& flagOptions,
                                             std::string& error);

    const std::vector<std::string>& Positional() const { return positional_; }
    const std::vector<FieldAssignment>& Fields() const { return fields_; }

    bool HasOption(const std::string& name) const { return options_.count(name) != 0; }
    // The value of "--name", or std::nullopt when it was not given.
    std::optional<std::string> Option(const std::string& name) const;
    // Option names that were given but are not in known: for a usage error message.
    std::vector<std::string> UnknownOptions(const std::vector<std::string>& known) const;

  private:
    std::vector<std::string> positional_;
    std::vector<FieldAssignment> fields_;
    std::map<std::string, std::string> options_;
};

// Reads a plain decimal integer (optional sign, digits only, fits in long long).
std::optional<long long> ParsePlainInteger(const std::string& text);

// The largest side of a picture a verb draws, and the usage text of its --size option.
inline constexpr int kMaxPictureSide = 8192;
inline constexpr std::string_view kPictureSizeUsage =
    "Use WIDTHxHEIGHT, whole numbers from 1 to 8192.";

// Reads a picture size "WIDTHxHEIGHT" (or "WIDTHXHEIGHT"), each side 1 ... kMaxPictureSide.
bool ReadPictureSize(const std::string& text, int& width, int& height);

}  // namespace kalvora::cli
