#include "GridProject.h"

#include <string>

namespace talvo::bench {
namespace {

constexpr double kMargin = 1200.0;

class GridBuilder {
  public:
    GridBuilder(const GridShape& shape, Project& project)
        : shape_(shape), tables_(project.tables) {}

    void build() {
        const int n = shape_.streets;
        // Junction nodes first, so that the stop lines can name them; IDs after the cells'.
        const int firstNode = 2 * n * (n * shape_.segment + 2) + 1;
        for (int row = 0; row < n; ++row) {
            for (int column = 0; column < n; ++column) {
                NodeRecord node;
                node.nodeID = firstNode + row * n + column;
                node.x = JunctionX(shape_, column);
                node.y = JunctionY(shape_, row);
                tables_.nodes.push_back(node);
            }
        }
        for (int row = 0; row < n; ++row) {
            street(row, kHorizontal);
        }
        for (int column = 0; column < n; ++column) {
            street(column, kVertical);
        }
        tables_.lastCellID = firstNode + n * n;
        tables_.lastLinkID = static_cast<int>(tables_.links.size());
    }

  private:
    // One street: an origin, `segment` cells before each junction, a destination.
    void street(int index, int orientation) {
        const bool across = orientation == kHorizontal;
        const int n = shape_.streets;
        StreetRecord record;
        record.streetName = (across ? "Avenue " : "Street ") + std::to_string(index + 1);
        int previous = 0;
        int previousJunction = -1;
        for (int junction = 0; junction <= n; ++junction) {
            const int cells = junction < n ? shape_.segment : 1;
            for (int k = 0; k < cells; ++k) {
                // Along the street: back from the junction by (segment - k) pitches.
                const double along = (junction < n ? JunctionX(shape_, junction)
                                                   : JunctionX(shape_, n - 1) + shape_.pitch) -
                                     (junction < n ? (shape_.segment - k) * shape_.pitch : 0.0);
                const double fixed = across ? JunctionY(shape_, index) : JunctionX(shape_, index);
                const int id = cell(across ? along : fixed, across ? fixed : along, orientation,
                                    k == cells - 1 && junction < n);
                record.cellIDs.push_back(id);
                if (previous != 0) {
                    const int node = previousJunction >= 0 ? previousJunction : 0;
                    link(previous, id, node);
                }
                previous = id;
                previousJunction = -1;
            }
            if (junction < n) {
                const int row = across ? index : junction;
                const int column = across ? junction : index;
                previousJunction = tables_.nodes[static_cast<size_t>(row * n + column)].nodeID;
            }
        }
        const CellRecord& first = tables_.cells[static_cast<size_t>(record.cellIDs.front() - 1)];
        record.x = first.x - (across ? 0.0 : -300.0);
        record.y = first.y - (across ? 400.0 : 0.0);
        tables_.streets.push_back(std::move(record));
    }

    int cell(double x, double y, int orientation, bool stopLine) {
        CellRecord c;
        c.cellID = static_cast<int>(tables_.cells.size()) + 1;
        c.x = x;
        c.y = y;
        c.laneNum = 1;
        c.orientation = orientation;
        c.speed = shape_.speed;
        c.signalID = stopLine ? 1 + c.cellID % 100 : 0;
        tables_.cells.push_back(c);
        return c.cellID;
    }

    void link(int from, int to, int node) {
        LinkRecord l;
        l.linkID = static_cast<int>(tables_.links.size()) + 1;
        l.fromCell = from;
        l.toCell = to;
        l.passNode = node;
        l.mergeDivert = 1.0;
        tables_.links.push_back(l);
    }

    const GridShape& shape_;
    NetworkTables& tables_;
};

}  // namespace

double JunctionX(const GridShape& shape, int column) {
    return kMargin + (column + 1) * (shape.segment + 1) * shape.pitch;
}

double JunctionY(const GridShape& shape, int row) {
    return JunctionX(shape, row);
}

Project MakeGridProject(const GridShape& shape) {
    Project project;
    project.params.cellScaleX = 1.5;
    project.params.cellScaleY = 100.0;
    GridBuilder(shape, project).build();
    return project;
}

}  // namespace talvo::bench
