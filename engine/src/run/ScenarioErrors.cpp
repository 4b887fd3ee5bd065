#include "run/ScenarioErrors.h"

namespace talvo {

namespace {

std::string TrimmedName(const std::string& name) {
    const size_t end = name.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

// The record line of the first cell named in `what` as "cell <index> (<name>)".
int NamedCellLine(const Scenario& scenario, const std::string& what) {
    for (size_t at = what.find("ell "); at != std::string::npos; at = what.find("ell ", at + 1)) {
        if (at == 0 || (what[at - 1] != 'c' && what[at - 1] != 'C')) {
            continue;
        }
        size_t end = at + 4;
        int index = 0;
        while (end < what.size() && what[end] >= '0' && what[end] <= '9' &&
               index <= scenario.numCells) {
            index = index * 10 + (what[end++] - '0');
        }
        if (end == at + 4 || index < 1 || index > scenario.numCells) {
            continue;
        }
        const Cell& cell = scenario.cells[index];
        const std::string name = " (" + TrimmedName(cell.cellName) + ")";
        if (what.compare(end, name.size(), name) == 0) {
            return cell.recordLine;
        }
    }
    return 0;
}

}  // namespace

std::string ScenarioErrorMessage(const EngineRun& run, const std::string& what) {
    const int line = NamedCellLine(run.scenario, what);
    const std::string place =
        line > 0 ? run.files.inputFin + ", line " + std::to_string(line) : run.files.inputFin;
    return "Error in " + place + ": " + what;
}

}  // namespace talvo
