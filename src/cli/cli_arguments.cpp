#include "cli/cli_arguments.h"

#include <algorithm>
#include <charconv>

namespace kalvora::cli {

std::optional<CliArguments> CliArguments::Parse(const std::vector<std::string>& words,
                                                const std::vector<std::string>& flagOptions,
                                                std::string& error) {
    CliArguments result;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            const std::string name = word.substr(2);
            if (result.options_.count(name) != 0) {
                error = "Option --" + name + " given twice.";
                return std::nullopt;
            }
            const bool isFlag =
                std::find(flagOptions.begin(), flagOptions.end(), name) != flagOptions.end();
            if (isFlag) {
                result.options_[name] = "";
            } else if (i + 1 < words.size()) {
                result.options_[name] = words[++i];
            } else {
                error = "Option --" + name + " needs a value.";
                return std::nullopt;
            }
            continue;
        }
        const auto equals = word.find('=');
        if (equals != std::string::npos && equals > 0) {
            result.fields_.push_back({word.substr(0, equals), word.substr(equals + 1)});
        } else {
            result.positional_.push_back(word);
        }
    }
    return result;
}

std::optional<std::string> CliArguments::Option(const std::string& name) const {
    const auto found = options_.find(name);
    if (found == options_.end()) return std::nullopt;
    return found->second;
}

std::vector<std::string> CliArguments::UnknownOptions(const std::vector<std::string>& known) const {
    std::vector<std::string> unknown;
    for (const auto& [name, value] : options_) {
        if (std::find(known.begin(), known.end(), name) == known.end()) unknown.push_back(name);
    }
    return unknown;
}

std::optional<long long> ParsePlainInteger(const std::string& text) {
    long long value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

bool ReadPictureSize(const std::string& text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    const auto w = ParsePlainInteger(text.substr(0, x));
    const auto h = ParsePlainInteger(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxPictureSide || *h > kMaxPictureSide) return false;
    width = static_cast<int>(*w);
    height = static_cast<int>(*h);
    return true;
}

}  // namespace kalvora::cli
