#pragma once
// The checks a network passes before the engine's input is written: the fourteen
// checks in their fixed order (two of them questions the user may go on from), then the
// limits of what the engine can take. The first failure stops the export.

#include "common/ProjectRecords.h"

namespace talvo {

class Prompter;

// True when the export must stop: a check failed (its message went to prompter.caution)
// or the user cancelled a warning (prompter.warning answered false).
bool ValidateForExport(const Project& project, Prompter& prompter);

}  // namespace talvo
