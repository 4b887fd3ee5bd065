#include "model/DisplayScene.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "model/MapGeometry.h"

namespace talvo::display {
namespace {

constexpr Rgb kOccupancyText{255, 255, 160};
constexpr double kNodeRadius = 200.0;
constexpr double kArrowLength = 100.0;
constexpr double kLabelGap = 30.0;
// Signal states should read at a glance: their lines are drawn wider.
constexpr int kSignalPenWidth = 3;

struct LinkPath {
    bool valid = false;
    PointD start;
    std::optional<PointD> node;
    PointD end;
};

LinkPath LinkPathOf(const DisplayModel& model, const DisplayLink& link) {
    LinkPath path;
    if (link.fromCell == link.toCell) {
        return path;
    }
    const int fromIndex = model.findCellIndex(link.fromCell);
    const int toIndex = model.findCellIndex(link.toCell);
    if (fromIndex < 0 || toIndex < 0) {
        return path;
    }
    const CellExtent from =
        CellExtentOf(model.cells[static_cast<size_t>(fromIndex)], model.parameters);
    const CellExtent to = CellExtentOf(model.cells[static_cast<size_t>(toIndex)], model.parameters);
    const int nodeIndex = link.passNode != 0 ? model.findNodeIndex(link.passNode) : -1;
    if (nodeIndex >= 0) {
        const DisplayNode& node = model.nodes[static_cast<size_t>(nodeIndex)];
        const PointD centre{node.x, node.y};
        path.start = FacingPoint(from, centre);
        path.node = centre;
        path.end = FacingPoint(to, centre);
    } else {
        path.start = FacingPoint(from, to.centre);
        path.end = FacingPoint(to, from.centre);
    }
    path.valid = true;
    return path;
}

void AddClippedLine(Scene& scene, PointD from, PointD to, Rgb colour, int penWidth = 1) {
    const auto clipped = ClipSegment(from, to, DisplayView::kAreaWidth, DisplayView::kAreaHeight);
    if (clipped) {
        scene.add(SceneLine{clipped->first, clipped->second, colour, penWidth});
    }
}

void AddPlainLink(Scene& scene, const DisplayView& view, const LinkPath& path) {
    const PointD start = view.toWindow(path.start);
    const PointD end = view.toWindow(path.end);
    const PointD last = path.node ? view.toWindow(*path.node) : start;
    if (path.node) {
        AddClippedLine(scene, start, last, kWhite);
    }
    AddClippedLine(scene, last, end, kWhite);
    const auto [left, right] = ArrowHead(last, end, kArrowLength * view.zoom(), kWhite);
    AddClippedLine(scene, left.from, left.to, kWhite);
    AddClippedLine(scene, right.from, right.to, kWhite);
}

void AddSignalLink(Scene& scene, const DisplayView& view, const LinkPath& path, Rgb colour) {
    const PointD start = view.toWindow(path.start);
    const PointD end = view.toWindow(path.end);
    if (path.node) {
        const PointD node = view.toWindow(*path.node);
        AddClippedLine(scene, start, node, colour, kSignalPenWidth);
        AddClippedLine(scene, node, end, colour, kSignalPenWidth);
    } else {
        AddClippedLine(scene, start, end, colour, kSignalPenWidth);
    }
}

void AddLinks(Scene& scene, const DisplayModel& model, const DisplayView& view, int step) {
    for (const DisplayLink& link : model.links) {
        if (link.passNode != 0) {
            continue;
        }
        const LinkPath path = LinkPathOf(model, link);
        if (path.valid) {
            AddPlainLink(scene, view, path);
        }
    }
    // Green first, then amber, then red, so that red is never hidden.
    constexpr std::array<int, 3> kPasses{kGreen, kAmber, kRed};
    for (const int pass : kPasses) {
        for (const SignalRow& row : model.signalRows) {
            // Up to startStep every signalised link is red.
            const int state = row.stateAtColumn(step - model.parameters.startStep);
            if (state != pass) {
                continue;
            }
            const LinkPath path =
                LinkPathOf(model, model.links[static_cast<size_t>(row.linkIndex)]);
            if (path.valid) {
                AddSignalLink(scene, view, path, SignalColour(state));
            }
        }
    }
}

void AddCells(Scene& scene, const DisplayModel& model, const DisplayView& view, int step) {
    for (const DisplayCell& cell : model.cells) {
        const CellExtent extent = CellExtentOf(cell, model.parameters);
        const PointD topLeft =
            view.toWindow(PointD{extent.centre.x - extent.halfX, extent.centre.y - extent.halfY});
        const PointD bottomRight =
            view.toWindow(PointD{extent.centre.x + extent.halfX, extent.centre.y + extent.halfY});
        const Rgb shade = CellShade(cell, model.parameters, step);
        scene.add(SceneBox{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, shade});
        const bool dark = shade.red + shade.green + shade.blue < 3 * 128;
        const PointD centre = view.toWindow(extent.centre);
        scene.add(SceneText{centre, std::to_string(cell.cellID), dark ? kWhite : kBlack,
                            TextPlacement::Centred, std::nullopt});
        if (step > 0) {
            scene.add(SceneText{PointD{bottomRight.x + kLabelGap, centre.y},
                                FormatOccupancy(cell.occupancyAt(step)), kOccupancyText,
                                TextPlacement::RightOf, std::nullopt});
        }
    }
}

void AddNodes(Scene& scene, const DisplayModel& model, const DisplayView& view) {
    for (const DisplayNode& node : model.nodes) {
        const PointD centre = view.toWindow(PointD{node.x, node.y});
        const double radius = kNodeRadius * view.zoom();
        // A ring, not a disc: the signal colours of the links through the node show inside.
        scene.add(SceneCircle{centre, radius, kBlack, kBlack, false});
        // Up and to the right on the diagonal, clear of the cells, which lie along the axes.
        const double diagonal = radius * std::sqrt(0.5) + kLabelGap;
        // On a black backing like the ring's, since a cell may lie beneath.
        scene.add(SceneText{PointD{centre.x + diagonal, centre.y - diagonal},
                            std::to_string(node.nodeID), kWhite, TextPlacement::RightOf, kBlack});
    }
}

void AddStreetLabels(Scene& scene, const DisplayModel& model, const DisplayView& view) {
    for (const DisplayStreet& street : model.streets) {
        scene.add(SceneText{view.toWindow(PointD{street.x, street.y}), street.streetName, kWhite,
                            TextPlacement::Centred, std::nullopt});
    }
}

void AddDragRectangle(Scene& scene, const ZoomDrag& drag) {
    if (!drag.dragging()) {
        return;
    }
    const PointD a = drag.start();
    const PointD b = drag.end();
    scene.add(SceneLine{a, PointD{b.x, a.y}, kSignalRed});
    scene.add(SceneLine{PointD{b.x, a.y}, b, kSignalRed});
    scene.add(SceneLine{b, PointD{a.x, b.y}, kSignalRed});
    scene.add(SceneLine{PointD{a.x, b.y}, a, kSignalRed});
}

}  // namespace

Rgb CellShade(const DisplayCell& cell, const DisplayParameters& parameters, int step) {
    if (step <= parameters.startStep) {
        return kWhite;
    }
    const double vehicles = cell.occupancyAt(step);
    const double jamVehicles = static_cast<double>(cell.laneNum) * parameters.timeStep *
                               cell.speed * parameters.jamDensity / 3600.0;
    if (jamVehicles <= 0.0) {
        // A cell that holds nothing: empty is white, anything in it is full.
        return vehicles > 0.0 ? kBlack : kWhite;
    }
    const double v = 255.0 * vehicles / jamVehicles;
    if (v >= 255.0) {
        return kBlack;
    }
    const int grey = static_cast<int>(std::clamp(std::nearbyint(255.0 - v), 0.0, 255.0));
    return Rgb{grey, grey, grey};
}

Rgb SignalColour(int state) {
    switch (state) {
        case kGreen:
            return kSignalGreen;
        case kAmber:
            return kSignalAmber;
        default:
            return kSignalRed;
    }
}

std::string FormatOccupancy(double vehicles) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), vehicles);
    return std::string(buffer.data(), result.ptr);
}

Scene BuildDisplayScene(const DisplayModel& model, const DisplayView& view, int step,
                        const ZoomDrag& drag) {
    Scene scene;
    scene.width = DisplayView::kAreaWidth;
    scene.height = DisplayView::kAreaHeight;
    scene.background = kDisplayBackground;
    AddLinks(scene, model, view, step);
    AddCells(scene, model, view, step);
    AddNodes(scene, model, view);
    AddStreetLabels(scene, model, view);
    AddDragRectangle(scene, drag);
    return scene;
}

}  // namespace talvo::display
