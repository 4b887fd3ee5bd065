#pragma once
// The editor's map as a scene of the shared map elements, in the editor's redraw order and
// its five colours: cells (with what they are to the traffic marked), the selection, links,
// nodes, the selected object again, then the cell IDs over all of them, street labels, the
// selected label with its box and group, and the rubber band.

#include <optional>

#include "core/ColourScheme.h"
#include "core/MapHits.h"
#include "core/SelectionState.h"
#include "scene/MapNetwork.h"
#include "scene/Scene.h"

namespace talvo {

// Beyond the map's extent, where nothing can be placed.
inline constexpr scene::Colour kOutsideMap{224, 224, 224};

// Outline widths in pixels: an origin or destination cell is outlined heavier than an
// ordinary one, a signalised cell has a stop line across the side its traffic leaves by, and
// a link through a signalised node is drawn heavier than a plain one.
inline constexpr double kPlainWidth = 1.0;
inline constexpr double kEndCellWidth = 2.0;
inline constexpr double kStopLineWidth = 3.0;
inline constexpr double kSignalisedLinkWidth = 2.0;

// rubberBand: the rectangle being dragged, in pixels of the view. extent: the map's white
// area, MapExtentOf the whole network (network may be the part of it in view).
scene::Scene BuildEditorScene(const scene::MapNetwork& network, const ColourScheme& colours,
                              const SelectionState& selection, const scene::TextMeasure& measure,
                              const std::optional<scene::Rect>& rubberBand = std::nullopt,
                              const scene::Rect& extent = kMapExtent);

// What the map's symbols mean, each drawn as the map draws it at zoom 1 (map units, 15 to a
// pixel) beside its text; the scene's extent is the legend's area.
scene::Scene BuildEditorLegend(const ColourScheme& colours, const scene::TextMeasure& measure);

}  // namespace talvo
