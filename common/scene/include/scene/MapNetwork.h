#pragma once
// The network as the map draws it: the records both programs keep (cells, links,
// signalised nodes, street labels), resolved once into rectangles, link paths and cell
// kinds. Each program fills the records from its own tables and calls resolve().

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/ProjectRecords.h"
#include "common/RecordLookup.h"
#include "scene/GridIndex.h"
#include "scene/MapGeometry.h"
#include "scene/Scene.h"
#include "scene/Viewport.h"

namespace talvo::scene {

// What a cell is to the traffic: where vehicles enter, where they leave, or neither.
enum class CellKind { Ordinary, Origin, Destination };

struct MapCell {
    int cellID = 0;
    Point centre;
    int laneNum = 0;
    int orientation = kHorizontalCell;
    double speed = 0.0;
    int signalID = 0;
    bool dummy = false;
    // Filled by resolve():
    Rect rect;
    CellKind kind = CellKind::Ordinary;
    unsigned linkedSides = 0;         // bit (1 << Side) for each side a link meets
    std::optional<Side> leavingSide;  // where its first outgoing link leaves it

    bool linkedOn(Side side) const { return (linkedSides & (1u << static_cast<int>(side))) != 0; }
};

struct MapLink {
    int linkID = 0;
    int fromCell = 0;  // cell IDs
    int toCell = 0;
    int passNode = 0;  // node ID, 0 = none
    // Filled by resolve(): start, the passed node's centre when there is one, end. Empty
    // when the link joins a cell to itself or names a cell that is not there.
    std::vector<Point> path;
    int nodeIndex = -1;  // the passed node's index, -1 when none is drawn
};

struct MapNode {
    int nodeID = 0;
    Point centre;
};

// A street-name group's label: its text box starts at the anchor (at zoom 1).
struct MapLabel {
    std::string text;
    Point anchor;
    std::vector<int> cellIDs;
};

// Where the network's shapes lie, built by resolve(): each cell's drawn and clicked
// rectangle, each link's path widened by `kLinkReach`, each node's circle.
struct MapIndex {
    static constexpr double kLinkReach = 100.0;  // map units: arrowheads and clicks beside
    GridIndex cells;
    GridIndex links;
    GridIndex nodes;
};

struct MapNetwork {
    CellScales scales;
    std::vector<MapCell> cells;
    std::vector<MapLink> links;
    std::vector<MapNode> nodes;
    std::vector<MapLabel> labels;
    MapIndex index;

    // Index into cells / nodes, or -1.
    int cellIndex(int cellID) const;
    int nodeIndex(int nodeID) const;

    // Rectangles, link paths, the sides links meet, cell kinds and the index from the
    // records.
    void resolve();
    // Whether the index describes the records as they are (none added or removed since).
    bool indexed() const;

    // Everything drawn, in map units: cells, node circles and street labels (measured
    // in pixels at zoom 1). Nothing for an empty network.
    std::optional<Rect> bounds(const TextMeasure& measure) const;

    // What a view of `area` draws of a resolved network: the positions of the cells, links
    // and nodes that reach into it (and of the nodes its links pass), ascending.
    struct Positions {
        std::vector<int> cells;
        std::vector<int> links;
        std::vector<int> nodes;
    };
    Positions within(const Rect& area) const;
    // Those records in their order here, with every street label.
    MapNetwork part(const Positions& positions) const;

  private:
    void buildIndex();

    IdPositions cellByID_;
    IdPositions nodeByID_;
};

// How far beyond a view (pixels) a drawn shape may still reach into it: the painter's
// clipping margin and the widest ID or value beside its node or cell.
inline constexpr double kViewReachPixels = 16.0 + 120.0;
// What a view of a resolved network draws of it, found with its index: nothing when that is
// the whole network (its bounds, when known, lie in view or every record reaches into it).
std::optional<MapNetwork::Positions> PartInView(const MapNetwork& network, const Viewport& view,
                                                const std::optional<Rect>& bounds = std::nullopt);

// Fits the view to a network's bounds (with `margin` pixels around and `reservedRight`
// pixels kept free at the right), with its street labels whole: a label keeps its size
// in pixels at every zoom, so below zoom 1 it reaches past the box it has at zoom 1.
void FitNetwork(Viewport& view, const MapNetwork& network, const TextMeasure& measure,
                double margin, double reservedRight = 0.0);

// The network of an editor project, resolved.
MapNetwork MapNetworkOf(const Project& project);

}  // namespace talvo::scene
