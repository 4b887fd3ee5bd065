#pragma once

#include "MapSurface.h"
#include "common/ProjectRecords.h"
#include "core/ColourScheme.h"
#include "core/MapGeometry.h"
#include "core/MapView.h"
#include "core/SelectionState.h"

namespace talvo {

// Draws the whole map from the network tables onto a surface: the same order and
// geometry for the screen (zoomed and scrolled) and for printing (a default view).
class MapRenderer {
  public:
    MapRenderer(const Project& project, const MapView& view, const ColourScheme& colours,
                MapSurface& surface)
        : project_(project), view_(view), colours_(colours), surface_(surface) {}

    void RedrawMap(const SelectionState& selection);

    void DrawCell(int position, ColourValue colour);
    void DrawLink(int position, ColourValue colour);
    void DrawNode(int position, ColourValue colour);
    void DrawStreetLabel(int position, ColourValue colour);
    void DrawStreetCells(int position, ColourValue colour);
    void DrawLabelBox(int position, ColourValue colour);
    void DrawRubberBand(ScreenPoint a, ScreenPoint b, ColourValue colour);

  private:
    const Project& project_;
    const MapView& view_;
    const ColourScheme& colours_;
    MapSurface& surface_;
};

}  // namespace talvo
