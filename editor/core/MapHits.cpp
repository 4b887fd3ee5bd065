#include "core/MapHits.h"

#include <cmath>

#include "scene/MapScene.h"

namespace talvo {

namespace {

// Distance from p to the line through the segment; a vertical segment measures across.
// Beyond the segment's ends the distance to the nearer end counts, so that a click far
// along the line's extension does not pick the link.
double DistanceToSegment(scene::Point p, scene::Point a, scene::Point b) {
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

// The first record that the hit test picks. With the network's index only the records whose
// bounds lie near the point are tried, in table order, so the answer is the search's.
template <typename Records, typename Hit>
int FirstHit(const Records& records, const scene::GridIndex& index, bool indexed,
             const scene::Rect& near, Hit hit) {
    if (indexed) {
        for (const int i : index.query(near)) {
            if (hit(records[static_cast<std::size_t>(i)])) {
                return i;
            }
        }
        return -1;
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (hit(records[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

scene::Rect MapExtentOf(const scene::MapNetwork& network) {
    scene::Rect reach = kMapExtent;
    for (const scene::MapCell& cell : network.cells) {
        reach = reach.united(cell.rect);
    }
    for (const scene::MapNode& node : network.nodes) {
        reach = reach.united(scene::Rect::Around(node.centre, 0.0, 0.0));
    }
    // Grown only on the sides the network passes, so that a small network's map stays as it is.
    const scene::Rect& sheet = kMapExtent;
    const double m = kGrownMapMargin;
    return scene::Rect{reach.left < sheet.left ? reach.left - m : sheet.left,
                       reach.top < sheet.top ? reach.top - m : sheet.top,
                       reach.right > sheet.right ? reach.right + m : sheet.right,
                       reach.bottom > sheet.bottom ? reach.bottom + m : sheet.bottom};
}

int HitCell(const scene::MapNetwork& network, scene::Point p) {
    // The hit area uses the exact extents; only drawing rounds them.
    return FirstHit(network.cells, network.index.cells, network.indexed(),
                    scene::Rect::Around(p, 0.0, 0.0), [&](const scene::MapCell& cell) {
                        return scene::CellArea(cell.centre, cell.laneNum, cell.orientation,
                                               cell.speed, network.scales)
                            .contains(p);
                    });
}

int HitNode(const scene::MapNetwork& network, scene::Point p) {
    return FirstHit(
        network.nodes, network.index.nodes, network.indexed(),
        scene::Rect::Around(p, kNodeHitRadius, kNodeHitRadius), [&](const scene::MapNode& node) {
            return std::hypot(p.x - node.centre.x, p.y - node.centre.y) < kNodeHitRadius;
        });
}

int HitLink(const scene::MapNetwork& network, scene::Point p) {
    static_assert(kLinkHitDistance <= scene::MapIndex::kLinkReach);
    return FirstHit(
        network.links, network.index.links, network.indexed(), scene::Rect::Around(p, 0.0, 0.0),
        [&](const scene::MapLink& link) {
            for (std::size_t s = 1; s < link.path.size(); ++s) {
                if (DistanceToSegment(p, link.path[s - 1], link.path[s]) < kLinkHitDistance) {
                    return true;
                }
            }
            return false;
        });
}

int HitStreetLabel(const scene::MapNetwork& network, scene::Point p,
                   const scene::TextMeasure& measure, double zoom) {
    // Street labels are few and measured only now: searched, not indexed. A label is hit
    // where its text is drawn at this zoom.
    return FirstHit(network.labels, scene::GridIndex(), false, scene::Rect{},
                    [&](const scene::MapLabel& label) {
                        const scene::Rect box = scene::StreetLabelBox(label, measure);
                        return scene::Rect::Around(box.centre(), box.width() / 2.0 / zoom,
                                                   box.height() / 2.0 / zoom)
                            .contains(p);
                    });
}

}  // namespace talvo
