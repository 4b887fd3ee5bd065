#include "printing/DrawMapForPrint.h"

#include "MapPicture.h"
#include "core/MapHits.h"
#include "scene/MapGeometry.h"

namespace talvo {

QImage DrawMapForPrint(const Project& project, const ColourScheme& colours,
                       const SelectionState& selection) {
    // A view of its own: the window's zoom and scroll positions never reach the print.
    scene::Viewport fullMap;
    fullMap.resize(scene::Size{kMapExtent.width() / scene::kMapUnitsPerPixel,
                               kMapExtent.height() / scene::kMapUnitsPerPixel});
    return RenderEditorMap(project, colours, selection, fullMap);
}

}  // namespace talvo
