#pragma once

#include <QImage>
#include <functional>

#include "MapPicture.h"
#include "core/ColourScheme.h"
#include "core/MapEditor.h"
#include "mapview/MapScrollArea.h"

class QTimer;

namespace talvo {

// scrMap: the editor's map on the shared map area, which fills its frame and grows with it
// (the picture picMap, wheel zoom about the pointer, scroll bars hsbMap and vsbMap,
// middle-button pan, fit). It
// paints the whole map from the model on every paint event and hands the left and right
// buttons and the keys to the editing tools; dragging works on the picTimer ticks. It draws
// again whenever the model, the selection or the highlight announce a change.
class MapCanvas : public scene::MapScrollArea {
    Q_OBJECT
  public:
    MapCanvas(const EditorModel& model, scene::Viewport& view, const ColourScheme& colours,
              MapEditor& editor, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Schedules a repaint of the whole map.
    void RedrawMap();
    QTimer* dragTimer() const { return timer_; }
    // The picture as shown, at the screen's pixel ratio.
    QImage frame() const;

    // A right-button release: which pop-up menu, at which pointer (pixels on the map).
    std::function<void(MapEditor::PopupMenu, QPoint)> popupRequested;

  protected:
    void fitView() override;
    std::optional<scene::Rect> scrollContent() const override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void Tick();

    const EditorModel& model_;
    const ColourScheme& colours_;
    MapEditor& editor_;
    QTimer* timer_;
    // The network as last drawn, kept while the project stays the same.
    mutable EditorMapPainter picture_;
};

}  // namespace talvo
