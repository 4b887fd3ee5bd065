#pragma once

#include "core/MapHits.h"
#include "scene/MapGeometry.h"
#include "scene/Viewport.h"

namespace talvo::test {

// A view of the whole map extent at one pixel to a map unit, so that the tools' tests give
// pointer positions as map points and no drag leaves the view.
inline scene::Viewport UnitView() {
    scene::Viewport view;
    view.resize(scene::Size{kMapExtent.width(), kMapExtent.height()});
    view.zoomAbout(scene::Point{0.0, 0.0}, scene::kMapUnitsPerPixel);
    return view;
}

}  // namespace talvo::test
