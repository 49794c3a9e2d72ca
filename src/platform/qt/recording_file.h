// The samples of a recording as the input device delivers them, kept in a file beside the
// record file (not in memory: recordings may last an hour) until they are saved as a WAV
// file with the project's own writer.
#pragma once

#include <QAudioFormat>
#include <QFile>
#include <cstdint>
#include <filesystem>
#include <string>

namespace kalvora::platform {

class RecordingFile {
  public:
    explicit RecordingFile(std::filesystem::path rawFileName);
    // Removes the raw file.
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // Starts an empty recording of samples in format. False when the raw file cannot be made.
    bool Begin(const QAudioFormat& format);
    // Appends bytes as delivered (whole frames or not). False when they cannot be written.
    bool Append(const char* data, qint64 size);
    // No more bytes follow.
    void End();
    // Drops what was recorded.
    void Discard();

    const QAudioFormat& Format() const { return format_; }
    std::int64_t Frames() const;
    double Seconds() const;

    // Writes the whole frames recorded to fileName as a WAV file: 8-bit recordings stay 8-bit,
    // everything else becomes 16-bit; of more than two channels the first two are kept.
    // False on failure with errorText set, or empty when the failure has been reported
    // already (by the allocation routine or the WAV writer).
    bool SaveAs(const std::filesystem::path& fileName, std::string& errorText);

  private:
    std::filesystem::path rawFileName_;
    QFile raw_;
    QAudioFormat format_;
    std::int64_t bytes_ = 0;
};

}  // namespace kalvora::platform
