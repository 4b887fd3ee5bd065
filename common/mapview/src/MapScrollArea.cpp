#include "mapview/MapScrollArea.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace talvo::scene {
namespace {

// One notch of the wheel zooms by a quarter.
constexpr double kWheelZoomStep = 1.25;
// A click on a scroll bar's arrow moves a twentieth of the page.
constexpr int kStepsPerPage = 20;

Point ToPoint(const QPointF& p) {
    return Point{p.x(), p.y()};
}

}  // namespace

QString PointerText(Point map) {
    return QString("x %1  y %2").arg(std::lround(map.x)).arg(std::lround(map.y));
}

QString ZoomText(double zoom) {
    return QString("Zoom %1").arg(zoom, 0, 'f', 2);
}

MapScrollArea::MapScrollArea(Viewport& view, QWidget* parent)
    : QAbstractScrollArea(parent), view_(view) {
    setFrameShape(QFrame::NoFrame);
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
                view_.scrollHorizontallyTo(value);
            } else {
                view_.scrollVerticallyTo(value);
            }
            keepFitted_ = false;
            viewport()->update();
        };
    };
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, follow(true));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, follow(false));
}

void MapScrollArea::fitNetwork() {
    fitView();
    keepFitted_ = true;
    viewChanged();
}

void MapScrollArea::zoomBy(double factor) {
    const Size size = view_.size();
    zoomAbout(QPointF(size.width / 2.0, size.height / 2.0), view_.zoom() * factor);
}

void MapScrollArea::zoomAbout(QPointF pixel, double zoom) {
    view_.zoomAbout(ToPoint(pixel), zoom);
    viewMoved();
}

void MapScrollArea::viewMoved() {
    keepFitted_ = false;
    viewChanged();
}

void MapScrollArea::viewChanged() {
    updateScrollBars();
    viewport()->update();
    emit zoomChanged(view_.zoom());
}

QPointF MapScrollArea::pixelOf(Point map) const {
    const Point p = view_.toPixels(map);
    return QPointF(p.x, p.y);
}

void MapScrollArea::updateScrollBars() {
    const std::optional<Rect> content = scrollContent();
    const Rect reach = content ? *content : view_.visibleMap();
    const ScrollAxis h = view_.horizontalScroll(reach);
    const ScrollAxis v = view_.verticalScroll(reach);
    updatingBars_ = true;
    for (const auto& [bar, axis] :
         {std::pair{horizontalScrollBar(), h}, {verticalScrollBar(), v}}) {
        bar->setRange(axis.minimum, axis.maximum);
        bar->setPageStep(axis.pageStep);
        bar->setSingleStep(std::max(1, axis.pageStep / kStepsPerPage));
        bar->setValue(axis.value);
    }
    updatingBars_ = false;
}

void MapScrollArea::scrollContentsBy(int, int) {
    // The picture is drawn whole from the view on every paint; the bars' handlers move it.
}

void MapScrollArea::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    view_.resize(
        Size{static_cast<double>(viewport()->width()), static_cast<double>(viewport()->height())});
    if (keepFitted_) {
        fitView();
        emit zoomChanged(view_.zoom());
    }
    updateScrollBars();
}

void MapScrollArea::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0) {
        event->ignore();
        return;
    }
    zoomAbout(event->position(), view_.zoom() * std::pow(kWheelZoomStep, notches));
    event->accept();
}

void MapScrollArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        panning_ = true;
        lastPan_ = event->position();
        viewport()->setCursor(Qt::ClosedHandCursor);
    }
}

void MapScrollArea::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(view_.toMap(ToPoint(event->position())));
    if (panning_) {
        view_.panBy(ToPoint(event->position() - lastPan_));
        lastPan_ = event->position();
        keepFitted_ = false;
        updateScrollBars();
        viewport()->update();
    }
}

void MapScrollArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && panning_) {
        panning_ = false;
        viewport()->unsetCursor();
    }
}

}  // namespace talvo::scene
