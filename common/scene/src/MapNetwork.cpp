#include "scene/MapNetwork.h"

#include <algorithm>

#include "common/RecordLookup.h"
#include "scene/MapScene.h"

namespace talvo::scene {
namespace {

// Grid cells of about a junction's size: a view or a click covers few of them.
constexpr double kGridCell = 1000.0;

unsigned SideBit(Side side) {
    return 1u << static_cast<int>(side);
}

// The lookup from resolve() where it still names the record, else a search (an ID that is
// not there, or records changed since).
template <typename Record>
int PositionOf(const IdPositions& positions, const std::vector<Record>& records, int id,
               int Record::*idField) {
    const int i = positions.positionOf(id);
    if (i >= 0 && static_cast<size_t>(i) < records.size() &&
        records[static_cast<size_t>(i)].*idField == id) {
        return i;
    }
    return PositionOfID(records, idField, id);
}

}  // namespace

int MapNetwork::cellIndex(int cellID) const {
    return PositionOf(cellByID_, cells, cellID, &MapCell::cellID);
}

int MapNetwork::nodeIndex(int nodeID) const {
    return PositionOf(nodeByID_, nodes, nodeID, &MapNode::nodeID);
}

bool MapNetwork::indexed() const {
    return index.cells.size() == cells.size() && index.links.size() == links.size() &&
           index.nodes.size() == nodes.size();
}

void MapNetwork::resolve() {
    cellByID_ = IdPositions(cells, &MapCell::cellID);
    nodeByID_ = IdPositions(nodes, &MapNode::nodeID);
    std::vector<int> incoming(cells.size(), 0);
    std::vector<int> outgoing(cells.size(), 0);
    for (MapCell& cell : cells) {
        cell.rect = CellRect(cell.centre, cell.laneNum, cell.orientation, cell.speed, scales);
        cell.linkedSides = 0;
        cell.leavingSide.reset();
    }
    for (MapLink& link : links) {
        link.path.clear();
        link.nodeIndex = -1;
        const int from = cellByID_.positionOf(link.fromCell);
        const int to = cellByID_.positionOf(link.toCell);
        if (from >= 0) {
            ++outgoing[static_cast<size_t>(from)];
        }
        if (to >= 0) {
            ++incoming[static_cast<size_t>(to)];
        }
        if (from < 0 || to < 0 || from == to) {
            continue;
        }
        MapCell& a = cells[static_cast<size_t>(from)];
        MapCell& b = cells[static_cast<size_t>(to)];
        link.nodeIndex = link.passNode != 0 ? nodeByID_.positionOf(link.passNode) : -1;
        // Each end faces the node it passes, or else the other cell.
        const Point towardsA =
            link.nodeIndex >= 0 ? nodes[static_cast<size_t>(link.nodeIndex)].centre : b.centre;
        const Point towardsB = link.nodeIndex >= 0 ? towardsA : a.centre;
        link.path.push_back(FacingPoint(a.rect, towardsA));
        if (link.nodeIndex >= 0) {
            link.path.push_back(towardsA);
        }
        link.path.push_back(FacingPoint(b.rect, towardsB));
        a.linkedSides |= SideBit(FacingSide(a.rect, towardsA));
        if (!a.leavingSide) {
            a.leavingSide = FacingSide(a.rect, towardsA);
        }
        b.linkedSides |= SideBit(FacingSide(b.rect, towardsB));
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        MapCell& cell = cells[i];
        if (cell.dummy) {
            cell.kind = CellKind::Ordinary;
        } else if (incoming[i] == 0) {
            // A cell that nothing feeds loads the network, as the editor classifies it.
            cell.kind = CellKind::Origin;
        } else if (outgoing[i] == 0) {
            cell.kind = CellKind::Destination;
        } else {
            cell.kind = CellKind::Ordinary;
        }
    }
    buildIndex();
}

void MapNetwork::buildIndex() {
    std::vector<Rect> bounds;
    bounds.reserve(cells.size());
    for (const MapCell& cell : cells) {
        bounds.push_back(cell.rect.united(
            CellArea(cell.centre, cell.laneNum, cell.orientation, cell.speed, scales)));
    }
    index.cells = GridIndex(bounds, kGridCell);
    bounds.clear();
    for (const MapLink& link : links) {
        Rect r = link.path.empty() ? Rect{} : Rect::Spanning(link.path.front(), link.path.front());
        for (const Point& p : link.path) {
            r = r.united(Rect::Spanning(p, p));
        }
        bounds.push_back(r.expanded(MapIndex::kLinkReach, MapIndex::kLinkReach));
    }
    index.links = GridIndex(bounds, kGridCell);
    bounds.clear();
    for (const MapNode& node : nodes) {
        bounds.push_back(Rect::Around(node.centre, kNodeRadius, kNodeRadius));
    }
    index.nodes = GridIndex(bounds, kGridCell);
}

MapNetwork::Positions MapNetwork::within(const Rect& area) const {
    Positions positions;
    positions.cells = index.cells.query(area);
    positions.links = index.links.query(area);
    positions.nodes = index.nodes.query(area);
    for (const int l : positions.links) {
        if (const int node = links[static_cast<size_t>(l)].nodeIndex; node >= 0) {
            positions.nodes.push_back(node);
        }
    }
    std::sort(positions.nodes.begin(), positions.nodes.end());
    positions.nodes.erase(std::unique(positions.nodes.begin(), positions.nodes.end()),
                          positions.nodes.end());
    return positions;
}

MapNetwork MapNetwork::part(const Positions& positions) const {
    MapNetwork part;
    part.scales = scales;
    part.labels = labels;
    for (const int c : positions.cells) {
        part.cells.push_back(cells[static_cast<size_t>(c)]);
    }
    std::unordered_map<int, int> nodeInPart;
    for (const int n : positions.nodes) {
        nodeInPart.emplace(n, static_cast<int>(part.nodes.size()));
        part.nodes.push_back(nodes[static_cast<size_t>(n)]);
    }
    for (const int l : positions.links) {
        MapLink link = links[static_cast<size_t>(l)];
        if (link.nodeIndex >= 0) {
            link.nodeIndex = nodeInPart.at(link.nodeIndex);
        }
        part.links.push_back(std::move(link));
    }
    part.cellByID_ = IdPositions(part.cells, &MapCell::cellID);
    part.nodeByID_ = IdPositions(part.nodes, &MapNode::nodeID);
    return part;
}

std::optional<Rect> MapNetwork::bounds(const TextMeasure& measure) const {
    std::optional<Rect> all;
    for (const MapCell& cell : cells) {
        all = United(all, cell.rect);
    }
    for (const MapNode& node : nodes) {
        all = United(all, Rect::Around(node.centre, kNodeRadius, kNodeRadius));
    }
    for (const MapLabel& label : labels) {
        all = United(all, StreetLabelBox(label, measure));
    }
    return all;
}

void FitNetwork(Viewport& view, const MapNetwork& network, const TextMeasure& measure,
                double margin, double reservedRight) {
    const std::optional<Rect> bounds = network.bounds(measure);
    if (!bounds) {
        return;
    }
    struct Label {
        Point centre;
        Size pixels;
    };
    std::vector<Label> labels;
    for (const MapLabel& label : network.labels) {
        labels.push_back({StreetLabelBox(label, measure).centre(), measure(label.text, false)});
    }
    view.fit(*bounds, margin, reservedRight);
    // Each fit with the labels as wide as the last zoom draws them zooms out a little less
    // than the one before; a few such rounds leave far less than the margin uncovered.
    for (int round = 0; round < 4 && !labels.empty() && view.zoom() < 1.0; ++round) {
        Rect whole = *bounds;
        for (const Label& label : labels) {
            const double halfWidth = label.pixels.width / 2.0 / view.scale();
            const double halfHeight = label.pixels.height / 2.0 / view.scale();
            whole = *United(whole, Rect::Around(label.centre, halfWidth, halfHeight));
        }
        view.fit(whole, margin, reservedRight);
    }
}

std::optional<MapNetwork::Positions> PartInView(const MapNetwork& network, const Viewport& view,
                                                const std::optional<Rect>& bounds) {
    const double reach = kViewReachPixels / view.scale();
    const Rect area = view.visibleMap().expanded(reach, reach);
    if (bounds && area.contains(*bounds)) {
        return std::nullopt;
    }
    MapNetwork::Positions kept = network.within(area);
    if (kept.cells.size() == network.cells.size() && kept.links.size() == network.links.size() &&
        kept.nodes.size() == network.nodes.size()) {
        return std::nullopt;
    }
    return kept;
}

MapNetwork MapNetworkOf(const Project& project) {
    MapNetwork network;
    network.scales = CellScales{project.params.cellScaleX, project.params.cellScaleY};
    const NetworkTables& tables = project.tables;
    for (const CellRecord& c : tables.cells) {
        MapCell cell;
        cell.cellID = c.cellID;
        cell.centre = Point{c.x, c.y};
        cell.laneNum = c.laneNum;
        cell.orientation = c.orientation;
        cell.speed = c.speed;
        cell.signalID = c.signalID;
        cell.dummy = c.isDummy;
        network.cells.push_back(cell);
    }
    for (const LinkRecord& l : tables.links) {
        network.links.push_back(MapLink{l.linkID, l.fromCell, l.toCell, l.passNode, {}, -1});
    }
    for (const NodeRecord& n : tables.nodes) {
        network.nodes.push_back(MapNode{n.nodeID, Point{n.x, n.y}});
    }
    for (const StreetRecord& s : tables.streets) {
        network.labels.push_back(MapLabel{s.streetName, Point{s.x, s.y}, s.cellIDs});
    }
    network.resolve();
    return network;
}

}  // namespace talvo::scene
