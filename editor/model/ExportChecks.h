#pragma once
// The checks a network passes before the engine's input is written: the fourteen
// checks in their fixed order (two of them questions the user may go on from), then the
// limits of what the engine can take. The first failure stops the export; the Editor also
// lists every problem at once.

#include <string>
#include <vector>

#include "common/ProjectRecords.h"

namespace talvo {

class Prompter;

// True when the export must stop: a check failed (its message went to prompter.caution)
// or the user cancelled a warning (prompter.warning answered false).
bool ValidateForExport(const Project& project, Prompter& prompter);

// One check's finding, with the objects it names so that they can be shown.
struct ExportProblem {
    bool warning = false;  // a question the user may go on from, not a refusal
    std::string text;      // the check's message
    std::string detail;    // the values behind a warning, or empty
    std::vector<int> cellIDs;
    std::vector<int> nodeIDs;
    std::vector<int> linkIDs;
};

// What every check finds, in the checks' order (nothing when the export may go ahead).
std::vector<ExportProblem> ListExportProblems(const Project& project);

}  // namespace talvo
