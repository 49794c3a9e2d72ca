// "kalvora-cli check" for wave shadow files (top element UnitWave).
#include "cli/file_checkers.h"
#include "shell/wave_shadow_file.h"

namespace kalvora::cli {
namespace {

bool CheckWaveShadow(const std::filesystem::path& file, std::string& message) {
    TWaveShadow shadow;
    switch (ReadShadowFile(file, shadow, message)) {
        case TShadowReadResult::read:
            return true;
        case TShadowReadResult::noFile:
            message = "The file does not exist.";
            return false;
        case TShadowReadResult::failed:
            break;
    }
    return false;
}

const FileCheckerRegistration registration({"UnitWave", "Wave Shadow File", CheckWaveShadow});

}  // namespace
}  // namespace kalvora::cli
