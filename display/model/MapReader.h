#pragma once

#include <string>

#include "model/DisplayModel.h"

namespace talvo::display {

// Reads a project file (current layout) through the shared project reader and keeps what
// the display draws: the parameters it needs, cells, links, nodes with their stages,
// streets and the cell scales; then sizes the signal state table (all red). Throws
// ReadError, naming the file and what is wrong, when the file does not read, when its
// analysis period lies outside 0..9999 or a street lists a cell that is not there; the
// model is then left untouched.
void ReadDisplayMap(const std::string& path, DisplayModel& model);

}  // namespace talvo::display
