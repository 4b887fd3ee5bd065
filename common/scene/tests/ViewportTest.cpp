#include <gtest/gtest.h>

#include "scene/MapGeometry.h"
#include "scene/Viewport.h"

namespace talvo::scene {
namespace {

Viewport ViewOf(double width, double height) {
    Viewport view;
    view.resize(Size{width, height});
    return view;
}

void ExpectNear(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6);
    EXPECT_NEAR(actual.y, expected.y, 1e-6);
}

TEST(Viewport, ZoomAboutThePointerKeepsTheMapPointUnderIt) {
    Viewport view = ViewOf(800, 600);
    // Zoom 1: fifteen map units to a pixel.
    ExpectNear(view.toPixels(Point{1500, 300}), Point{100, 20});
    const Point pointer{200, 150};
    const Point under = view.toMap(pointer);
    view.zoomBy(pointer, 2.5);
    EXPECT_DOUBLE_EQ(view.zoom(), 2.5);
    ExpectNear(view.toPixels(under), pointer);
}

TEST(Viewport, ZoomStaysBetweenATenthAndSixteen) {
    Viewport view = ViewOf(800, 600);
    view.zoomBy(Point{}, 1000);
    EXPECT_EQ(view.zoom(), 16.0);
    view.zoomBy(Point{}, 1e-6);
    EXPECT_EQ(view.zoom(), 0.1);
}

TEST(Viewport, ZoomRectangleFillsTheViewInItsTighterDirection) {
    Viewport view = ViewOf(1000, 500);
    // 100 x 100 pixels: y allows 5, x 10.
    ASSERT_TRUE(view.zoomToRectangle(Point{100, 200}, Point{200, 300}));
    EXPECT_DOUBLE_EQ(view.zoom(), 5.0);
    // The middle of the rectangle comes to the middle of the view.
    ExpectNear(view.toPixels(Point{150 * kMapUnitsPerPixel, 250 * kMapUnitsPerPixel}),
               Point{500, 250});
    // A drag of five pixels or less either way is a click.
    EXPECT_FALSE(view.zoomToRectangle(Point{10, 10}, Point{15, 400}));
    EXPECT_DOUBLE_EQ(view.zoom(), 5.0);
}

TEST(Viewport, FitCentresTheMapWithItsMargin) {
    Viewport view = ViewOf(1000, 500);
    const Rect map{3000, 1000, 9000, 2000};  // 6000 x 1000: the width decides
    view.fit(map, 20.0, 160.0);
    // 1000 - 40 - 160 = 800 pixels for 6000 units.
    EXPECT_NEAR(view.zoom(), 800.0 / 6000.0 * kMapUnitsPerPixel, 1e-9);
    ExpectNear(view.toPixels(Point{3000, 1500}), Point{20, 250});
    ExpectNear(view.toPixels(Point{9000, 1500}), Point{820, 250});
}

TEST(Viewport, ScrollBarsCoverTheContentAndWhatIsVisible) {
    Viewport view = ViewOf(400, 300);
    const Rect content{0, 0, 12000, 3000};  // 800 x 200 pixels at zoom 1
    ScrollAxis h = view.horizontalScroll(content);
    EXPECT_EQ(h.minimum, 0);
    EXPECT_EQ(h.maximum, 400);
    EXPECT_EQ(h.value, 0);
    EXPECT_EQ(h.pageStep, 400);
    // Vertically everything shows: nothing to scroll.
    const ScrollAxis v = view.verticalScroll(content);
    EXPECT_EQ(v.minimum, v.maximum);
    view.scrollHorizontallyTo(250);
    EXPECT_NEAR(view.origin().x, 250 * kMapUnitsPerPixel, 1e-9);
    // Panned beyond the content, the bar reaches as far as the view.
    view.panBy(Point{600, 0});
    h = view.horizontalScroll(content);
    EXPECT_EQ(h.minimum, -350);
    EXPECT_EQ(h.value, -350);
}

}  // namespace
}  // namespace talvo::scene
