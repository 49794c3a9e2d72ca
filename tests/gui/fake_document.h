// A document for the frame's tests: its facts are set by the test.
#pragma once

#include <string>

#include "shell/frame_document.h"

namespace kalvora::gui {

class FakeDocument final : public FrameDocument {
  public:
    WindowKind kind = WindowKind::wave;
    std::string name;
    std::string fileName;
    WaveFacts wave;
    bool needsSave = false;
    bool saveSucceeds = true;
    int saves = 0;
    std::string savedAs;
    bool renameAccepted = true;

    WindowKind Kind() const override { return kind; }
    std::string Name() const override { return name; }
    std::string FileName() const override { return fileName; }
    void Describe(FrameSnapshot& snapshot) const override {
        snapshot.wave = wave;
        snapshot.wave.hasFile = !fileName.empty();
        snapshot.wave.needsSave = needsSave;
    }
    bool Rename(const std::string& newName) override {
        if (renameAccepted) name = newName;
        return renameAccepted;
    }
    bool NeedsSave() const override { return needsSave; }
    bool Save() override {
        ++saves;
        if (saveSucceeds) needsSave = false;
        return saveSucceeds;
    }
    bool SaveAs(const std::string& newFileName) override {
        savedAs = newFileName;
        if (!saveSucceeds) return false;
        fileName = newFileName;
        needsSave = false;
        return true;
    }
};

}  // namespace kalvora::gui
