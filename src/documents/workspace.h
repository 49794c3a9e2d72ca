// TWorkspace: what the frame shares among all documents: the registry of open documents
// (with NoNameCounter), the clipboard sound, the single undo record and the last-used
// parameter records. The frame owns one for the whole run; every wave document is created
// with a reference to it, so the workspace must outlive the documents.
#pragma once

#include "documents/clipboard.h"
#include "documents/document_registry.h"
#include "documents/long_work.h"
#include "documents/undo.h"
#include "documents/wave_records.h"
#include "documents/wave_shadow_store.h"
#include "platform/sound_codec.h"

namespace kalvora {

class TWorkspace {
  public:
    TWorkspace() = default;
    TWorkspace(const TWorkspace&) = delete;
    TWorkspace& operator=(const TWorkspace&) = delete;

    TUnitRegistry& Registry() { return registry_; }
    TClipboard& Clipboard() { return clipboard_; }
    TUndoStore& Undo() { return undo_; }
    // The last values used in any document; new documents start from a copy.
    TWaveRecords& Records() { return records_; }

    const TUnitRegistry& Registry() const { return registry_; }
    const TClipboard& Clipboard() const { return clipboard_; }
    const TUndoStore& Undo() const { return undo_; }
    const TWaveRecords& Records() const { return records_; }

    // The shadow file reader and writer, or nullptr (not owned).
    WaveShadowStore* ShadowStore() const { return shadowStore_; }
    void SetShadowStore(WaveShadowStore* store) { shadowStore_ = store; }

    // The reader and writer of other programs' sound files (Import, Export), or nullptr
    // (not owned).
    platform::SoundCodec* SoundCodec() const { return soundCodec_; }
    void SetSoundCodec(platform::SoundCodec* codec) { soundCodec_ = codec; }

    // Runs the effects' and generators' operations (a progress window with Cancel in the
    // program), or nullptr: they run in place (not owned).
    TLongWorkRunner* LongWorkRunner() const { return longWorkRunner_; }
    void SetLongWorkRunner(TLongWorkRunner* runner) { longWorkRunner_ = runner; }

  private:
    // Members are destroyed in reverse order: the undo record goes first at shutdown.
    TUnitRegistry registry_;
    TClipboard clipboard_;
    TUndoStore undo_;
    TWaveRecords records_;
    WaveShadowStore* shadowStore_ = nullptr;
    platform::SoundCodec* soundCodec_ = nullptr;
    TLongWorkRunner* longWorkRunner_ = nullptr;
};

}  // namespace kalvora
