#pragma once
// The report numbers the cells 1..n in the order the engine reads them (street by street),
// while the map and everything else of ours show their IDs. This table says which is which;
// the run window writes it beside the report and shows it with the report.

#include <string>

#include "common/ProjectRecords.h"

namespace talvo {

inline constexpr const char* kCellTableName = "cell_ids.txt";

// A heading, then one line per report cell: its number, its map ID and its name in the
// engine's input.
std::string CellIndexTable(const NetworkTables& tables);

}  // namespace talvo
