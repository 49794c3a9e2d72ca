#include "shell/status_texts.h"

#include "documents/writers.h"

namespace kalvora {

// Always kilohertz with three decimals ("8.000 kHz", "22.050 kHz"). WriteFrequency does not
// fit: it keeps a number of significant places ("8.0000 kHz" beside "22.050 kHz") and
// switches to hertz below 1000.
std::string RateText(int rate) {
    return WriteDigits(rate / 1000.0, 1, 3, 3) + " kHz";
}

// The value types have no writer for sizes: bytes below 1024, else kb, Mb or Gb (of 1024
// each) with two decimals below 10, one below 100 and none above; Gb always with two.
std::string DataSizeText(std::int64_t bytes) {
    if (bytes < 1024) return WriteDigits(static_cast<double>(bytes), 1, 0, 0) + " b";
    auto scaled = [](double value, const char* unit) {
        int decimals = value < 10 ? 2 : value < 100 ? 1 : 0;
        return WriteDigits(value, 1, decimals, decimals) + unit;
    };
    double k = static_cast<double>(bytes) / 1024.0;
    if (k < 1024) return scaled(k, " kb");
    double m = k / 1024.0;
    if (m < 1024) return scaled(m, " Mb");
    return WriteDigits(m / 1024.0, 1, 2, 2) + " Gb";
}

std::string DurationText(double seconds) {
    return WriteDuration(seconds);
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
