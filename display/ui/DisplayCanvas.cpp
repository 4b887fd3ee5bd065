#include "ui/DisplayCanvas.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "model/DisplayScene.h"
#include "scenepainter/ScenePainter.h"
#include "ui/PlaybackPicture.h"

namespace talvo::display {
namespace {

// The window's design size: 15345 x 10935 twips at 15 to a pixel.
constexpr int kDesignWidth = 1023;
constexpr int kDesignHeight = 729;
// One notch of the wheel zooms by a quarter.
constexpr double kWheelZoomStep = 1.25;

scene::Point ToPoint(const QPointF& p) {
    return scene::Point{p.x(), p.y()};
}

}  // namespace

DisplayCanvas::DisplayCanvas(DisplaySession& session, QWidget* parent)
    : QAbstractScrollArea(parent), session_(session) {
    setObjectName("picDisplay");
    setFrameShape(QFrame::NoFrame);
    setMinimumSize(200, 150);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto follow = [this](bool horizontal) {
        return [this, horizontal](int value) {
            if (updatingBars_) {
                return;
            }
            if (horizontal) {
                session_.view().scrollHorizontallyTo(value);
            } else {
                session_.view().scrollVerticallyTo(value);
            }
            keepFitted_ = false;
            viewport()->update();
        };
    };
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, follow(true));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, follow(false));
}

QSize DisplayCanvas::sizeHint() const {
    return QSize(kDesignWidth, kDesignHeight);
}

void DisplayCanvas::setShowing(bool showing) {
    showing_ = showing;
    viewChanged();
}

void DisplayCanvas::fitNetwork() {
    FitNetwork(session_.view(), session_.network(), scene::MeasureWith(scene::SceneFont()));
    keepFitted_ = true;
    viewChanged();
}

void DisplayCanvas::zoomBy(double factor) {
    const scene::Size size = session_.view().size();
    session_.view().zoomBy(scene::Point{size.width / 2.0, size.height / 2.0}, factor);
    viewMoved();
}

void DisplayCanvas::resetZoom() {
    session_.resetZoom();
    viewMoved();
}

void DisplayCanvas::viewMoved() {
    keepFitted_ = false;
    viewChanged();
}

void DisplayCanvas::viewChanged() {
    updateScrollBars();
    viewport()->update();
    emit zoomChanged(session_.view().zoom());
}

QImage DisplayCanvas::frame() const {
    return RenderPlayback(session_, showing_, devicePixelRatioF());
}

QPointF DisplayCanvas::pixelOf(scene::Point map) const {
    const scene::Point p = session_.view().toPixels(map);
    return QPointF(p.x, p.y);
}

scene::Rect DisplayCanvas::scrollContent() const {
    const auto content = showing_ ? ScrollContent(session_.view(), session_.network(),
                                                  scene::MeasureWith(scene::SceneFont()))
                                  : std::nullopt;
    return content ? *content : session_.view().visibleMap();
}

void DisplayCanvas::updateScrollBars() {
    const scene::Rect content = scrollContent();
    const scene::ScrollAxis h = session_.view().horizontalScroll(content);
    const scene::ScrollAxis v = session_.view().verticalScroll(content);
    updatingBars_ = true;
    horizontalScrollBar()->setRange(h.minimum, h.maximum);
    horizontalScrollBar()->setPageStep(h.pageStep);
    horizontalScrollBar()->setSingleStep(std::max(1, h.pageStep / 20));
    horizontalScrollBar()->setValue(h.value);
    verticalScrollBar()->setRange(v.minimum, v.maximum);
    verticalScrollBar()->setPageStep(v.pageStep);
    verticalScrollBar()->setSingleStep(std::max(1, v.pageStep / 20));
    verticalScrollBar()->setValue(v.value);
    updatingBars_ = false;
}

void DisplayCanvas::scrollContentsBy(int, int) {
    // The picture is drawn whole from the view on every paint; the bars' handlers move it.
}

void DisplayCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    PaintPlayback(painter, session_, showing_);
}

void DisplayCanvas::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    session_.view().resize(scene::Size{static_cast<double>(viewport()->width()),
                                       static_cast<double>(viewport()->height())});
    if (keepFitted_) {
        FitNetwork(session_.view(), session_.network(), scene::MeasureWith(scene::SceneFont()));
        emit zoomChanged(session_.view().zoom());
    }
    updateScrollBars();
}

void DisplayCanvas::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0) {
        event->ignore();
        return;
    }
    session_.view().zoomBy(ToPoint(event->position()), std::pow(kWheelZoomStep, notches));
    viewMoved();
    event->accept();
}

void DisplayCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        session_.drag().press(ToPoint(event->position()));
    } else if (event->button() == Qt::MiddleButton) {
        panning_ = true;
        lastPan_ = event->position();
        viewport()->setCursor(Qt::ClosedHandCursor);
    }
}

void DisplayCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(session_.view().toMap(ToPoint(event->position())));
    if (panning_) {
        session_.view().panBy(ToPoint(event->position() - lastPan_));
        lastPan_ = event->position();
        keepFitted_ = false;
        updateScrollBars();
        viewport()->update();
        return;
    }
    // During playback the rectangle shows at the next tick.
    if (session_.drag().move(ToPoint(event->position())) && !session_.playback().timerOn()) {
        viewport()->update();
    }
}

void DisplayCanvas::mouseReleaseEvent(QMouseEvent* event) {
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
    } else if (event->button() == Qt::MiddleButton && panning_) {
        panning_ = false;
        viewport()->unsetCursor();
    }
}

}  // namespace talvo::display
