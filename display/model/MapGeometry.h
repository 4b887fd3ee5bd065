#pragma once

#include <optional>
#include <utility>

#include "model/DisplayModel.h"
#include "model/Scene.h"

namespace talvo::display {

// Nearest 16-bit integer, halves to even, as the drawing primitives take their numbers.
int RoundTo16Bit(double value);

// A cell's rectangle in map units: half-length cellScaleX x speed, half-width
// cellScaleY x laneNum, lying along x (orientation 1) or y (orientation 2).
struct CellExtent {
    PointD centre;
    double halfX = 0.0;
    double halfY = 0.0;
};
CellExtent CellExtentOf(const DisplayCell& cell, const DisplayParameters& parameters);

// The point on the side of a cell that faces a target point: left or right side when the
// line between the centres is at most 45 degrees steep, else top or bottom.
PointD FacingPoint(const CellExtent& cell, PointD target);

// The two strokes of an arrowhead at the end of the segment from -> to, each of the given
// length, turned 0.785 rad to either side of the segment, pointing back along it.
std::pair<SceneLine, SceneLine> ArrowHead(PointD from, PointD to, double length, Rgb colour);

// The part of a segment inside [0, width] x [0, height], or nothing.
std::optional<std::pair<PointD, PointD>> ClipSegment(PointD from, PointD to, double width,
                                                     double height);

}  // namespace talvo::display
