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

std::unique_ptr<TXMLStringElement> TUnit::FileElement() const {
    if (fileName_.empty()) return nullptr;
    return std::make_unique<TXMLStringElement>("File", fileName_);
}

std::unique_ptr<TXMLStringElement> TUnit::TempFileElement() const {
    if (tempFile_ == -1) return nullptr;
    return std::make_unique<TXMLStringElement>("TempFile", std::to_string(tempFile_));
}

std::string TUnit::Caption() const {
    if (fileName_.empty()) return name_;
    if (name_.empty()) return fileName_;
    return name_ + " - " + fileName_;
}

}  // namespace kalvora
