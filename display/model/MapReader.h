#pragma once

#include <string>

#include "model/DisplayModel.h"

namespace talvo::display {

// Reads a project file (current layout) through the shared project reader into the model's
// project, then sizes the signal state table (all red). Throws ReadError, naming the file
// and what is wrong, when the file does not read, when its analysis period lies outside
// 0..kMaxTime or a street lists a cell that is not there; the model is then left untouched.
void ReadDisplayMap(const std::string& path, DisplayModel& model);

}  // namespace talvo::display
