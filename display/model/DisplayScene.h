#pragma once
// The playback picture: the shared map scene drawn with the display's layers, the cells
// shaded by occupancy, the signalised links in their signal state, the occupancy values
// and a legend.

#include <optional>
#include <string>
#include <vector>

#include "model/DisplayModel.h"
#include "model/ZoomDrag.h"
#include "scene/MapNetwork.h"
#include "scene/MapScene.h"
#include "scene/Scene.h"
#include "scene/Viewport.h"

namespace talvo::display {

// A blue apart from every grey of the cells' shades.
inline constexpr scene::Colour kDisplayBackground{38, 56, 92};
inline constexpr scene::Colour kSignalGreen{0, 255, 0};
inline constexpr scene::Colour kSignalAmber{255, 255, 0};
inline constexpr scene::Colour kSignalRed{255, 0, 0};
// Destinations only collect what leaves the network: drawn as sinks in a colour of their
// own, never in the grey of a queue.
inline constexpr scene::Colour kSinkColour{70, 110, 160};

// The IDs of the map's destination cells (drawn as sinks on the map and in plots).
std::vector<int> DestinationCellIDs(const scene::MapNetwork& network);

// What a cell's shade stands for at a step: its vehicles over what it holds at jam density,
// 0 up to startStep and at most 1; a cell that holds nothing is 1 with anything in it.
double JamShare(const DisplayModel& model, const scene::MapCell& cell, int step);
// A cell's shade at a step: white up to startStep; otherwise darker as it fills, black at
// or above jam density (vehicles per lane over what a lane of the cell holds at jam).
scene::Colour CellShade(const DisplayModel& model, const scene::MapCell& cell, int step);

// The widest text a cell's value takes up to what the cell holds at jam density ("0.00",
// "00.00"): the values are placed by it.
std::string WidestValue(const DisplayModel& model, const scene::MapCell& cell);

// Green, amber or red for a signal state.
scene::Colour SignalColour(int state);

// Occupancy as short decimal text, at most two decimals ("1.17", "0", "2.5").
std::string FormatOccupancy(double vehicles);

// The legend's sections: occupancy shades, signal colours, destinations.
std::vector<scene::LegendSection> PlaybackLegend();
// Where the legend goes: its top-right corner, inset from the view's.
scene::Point LegendCorner(const scene::Size& view);

// The playback picture at a step for a view of the given size: links (plain ones white,
// then the signalised ones green, amber, red), cells with their IDs, nodes, street labels,
// the occupancy values that fit, then the legend and the zoom rectangle being dragged.
scene::Scene BuildPlaybackScene(const DisplayModel& model, const scene::MapNetwork& network,
                                int step, const scene::TextMeasure& measure,
                                const scene::Size& view, const ZoomDrag& drag);

// The width kept clear for the legend at the view's right.
double LegendReserve(const scene::TextMeasure& measure);
// The whole network in view, clear of the legend.
void FitNetwork(scene::Viewport& view, const scene::MapNetwork& network,
                const scene::TextMeasure& measure);
// What the scroll bars reach: the network with the margins of a fitted view; nothing for
// an empty network.
std::optional<scene::Rect> ScrollContent(const scene::Viewport& view,
                                         const scene::MapNetwork& network,
                                         const scene::TextMeasure& measure);

}  // namespace talvo::display
