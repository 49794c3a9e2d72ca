#include "documents/document.h"

#include <utility>

#include "documents/document_registry.h"

namespace kalvora {

TUnit::TUnit(TUnitRegistry& registry, TUnitKind kind) : registry_(registry), kind_(kind) {}

TUnit::~TUnit() {
    registry_.Remove(*this);
}

void TUnit::SetName(std::string name) {
    std::string oldName = std::exchange(name_, std::move(name));
    if (window_) {
        window_->CaptionChanged();
        window_->NameChanged(oldName);
    }
}

void TUnit::SetFileName(std::string fileName) {
    fileName_ = std::move(fileName);
    if (window_) window_->CaptionChanged();
}

std::string TUnit::Caption() const {
    if (fileName_.empty()) return name_;
    if (name_.empty()) return fileName_;
    return name_ + " - " + fileName_;
}

}  // namespace kalvora
