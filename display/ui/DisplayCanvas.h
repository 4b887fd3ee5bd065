#pragma once

#include <QImage>

#include "mapview/MapScrollArea.h"
#include "model/DisplaySession.h"

namespace talvo::display {

// picDisplay, the playback picture on the shared map area (fill, wheel zoom, pan, fit); the
// right button drags the zoom rectangle.
class DisplayCanvas : public scene::MapScrollArea {
    Q_OBJECT
  public:
    explicit DisplayCanvas(DisplaySession& session, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Whether anything is shown; a failed open leaves the picture cleared.
    void setShowing(bool showing);
    // "&Reset Zoom".
    void resetZoom();
    // The picture as shown, at the screen's pixel ratio.
    QImage frame() const;

  protected:
    void fitView() override;
    std::optional<scene::Rect> scrollContent() const override;
    void paintEvent(QPaintEvent* event) override;
    // A cell's tooltip: its ID, occupancy and shade at the step shown.
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    DisplaySession& session_;
    bool showing_ = false;  // until a run is loaded
};

}  // namespace talvo::display
