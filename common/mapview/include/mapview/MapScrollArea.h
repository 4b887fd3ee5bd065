#pragma once
// The map's place in a window, the same in both programs: the picture fills it and grows
// with it; the wheel zooms about the pointer; the scroll bars and a middle-button drag pan;
// "Fit network" puts the whole network in view and keeps it so while the window is resized,
// until the picture is zoomed or moved. A program's map derives from it, paints its scene on
// viewport() and gives the other buttons their meaning (a subclass's mouse handlers pass
// the events on to these first).

#include <optional>

#include <QAbstractScrollArea>
#include <QPointF>
#include <QString>

#include "scene/Geometry.h"
#include "scene/Viewport.h"

namespace talvo::scene {

// The status bar's texts for the map: "x 1234  y 567" (map units) and "Zoom 1.50".
QString PointerText(Point map);
QString ZoomText(double zoom);

class MapScrollArea : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit MapScrollArea(Viewport& view, QWidget* parent = nullptr);

    Viewport& view() const { return view_; }
    // "Fit network": the whole network in view, and kept so while the window is resized.
    void fitNetwork();
    // Zooms by a factor about the middle of the picture, or to a zoom about a pixel (the map
    // point under it stays there); the zoom is held within the view's range.
    void zoomBy(double factor);
    void zoomAbout(QPointF pixel, double zoom);
    // After the view changed from outside: scroll bars, picture and zoom follow.
    void viewChanged();
    // The pixel of the picture (viewport) where a map point is drawn.
    QPointF pixelOf(Point map) const;

  signals:
    // The zoom, or the map point under the pointer, changed.
    void zoomChanged(double zoom);
    void pointerMoved(talvo::scene::Point map);

  protected:
    // Puts the whole network in view; leaves the view as it is when there is no network.
    virtual void fitView() = 0;
    // What the scroll bars reach besides what is in view (map units); nothing when empty.
    virtual std::optional<Rect> scrollContent() const = 0;
    // The user zoomed or moved the picture: it no longer follows the window's size.
    void viewMoved();
    void updateScrollBars();
    bool panning() const { return panning_; }

    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    Viewport& view_;
    bool panning_ = false;
    QPointF lastPan_;
    bool updatingBars_ = false;
    bool keepFitted_ = false;
};

}  // namespace talvo::scene
