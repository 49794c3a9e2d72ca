// Where the players find their sample waves: by document name. In the program the names are
// those of the open wave documents (TRegistrySampleWaves); kalvora-cli, the tests and the
// benchmarks give sounds under names of their own (TNamedSampleWaves). Standard C++ only.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "sound/sound.h"

namespace kalvora {

class TUnitRegistry;

// A sample wave as a player uses it: the sound and its middle piece [Begin, End), the whole
// sound when nothing is selected. The sound is shared so that it outlives the rendering of
// one note even when its document changes meanwhile.
struct TSampleWave {
    std::shared_ptr<const Sound> SampleSound;
    std::int32_t Begin = 0;
    std::int32_t End = 0;
};

class TSampleWaves {
  public:
    virtual ~TSampleWaves() = default;
    // The wave named `name` (exactly, case matters), or false when there is none.
    virtual bool Find(std::string_view name, TSampleWave& wave) const = 0;
};

// The open wave documents of the program: a document's selection is its middle piece.
class TRegistrySampleWaves final : public TSampleWaves {
  public:
    explicit TRegistrySampleWaves(const TUnitRegistry& registry) : registry_(registry) {}
    bool Find(std::string_view name, TSampleWave& wave) const override;

  private:
    const TUnitRegistry& registry_;
};

// Sounds given under names, without documents.
class TNamedSampleWaves final : public TSampleWaves {
  public:
    // The whole sound is the middle piece.
    void Add(std::string name, std::shared_ptr<const Sound> sound);
    // Requires 0 <= begin <= end <= the sound's length; begin = end means the whole sound.
    void Add(std::string name, std::shared_ptr<const Sound> sound, std::int32_t begin,
             std::int32_t end);
    bool Find(std::string_view name, TSampleWave& wave) const override;

  private:
    std::map<std::string, TSampleWave, std::less<>> waves_;
};

}  // namespace kalvora
