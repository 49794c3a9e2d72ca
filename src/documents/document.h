// TUnit: the base of every document, wave or music. A document has a name that is unique
// among the open documents (or empty), the file it was read from or saved to, the number of
// its temporary copy in a project, and a link to the window that shows it.
//
// Core code: standard C++, the platform layer, the sound format record and the XML tree only. The
// window is reached through the UnitWindow interface, which the document windows implement.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sound/sound.h"
#include "xml/xml_tree.h"

namespace kalvora {

class TUnitRegistry;

// What a document asks of the window that shows it. Every call is optional for the
// document: a document without a window (tests, kalvora-cli) simply skips them.
class UnitWindow {
  public:
    virtual ~UnitWindow() = default;
    // The name or the file name changed: rebuild the caption from TUnit::Caption().
    virtual void CaptionChanged() = 0;
    // The name changed from oldName (called after CaptionChanged): the wave windows whose
    // envelope names the old or the new name repaint.
    virtual void NameChanged(std::string_view oldName) = 0;
};

enum class TUnitKind : std::uint8_t { wave = 1, music = 2 };

class TUnit {
  public:
    virtual ~TUnit();  // leaves the registry
    TUnit(const TUnit&) = delete;
    TUnit& operator=(const TUnit&) = delete;

    TUnitKind Kind() const { return kind_; }
    bool IsWave() const { return kind_ == TUnitKind::wave; }

    // The name; empty for a document opened from a file until the user names it. SetName
    // does not check uniqueness: renaming goes through TUnitRegistry::Rename.
    const std::string& Name() const { return name_; }
    void SetName(std::string name);

    // The full path of the document's own file; empty when never saved.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string fileName);
    bool HasNoFile() const { return fileName_.empty(); }

    // The window caption: "name - file", the file alone without a name, the name alone
    // (possibly empty) without a file.
    std::string Caption() const;

    // The number of the document's temporary copy in the current project; -1 when none.
    int TempFile() const { return tempFile_; }
    void SetTempFile(int number) { tempFile_ = number; }

    // The elements that describe the document in a project file: "File" holding the file
    // name (none without a file) and "TempFile" holding the copy's number in decimal (none
    // without a copy).
    std::unique_ptr<TXMLStringElement> FileElement() const;
    std::unique_ptr<TXMLStringElement> TempFileElement() const;

    // While false (during loading) edits mark nothing as changed.
    bool TrackChanges() const { return trackChanges_; }
    void SetTrackChanges(bool track) { trackChanges_ = track; }

    UnitWindow* Window() const { return window_; }

    // The sound format of the document: for a wave its sound's, for music the format into
    // which it is rendered.
    virtual int GetFreq() const = 0;
    virtual short GetMoSt() const = 0;
    virtual short GetBytesPSample() const = 0;
    virtual void ChangeWaveFileProps(const waveFileProps& oldProps,
                                     const waveFileProps& newProps) = 0;

  protected:
    TUnit(TUnitRegistry& registry, TUnitKind kind);

    TUnitRegistry& Registry() const { return registry_; }
    // Links the window (nullptr unlinks); derived documents offer a typed LinkWindow.
    void LinkUnitWindow(UnitWindow* window) { window_ = window; }

  private:
    TUnitRegistry& registry_;
    TUnitKind kind_;
    std::string name_;
    std::string fileName_;
    int tempFile_ = -1;
    bool trackChanges_ = true;
    UnitWindow* window_ = nullptr;
};

}  // namespace kalvora
