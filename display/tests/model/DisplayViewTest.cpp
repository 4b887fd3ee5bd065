#include <gtest/gtest.h>

#include "model/DisplayView.h"

namespace talvo::display {
namespace {

TEST(DisplayView, ZoomRectangleFillsTheAreaInItsTighterDirection) {
    DisplayView view;
    // 1534.5 wide and 2187 high: x allows 10, y allows 5.
    ASSERT_TRUE(view.zoomToRectangle(PointD{1000, 2000}, PointD{2534.5, 4187}));
    EXPECT_DOUBLE_EQ(view.zoom(), 5.0);
    // The middle of the rectangle comes to the middle of the area.
    const PointD middle = view.toWindow(PointD{(1000 + 2534.5) / 2, (2000 + 4187) / 2.0});
    EXPECT_NEAR(middle.x, DisplayView::kAreaWidth / 2, 1e-9);
    EXPECT_NEAR(middle.y, DisplayView::kAreaHeight / 2, 1e-9);
}

TEST(DisplayView, ASecondZoomWorksOnTheZoomedPicture) {
    DisplayView view;
    view.zoomToRectangle(PointD{0, 0}, PointD{7672.5, 5467.5});  // zoom 2
    EXPECT_DOUBLE_EQ(view.zoom(), 2.0);
    const PointD mapPoint{1000, 1000};
    const PointD before = view.toWindow(mapPoint);
    view.zoomToRectangle(PointD{before.x - 200, before.y - 200},
                         PointD{before.x + 200, before.y + 200});
    EXPECT_DOUBLE_EQ(view.zoom(), 2.0 * 10935.0 / 400.0);
    const PointD after = view.toWindow(mapPoint);
    EXPECT_NEAR(after.x, DisplayView::kAreaWidth / 2, 1e-6);
    EXPECT_NEAR(after.y, DisplayView::kAreaHeight / 2, 1e-6);
}

TEST(DisplayView, ZoomNeverExceedsOneHundred) {
    DisplayView view;
    ASSERT_TRUE(view.zoomToRectangle(PointD{100, 100}, PointD{106, 106}));
    EXPECT_DOUBLE_EQ(view.zoom(), 100.0);
}

TEST(DisplayView, DragsOfFiveUnitsOrLessAreIgnored) {
    const std::pair<PointD, PointD> smallDrags[] = {
        {PointD{100, 100}, PointD{105, 900}},
        {PointD{100, 100}, PointD{900, 95}},
        {PointD{100, 100}, PointD{100, 100}},
    };
    for (const auto& [start, end] : smallDrags) {
        DisplayView view;
        EXPECT_FALSE(view.zoomToRectangle(start, end));
        EXPECT_EQ(view.zoom(), 1.0);
        EXPECT_EQ(view.offsetX(), 0.0);
    }
}

TEST(DisplayView, ResetReturnsToZoomOneAndNoOffset) {
    DisplayView view;
    view.zoomToRectangle(PointD{10, 10}, PointD{500, 500});
    view.reset();
    EXPECT_EQ(view.zoom(), 1.0);
    EXPECT_EQ(view.offsetX(), 0.0);
    EXPECT_EQ(view.offsetY(), 0.0);
}

TEST(ZoomDrag, PressMoveReleaseZoomsAndEndsTheDrag) {
    DisplayView view;
    ZoomDrag drag;
    EXPECT_FALSE(drag.move(PointD{1, 1}));  // no drag without a press
    drag.press(PointD{0, 0});
    EXPECT_TRUE(drag.dragging());
    EXPECT_TRUE(drag.move(PointD{1534.5, 1093.5}));
    EXPECT_TRUE(drag.release(view));
    EXPECT_FALSE(drag.dragging());
    EXPECT_DOUBLE_EQ(view.zoom(), 10.0);
    EXPECT_FALSE(drag.release(view));
}

}  // namespace
}  // namespace talvo::display
