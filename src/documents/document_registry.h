// The registry of open documents: every document window of the frame, kept in stacking order
// from the window activated longest ago to the active one. The frame feeds it (Activate when
// a document window is created or activated, Remove when it closes; a document also leaves
// it when destroyed). Everything that looks documents up by name uses it: wave references in
// effect parameters, instruments, projects, the drop-down lists of wave names, and the name
// box and "Register" dialog that rename the active document.
//
// It also numbers the generated names "NONAME1", "NONAME2", ... (NoNameCounter).
//
// Core code: standard C++, the platform's messages and the documents. Documents are not owned.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/wave_document.h"
#include "documents/wave_registry.h"

namespace kalvora {

class TUnit;

// Also the registry through which wave references (unitUnitWave) find the documents they name.
class TUnitRegistry final : public WaveRegistry {
  public:
    TUnitRegistry() = default;
    TUnitRegistry(const TUnitRegistry&) = delete;
    TUnitRegistry& operator=(const TUnitRegistry&) = delete;

    // --- Fed by the frame ---
    // The document's window became the active one (a new document is added).
    void Activate(TUnit& unit);
    // The document's window closed; unknown documents are ignored.
    void Remove(TUnit& unit);
    // Activated longest ago first, the active document last.
    const std::vector<TUnit*>& Units() const { return units_; }
    bool Contains(const TUnit& unit) const;

    // --- Active document (none when there is no document window) ---
    TUnit* ActiveUnit() const;
    // The active document when it is a wave, else none.
    TUnitWave* ActiveWave() const;
    // The active document when it is music, else none.
    TUnit* ActiveMusic() const;

    // --- Look-up by name (exact, case matters; the first in stacking order wins) ---
    TUnit* FindUnit(std::string_view name) const;
    // FindUnit when that finds a wave, else none.
    TUnitWave* FindWave(std::string_view name) const override;

    // True when document may take name: an empty name is always free, and so is a name that
    // only document itself has. Otherwise shows "A window with name "<name>" already exists."
    // (caption "Error", information icon) and returns false.
    bool CheckNameFree(std::string_view name, const TUnit* document) const;

    // Appends one item per wave with a non-empty name, in stacking order, as mode selects;
    // returns the number appended. Each item's document is a TUnitWave.
    int FillWaveList(std::vector<WaveChoice>& list, WaveListMode mode) const;
    std::vector<WaveChoice> WaveList(WaveListMode mode) const override;

    // --- Renaming ---
    // The "Register" dialog's check on OK: name (used as typed) must pass CheckNameFree for
    // unit; then unit takes it and true is returned. On false the dialog stays open.
    bool Rename(TUnit& unit, std::string_view name);
    // Enter in the name box: renames the active document to the text without surrounding
    // blanks when CheckNameFree accepts it. False when there is no active document or the
    // name is taken (the message has been shown).
    bool RenameActiveFromNameBox(std::string_view text);

    // --- Generated names ---
    // Increments NoNameCounter and returns "NONAME" followed by it; numbers whose name a
    // document already has are skipped. The counter is never decremented.
    std::string NextNoName();
    int NoNameCounter() const { return noNameCounter_; }
    // Restores the counter from a project file.
    void SetNoNameCounter(int counter) { noNameCounter_ = counter; }

  private:
    std::vector<TUnit*> units_;
    int noNameCounter_ = 0;
};

// The text without surrounding blanks and tabs.
std::string_view TrimBlanks(std::string_view text);

}  // namespace kalvora
