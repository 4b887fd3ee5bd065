#pragma once
// The window-less export: "Editor --export PROJECT.tin RUN_DIR". Runs the export checks
// (printing each warning and going on, as if OK were pressed), writes "input.fin" and
// "plan.tpl" into RUN_DIR and returns 0; on a failed check, an unreadable project or a
// file error it prints the message, writes nothing and returns non-zero.

#include <iosfwd>

namespace talvo {

// argv[1] is "--export"; argv[2] the project file, argv[3] the run directory.
int RunBatchExport(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace talvo
