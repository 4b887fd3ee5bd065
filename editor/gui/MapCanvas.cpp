#include "MapCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "MapPicture.h"
#include "scenepainter/ScaleBarPainter.h"

namespace talvo {

namespace {

constexpr int kDragIntervalMs = 30;
// The map's first size: 14175 x 5805 twips at 15 to a pixel.
constexpr int kFirstWidth = 945;
constexpr int kFirstHeight = 387;
// The least that still shows a part of a network worth editing.
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 200;

std::optional<scene::ScaleBar> ScaleBarFor(const scene::Viewport& view, const Project& project) {
    return scene::ScaleBarOf(view, project.params.cellScaleX, project.params.timeStep);
}

}  // namespace

MapCanvas::MapCanvas(const EditorModel& model, scene::Viewport& view, const ColourScheme& colours,
                     MapEditor& editor, QWidget* parent)
    : MapScrollArea(view, parent), model_(model), colours_(colours), editor_(editor) {
    // picMap is the picture itself, the area's viewport.
    setObjectName("scrMap");
    viewport()->setObjectName("picMap");
    horizontalScrollBar()->setObjectName("hsbMap");
    verticalScrollBar()->setObjectName("vsbMap");
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);
    timer_ = new QTimer(this);
    timer_->setObjectName("picTimer");
    timer_->setInterval(kDragIntervalMs);
    connect(timer_, &QTimer::timeout, this, &MapCanvas::Tick);
    // A change of the network may change how far the scroll bars reach.
    connect(&model_, &EditorModel::changed, this, [this] {
        updateScrollBars();
        RedrawMap();
    });
    connect(&editor_, &MapEditor::selectionChanged, this, &MapCanvas::RedrawMap);
    connect(&editor_, &MapEditor::highlightChanged, this, &MapCanvas::RedrawMap);
}

QSize MapCanvas::sizeHint() const {
    return QSize(kFirstWidth, kFirstHeight);
}

void MapCanvas::RedrawMap() {
    viewport()->update();
}

QImage MapCanvas::frame() const {
    QImage image = RenderEditorMap(model_.project(), colours_, editor_.selection(), view(),
                                   devicePixelRatioF());
    QPainter painter(&image);
    scene::PaintScaleBar(painter, ScaleBarFor(view(), model_.project()),
                         QRectF(0.0, 0.0, view().size().width, view().size().height));
    return image;
}

void MapCanvas::fitView() {
    picture_.fit(view(), model_.project());
}

std::optional<scene::Rect> MapCanvas::scrollContent() const {
    return picture_.content(model_.project());
}

bool MapCanvas::event(QEvent* event) {
    // The Delete key on the map belongs to the map (it refuses a multi-selection), not to
    // the Edit menu's shortcut.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        event->accept();
        return true;
    }
    return MapScrollArea::event(event);
}

void MapCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    picture_.paint(painter, model_.project(), colours_, editor_.selection(), view(),
                   editor_.RubberBand());
    // Over the map, fixed on the screen; the pictures of the map for files and print leave
    // it out.
    scene::PaintScaleBar(painter, ScaleBarFor(view(), model_.project()), viewport()->rect());
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    setFocus();
    MapScrollArea::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || panning()) {
        return;
    }
    const QPointF p = event->position();
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
    MapScrollArea::mouseMoveEvent(event);
    if (!panning() && (event->buttons() & Qt::LeftButton)) {
        const QPointF p = event->position();
        editor_.MovePointer(p.x(), p.y());
    }
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    MapScrollArea::mouseReleaseEvent(event);
    const QPointF p = event->position();
    if (event->button() == Qt::LeftButton) {
        timer_->stop();
        editor_.ReleaseLeft(p.x(), p.y());
        RedrawMap();
    } else if (event->button() == Qt::RightButton) {
        const MapEditor::PopupMenu menu = editor_.ReleaseRight();
        if (menu != MapEditor::PopupMenu::None && popupRequested) {
            popupRequested(menu, p.toPoint());
        }
    }
}

void MapCanvas::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        editor_.DeleteKey();
        RedrawMap();
        return;
    }
    MapScrollArea::keyReleaseEvent(event);
}

void MapCanvas::Tick() {
    const scene::Point before = view().origin();
    const bool rubberBand = editor_.DragTick();
    const bool scrolled = !(view().origin() == before);
    if (scrolled) {
        // The drag scrolled the map: no longer the fitted view.
        viewMoved();
    } else if (rubberBand) {
        RedrawMap();
    }
}

}  // namespace talvo
