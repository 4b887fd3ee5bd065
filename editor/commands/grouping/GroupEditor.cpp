#include "GroupEditor.h"

#include <algorithm>
#include <utility>

#include "GroupTexts.h"
#include "GroupingRules.h"

namespace talvo {

GroupEditor::GroupEditor(GroupTable& table, NetworkView network)
    : table_(table), network_(std::move(network)), current_(table.count() > 0 ? 1 : 0) {}

int GroupEditor::maxGroups() const {
    return TextsFor(table_.kind()).maxGroups;
}

void GroupEditor::setGroupCount(int count) {
    count = std::clamp(count, 0, maxGroups());
    while (table_.count() < count) {
        table_.appendGroup();
    }
    while (table_.count() > count) {
        table_.removeGroup(table_.count());
    }
    keepChoiceInRange();
}

void GroupEditor::chooseGroup(int group) {
    current_ = (group >= 1 && group <= table_.count()) ? group : 0;
}

std::vector<int> GroupEditor::available() const {
    if (current_ == 0) {
        return {};
    }
    return CandidateCells(table_, current_, network_);
}

std::vector<int> GroupEditor::added() const {
    if (current_ == 0) {
        return {};
    }
    return table_.cells(current_);
}

EditResult GroupEditor::moveRight(std::optional<int> cellId) {
    const GroupTexts& texts = TextsFor(table_.kind());
    if (current_ == 0) {
        return EditResult::Refused(texts.noGroupSelected);
    }
    if (!cellId) {
        return EditResult::Refused(kNoLeftCellSelected);
    }
    std::vector<int> members = table_.cells(current_);
    if (static_cast<int>(members.size()) >= texts.maxCells) {
        return EditResult::Refused(texts.groupFull);
    }
    // Only offered cells may move: a cell stands in at most one group of a kind.
    const std::vector<int> offered = available();
    if (std::find(offered.begin(), offered.end(), *cellId) == offered.end()) {
        return EditResult::Refused(kNoLeftCellSelected);
    }
    members.push_back(*cellId);
    table_.setCells(current_, members);
    return EditResult::Done();
}

EditResult GroupEditor::moveLeft(std::optional<int> position) {
    if (current_ == 0) {
        return EditResult::Refused(TextsFor(table_.kind()).noGroupSelected);
    }
    std::vector<int> members = table_.cells(current_);
    if (!position || *position < 1 || *position > static_cast<int>(members.size())) {
        return EditResult::Refused(kNoRightCellSelected);
    }
    members.erase(members.begin() + (*position - 1));
    table_.setCells(current_, members);
    return EditResult::Done();
}

EditResult GroupEditor::deleteCurrent() {
    if (current_ == 0) {
        return EditResult::Refused(TextsFor(table_.kind()).noGroupSelected);
    }
    table_.removeGroup(current_);
    keepChoiceInRange();
    return EditResult::Done();
}

void GroupEditor::keepChoiceInRange() {
    if (current_ > table_.count()) {
        current_ = table_.count();
    }
    if (current_ == 0 && table_.count() > 0) {
        current_ = 1;
    }
}

}  // namespace talvo
