#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ProjectRecords.h"
#include "core/MapView.h"

namespace talvo {

// Drawn half-extents of a cell: along its orientation (speed times the x scale) and
// across it (lanes times the y scale), each rounded to a whole number.
struct CellExtents {
    int halfLength = 0;  // a
    int halfWidth = 0;   // b
};
CellExtents ExtentsOf(const CellRecord& cell, const GlobalParameters& params);

// The cell's rectangle in map units.
struct MapRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};
MapRect RectOf(const CellRecord& cell, const GlobalParameters& params);

// The point where a link leaves or enters a cell: on the side facing `other`.
MapPoint SidePointTowards(const CellRecord& cell, const GlobalParameters& params, MapPoint other);

// The polyline of a link in map units: start, the passed node's centre when there is
// one, end. Empty when the link joins a cell to itself or names a missing cell.
std::vector<MapPoint> LinkPath(const NetworkTables& tables, const GlobalParameters& params,
                               const LinkRecord& link);

// Table positions (0-based) of the named records, or -1.
int CellPosition(const NetworkTables& tables, int cellID);
int NodePosition(const NetworkTables& tables, int nodeID);

// Measures a label's text in screen units (twips).
using TextMeasure = std::function<std::pair<int, int>(const std::string&)>;

// Hit tests in map units; each returns the first match in table order, or -1.
constexpr double kNodeHitRadius = 200.0;
constexpr double kLinkHitDistance = 50.0;
int HitCell(const Project& project, MapPoint p);
int HitNode(const Project& project, MapPoint p);
int HitLink(const Project& project, MapPoint p);
int HitStreetLabel(const Project& project, MapPoint p, const TextMeasure& measure);

}  // namespace talvo
