#include "MapPicture.h"

#include "core/EditorScene.h"
#include "scenepainter/ScenePainter.h"

namespace talvo {

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
