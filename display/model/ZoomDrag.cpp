#include "model/ZoomDrag.h"

namespace talvo::display {

void ZoomDrag::press(scene::Point point) {
    start_ = point;
    end_ = point;
    dragging_ = true;
}

bool ZoomDrag::move(scene::Point point) {
    if (!dragging_) {
        return false;
    }
    end_ = point;
    return true;
}

bool ZoomDrag::release(scene::Viewport& view) {
    if (!dragging_) {
        return false;
    }
    dragging_ = false;
    view.zoomToRectangle(start_, end_);
    return true;
}

}  // namespace talvo::display
