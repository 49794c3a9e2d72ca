// A music document as the frame sees it: the adapter that gives a TUnitMuz the FrameDocument
// face (names, facts and status texts for the command update, renaming through the
// registry, saving for the close question). Revert puts a freshly read document in place of
// the old one. Core code: standard C++ and the document model only.
#pragma once

#include <memory>
#include <string>

#include "documents/document_registry.h"
#include "music/unit_muz.h"
#include "shell/frame_document.h"

namespace kalvora {

class MusicFrameDocument final : public FrameDocument {
  public:
    MusicFrameDocument(std::unique_ptr<TUnitMuz> music, TUnitRegistry& registry);

    // The document shown; after Replace, the new one.
    TUnitMuz& Music() const { return *music_; }
    TUnitRegistry& Registry() const { return registry_; }

    WindowKind Kind() const override { return WindowKind::music; }
    std::string Name() const override { return music_->Name(); }
    std::string FileName() const override { return music_->FileName(); }
    // The music commands follow the document; panels 1 to 4 describe its selection.
    void Describe(FrameSnapshot& snapshot) const override;
    bool Rename(const std::string& name) override;
    bool NeedsSave() const override { return music_->NeedsSave(); }
    // Both show "Cannot save Music: ..." themselves on failure.
    bool Save() override;
    bool SaveAs(const std::string& fileName) override;
    TUnit* Unit() override { return music_.get(); }
    void Closed() override;
    // Play renders the whole music with the open wave documents as sample waves; a failure
    // has been reported ("Cannot create music: ...") and nothing plays.
    std::optional<PlayRange> SoundToPlay() override;

    // Puts `music` in place of the document shown (Revert); it takes the old one's place
    // in the registry. The old document is handed back for the caller to destroy once
    // nothing refers to it any more.
    std::unique_ptr<TUnitMuz> Replace(std::unique_ptr<TUnitMuz> music);

  private:
    std::unique_ptr<TUnitMuz> music_;
    TUnitRegistry& registry_;
};

}  // namespace kalvora
