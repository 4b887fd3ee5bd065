#pragma once

#include <QTransform>
#include <QWidget>

#include "model/DisplaySession.h"

namespace talvo::display {

// The playback picture: draws the session's model at the current step and turns the right
// mouse button into the zoom rectangle.
class DisplayCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit DisplayCanvas(DisplaySession& session, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Window units (the 15345 x 10935 drawing area) to pixels.
    QTransform windowToPixels() const;
    // Whether anything is shown; a failed open leaves the picture cleared.
    void setShowing(bool showing);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    PointD toWindowUnits(const QPointF& pixel) const;

    DisplaySession& session_;
    bool showing_ = true;
};

}  // namespace talvo::display
