#pragma once

#include <istream>
#include <string>

#include "model/DisplayModel.h"

namespace talvo::display {

// Reads an engine occupancy file (four header lines, then lines of second, cell number and
// vehicles) into the occupancy series 0..endStep of the cells. Engine cell k is the k-th
// entry of the street-name groups in street order, the order in which the export writes the
// cells. Each line is placed by its own second and cell number, so a file whose horizon
// or time step differs from the project's still lines up; seconds after endStep are read
// past, and so are cell numbers beyond the street entries. Throws ReadError, naming the
// line, when a line does not read, its second or cell number lies past what the engine
// writes (kMaxTime, a million cells), its vehicles are negative or beyond a 32-bit real, or a
// grouped cell lacks a second up to endStep; the model is then left untouched. Cells outside
// every street keep 0 throughout.
void ReadOccupancy(std::istream& in, const std::string& fileName, DisplayModel& model);

}  // namespace talvo::display
