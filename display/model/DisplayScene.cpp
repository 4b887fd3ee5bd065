#include "model/DisplayScene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace talvo::display {
namespace {

constexpr int kSignalPenWidth = 3;  // signal states should read at a glance
constexpr double kFitMargin = 20.0;
constexpr double kLegendInset = 10.0;
constexpr scene::Colour kLegendText = scene::kWhite;
constexpr scene::Colour kLegendBacking{50, 50, 62};
constexpr scene::Colour kLegendOutline{150, 150, 165};
constexpr scene::Colour kSinkMark{150, 180, 215};
constexpr scene::Colour kValueText{0, 0, 140};
constexpr scene::Colour kValueBacking{255, 255, 200};
// Node IDs in colours of their own, unlike a jammed cell's white on black.
constexpr scene::Colour kNodeIDText{0, 40, 60};
constexpr scene::Colour kNodeIDBacking{150, 225, 240};
// Every cell is outlined, so that one of any shade stands out from the background.
constexpr scene::Colour kCellOutline{175, 185, 210};

// What a cell holds at jam density: its lanes over its length (a time step at its speed).
double JamVehicles(const GlobalParameters& parameters, const scene::MapCell& cell) {
    return static_cast<double>(cell.laneNum) * parameters.timeStep * cell.speed *
           parameters.jamDensity / 3600.0;
}

// The grey of a shade v: 0 white .. 255 black.
scene::Colour GreyFor(double v) {
    const int grey = static_cast<int>(std::clamp(std::nearbyint(255.0 - v), 0.0, 255.0));
    return scene::Colour{grey, grey, grey};
}

void AddLinks(scene::Layer& layer, const DisplayModel& model, const scene::MapNetwork& network,
              int step) {
    for (const scene::MapLink& link : network.links) {
        if (model.signalRowOfLink(link.linkID) == nullptr) {
            scene::AddLink(layer, link, scene::LinkLook{scene::Stroke{scene::kWhite}});
        }
    }
    // Green first, then amber, then red, so that red is never hidden.
    constexpr std::array<int, 3> kPasses{kGreen, kAmber, kRed};
    for (const int pass : kPasses) {
        for (const scene::MapLink& link : network.links) {
            const SignalRow* row = model.signalRowOfLink(link.linkID);
            // Up to startStep every signalised link is red.
            const int state =
                row == nullptr ? -1 : row->stateAtColumn(step - model.parameters().startStep);
            if (state == pass) {
                scene::AddLink(
                    layer, link,
                    scene::LinkLook{scene::Stroke{SignalColour(state), kSignalPenWidth}, false});
            }
        }
    }
}

void AddCells(scene::Layer& layer, const DisplayModel& model, const scene::MapNetwork& network,
              int step) {
    for (const scene::MapCell& cell : network.cells) {
        if (cell.kind == scene::CellKind::Destination) {
            scene::AddCell(layer, cell, scene::CellLook{kSinkColour, scene::Stroke{kCellOutline}});
            scene::AddSinkMarker(layer, cell, scene::Stroke{kSinkMark});
        } else {
            scene::AddCell(
                layer, cell,
                scene::CellLook{CellShade(model, cell, step), scene::Stroke{kCellOutline}});
        }
    }
}

// White on the dark shades, black on the light ones.
scene::Colour TextOn(scene::Colour fill, scene::Colour onLight, scene::Colour onDark) {
    return fill.red + fill.green + fill.blue < 3 * 128 ? onDark : onLight;
}

scene::Colour FillOf(const DisplayModel& model, const scene::MapCell& cell, int step) {
    return cell.kind == scene::CellKind::Destination ? kSinkColour : CellShade(model, cell, step);
}

void AddCellIDs(scene::Layer& layer, const DisplayModel& model, const scene::MapNetwork& network,
                int step) {
    for (const scene::MapCell& cell : network.cells) {
        scene::AddCellID(layer, cell,
                         TextOn(FillOf(model, cell, step), scene::kBlack, scene::kWhite));
    }
}

void AddOccupancyValues(scene::Layer& layer, const DisplayModel& model,
                        const scene::MapNetwork& network, int step) {
    if (step <= 0) {
        return;
    }
    for (const scene::MapCell& cell : network.cells) {
        if (cell.kind == scene::CellKind::Destination) {
            continue;
        }
        // On a backing of its own, so that it reads the same on every shade, and placed as
        // its widest form would be, so that a cell shows its value however full it is.
        scene::AddCellValue(layer, cell, FormatOccupancy(model.occupancyAt(cell.cellID, step)),
                            kValueText, kValueBacking, WidestValue(model, cell));
    }
}

void AddNodes(scene::Layer& layer, const scene::MapNetwork& network) {
    // A ring, not a disc: the signal colours of the links through the node show inside.
    for (const scene::MapNode& node : network.nodes) {
        scene::AddNode(layer, node, scene::NodeLook{std::nullopt, scene::Stroke{scene::kBlack}});
    }
}

void AddNodeIDs(scene::Layer& layer, const scene::MapNetwork& network) {
    // On a backing, since a cell may lie beneath.
    const scene::NodeIDLook look{kNodeIDText, kNodeIDBacking, true, true};
    for (const scene::MapNode& node : network.nodes) {
        scene::AddNodeID(layer, node, look);
    }
}

void AddDragRectangle(scene::Layer& overlay, const ZoomDrag& drag) {
    if (drag.dragging()) {
        overlay.add(scene::Box{scene::Rect::Spanning(drag.start(), drag.end()), std::nullopt,
                               scene::Stroke{kSignalRed}});
    }
}

}  // namespace

std::vector<int> DestinationCellIDs(const scene::MapNetwork& network) {
    std::vector<int> ids;
    for (const scene::MapCell& cell : network.cells) {
        if (cell.kind == scene::CellKind::Destination) {
            ids.push_back(cell.cellID);
        }
    }
    return ids;
}

double JamShare(const DisplayModel& model, const scene::MapCell& cell, int step) {
    const GlobalParameters& parameters = model.parameters();
    if (step <= parameters.startStep) {
        return 0.0;
    }
    const double vehicles = model.occupancyAt(cell.cellID, step);
    const double jamVehicles = JamVehicles(parameters, cell);
    if (jamVehicles <= 0.0) {
        return vehicles > 0.0 ? 1.0 : 0.0;
    }
    const double share = vehicles / jamVehicles;
    return share >= 1.0 ? 1.0 : share > 0.0 ? share : 0.0;  // and 0 for what is not a number
}

std::string WidestValue(const DisplayModel& model, const scene::MapCell& cell) {
    // The digits have one width in the map's font.
    const std::string whole = std::to_string(
        std::max(0, static_cast<int>(std::floor(JamVehicles(model.parameters(), cell)))));
    return std::string(whole.size(), '0') + ".00";
}

scene::Colour CellShade(const DisplayModel& model, const scene::MapCell& cell, int step) {
    return GreyFor(255.0 * JamShare(model, cell, step));
}

scene::Colour SignalColour(int state) {
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
    if (!std::isfinite(vehicles)) {
        return "?";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", vehicles);
    std::string text(buffer);
    // "1.50" -> "1.5", "3.00" -> "3", "-0.00" -> "0".
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::vector<scene::LegendSection> PlaybackLegend() {
    using scene::LegendEntry;
    using scene::Swatch;
    scene::LegendSection occupancy{"Occupancy of jam density", {}};
    const std::array<std::pair<double, const char*>, 5> shares{
        {{0.0, "empty"}, {0.25, "25 %"}, {0.5, "50 %"}, {0.75, "75 %"}, {1.0, "jammed"}}};
    for (const auto& [share, label] : shares) {
        occupancy.entries.push_back(LegendEntry{Swatch::Box, GreyFor(255.0 * share), label});
    }
    scene::LegendSection signal{"Signal",
                                {LegendEntry{Swatch::Line, kSignalGreen, "green"},
                                 LegendEntry{Swatch::Line, kSignalAmber, "amber"},
                                 LegendEntry{Swatch::Line, kSignalRed, "red"}}};
    scene::LegendSection sink{
        "Destination", {LegendEntry{Swatch::Sink, kSinkColour, "sink (not shaded)", kSinkMark}}};
    return {occupancy, signal, sink};
}

scene::Point LegendCorner(const scene::Size& view) {
    return scene::Point{view.width - kLegendInset, kLegendInset};
}

scene::Scene BuildPlaybackScene(const DisplayModel& model, const scene::MapNetwork& network,
                                int step, const scene::TextMeasure& measure,
                                const scene::Size& view, const ZoomDrag& drag) {
    scene::Scene picture;
    picture.background = kDisplayBackground;
    scene::Layer& layer = picture.world;
    AddLinks(layer, model, network, step);
    AddCells(layer, model, network, step);
    AddNodes(layer, network);
    // The texts by priority, each giving way to those before it: street names, which read
    // at every zoom, then node and cell IDs, then the values. Street names lie on the
    // background's colour, so that one over a white cell still reads.
    for (const scene::MapLabel& label : network.labels) {
        scene::AddStreetLabel(layer, label, measure, scene::kWhite, kDisplayBackground);
    }
    AddNodeIDs(layer, network);
    AddCellIDs(layer, model, network, step);
    AddOccupancyValues(layer, model, network, step);
    scene::AddLegend(picture.overlay, PlaybackLegend(), LegendCorner(view), measure,
                     scene::LegendLook{kLegendText, kLegendBacking, kLegendOutline});
    AddDragRectangle(picture.overlay, drag);
    return picture;
}

double LegendReserve(const scene::TextMeasure& measure) {
    return scene::LegendSize(PlaybackLegend(), measure).width + kLegendInset;
}

void FitNetwork(scene::Viewport& view, const scene::MapNetwork& network,
                const scene::TextMeasure& measure) {
    scene::FitNetwork(view, network, measure, kFitMargin, LegendReserve(measure));
}

std::optional<scene::Rect> ScrollContent(const scene::Viewport& view,
                                         const scene::MapNetwork& network,
                                         const scene::TextMeasure& measure) {
    auto bounds = network.bounds(measure);
    if (bounds) {
        // The margins of a fitted view, so that it needs no scrolling.
        const double margin = kFitMargin / view.scale();
        bounds = scene::Rect{bounds->left - margin, bounds->top - margin,
                             bounds->right + margin + LegendReserve(measure) / view.scale(),
                             bounds->bottom + margin};
    }
    return bounds;
}

}  // namespace talvo::display
