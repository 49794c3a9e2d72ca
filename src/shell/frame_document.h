// What the frame asks of the document shown in a document window: its kind and names for the
// caption and the name box, its facts for the command update, renaming, and saving for the
// close question. The wave and music documents are adapted to it (wave_frame_document.h); the
// window owns its document. Standard C++ and the document model only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "shell/frame_snapshot.h"
#include "shell/record_target.h"
#include "sound/sound.h"

namespace kalvora {

// What Play and Play Maximal play of a document: samples begin .. end - 1 of sound.
struct PlayRange {
    std::shared_ptr<const Sound> sound;
    std::int32_t begin = 0;
    std::int32_t end = 0;
};

class TUnit;

class FrameDocument {
  public:
    virtual ~FrameDocument() = default;

    virtual WindowKind Kind() const = 0;
    virtual std::string Name() const = 0;      // empty until the user names the document
    virtual std::string FileName() const = 0;  // empty when never saved
    std::string Caption() const;               // DocumentCaption(Name(), FileName())

    // Fills the facts of this document's kind (snapshot.wave or snapshot.music).
    virtual void Describe(FrameSnapshot& snapshot) const = 0;

    // Renames the document from the name box: a name that another document already has is
    // refused with a message and false, the name being left unchanged.
    virtual bool Rename(const std::string& name) = 0;

    // The close question: whether there is anything to save, and saving to the document's own
    // file or to a new one. Both report their own failures and return false then.
    virtual bool NeedsSave() const = 0;
    virtual bool Save() = 0;  // requires a file name
    virtual bool SaveAs(const std::string& fileName) = 0;

    // The document as the registry of open documents knows it; nullptr for a document that
    // is not registered (test doubles).
    virtual TUnit* Unit() { return nullptr; }

    // The window has closed for good (its close question answered): the document leaves the
    // registry and gives up what the frame holds of it (the undo record), although the window
    // object and the document are destroyed a moment later.
    virtual void Closed() {}

    // Playing: a wave gives its sound with the selection (the whole wave without one), a
    // music document renders itself. Nothing when there is nothing to play.
    virtual std::optional<PlayRange> SoundToPlay() { return std::nullopt; }
    // Recording: the wave document itself; nothing for documents that cannot be recorded into.
    virtual RecordTarget* AsRecordTarget() { return nullptr; }

    // "Wave" or "Music": the word the close question uses for the document.
    std::string Noun() const { return Kind() == WindowKind::music ? "Music" : "Wave"; }
};

}  // namespace kalvora
