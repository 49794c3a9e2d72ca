// The sample bytes of a WAV file, streamed to the audio sink without loading the file, so that
// playing an hour of sound costs no more memory than playing a second.
#pragma once

#include <QFile>
#include <QIODevice>
#include <cstdint>
#include <filesystem>

#include "sound/wave_layout.h"

namespace kalvora::platform {

// Read-only and sequential; the bytes are the file's as they are (unsigned 8-bit or signed
// 16-bit little-endian, interleaved).
class WaveDataDevice final : public QIODevice {
    Q_OBJECT
  public:
    WaveDataDevice(const std::filesystem::path& fileName, const WaveLayout& layout);
    // Opens the file at its first sample. False when the file cannot be read.
    bool Start();

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool atEnd() const override;

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

  private:
    QFile file_;
    WaveLayout layout_;
    std::int64_t remaining_ = 0;
};

}  // namespace kalvora::platform
