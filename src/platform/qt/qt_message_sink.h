// Shows the core's messages as modal message boxes with their captions and icons.
#pragma once

#include "platform/messages.h"

class QWidget;

namespace kalvora::platform {

class QtMessageSink final : public MessageSink {
public:
    // parent may be null; message boxes are then application-modal top-level windows.
    explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;

private:
    QWidget* parent_;
};

}  // namespace kalvora::platform
