#pragma once
// How the export numbers and names things for the engine: cell names from street
// position, type and ID; signal movements assigned to the node (by position) that runs
// them.

#include <array>
#include <map>
#include <string>

#include "common/ProjectRecords.h"

namespace talvo {

// Position (1-based) of the first street listing the cell; 0 when none does.
int FirstStreetOf(const NetworkTables& tables, int cellID);

// First two letters of the cell's type: "OR", "DE", "TR", "DI", "ME", "MB", "DU" or "IV".
std::string ExportType(const NetworkTables& tables, int cellIndex);

// Names of cells for the scenario file: street position, "-", two-letter type, "-", ID.
class CellNames {
  public:
    explicit CellNames(const NetworkTables& tables);
    // The cell's name, or "0" for a cell that does not exist or has no street.
    std::string operator()(int cellID) const;

  private:
    std::map<int, std::string> names_;
};

// movementNode[k] = position (1-based) of the node that signal movement k belongs to, 0
// when none. Movement k belongs to node p when a link passing node p has at its from or
// to cell the signal k and a stage of node p runs k; a later node overrides an earlier.
std::vector<int> AssignMovementsToNodes(const NetworkTables& tables);

}  // namespace talvo
