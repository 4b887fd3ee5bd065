#include "printing/DrawMapForPrint.h"

#include <QPainter>

#include "MapRenderer.h"
#include "QtMapSurface.h"
#include "core/MapView.h"

namespace talvo {

QFont MapPictureFont() {
    return QFont("Sans Serif", 8);
}

QImage DrawMapForPrint(const Project& project, const ColourScheme& colours,
                       const SelectionState& selection, const QFont& font) {
    const int width = static_cast<int>(MapView::kMapWidth) / kTwipsPerPixel;
    const int height = static_cast<int>(MapView::kMapHeight) / kTwipsPerPixel;
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, false);
        QtMapSurface surface(painter, font);
        // A view of its own: the window's zoom and scroll positions never reach the print.
        const MapView fullMap;
        MapRenderer renderer(project, fullMap, colours, surface);
        renderer.RedrawMap(selection);
    }
    return picture;
}

}  // namespace talvo
