#include <gtest/gtest.h>

#include <cmath>

#include "scene/MapGeometry.h"

namespace talvo::scene {
namespace {

TEST(MapGeometry, RoundingGoesToEvenAndHoldsAtTheEndsOfSixteenBits) {
    EXPECT_EQ(RoundTo16Bit(12.5), 12);
    EXPECT_EQ(RoundTo16Bit(13.5), 14);
    EXPECT_EQ(RoundTo16Bit(-0.5), 0);
    EXPECT_EQ(RoundTo16Bit(40000.0), 32767);
    EXPECT_EQ(RoundTo16Bit(-40000.0), -32768);
}

TEST(MapGeometry, CellRectLiesAlongItsOrientation) {
    const CellScales scales{1.5, 100.0};
    EXPECT_EQ(CellRect(Point{1000, 1000}, 2, kHorizontalCell, 36, scales),
              (Rect{946, 800, 1054, 1200}));
    EXPECT_EQ(CellRect(Point{1000, 1000}, 2, kVerticalCell, 36, scales),
              (Rect{800, 946, 1200, 1054}));
    // Half-extents are rounded to whole numbers, halves to even: 1.5 x 25 = 37.5 -> 38.
    EXPECT_EQ(CellRect(Point{0, 0}, 1, kHorizontalCell, 25, scales).right, 38.0);
    // The area a click picks is not rounded.
    EXPECT_EQ(CellArea(Point{0, 0}, 1, kHorizontalCell, 25, scales).right, 37.5);
}

TEST(MapGeometry, FacingPointsUseSidesOrEndsBySlope) {
    const Rect cell = Rect::Around(Point{1000, 1000}, 50, 20);
    EXPECT_EQ(FacingPoint(cell, Point{2000, 1500}), (Point{1050, 1000}));
    EXPECT_EQ(FacingPoint(cell, Point{0, 1000}), (Point{950, 1000}));
    EXPECT_EQ(FacingPoint(cell, Point{1100, 3000}), (Point{1000, 1020}));
    EXPECT_EQ(FacingPoint(cell, Point{1000, 0}), (Point{1000, 980}));
    // Straight above or on the centre: the side towards larger y.
    EXPECT_EQ(FacingSide(cell, Point{1000, 1000}), Side::Bottom);
}

TEST(MapGeometry, ArrowHeadPointsBackAlongTheSegment) {
    const auto [left, right] = ArrowHeadEnds(Point{0, 0}, Point{100, 0}, 10);
    EXPECT_NEAR(left.x, 100 - 10 * std::cos(0.785), 1e-9);
    EXPECT_NEAR(left.y, -10 * std::sin(0.785), 1e-9);
    EXPECT_NEAR(right.y, 10 * std::sin(0.785), 1e-9);
    const auto [up, down] = ArrowHeadEnds(Point{0, 100}, Point{0, 0}, 10);
    EXPECT_GT(up.y, 0.0);  // a vertical segment still gets its head
    EXPECT_GT(down.y, 0.0);
}

TEST(MapGeometry, ClipKeepsSegmentsInsideTheArea) {
    const Rect area{0, 0, 200, 100};
    const auto inside = ClipSegment(Point{-100, 50}, Point{300, 50}, area);
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->first, (Point{0, 50}));
    EXPECT_EQ(inside->second, (Point{200, 50}));
    EXPECT_FALSE(ClipSegment(Point{-100, -10}, Point{300, -10}, area));
    const auto huge = ClipSegment(Point{-1e7, -1e7}, Point{1e7, 1e7}, area);
    ASSERT_TRUE(huge);
    EXPECT_NEAR(huge->second.x, 100, 1e-6);
    // An area away from the origin clips on its own edges.
    const auto shifted = ClipSegment(Point{0, 5}, Point{100, 5}, Rect{40, 0, 60, 10});
    ASSERT_TRUE(shifted);
    EXPECT_EQ(shifted->first.x, 40);
    EXPECT_EQ(shifted->second.x, 60);
}

}  // namespace
}  // namespace talvo::scene
