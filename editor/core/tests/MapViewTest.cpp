#include <gtest/gtest.h>

#include "core/MapView.h"

namespace talvo {
namespace {

TEST(RoundToInt16, HalvesGoToEven) {
    EXPECT_EQ(RoundToInt16(12.5), 12);
    EXPECT_EQ(RoundToInt16(13.5), 14);
    EXPECT_EQ(RoundToInt16(-0.5), 0);
    EXPECT_EQ(RoundToInt16(97.5), 98);
    EXPECT_EQ(RoundToInt16(2.4), 2);
    EXPECT_EQ(RoundToInt16(40000.0), 32767);
    EXPECT_EQ(RoundToInt16(-40000.0), -32768);
}

TEST(MapView, StartsAtZoomOneWithBarsCoveringTheMap) {
    const MapView view;
    EXPECT_EQ(view.zoomFactor(), 1.0);
    EXPECT_EQ(view.horizontal().max, 15360 - 14175);
    EXPECT_EQ(view.vertical().max, 11520 - 5805);
    EXPECT_EQ(view.horizontal().largeChange, 118);  // 118.5 to even
    EXPECT_EQ(view.vertical().smallChange, 57);
}

TEST(MapView, ZoomInStepsToTwoThenRefuses) {
    MapView view;
    EXPECT_TRUE(view.ZoomIn());
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 1.5);
    EXPECT_TRUE(view.ZoomIn());
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 2.0);
    EXPECT_FALSE(view.ZoomIn());
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 2.0);
    view.ResetZoom();
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 1.0);
}

TEST(MapView, TransformsBothWays) {
    MapView view;
    view.setScrollValues(100, 50);
    const ScreenPoint s = view.ToScreen(1000.4, 2000.5);
    EXPECT_EQ(s.x, 900);
    EXPECT_EQ(s.y, 1950);  // 1950.5 rounds to even
    const MapPoint m = view.PointerToMap(900, 1950);
    EXPECT_DOUBLE_EQ(m.x, 1000.0);
    EXPECT_DOUBLE_EQ(m.y, 2000.0);
}

TEST(MapView, RecentringKeepsThePointUnderThePointer) {
    MapView view;
    view.setScrollValues(600, 300);
    const MapPoint before = view.PointerToMap(3000, 1500);
    const double old = view.zoomFactor();
    ASSERT_TRUE(view.ZoomIn());
    view.Recentre(3000, 1500, old);
    EXPECT_EQ(view.horizontal().max, static_cast<int>(15360 * 1.5 - 14175));
    EXPECT_EQ(view.vertical().max, static_cast<int>(11520 * 1.5 - 5805));
    const MapPoint after = view.PointerToMap(3000, 1500);
    EXPECT_NEAR(after.x, before.x, 1.0);
    EXPECT_NEAR(after.y, before.y, 1.0);
    EXPECT_EQ(view.horizontal().largeChange, 886);  // 886.5 to even
}

TEST(MapView, ResetKeepsValuesWithinTheSmallerRange) {
    MapView view;
    const double z0 = view.zoomFactor();
    view.ZoomIn();
    view.Recentre(14000, 5000, z0);
    EXPECT_GT(view.horizontal().value, 1185);
    const double z1 = view.zoomFactor();
    view.ResetZoom();
    view.Recentre(14000, 5000, z1);
    EXPECT_EQ(view.horizontal().max, 1185);
    EXPECT_EQ(view.horizontal().value, 1185);
    EXPECT_LE(view.vertical().value, view.vertical().max);
}

}  // namespace
}  // namespace talvo
