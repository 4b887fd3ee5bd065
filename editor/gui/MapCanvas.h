#pragma once

#include <QFont>
#include <QWidget>
#include <functional>

#include "core/ColourScheme.h"
#include "core/MapEditor.h"

class QTimer;

namespace talvo {

// picMap: paints the whole map from the model on every paint event and hands mouse
// and key input to the editing tools. Dragging works on the picTimer ticks. It draws
// again whenever the model, the selection or the highlight announce a change.
class MapCanvas : public QWidget {
    Q_OBJECT
  public:
    MapCanvas(const EditorModel& model, MapView& view, const ColourScheme& colours,
              MapEditor& editor, QWidget* parent = nullptr);

    // Schedules a repaint of the whole map.
    void RedrawMap();
    QTimer* dragTimer() const { return timer_; }
    // Text size on this picture, in screen units.
    std::pair<int, int> MeasureText(const std::string& text) const;

    // A right-button release: which pop-up menu, at which pointer (pixels on the map).
    std::function<void(MapEditor::PopupMenu, QPoint)> popupRequested;
    // The view's scroll offsets changed during a drag (auto-scroll).
    std::function<void()> scrolled;

  protected:
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
    MapView& view_;
    const ColourScheme& colours_;
    MapEditor& editor_;
    QFont font_;
    QTimer* timer_;
};

}  // namespace talvo
