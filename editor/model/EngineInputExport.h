#pragma once
// Writing the engine's input files. Each writer refuses with a message naming the file
// and the reason, and never leaves a half-written file behind.

#include <string>

#include "common/ProjectRecords.h"
#include "model/EditResult.h"

namespace talvo {

class Prompter;

// Both files of the export command at the paths the user chose: if either cannot be
// written, neither is replaced.
EditResult WriteInputFiles(const std::string& scenarioPath, const std::string& planPath,
                           const Project& project);

// The run directory's two files, "input.fin" and "plan.tpl", written together: if either
// cannot be written, neither is replaced. A directory that is missing, not a directory or
// held by a running engine is refused with the path and the reason.
EditResult WriteRunFiles(const std::string& runDirectory, const Project& project);

// The checks, then both files into the run directory. False when a check stopped the
// export (its message went to the prompter) or a file could not be written (its message
// also goes to prompter.caution).
bool ExportToRunDirectory(const Project& project, const std::string& runDirectory,
                          Prompter& prompter);

}  // namespace talvo
