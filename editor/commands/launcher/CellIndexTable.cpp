#include "CellIndexTable.h"

#include <cstdio>

#include "model/ExportNaming.h"
#include "model/NetworkQueries.h"

namespace talvo {

std::string CellIndexTable(const NetworkTables& tables) {
    const CellNames names(tables);
    std::string text = "Report cell  Map cell ID  Name in input.fin\n";
    int number = 0;
    // The export writes the cells street by street in this order.
    for (const StreetRecord& street : tables.streets) {
        for (const int id : street.cellIDs) {
            if (FindCellIndex(tables, id) == 0) {
                continue;
            }
            char line[64];
            std::snprintf(line, sizeof line, "%11d  %11d  ", ++number, id);
            text += line + names(id) + "\n";
        }
    }
    return text;
}

}  // namespace talvo
