#include "grouping/AddGroupCommand.h"

#include "grouping/GroupingRules.h"
#include "grouping/ModelGroupTables.h"

namespace talvo {

bool AddGroupFromSelection(GroupKind kind, NetworkTables& tables,
                           const std::vector<int>& cellPositions, const AddGroupHooks& hooks) {
    const std::unique_ptr<GroupTable> table = MakeGroupTable(kind, tables);
    const std::vector<int> cellIds = CellIdsAt(tables, cellPositions);
    if (const EditResult check = CheckNewGroup(*table, cellIds); !check) {
        hooks.caution(check.message());
        return false;
    }
    const int group = AddGroup(*table, cellIds);
    if (kind == GroupKind::StreetName) {
        StreetRecord& street = tables.streets[group - 1];
        street.x = 0;
        street.y = 0;
        street.streetName.clear();
        hooks.askStreetName(street);
    }
    return true;
}

}  // namespace talvo
