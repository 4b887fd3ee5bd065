#include "scene/MapNetwork.h"

#include "common/RecordLookup.h"
#include "scene/MapScene.h"

namespace talvo::scene {
namespace {

unsigned SideBit(Side side) {
    return 1u << static_cast<int>(side);
}

}  // namespace

int MapNetwork::cellIndex(int cellID) const {
    return PositionOfID(cells, &MapCell::cellID, cellID);
}

int MapNetwork::nodeIndex(int nodeID) const {
    return PositionOfID(nodes, &MapNode::nodeID, nodeID);
}

void MapNetwork::resolve() {
    const IdPositions cellPositions(cells, &MapCell::cellID);
    const IdPositions nodePositions(nodes, &MapNode::nodeID);
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
        const int from = cellPositions.positionOf(link.fromCell);
        const int to = cellPositions.positionOf(link.toCell);
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
        link.nodeIndex = link.passNode != 0 ? nodePositions.positionOf(link.passNode) : -1;
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
