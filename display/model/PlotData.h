#pragma once

#include <istream>
#include <string>
#include <vector>

namespace talvo::display {

// What the plot window offers: positions drawn and rows per region.
inline constexpr int kMaxPlotPositions = 200;
inline constexpr int kMaxPlotRows = 3600;
// What a plot file may hold: anything the engine writes, a row per second 0..100000 and
// up to 100000 cells in a group.
inline constexpr int kMaxPlotFileRows = 100001;
inline constexpr int kMaxPlotFilePositions = 100000;

// A CTM plot file read into rows of whole numbers: one row per simulation step, the values
// of the group's cells in distance order.
struct PlotData {
    std::vector<std::vector<int>> rows;
    int positionCount = 0;  // P: the values in the last row

    int rowCount() const { return static_cast<int>(rows.size()); }
    // data(p, t), 1-based; 0 where a row holds fewer values.
    int at(int position, int row) const;
};

// Reads a plot file: numbers separated by blanks, commas or line ends, each rounded to a
// whole number; -1 ends a row. Throws ReadError naming the line and value on a field that
// is not a number, a row of more than kMaxPlotFilePositions values or more than
// kMaxPlotFileRows rows. A -1 after the
// last row (no values after it) does not open an empty row.
PlotData ReadPlotData(std::istream& in, const std::string& fileName);

}  // namespace talvo::display
