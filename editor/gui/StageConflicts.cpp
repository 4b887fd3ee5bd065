#include "StageConflicts.h"

#include <algorithm>

namespace talvo {
namespace {

struct Path {
    int movement = 0;
    double x0, y0, x1, y1;
};

const CellRecord* CellWithID(const NetworkTables& tables, int id) {
    const auto found = std::find_if(tables.cells.begin(), tables.cells.end(),
                                    [id](const CellRecord& c) { return c.cellID == id; });
    return found != tables.cells.end() ? &*found : nullptr;
}

double Turn(double ax, double ay, double bx, double by, double cx, double cy) {
    return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
}

// Strictly crossing: touching ends and overlapping parallels do not count.
bool Cross(const Path& a, const Path& b) {
    const double d1 = Turn(a.x0, a.y0, a.x1, a.y1, b.x0, b.y0);
    const double d2 = Turn(a.x0, a.y0, a.x1, a.y1, b.x1, b.y1);
    const double d3 = Turn(b.x0, b.y0, b.x1, b.y1, a.x0, a.y0);
    const double d4 = Turn(b.x0, b.y0, b.x1, b.y1, a.x1, a.y1);
    return d1 * d2 < 0 && d3 * d4 < 0;
}

}  // namespace

std::optional<std::pair<int, int>> FirstConflict(const NetworkTables& tables,
                                                 const NodeRecord& node,
                                                 const std::vector<int>& stageMoves) {
    std::vector<Path> paths;
    for (const LinkRecord& link : tables.links) {
        const CellRecord* from =
            link.passNode == node.nodeID ? CellWithID(tables, link.fromCell) : nullptr;
        const CellRecord* to = from != nullptr ? CellWithID(tables, link.toCell) : nullptr;
        if (to != nullptr &&
            std::find(stageMoves.begin(), stageMoves.end(), from->signalID) != stageMoves.end()) {
            paths.push_back(Path{from->signalID, from->x, from->y, to->x, to->y});
        }
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        for (size_t j = i + 1; j < paths.size(); ++j) {
            if (paths[i].movement != paths[j].movement && Cross(paths[i], paths[j])) {
                return std::minmax(paths[i].movement, paths[j].movement);
            }
        }
    }
    return std::nullopt;
}

}  // namespace talvo
