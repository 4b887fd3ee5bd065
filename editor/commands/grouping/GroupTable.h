#pragma once

#include <string>
#include <utility>
#include <vector>

namespace talvo {

// The three kinds of cell groups the engine and the display use.
enum class GroupKind { StreetName, DelayResult, CtmPlot };

// One kind's groups as the grouping commands see them: groups numbered 1..count, each an
// ordered list of cell IDs. The model's fixed tables stand behind it; the grouping logic
// only ever goes through this view, so it stays independent of how the tables are kept.
class GroupTable {
  public:
    virtual ~GroupTable() = default;
    virtual GroupKind kind() const = 0;
    virtual int count() const = 0;
    virtual std::vector<int> cells(int group) const = 0;
    virtual void setCells(int group, const std::vector<int>& cellIds) = 0;
    // Adds an empty group at the end (count grows by one).
    virtual void appendGroup() = 0;
    // Removes one group; later groups move down one place.
    virtual void removeGroup(int group) = 0;
};

// What the candidate lists need of the network: live cells in table order and links.
struct NetworkView {
    std::vector<int> cellIds;
    std::vector<std::pair<int, int>> links;  // (fromCell, toCell) cell IDs
};

}  // namespace talvo
