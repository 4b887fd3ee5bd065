#include "MapCanvas.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "MapRenderer.h"
#include "QtMapSurface.h"

namespace talvo {

namespace {
constexpr int kDragIntervalMs = 30;
}

MapCanvas::MapCanvas(const EditorModel& model, MapView& view, const ColourScheme& colours,
                     MapEditor& editor, QWidget* parent)
    : QWidget(parent),
      model_(model),
      view_(view),
      colours_(colours),
      editor_(editor),
      font_("Sans Serif", 8) {
    setObjectName("picMap");
    setFixedSize(static_cast<int>(MapView::kViewWidth) / kTwipsPerPixel,
                 static_cast<int>(MapView::kViewHeight) / kTwipsPerPixel);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_ = new QTimer(this);
    timer_->setObjectName("picTimer");
    timer_->setInterval(kDragIntervalMs);
    connect(timer_, &QTimer::timeout, this, &MapCanvas::Tick);
    connect(&model_, &EditorModel::changed, this, &MapCanvas::RedrawMap);
    connect(&editor_, &MapEditor::selectionChanged, this, &MapCanvas::RedrawMap);
    connect(&editor_, &MapEditor::highlightChanged, this, &MapCanvas::RedrawMap);
}

bool MapCanvas::event(QEvent* event) {
    // The Delete key on the map belongs to the map (it refuses a multi-selection), not to
    // the Edit menu's shortcut.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void MapCanvas::RedrawMap() {
    update();
}

std::pair<int, int> MapCanvas::MeasureText(const std::string& text) const {
    const QFontMetrics metrics(font_);
    return {metrics.horizontalAdvance(QString::fromStdString(text)) * kTwipsPerPixel,
            metrics.height() * kTwipsPerPixel};
}

void MapCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QtMapSurface surface(painter, font_);
    MapRenderer renderer(model_.project(), view_, colours_, surface);
    renderer.RedrawMap(editor_.selection());
    ScreenPoint a;
    ScreenPoint b;
    if (editor_.RubberBand(a, b)) {
        renderer.DrawRubberBand(a, b, colours_.text);
    }
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPointF p = event->position() * kTwipsPerPixel;
    editor_.PressLeft(p.x(), p.y());
    if (editor_.dragging()) {
        timer_->start();
    }
    RedrawMap();
}

void MapCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click is not a press of its own: a double-click with
    // the cell tool makes one cell, not two on top of each other, and with the link tool
    // it does not try to link a cell to itself.
    event->accept();
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        const QPointF p = event->position() * kTwipsPerPixel;
        editor_.MovePointer(p.x(), p.y());
    }
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position() * kTwipsPerPixel;
    if (event->button() == Qt::LeftButton) {
        timer_->stop();
        editor_.ReleaseLeft(p.x(), p.y());
        RedrawMap();
    } else if (event->button() == Qt::RightButton) {
        const MapEditor::PopupMenu menu = editor_.ReleaseRight();
        if (menu != MapEditor::PopupMenu::None && popupRequested) {
            popupRequested(menu, event->position().toPoint());
        }
    }
}

void MapCanvas::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        editor_.DeleteKey();
        RedrawMap();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void MapCanvas::Tick() {
    const int h = view_.horizontal().value;
    const int v = view_.vertical().value;
    if (editor_.DragTick() || h != view_.horizontal().value || v != view_.vertical().value) {
        RedrawMap();
    }
    if ((h != view_.horizontal().value || v != view_.vertical().value) && scrolled) {
        scrolled();
    }
}

}  // namespace talvo
