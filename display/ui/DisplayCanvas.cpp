#include "ui/DisplayCanvas.h"

#include <QMouseEvent>
#include <QPainter>

#include "model/DisplayScene.h"
#include "ui/ScenePainter.h"

namespace talvo::display {
namespace {

// One window unit is a twip: 15 to a pixel on a 96 dpi screen.
constexpr int kDesignWidth = 1023;
constexpr int kDesignHeight = 729;

Scene EmptyScene() {
    Scene scene;
    scene.width = DisplayView::kAreaWidth;
    scene.height = DisplayView::kAreaHeight;
    scene.background = kDisplayBackground;
    return scene;
}

}  // namespace

DisplayCanvas::DisplayCanvas(DisplaySession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName("picDisplay");
    setMinimumSize(200, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize DisplayCanvas::sizeHint() const {
    return QSize(kDesignWidth, kDesignHeight);
}

QTransform DisplayCanvas::windowToPixels() const {
    return SceneTransform(EmptyScene(), QSizeF(size()), true);
}

void DisplayCanvas::setShowing(bool showing) {
    showing_ = showing;
    update();
}

void DisplayCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(
        rect(), QColor(kDisplayBackground.red, kDisplayBackground.green, kDisplayBackground.blue));
    const Scene scene = showing_ ? BuildDisplayScene(session_.model(), session_.view(),
                                                     session_.playback().step(), session_.drag())
                                 : EmptyScene();
    PaintScene(painter, scene, windowToPixels());
}

PointD DisplayCanvas::toWindowUnits(const QPointF& pixel) const {
    const QPointF point = windowToPixels().inverted().map(pixel);
    return PointD{point.x(), point.y()};
}

void DisplayCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        session_.drag().press(toWindowUnits(event->position()));
    }
}

void DisplayCanvas::mouseMoveEvent(QMouseEvent* event) {
    // During playback the rectangle shows at the next tick.
    if (session_.drag().move(toWindowUnits(event->position())) && !session_.playback().timerOn()) {
        update();
    }
}

void DisplayCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && session_.drag().dragging()) {
        session_.drag().move(toWindowUnits(event->position()));
        session_.drag().release(session_.view());
        update();
    }
}

}  // namespace talvo::display
