#pragma once
// Writes a project file (.tin) in the current layout; the reader is in common/.

#include <string>

#include "common/ProjectRecords.h"
#include "model/EditResult.h"

namespace talvo {

// The whole file as text (CR LF line ends).
std::string FormatProject(const Project& project);

// Writes path through a temporary file beside it, so the previous file survives any
// failure. Refused with a message naming the file and the reason.
EditResult SaveProject(const std::string& path, const Project& project);

}  // namespace talvo
