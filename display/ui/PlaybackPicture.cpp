#include "ui/PlaybackPicture.h"

#include "model/DisplayScene.h"

namespace talvo::display {

std::vector<scene::PaintedText> PaintPlayback(QPainter& painter, const DisplaySession& session,
                                              bool showing) {
    const scene::Viewport& view = session.view();
    const QRectF area(0.0, 0.0, view.size().width, view.size().height);
    const QFont font = scene::SceneFont();
    // While a run loads, and after one is refused, the model may hold part of a run with no
    // map built for it: a repaint then (a message box is up) draws the empty background.
    if (!showing || !session.loaded()) {
        scene::Scene empty;
        empty.background = kDisplayBackground;
        return scene::PaintScene(painter, empty, QTransform(), area, font);
    }
    return PaintPlaybackFrame(painter, session.model(), session.network(),
                              session.playback().step(), view, session.drag());
}

std::vector<scene::PaintedText> PaintPlaybackFrame(QPainter& painter, const DisplayModel& model,
                                                   const scene::MapNetwork& network, int step,
                                                   const scene::Viewport& view,
                                                   const ZoomDrag& drag) {
    const QRectF area(0.0, 0.0, view.size().width, view.size().height);
    const QFont font = scene::SceneFont();
    // Zoomed in, only the records that reach into the view are shaded, labelled and drawn.
    std::optional<scene::MapNetwork> part;
    if (const auto kept = scene::PartInView(network, view)) {
        part = network.part(*kept);
    }
    const scene::Scene picture = BuildPlaybackScene(model, part ? *part : network, step,
                                                    scene::MeasureWith(font), view.size(), drag);
    return scene::PaintScene(painter, picture, scene::MapTransform(view), area, font);
}

QImage RenderPlayback(const DisplaySession& session, bool showing, double devicePixelRatio) {
    return scene::DrawnImage(session.view().size(), devicePixelRatio,
                             [&](QPainter& painter) { PaintPlayback(painter, session, showing); });
}

}  // namespace talvo::display
