// What a reference to a wave document (unitUnitWave) asks of the open documents: the facts
// of one wave document, and a registry that finds wave documents by name and lists them for
// a drop-down list. The document model implements both; tests use a fake. Standard C++ only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora {

// One open wave document as a reference sees it.
class WaveDocumentFacts {
  public:
    virtual ~WaveDocumentFacts() = default;

    // The document's unique name; empty until the user names a document opened from a file.
    virtual const std::string& GetName() const = 0;
    virtual int GetFreq() const = 0;             // samples per second
    virtual short GetMoSt() const = 0;           // 1 mono, 2 stereo
    virtual std::int64_t GetValues() const = 0;  // samples per channel

    // The duration in seconds.
    virtual double GetSeconds() const {
        return GetFreq() > 0 ? static_cast<double>(GetValues()) / GetFreq() : 0.0;
    }
};

// Which wave documents a drop-down list offers (all only those with a name).
enum class WaveListMode {
    all = 0,            // every named wave document
    allButActive = 1,   // all but the active document
    monoButActive = 2,  // all but the active document, mono ones only
};

// One entry of a drop-down list of wave documents.
struct WaveChoice {
    std::string name;
    WaveDocumentFacts* document = nullptr;
};

class WaveRegistry {
  public:
    virtual ~WaveRegistry() = default;

    // The wave document whose name is exactly `name` (case matters), or nullptr when no
    // document has that name or it is not a wave.
    virtual WaveDocumentFacts* FindWave(std::string_view name) const = 0;

    // The named wave documents in registry order, filtered by mode.
    virtual std::vector<WaveChoice> WaveList(WaveListMode mode) const = 0;
};

}  // namespace kalvora
