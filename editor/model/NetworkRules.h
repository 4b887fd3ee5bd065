#pragma once
// What may be done to a network, and the records an edit makes: every check gives the
// refusal the user is shown, or Done; nothing here changes a table. The editor's one
// door for changes (core/EditorModel) runs these checks before it records an edit.
//
// Positions are 0-based places in a table (as the selection keeps them).

#include <string>
#include <vector>

#include "common/ProjectRecords.h"
#include "model/EditResult.h"

namespace talvo {

// Set by the new-cell dialog; given to every cell the cell tool adds.
struct NewCellDefaults {
    int laneNum = 1;
    int speed = 65;  // km/h
    int orientation = kHorizontal;

    bool operator==(const NewCellDefaults&) const = default;
};

EditResult CheckAddCell(const NetworkTables& tables);
EditResult CheckAddNode(const NetworkTables& tables);
EditResult CheckAddLink(const NetworkTables& tables, int fromCellID, int toCellID);

// The records the add operations make, numbered after the tables' ID counters.
CellRecord MakeCell(const NetworkTables& tables, double x, double y,
                    const NewCellDefaults& defaults);
NodeRecord MakeNode(const NetworkTables& tables, double x, double y);
LinkRecord MakeLink(const NetworkTables& tables, int fromCellID, int toCellID);

EditResult CheckDeleteCell(const NetworkTables& tables, int position);
EditResult CheckDeleteLink(const NetworkTables& tables, int position);
EditResult CheckDeleteNode(const NetworkTables& tables, int position);

// Giving the cell signal movement signalID (1..100), or none with 0. Refused when another
// cell owns the movement, or when the cell's present movement runs in a node's stage plan.
EditResult CheckCellSignal(const NetworkTables& tables, int position, int signalID);

// Letting the link pass node nodeID (0 = none). Refused while the node it passes now runs
// the signal of the link's from-cell.
EditResult CheckPassNode(const NetworkTables& tables, int linkPosition, int nodeID);

// A cell's origin demand: at most 30 intervals, each with a rate of at least 0 and an end
// no earlier than its start; the first failure in interval order is named.
EditResult CheckIntervals(const std::vector<OriginInterval>& intervals);

// A node's stage plan.
EditResult CheckStageCount(int count);
EditResult CheckAddStageMove(const StageRecord& stage);
EditResult CheckDeleteStage(const NodeRecord& node);

// The node, if any, whose stages 1..stageNum run the movement; 0 when none does.
int NodeRunningMovement(const NetworkTables& tables, int movementID);

// No group table holds more groups, and no group more cells, than a project file can
// hold and be read back.
EditResult CheckGroupTables(const NetworkTables& tables);

}  // namespace talvo
