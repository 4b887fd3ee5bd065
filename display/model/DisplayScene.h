#pragma once

#include <string>

#include "model/DisplayModel.h"
#include "model/DisplayView.h"
#include "model/Scene.h"

namespace talvo::display {

inline constexpr Rgb kDisplayBackground{80, 80, 96};

// A cell's shade at a step: white up to startStep; otherwise darker as it fills, black at
// or above jam density (vehicles per lane over what a lane of the cell holds at jam).
Rgb CellShade(const DisplayCell& cell, const DisplayParameters& parameters, int step);

// Green, amber or red for a signal state.
Rgb SignalColour(int state);

// Occupancy as short decimal text ("1.17", "0").
std::string FormatOccupancy(double vehicles);

// The whole playback picture at a step, in window units: links (white, then the signalised
// ones green, amber, red), cells, nodes, street labels and the zoom rectangle being dragged.
Scene BuildDisplayScene(const DisplayModel& model, const DisplayView& view, int step,
                        const ZoomDrag& drag);

}  // namespace talvo::display
