#include "MapPicture.h"

#include <algorithm>
#include <vector>

#include "core/EditorScene.h"
#include "core/MapHits.h"
#include "scenepainter/ScenePainter.h"

namespace talvo {

namespace {

// Pixels kept around a fitted network.
constexpr double kFitMargin = 20.0;

std::optional<scene::Rect> NetworkBounds(const scene::MapNetwork& network) {
    return network.bounds(scene::MeasureWith(scene::SceneFont()));
}

void Paint(QPainter& painter, const scene::MapNetwork& network, const ColourScheme& colours,
           const SelectionState& selection, const scene::Viewport& view,
           const std::optional<scene::Rect>& rubberBand, const scene::Rect& extent) {
    const QFont font = scene::SceneFont();
    const scene::Scene picture =
        BuildEditorScene(network, colours, selection, scene::MeasureWith(font), rubberBand, extent);
    const QRectF area(0.0, 0.0, view.size().width, view.size().height);
    scene::PaintScene(painter, picture, scene::MapTransform(view), area, font);
}

}  // namespace

void FitEditorMap(scene::Viewport& view, const Project& project) {
    scene::FitNetwork(view, scene::MapNetworkOf(project), scene::MeasureWith(scene::SceneFont()),
                      kFitMargin);
}

scene::Rect EditorMapContent(const Project& project) {
    const scene::MapNetwork network = scene::MapNetworkOf(project);
    return *scene::United(NetworkBounds(network), MapExtentOf(network));
}

void PaintEditorMap(QPainter& painter, const Project& project, const ColourScheme& colours,
                    const SelectionState& selection, const scene::Viewport& view,
                    const std::optional<scene::Rect>& rubberBand) {
    const scene::MapNetwork network = scene::MapNetworkOf(project);
    Paint(painter, network, colours, selection, view, rubberBand, MapExtentOf(network));
}

QImage RenderEditorMap(const Project& project, const ColourScheme& colours,
                       const SelectionState& selection, const scene::Viewport& view,
                       double devicePixelRatio) {
    return scene::DrawnImage(view.size(), devicePixelRatio, [&](QPainter& painter) {
        PaintEditorMap(painter, project, colours, selection, view);
    });
}

const scene::MapNetwork& EditorMapPainter::networkOf(const Project& project) {
    if (!project_ || !(*project_ == project)) {
        project_ = project;
        network_ = scene::MapNetworkOf(project);
        bounds_ = NetworkBounds(network_);
        extent_ = MapExtentOf(network_);
        frameKey_.reset();
    }
    return network_;
}

void EditorMapPainter::fit(scene::Viewport& view, const Project& project) {
    scene::FitNetwork(view, networkOf(project), scene::MeasureWith(scene::SceneFont()), kFitMargin);
}

scene::Rect EditorMapPainter::content(const Project& project) {
    networkOf(project);
    return *scene::United(bounds_, extent_);
}

bool EditorMapPainter::Same(const FrameKey& a, const FrameKey& b) {
    return a.colours == b.colours && a.selection == b.selection && a.size == b.size &&
           a.zoom == b.zoom && a.origin == b.origin && a.rubberBand == b.rubberBand &&
           a.devicePixelRatio == b.devicePixelRatio;
}

void EditorMapPainter::paint(QPainter& painter, const Project& project, const ColourScheme& colours,
                             const SelectionState& selection, const scene::Viewport& view,
                             const std::optional<scene::Rect>& rubberBand) {
    networkOf(project);
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    FrameKey key{colours, selection, view.size(), view.zoom(), view.origin(), rubberBand, ratio};
    if (!frameKey_ || !Same(*frameKey_, key)) {
        frame_ = scene::DrawnImage(view.size(), ratio, [&](QPainter& drawn) {
            draw(drawn, colours, selection, view, rubberBand);
        });
        frameKey_ = std::move(key);
    }
    painter.drawImage(QPointF(0.0, 0.0), frame_);
}

void EditorMapPainter::draw(QPainter& painter, const ColourScheme& colours,
                            const SelectionState& selection, const scene::Viewport& view,
                            const std::optional<scene::Rect>& rubberBand) {
    const std::optional<scene::MapNetwork::Positions> kept =
        scene::PartInView(network_, view, bounds_);
    if (!bounds_ || !kept) {
        Paint(painter, network_, colours, selection, view, rubberBand, extent_);
        return;
    }
    Paint(painter, network_.part(*kept), colours, selection, view, rubberBand, extent_);
}

}  // namespace talvo
