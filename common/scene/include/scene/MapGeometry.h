#pragma once
// The drawing rules of the network map, in map units (twips at zoom 1).

#include <optional>
#include <utility>

#include "scene/Geometry.h"

namespace talvo::scene {

// Twips per pixel at zoom 1 on a 96 dpi screen.
inline constexpr double kMapUnitsPerPixel = 15.0;
// Arrowhead strokes: length and turn to either side of the link's last segment.
inline constexpr double kArrowLength = 100.0;
inline constexpr double kArrowTurn = 0.785;
inline constexpr double kNodeRadius = 200.0;

// Coordinates handed to the drawing primitives are 16-bit integers: nearest, halves to
// even, held at the ends of the range.
int RoundTo16Bit(double value);

struct CellScales {
    double x = 1.5;    // half-length per km/h of speed
    double y = 100.0;  // half-width per lane
};

// Orientation codes of a cell.
inline constexpr int kHorizontalCell = 1;
inline constexpr int kVerticalCell = 2;

// A cell's rectangle: half-length scales.x x speed along its orientation (x for a
// horizontal cell, y for a vertical one), half-width scales.y x laneNum across, each
// rounded to a 16-bit integer.
Rect CellRect(Point centre, int laneNum, int orientation, double speed, const CellScales& scales);
// The same rectangle unrounded: the area a click on the cell picks.
Rect CellArea(Point centre, int laneNum, int orientation, double speed, const CellScales& scales);

enum class Side { Left, Right, Top, Bottom };

// The side of a cell that a line towards target leaves from: left or right when the line
// between the centres is at most 45 degrees steep, else top or bottom (towards larger y
// for the cell whose centre has the smaller or equal y).
Side FacingSide(const Rect& cell, Point target);
// The middle of that side's line through the centre: the centre moved to the side.
Point FacingPoint(const Rect& cell, Point target);

// The outer ends of the two arrowhead strokes at `to` on the segment from -> to, each of
// the given length, turned kArrowTurn to either side and pointing back along the segment.
std::pair<Point, Point> ArrowHeadEnds(Point from, Point to, double length);

// The part of a segment inside the area, or nothing.
std::optional<std::pair<Point, Point>> ClipSegment(Point from, Point to, const Rect& area);

}  // namespace talvo::scene
