#pragma once
// What a click on the map picks, in map units, over the network as the map draws it. The
// network keeps the tables' order, so each test returns the table position of the first
// match, or -1.

#include "scene/MapNetwork.h"

namespace talvo {

// Where objects may be placed: the map's extent in map units.
inline constexpr scene::Rect kMapExtent{0.0, 0.0, 15360.0, 11520.0};
// The room left around a network that reaches beyond kMapExtent.
inline constexpr double kGrownMapMargin = 2000.0;

// The extent of this network's map: kMapExtent, or, for a network whose cells or nodes reach
// beyond it, kMapExtent grown to hold them with kGrownMapMargin to spare, so that none of
// them is held at the small map's edge.
scene::Rect MapExtentOf(const scene::MapNetwork& network);

inline constexpr double kNodeHitRadius = 200.0;
inline constexpr double kLinkHitDistance = 50.0;

// Inside or on the border of the cell's exact (unrounded) rectangle.
int HitCell(const scene::MapNetwork& network, scene::Point p);
// Less than kNodeHitRadius from the centre.
int HitNode(const scene::MapNetwork& network, scene::Point p);
// Less than kLinkHitDistance from one of the link's segments.
int HitLink(const scene::MapNetwork& network, scene::Point p);
// Within the label's text as drawn at the zoom: its box at zoom 1 from its anchor, which
// zoomed keeps its centre and its size in pixels, so that empty map beside it stays free
// for a rubber band.
int HitStreetLabel(const scene::MapNetwork& network, scene::Point p,
                   const scene::TextMeasure& measure, double zoom = 1.0);

}  // namespace talvo
