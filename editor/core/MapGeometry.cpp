#include "core/MapGeometry.h"

#include <cmath>

namespace talvo {

CellExtents ExtentsOf(const CellRecord& cell, const GlobalParameters& params) {
    return {RoundToInt16(params.cellScaleX * cell.speed),
            RoundToInt16(params.cellScaleY * cell.laneNum)};
}

MapRect RectOf(const CellRecord& cell, const GlobalParameters& params) {
    const CellExtents e = ExtentsOf(cell, params);
    const double ax = cell.orientation == kVertical ? e.halfWidth : e.halfLength;
    const double ay = cell.orientation == kVertical ? e.halfLength : e.halfWidth;
    return {cell.x - ax, cell.y - ay, cell.x + ax, cell.y + ay};
}

MapPoint SidePointTowards(const CellRecord& cell, const GlobalParameters& params, MapPoint other) {
    const CellExtents e = ExtentsOf(cell, params);
    const double extentX = cell.orientation == kVertical ? e.halfWidth : e.halfLength;
    const double extentY = cell.orientation == kVertical ? e.halfLength : e.halfWidth;
    const double dx = other.x - cell.x;
    const double dy = other.y - cell.y;
    if (dx != 0.0 && std::fabs(dy / dx) <= 1.0) {
        return {dx > 0 ? cell.x + extentX : cell.x - extentX, cell.y};
    }
    // Steep or straight above/below: the top or bottom side.
    return {cell.x, cell.y <= other.y ? cell.y + extentY : cell.y - extentY};
}

int CellPosition(const NetworkTables& tables, int cellID) {
    for (std::size_t i = 0; i < tables.cells.size(); ++i) {
        if (tables.cells[i].cellID == cellID) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int NodePosition(const NetworkTables& tables, int nodeID) {
    for (std::size_t i = 0; i < tables.nodes.size(); ++i) {
        if (tables.nodes[i].nodeID == nodeID) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<MapPoint> LinkPath(const NetworkTables& tables, const GlobalParameters& params,
                               const LinkRecord& link) {
    if (link.fromCell == link.toCell) {
        return {};
    }
    const int from = CellPosition(tables, link.fromCell);
    const int to = CellPosition(tables, link.toCell);
    if (from < 0 || to < 0) {
        return {};
    }
    const CellRecord& a = tables.cells[from];
    const CellRecord& b = tables.cells[to];
    const int node = link.passNode != 0 ? NodePosition(tables, link.passNode) : -1;
    if (node >= 0) {
        const MapPoint centre{tables.nodes[node].x, tables.nodes[node].y};
        return {SidePointTowards(a, params, centre), centre, SidePointTowards(b, params, centre)};
    }
    return {SidePointTowards(a, params, {b.x, b.y}), SidePointTowards(b, params, {a.x, a.y})};
}

int HitCell(const Project& project, MapPoint p) {
    const auto& cells = project.tables.cells;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        // The hit area uses the exact extents; only drawing rounds them.
        const double along = project.params.cellScaleX * cells[i].speed;
        const double across = project.params.cellScaleY * cells[i].laneNum;
        const bool vertical = cells[i].orientation == kVertical;
        const double ax = vertical ? across : along;
        const double ay = vertical ? along : across;
        const MapRect r{cells[i].x - ax, cells[i].y - ay, cells[i].x + ax, cells[i].y + ay};
        if (p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int HitNode(const Project& project, MapPoint p) {
    const auto& nodes = project.tables.nodes;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (std::hypot(p.x - nodes[i].x, p.y - nodes[i].y) < kNodeHitRadius) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

namespace {

// Distance from p to the line through the segment; a vertical segment measures across.
// Beyond the segment's ends the distance to the nearer end counts, so that a click far
// along the line's extension does not pick the link.
double DistanceToSegment(MapPoint p, MapPoint a, MapPoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0.0) {
        return std::hypot(p.x - a.x, p.y - a.y);
    }
    const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared;
    if (t < 0.0) {
        return std::hypot(p.x - a.x, p.y - a.y);
    }
    if (t > 1.0) {
        return std::hypot(p.x - b.x, p.y - b.y);
    }
    if (dx == 0.0) {
        return std::fabs(p.x - a.x);
    }
    return std::fabs(dy * (p.x - a.x) - dx * (p.y - a.y)) / std::sqrt(lengthSquared);
}

}  // namespace

int HitLink(const Project& project, MapPoint p) {
    const auto& links = project.tables.links;
    for (std::size_t i = 0; i < links.size(); ++i) {
        const std::vector<MapPoint> path = LinkPath(project.tables, project.params, links[i]);
        for (std::size_t s = 1; s < path.size(); ++s) {
            if (DistanceToSegment(p, path[s - 1], path[s]) < kLinkHitDistance) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

int HitStreetLabel(const Project& project, MapPoint p, const TextMeasure& measure) {
    const auto& streets = project.tables.streets;
    for (std::size_t i = 0; i < streets.size(); ++i) {
        const auto [w, h] = measure(streets[i].streetName);
        if (p.x >= streets[i].x && p.x <= streets[i].x + w && p.y >= streets[i].y &&
            p.y <= streets[i].y + h) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace talvo
