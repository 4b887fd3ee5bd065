#include "MapLegend.h"

#include <QPainter>
#include <cmath>

#include "core/EditorScene.h"
#include "scene/MapGeometry.h"
#include "scenepainter/ScenePainter.h"

namespace talvo {

namespace {

scene::Scene Legend(const ColourScheme& colours) {
    return BuildEditorLegend(colours, scene::MeasureWith(scene::SceneFont()));
}

}  // namespace

MapLegend::MapLegend(const ColourScheme& colours, QWidget* parent)
    : QWidget(parent), colours_(colours) {
    setObjectName("picLegend");
    setFixedSize(sizeHint());
}

QSize MapLegend::sizeHint() const {
    const scene::Rect extent = Legend(colours_).extent;
    return QSize(static_cast<int>(std::ceil(extent.width() / scene::kMapUnitsPerPixel)),
                 static_cast<int>(std::ceil(extent.height() / scene::kMapUnitsPerPixel)));
}

void MapLegend::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // At zoom 1, as the map draws its objects at zoom 1.
    scene::PaintScene(painter, Legend(colours_), scene::MapTransform(scene::Viewport{}),
                      QRectF(rect()), scene::SceneFont());
}

}  // namespace talvo
