#include "shell/frame_document.h"

#include "shell/frame_texts.h"

namespace kalvora {

std::string FrameDocument::Caption() const {
    return DocumentCaption(Name(), FileName());
}

}  // namespace kalvora
