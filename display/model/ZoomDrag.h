#pragma once

#include "scene/Geometry.h"
#include "scene/Viewport.h"

namespace talvo::display {

// The right-button rubber band, in view pixels.
class ZoomDrag {
  public:
    bool dragging() const { return dragging_; }
    scene::Point start() const { return start_; }
    scene::Point end() const { return end_; }

    void press(scene::Point point);
    // True when the pointer moved while dragging.
    bool move(scene::Point point);
    // Ends the drag and zooms the view to the rectangle; false when nothing was dragged.
    bool release(scene::Viewport& view);

  private:
    bool dragging_ = false;
    scene::Point start_;
    scene::Point end_;
};

}  // namespace talvo::display
