#include "ui/DisplayCanvas.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "model/CellTip.h"
#include "model/DisplayScene.h"
#include "scenepainter/ScaleBarPainter.h"
#include "scenepainter/ScenePainter.h"
#include "ui/PlaybackPicture.h"

namespace talvo::display {
namespace {

// The window's design size: 15345 x 10935 twips at 15 to a pixel.
constexpr int kDesignWidth = 1023;
constexpr int kDesignHeight = 729;

scene::Point ToPoint(const QPointF& p) {
    return scene::Point{p.x(), p.y()};
}

// Only over a run's map: the empty background has no cells to measure by.
void PaintBar(QPainter& painter, const DisplaySession& session, bool showing) {
    if (!showing || !session.loaded()) {
        return;
    }
    const GlobalParameters& parameters = session.model().project.params;
    const scene::Viewport& view = session.view();
    scene::PaintScaleBar(painter,
                         scene::ScaleBarOf(view, parameters.cellScaleX, parameters.timeStep),
                         QRectF(0.0, 0.0, view.size().width, view.size().height));
}

}  // namespace

DisplayCanvas::DisplayCanvas(DisplaySession& session, QWidget* parent)
    : MapScrollArea(session.view(), parent), session_(session) {
    setObjectName("picDisplay");
    setMinimumSize(200, 150);
}

QSize DisplayCanvas::sizeHint() const {
    return QSize(kDesignWidth, kDesignHeight);
}

void DisplayCanvas::setShowing(bool showing) {
    showing_ = showing;
    viewChanged();
}

void DisplayCanvas::fitView() {
    FitNetwork(session_.view(), session_.network(), scene::MeasureWith(scene::SceneFont()));
}

void DisplayCanvas::resetZoom() {
    session_.resetZoom();
    viewMoved();
}

QImage DisplayCanvas::frame() const {
    QImage image = RenderPlayback(session_, showing_, devicePixelRatioF());
    QPainter painter(&image);
    PaintBar(painter, session_, showing_);
    return image;
}

std::optional<scene::Rect> DisplayCanvas::scrollContent() const {
    if (!showing_) {
        return std::nullopt;
    }
    return ScrollContent(session_.view(), session_.network(),
                         scene::MeasureWith(scene::SceneFont()));
}

void DisplayCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    PaintPlayback(painter, session_, showing_);
    PaintBar(painter, session_, showing_);
}

bool DisplayCanvas::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return MapScrollArea::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<std::string> tip =
        showing_ && session_.loaded()
            ? CellTipAt(session_.model(), session_.network(), session_.playback().step(),
                        session_.view().toMap(ToPoint(help->pos())))
            : std::nullopt;
    if (tip) {
        QToolTip::showText(help->globalPos(), QString::fromStdString(*tip), viewport());
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

void DisplayCanvas::mousePressEvent(QMouseEvent* event) {
    MapScrollArea::mousePressEvent(event);
    if (event->button() == Qt::RightButton) {
        session_.drag().press(ToPoint(event->position()));
    }
}

void DisplayCanvas::mouseMoveEvent(QMouseEvent* event) {
    MapScrollArea::mouseMoveEvent(event);
    if (panning()) {
        return;
    }
    // During playback the rectangle shows at the next tick.
    if (session_.drag().move(ToPoint(event->position())) && !session_.playback().timerOn()) {
        viewport()->update();
    }
}

void DisplayCanvas::mouseReleaseEvent(QMouseEvent* event) {
    MapScrollArea::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && session_.drag().dragging()) {
        session_.drag().move(ToPoint(event->position()));
        const scene::Viewport before = session_.view();
        session_.drag().release(session_.view());
        if (session_.view().zoom() != before.zoom() ||
            !(session_.view().origin() == before.origin())) {
            viewMoved();
        } else {
            viewChanged();
        }
    }
}

}  // namespace talvo::display
