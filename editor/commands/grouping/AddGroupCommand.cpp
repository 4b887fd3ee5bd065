#include "grouping/AddGroupCommand.h"

#include <algorithm>

#include "common/RecordLookup.h"
#include "grouping/GroupingRules.h"
#include "grouping/ModelGroupTables.h"

namespace talvo {

namespace {

// Map units between a new street's cells and its label: about a cell's size.
constexpr double kLabelOffset = 250.0;

}  // namespace

bool AddGroupFromSelection(GroupKind kind, NetworkTables& tables, const std::vector<int>& cellIDs,
                           const AddGroupHooks& hooks) {
    const std::unique_ptr<GroupTable> table = MakeGroupTable(kind, tables);
    const IdPositions positions(tables.cells, &CellRecord::cellID);
    std::vector<int> cellIds;
    for (const int id : cellIDs) {
        if (positions.holds(id)) {
            cellIds.push_back(id);
        }
    }
    if (const EditResult check = CheckNewGroup(*table, cellIds); !check) {
        hooks.caution(check.message());
        return false;
    }
    const int group = AddGroup(*table, cellIds);
    if (kind == GroupKind::StreetName) {
        StreetRecord& street = tables.streets[group - 1];
        // The label starts beside its cells (over the first of them, left-aligned with the
        // leftmost), not in the map's corner far from them.
        const auto cellWith = [&](int id) -> const CellRecord& {
            return tables.cells[static_cast<size_t>(positions.positionOf(id))];
        };
        double left = cellWith(cellIds.front()).x;
        double top = cellWith(cellIds.front()).y;
        for (const int id : cellIds) {
            left = std::min(left, cellWith(id).x);
            top = std::min(top, cellWith(id).y);
        }
        street.x = std::max(0.0, left - kLabelOffset);
        street.y = std::max(0.0, top - kLabelOffset);
        street.streetName.clear();
        if (!hooks.askStreetName(street)) {
            tables.streets.erase(tables.streets.begin() + (group - 1));
            return false;
        }
    }
    return true;
}

}  // namespace talvo
