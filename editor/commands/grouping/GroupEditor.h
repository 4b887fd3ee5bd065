#pragma once

#include <optional>
#include <string>
#include <vector>

#include "GroupTable.h"
#include "model/EditResult.h"

namespace talvo {

// What the group setting dialogs do, without the widgets: a group count, a chosen group,
// moves between the candidate list and the group, and deleting the chosen group. A refusal
// comes back with its message and changes nothing.
class GroupEditor {
  public:
    GroupEditor(GroupTable& table, NetworkView network);

    int groupCount() const { return table_.count(); }
    int maxGroups() const;
    // Raising adds empty groups at the end; lowering removes the last ones.
    void setGroupCount(int count);

    // 0 when no group is chosen.
    int currentGroup() const { return current_; }
    void chooseGroup(int group);

    std::vector<int> available() const;
    std::vector<int> added() const;

    // Moves a cell of the left list to the end of the chosen group.
    EditResult moveRight(std::optional<int> cellId);
    // Takes the cell at a 1-based place of the right list out of the group.
    EditResult moveLeft(std::optional<int> position);
    EditResult deleteCurrent();

  private:
    void keepChoiceInRange();

    GroupTable& table_;
    NetworkView network_;
    int current_ = 0;
};

}  // namespace talvo
