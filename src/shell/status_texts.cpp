#include "shell/status_texts.h"

#include <cmath>

namespace kalvora {
namespace {

// Writes x with at least minBefore integer digits and between minAfter and maxAfter decimals:
// the magnitude plus 10^-(maxAfter+1) is cut, not rounded, after maxAfter decimals, and the
// decimals beyond minAfter are written only up to the last non-zero one.
std::string Digits(double x, int minBefore, int minAfter, int maxAfter) {
    std::string text = x < 0 ? "-" : "";
    long double magnitude =
        std::fabs(static_cast<long double>(x)) + std::pow(10.0L, -(maxAfter + 1));
    long double whole = std::floor(magnitude);
    long double scale = std::pow(10.0L, maxAfter);
    auto fraction = static_cast<std::int64_t>(std::floor((magnitude - whole) * scale));
    std::string integer = std::to_string(static_cast<std::uint64_t>(whole));
    if (static_cast<int>(integer.size()) < minBefore) {
        integer.insert(0, static_cast<std::size_t>(minBefore) - integer.size(), '0');
    }
    std::string decimals;
    if (maxAfter > 0) {
        decimals = std::to_string(fraction);
        decimals.insert(0, static_cast<std::size_t>(maxAfter) - decimals.size(), '0');
    }
    while (static_cast<int>(decimals.size()) > minAfter && decimals.back() == '0') {
        decimals.pop_back();
    }
    text += integer;
    if (!decimals.empty()) text += "." + decimals;
    return text;
}

}  // namespace

std::string RateText(int rate) {
    return Digits(rate / 1000.0, 1, 3, 3) + " kHz";
}

std::string DataSizeText(std::int64_t bytes) {
    if (bytes < 1024) return Digits(static_cast<double>(bytes), 1, 0, 0) + " b";
    auto scaled = [](double value, const char* unit) {
        int decimals = value < 10 ? 2 : value < 100 ? 1 : 0;
        return Digits(value, 1, decimals, decimals) + unit;
    };
    double k = static_cast<double>(bytes) / 1024.0;
    if (k < 1024) return scaled(k, " kb");
    double m = k / 1024.0;
    if (m < 1024) return scaled(m, " Mb");
    return Digits(m / 1024.0, 1, 2, 2) + " Gb";
}

std::string DurationText(double seconds) {
    auto totalMinutes = static_cast<std::int64_t>(std::trunc(seconds / 60.0));
    double rest = seconds - 60.0 * static_cast<double>(totalMinutes);
    std::int64_t hours = totalMinutes / 60;
    std::int64_t minutes = totalMinutes % 60;
    std::string text;
    if (hours > 0) {
        std::string mm = std::to_string(minutes);
        text = std::to_string(hours) + ":" + (mm.size() < 2 ? "0" + mm : mm) + ":";
    } else if (minutes > 0) {
        text = std::to_string(minutes) + ":";
    }
    text += Digits(rest, text.empty() ? 1 : 2, 5, 5);
    if (hours == 0 && minutes == 0) text += " s";
    return text;
}

std::string SaveStateText(bool hasFile, bool needsSave) {
    if (!hasFile) return "New";
    return needsSave ? "Changed" : "";
}

std::array<std::string, 6> WaveStatusTexts(const WaveFacts& wave) {
    double seconds = wave.userDrawing ? wave.drawLength
                     : wave.rate > 0  ? static_cast<double>(wave.sampleCount) / wave.rate
                                      : 0.0;
    std::int64_t bytes = wave.sampleCount * wave.channels * wave.bytesPerSample;
    return {DurationText(seconds),
            RateText(wave.rate),
            wave.bytesPerSample == 2 ? "16" : "8",
            wave.Stereo() ? "ST" : "MO",
            DataSizeText(bytes),
            SaveStateText(wave.hasFile, wave.needsSave)};
}

}  // namespace kalvora
