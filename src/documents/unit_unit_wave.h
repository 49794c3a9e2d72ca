// unitUnitWave: a parameter that names another open wave document (an envelope, a curve, a
// sample wave). It keeps only the name and looks the document up in the registry whenever
// it is used, so a document closed in the meantime is reported, never used. In a dialog it
// is edited through a drop-down list of the open wave documents (WaveChoiceList). Standard
// C++ and the platform message interface only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/wave_registry.h"

namespace kalvora {

// The contents of a drop-down list of wave documents and its selected entry.
struct WaveChoiceList {
    std::vector<WaveChoice> items;
    int selected = -1;  // -1: nothing selected

    const WaveChoice* Selected() const;
};

class unitUnitWave {
  public:
    unitUnitWave() = default;
    // The name with the blanks around it removed.
    explicit unitUnitWave(std::string_view name);
    virtual ~unitUnitWave() = default;

    virtual std::string GetText() const { return name_; }
    // Stores the name as given; always succeeds.
    virtual bool ReadText(std::string_view name);

    const std::string& GetName() const { return name_; }
    bool IsEmpty() const { return name_.empty(); }

    // The named document, or nullptr when none has the name.
    WaveDocumentFacts* Find(const WaveRegistry& registry) const;
    // As Find; when none has the name, appends "Cannot find window "<name>"." to errorText.
    WaveDocumentFacts* Resolve(const WaveRegistry& registry, std::string& errorText) const;

    // Fills the list with the registry's wave documents for mode and selects the entry of
    // the stored name, if any.
    void FillList(WaveChoiceList& list, const WaveRegistry& registry, WaveListMode mode) const;

    // Does nothing when ok is already false. With no entry selected shows "In <fieldName>:
    // You have to select a Wave" under "Input Error", clears the name and sets ok to false;
    // otherwise takes the selected entry's name.
    void Check(bool& ok, const WaveChoiceList& list, std::string_view fieldName);

  private:
    std::string name_;
};

}  // namespace kalvora
