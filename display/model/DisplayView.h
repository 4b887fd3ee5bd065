#pragma once

#include "model/Scene.h"

namespace talvo::display {

// The playback window's view: a map point (x, y) is drawn at (x zoom + offset x,
// y zoom + offset y) in window units on a drawing area of 15345 x 10935.
class DisplayView {
  public:
    static constexpr double kAreaWidth = 15345.0;
    static constexpr double kAreaHeight = 10935.0;
    static constexpr double kMaxZoom = 100.0;
    static constexpr double kMinDrag = 5.0;

    double zoom() const { return zoom_; }
    double offsetX() const { return offsetX_; }
    double offsetY() const { return offsetY_; }

    PointD toWindow(PointD map) const {
        return PointD{map.x * zoom_ + offsetX_, map.y * zoom_ + offsetY_};
    }

    // "&Reset Zoom": zoom 1, offsets 0.
    void reset();
    // Zooms so that the rectangle between two window points fills the area in its tighter
    // direction, centred; false (nothing changed) when it is 5 units or less either way.
    bool zoomToRectangle(PointD start, PointD end);

  private:
    double zoom_ = 1.0;
    double offsetX_ = 0.0;
    double offsetY_ = 0.0;
};

// The right-button rubber band.
class ZoomDrag {
  public:
    bool dragging() const { return dragging_; }
    PointD start() const { return start_; }
    PointD end() const { return end_; }

    void press(PointD point);
    // True when the pointer moved while dragging.
    bool move(PointD point);
    // Ends the drag and zooms the view; false when nothing was dragged.
    bool release(DisplayView& view);

  private:
    bool dragging_ = false;
    PointD start_;
    PointD end_;
};

}  // namespace talvo::display
