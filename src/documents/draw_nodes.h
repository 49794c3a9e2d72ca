// The hand drawing of a wave document: a list of nodes (position as a fraction of the drawn
// length, 16-bit value) from which the sound is computed, linearly or with smooth parts that
// have flat ends at every node, and the node edits of the effects that work on a drawing.
//
// Core code: standard C++ and the sound engine's sample conversion only.
#pragma once

#include <cstdint>
#include <list>
#include <span>

namespace kalvora {

enum class TDrawKind : std::uint8_t { linear = 0, smooth = 1 };

struct TDrawNode {
    std::int16_t value = 0;  // sample value
    double position = 0;     // 0 .. 1, a fraction of the drawn length
    bool hidden = false;     // dragged outside its view: not painted (the wave window's state)
};

// The nodes in list order, kept sorted by position by Insert. Node pointers stay valid
// until the node is deleted or the list cleared, so a view may hold the node it drags.
class TDrawNodes {
  public:
    using List = std::list<TDrawNode>;

    // Inserts a node in position order and returns it; a node at a position another node
    // already has is not inserted (nullptr).
    TDrawNode* Insert(double position, std::int16_t value);
    // Appends a node at the end whatever its position (nodes read from a file keep their
    // order).
    TDrawNode* Append(double position, std::int16_t value);
    void Delete(const TDrawNode* node);
    void Clear() { nodes_.clear(); }

    bool Empty() const { return nodes_.empty(); }
    int Count() const { return static_cast<int>(nodes_.size()); }
    TDrawNode* First() { return nodes_.empty() ? nullptr : &nodes_.front(); }
    TDrawNode* Last() { return nodes_.empty() ? nullptr : &nodes_.back(); }
    // The neighbours of a node in list order; nullptr at the ends.
    TDrawNode* Previous(const TDrawNode* node);
    TDrawNode* Next(const TDrawNode* node);

    List::iterator begin() { return nodes_.begin(); }
    List::iterator end() { return nodes_.end(); }
    List::const_iterator begin() const { return nodes_.begin(); }
    List::const_iterator end() const { return nodes_.end(); }

    // Node edits of the effects that work on a drawing (values convert as samples do:
    // truncated, low 16 bits kept).
    void ScaleValues(double factor);
    // Scales so that the largest absolute value becomes 32767; nothing when all are 0.
    void MaximizeValues();
    void AddToValues(double amount);
    // Subtracts the mean of the drawn curve (trapezoid rule over the positions); a single
    // node becomes 0.
    void NormalizeValues();

  private:
    List::iterator Find(const TDrawNode* node);

    List nodes_;
};

// The number of samples of a drawing: trunc(freq · seconds + 1).
std::int32_t DrawnSampleCount(std::int32_t freq, double seconds);

// Computes the drawn wave into samples (sample i at t = i / samples.size()). Needs at least
// two nodes; with fewer every sample is 0.
void SynthesizeDrawing(const TDrawNodes& nodes, TDrawKind kind, std::span<std::int16_t> samples);

}  // namespace kalvora
