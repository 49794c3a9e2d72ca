#include "documents/clipboard.h"

#include <utility>

namespace kalvora {

void TClipboard::SetSound(std::shared_ptr<const Sound> sound) {
    sound_ = std::move(sound);
}

}  // namespace kalvora
