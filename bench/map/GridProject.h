#pragma once
// A city grid built in memory for the map benchmarks: east-west streets crossing north-south
// streets at signalised junctions, `segment` cells between junctions, each street one
// street-name group, every stop line's link passing its junction's node. Coordinates stay
// within the 16-bit range the map draws in.

#include "common/ProjectRecords.h"

namespace talvo::bench {

struct GridShape {
    int streets = 50;     // each way
    int segment = 4;      // cells between junctions
    double pitch = 120;   // map units between cells along a street
    double speed = 24.0;  // km/h; half a cell's length is 1.5 units per km/h
};

// About 20,000 cells.
inline constexpr GridShape kCityGrid{};
// About 2,000 cells, as the district example.
inline constexpr GridShape kDistrictGrid{8, 14, 250, 30.0};

Project MakeGridProject(const GridShape& shape);

// The map point of junction (row, column), 0-based.
double JunctionX(const GridShape& shape, int column);
double JunctionY(const GridShape& shape, int row);

}  // namespace talvo::bench
