// The base of everything the music tree shows: the parts and the turn items of select
// parts. A node shows its label, or its kind's default text while the label is empty.
// Standard C++ only.
#pragma once

#include <string>

#include "music/music_kinds.h"

namespace kalvora {

class TMusTreeItem {
  public:
    virtual ~TMusTreeItem() = default;
    TMusTreeItem(const TMusTreeItem&) = delete;
    TMusTreeItem& operator=(const TMusTreeItem&) = delete;

    virtual TMusTreeItemKind GetMusTreeItemKind() const = 0;
    // The text of the node: the label, or the default text when the label is empty.
    std::string GetTreeText() const { return PartLabel.empty() ? DefaultTreeText() : PartLabel; }
    virtual std::string DefaultTreeText() const = 0;

    void SetLabel(std::string label) { PartLabel = std::move(label); }
    const std::string& GetLabel() const { return PartLabel; }

    std::string PartLabel;

  protected:
    TMusTreeItem() = default;
};

}  // namespace kalvora
