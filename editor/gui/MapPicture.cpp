#include "MapPicture.h"

#include "core/EditorScene.h"
#include "core/MapHits.h"
#include "scenepainter/ScenePainter.h"

namespace talvo {

namespace {

// Pixels kept around a fitted network.
constexpr double kFitMargin = 20.0;

std::optional<scene::Rect> NetworkBounds(const Project& project) {
    return scene::MapNetworkOf(project).bounds(scene::MeasureWith(scene::SceneFont()));
}

}  // namespace

void FitEditorMap(scene::Viewport& view, const Project& project) {
    if (const auto bounds = NetworkBounds(project)) {
        view.fit(*bounds, kFitMargin);
    }
}

scene::Rect EditorMapContent(const Project& project) {
    return *scene::United(NetworkBounds(project), kMapExtent);
}

void PaintEditorMap(QPainter& painter, const Project& project, const ColourScheme& colours,
                    const SelectionState& selection, const scene::Viewport& view,
                    const std::optional<scene::Rect>& rubberBand) {
    const QFont font = scene::SceneFont();
    const scene::Scene picture = BuildEditorScene(scene::MapNetworkOf(project), colours, selection,
                                                  scene::MeasureWith(font), rubberBand);
    const QRectF area(0.0, 0.0, view.size().width, view.size().height);
    scene::PaintScene(painter, picture, scene::MapTransform(view), area, font);
}

QImage RenderEditorMap(const Project& project, const ColourScheme& colours,
                       const SelectionState& selection, const scene::Viewport& view,
                       double devicePixelRatio) {
    return scene::DrawnImage(view.size(), devicePixelRatio, [&](QPainter& painter) {
        PaintEditorMap(painter, project, colours, selection, view);
    });
}

}  // namespace talvo
