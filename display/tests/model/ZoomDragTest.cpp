#include <gtest/gtest.h>

#include "model/ZoomDrag.h"

namespace talvo::display {
namespace {

TEST(ZoomDrag, PressMoveReleaseZoomsAndEndsTheDrag) {
    scene::Viewport view;
    view.resize(scene::Size{1000, 500});
    ZoomDrag drag;
    EXPECT_FALSE(drag.move(scene::Point{1, 1}));  // no drag without a press
    drag.press(scene::Point{0, 0});
    EXPECT_TRUE(drag.dragging());
    EXPECT_TRUE(drag.move(scene::Point{100, 50}));
    EXPECT_TRUE(drag.release(view));
    EXPECT_FALSE(drag.dragging());
    EXPECT_DOUBLE_EQ(view.zoom(), 10.0);
    EXPECT_FALSE(drag.release(view));
}

}  // namespace
}  // namespace talvo::display
