// Moving texts between the core (single-byte ISO-8859-1 strings) and Qt.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kalvora::gui {

inline QString FromCore(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToCore(const QString& text) {
    return text.toLatin1().toStdString();
}

// File names go through the file system's own encoding.
inline std::string FileNameToCore(const QString& fileName) {
    return fileName.toLocal8Bit().toStdString();
}

inline QString FileNameFromCore(std::string_view fileName) {
    return QString::fromLocal8Bit(fileName.data(), static_cast<qsizetype>(fileName.size()));
}

}  // namespace kalvora::gui
