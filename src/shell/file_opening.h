// How a file dropped on the frame or chosen from File > Recent Files opens: by its kind, as
// the command line and the Open commands open it, and, when Open would refuse it but Import
// reads it, by importing it. Core code: standard C++ and the platform's messages.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "shell/command_line.h"

namespace kalvora {

enum class FileOpening { wave, music, project, import };

// The extension (of the file's name, compared without regard to case) decides: "kvp" a
// project, "kvm" music, "wav" a wave when waveReadable says the WAV reader takes it, else an
// import when importable says the sound codec reads it, else a wave (Open then says why it
// cannot). A file of any other extension is imported when importable, else refused with the
// command line's messages ("... File has no extension" or "Invalid extension ...").
std::optional<FileOpening> ChooseFileOpening(std::string_view fileName,
                                             const std::function<bool()>& waveReadable,
                                             const std::function<bool()>& importable);

}  // namespace kalvora
