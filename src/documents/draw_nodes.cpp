#include "documents/draw_nodes.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "platform/assertion.h"
#include "sound/sample.h"

namespace kalvora {

TDrawNode* TDrawNodes::Insert(double position, std::int16_t value) {
    auto place = nodes_.begin();
    while (place != nodes_.end() && place->position < position)
        ++place;
    if (place != nodes_.end() && place->position == position) return nullptr;
    return &*nodes_.insert(place, TDrawNode{value, position, false});
}

TDrawNode* TDrawNodes::Append(double position, std::int16_t value) {
    return &nodes_.emplace_back(TDrawNode{value, position, false});
}

TDrawNodes::List::iterator TDrawNodes::Find(const TDrawNode* node) {
    for (auto it = nodes_.begin(); it != nodes_.end(); ++it) {
        if (&*it == node) return it;
    }
    return nodes_.end();
}

void TDrawNodes::Delete(const TDrawNode* node) {
    auto it = Find(node);
    KALVORA_ASSERT(it != nodes_.end());
    nodes_.erase(it);
}

TDrawNode* TDrawNodes::Previous(const TDrawNode* node) {
    auto it = Find(node);
    KALVORA_ASSERT(it != nodes_.end());
    return it == nodes_.begin() ? nullptr : &*std::prev(it);
}

TDrawNode* TDrawNodes::Next(const TDrawNode* node) {
    auto it = Find(node);
    KALVORA_ASSERT(it != nodes_.end());
    ++it;
    return it == nodes_.end() ? nullptr : &*it;
}

void TDrawNodes::ScaleValues(double factor) {
    for (TDrawNode& node : nodes_)
        node.value = ToSample(node.value * factor);
}

void TDrawNodes::MaximizeValues() {
    int largest = 0;
    for (const TDrawNode& node : nodes_)
        largest = std::max(largest, std::abs(int{node.value}));
    if (largest == 0) return;
    ScaleValues(32767.0 / largest);
}

void TDrawNodes::AddToValues(double amount) {
    for (TDrawNode& node : nodes_)
        node.value = ToSample(node.value + amount);
}

void TDrawNodes::NormalizeValues() {
    if (nodes_.empty()) return;
    double area = 0;
    double sum = nodes_.front().value;
    for (auto it = std::next(nodes_.begin()); it != nodes_.end(); ++it) {
        const TDrawNode& left = *std::prev(it);
        area += (it->position - left.position) * (left.value + it->value) / 2.0;
        sum += it->value;
    }
    const double span = nodes_.back().position - nodes_.front().position;
    // Nodes that share one position have no curve to average: their values are the curve.
    const double mean = span > 0 ? area / span : sum / static_cast<double>(nodes_.size());
    AddToValues(-mean);
}

std::int32_t DrawnSampleCount(std::int32_t freq, double seconds) {
    return static_cast<std::int32_t>(freq * seconds + 1);
}

namespace {

double LinearValue(const TDrawNode& from, const TDrawNode& to, double t) {
    if (to.position == from.position) return (from.value + to.value) / 2.0;
    return from.value +
           (t - from.position) / (to.position - from.position) * (to.value - from.value);
}

// A cubic with a flat tangent at both nodes.
double SmoothValue(const TDrawNode& from, const TDrawNode& to, double t) {
    const double b = to.position - from.position;
    if (b <= 0) return 0;
    const double rise = to.value - from.value;
    const double d = t - from.position;
    const double a = -2 * rise / (b * b * b);
    const double c = 3 * rise / (b * b);
    return a * d * d * d + c * d * d + from.value;
}

}  // namespace

void SynthesizeDrawing(const TDrawNodes& nodes, TDrawKind kind, std::span<std::int16_t> samples) {
    if (nodes.Count() < 2) {
        std::fill(samples.begin(), samples.end(), std::int16_t{0});
        return;
    }
    auto from = nodes.begin();
    auto to = std::next(from);
    const double count = static_cast<double>(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / count;
        while (t > to->position && std::next(to) != nodes.end()) {
            from = to;
            ++to;
        }
        const double y =
            kind == TDrawKind::linear ? LinearValue(*from, *to, t) : SmoothValue(*from, *to, t);
        samples[i] = ToSample(y);
    }
}

}  // namespace kalvora
