#include "GroupingRules.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "GroupTexts.h"

namespace talvo {

namespace {

// The group (1..count) that lists each grouped cell; the first where one stands twice.
std::unordered_map<int, int> GroupsOfCells(const GroupTable& table) {
    std::unordered_map<int, int> groups;
    for (int g = 1; g <= table.count(); ++g) {
        for (const int id : table.cells(g)) {
            groups.emplace(id, g);
        }
    }
    return groups;
}

}  // namespace

EditResult CheckNewGroup(const GroupTable& table, const std::vector<int>& selectedCellIds) {
    const GroupTexts& texts = TextsFor(table.kind());
    if (selectedCellIds.empty()) {
        return EditResult::Refused(texts.emptySelection);
    }
    std::string conflicts;
    const std::unordered_map<int, int> groups = GroupsOfCells(table);
    for (const int cellId : selectedCellIds) {
        if (const auto found = groups.find(cellId); found != groups.end()) {
            conflicts.append("(").append(std::to_string(found->second)).append(":");
            conflicts.append(std::to_string(cellId)).append("), ");
        }
    }
    if (!conflicts.empty()) {
        return EditResult::Refused("Cell " + conflicts + texts.conflictTail);
    }
    if (table.count() >= texts.maxGroups) {
        return EditResult::Refused(texts.tooManyGroups);
    }
    if (static_cast<int>(selectedCellIds.size()) > texts.maxCells) {
        // Streets hold as many cells as a multi-selection can have, so only the smaller
        // groups have a message of their own; the limit holds for every kind all the same.
        return EditResult::Refused(texts.tooManyCellsOnAdd.empty() ? texts.groupFull
                                                                   : texts.tooManyCellsOnAdd);
    }
    return EditResult::Done();
}

int AddGroup(GroupTable& table, const std::vector<int>& selectedCellIds) {
    table.appendGroup();
    const int group = table.count();
    table.setCells(group, selectedCellIds);
    return group;
}

std::vector<int> CandidateCells(const GroupTable& table, int group, const NetworkView& network) {
    std::set<int> grouped;
    for (int g = 1; g <= table.count(); ++g) {
        for (const int id : table.cells(g)) {
            grouped.insert(id);
        }
    }
    std::set<int> members;
    if (group >= 1 && group <= table.count()) {
        const std::vector<int> list = table.cells(group);
        members.insert(list.begin(), list.end());
    }
    std::set<int> neighbours;
    for (const auto& [from, to] : network.links) {
        if (members.count(from) != 0) {
            neighbours.insert(to);
        }
        if (members.count(to) != 0) {
            neighbours.insert(from);
        }
    }
    std::vector<int> result;
    for (const int id : network.cellIds) {
        if (grouped.count(id) != 0) {
            continue;
        }
        if (members.empty() || neighbours.count(id) != 0) {
            result.push_back(id);
        }
    }
    return result;
}

}  // namespace talvo
