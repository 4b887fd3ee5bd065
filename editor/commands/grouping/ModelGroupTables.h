#pragma once

#include <memory>

#include "common/ProjectRecords.h"
#include "grouping/GroupTable.h"

namespace talvo {

// The group view over one kind of the network's group tables.
std::unique_ptr<GroupTable> MakeGroupTable(GroupKind kind, NetworkTables& tables);

// Live cells in table order and the links between them, for the candidate lists.
NetworkView MakeNetworkView(const NetworkTables& tables);

}  // namespace talvo
