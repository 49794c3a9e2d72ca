#include "documents/clipboard.h"

#include <utility>

namespace kalvora {

void TClipboard::SetSound(std::shared_ptr<const Sound> sound) {
    if (sound && sound->GetValues() == 0) sound.reset();
    sound_ = std::move(sound);
}

}  // namespace kalvora
