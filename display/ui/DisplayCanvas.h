#pragma once

#include <QAbstractScrollArea>
#include <QImage>

#include "model/DisplaySession.h"

namespace talvo::display {

// picDisplay, the playback picture: fills the window and grows with it; the wheel zooms
// about the pointer, the scroll bars and a middle-button drag pan, the right button drags
// the zoom rectangle. The picture is drawn on viewport(), which takes the mouse.
class DisplayCanvas : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit DisplayCanvas(DisplaySession& session, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Whether anything is shown; a failed open leaves the picture cleared.
    void setShowing(bool showing);
    // "Fit network": the whole network in view, and kept so when the window is resized
    // until the view is zoomed or moved.
    void fitNetwork();
    // "Zoom In", "Zoom Out" (about the middle of the view), "&Reset Zoom".
    void zoomBy(double factor);
    void resetZoom();
    // After the view changed from outside: scroll bars, status and picture follow.
    void viewChanged();
    // The picture as shown, at the screen's pixel ratio.
    QImage frame() const;
    // The pixel of the picture (viewport) where a map point is drawn.
    QPointF pixelOf(scene::Point map) const;

  signals:
    // The zoom, or the map point under the pointer, changed.
    void zoomChanged(double zoom);
    void pointerMoved(scene::Point map);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void updateScrollBars();
    scene::Rect scrollContent() const;
    // The user zoomed or moved the picture: it no longer follows the window's size.
    void viewMoved();

    DisplaySession& session_;
    bool showing_ = true;
    bool panning_ = false;
    QPointF lastPan_;
    bool updatingBars_ = false;
    bool keepFitted_ = false;
};

}  // namespace talvo::display
