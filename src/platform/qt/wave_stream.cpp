#include "platform/qt/wave_stream.h"

#include <algorithm>
#include <cstring>

namespace kalvora::platform {

WaveDataDevice::WaveDataDevice(const std::filesystem::path& fileName, const WaveLayout& layout)
    : file_(QFile::decodeName(fileName.c_str())), layout_(layout) {}

bool WaveDataDevice::Start() {
    if (!file_.open(QIODevice::ReadOnly) || !file_.seek(layout_.dataOffset)) return false;
    remaining_ = layout_.dataBytes;
    return open(QIODevice::ReadOnly);
}

qint64 WaveDataDevice::bytesAvailable() const {
    return remaining_ + QIODevice::bytesAvailable();
}

bool WaveDataDevice::atEnd() const {
    return remaining_ == 0 && QIODevice::bytesAvailable() == 0;
}

qint64 WaveDataDevice::readData(char* data, qint64 maxSize) {
    const qint64 wanted = std::min<qint64>(maxSize, remaining_);
    if (wanted <= 0) return 0;
    const qint64 read = file_.read(data, wanted);
    if (read <= 0) {
        // The file shrank under the player: what is left plays as silence.
        std::memset(data, layout_.bytesPerSample == 1 ? 0x80 : 0, static_cast<size_t>(wanted));
        remaining_ -= wanted;
        return wanted;
    }
    remaining_ -= read;
    return read;
}

qint64 WaveDataDevice::writeData(const char*, qint64) {
    return -1;
}

}  // namespace kalvora::platform
