#include <gtest/gtest.h>

#include "scene/ScaleBar.h"

namespace talvo::scene {
namespace {

TEST(ScaleBar, CellsShareOneScaleSetByTheCellScaleAndTheTimeStep) {
    // A 36 km/h cell at scale 1.5 is drawn 108 units long and is 10 m long in a 1 s step.
    EXPECT_DOUBLE_EQ(*MapUnitsPerMetre(1.5, 1), 10.8);
    EXPECT_DOUBLE_EQ(*MapUnitsPerMetre(1.5, 2), 5.4);
    EXPECT_FALSE(MapUnitsPerMetre(0.0, 1));
    EXPECT_FALSE(MapUnitsPerMetre(1.5, 0));
}

TEST(ScaleBar, TheShortestRoundLengthOfAtLeastSixtyPixels) {
    struct Case {
        double pixelsPerMetre;
        double metres;
        const char* label;
    };
    const Case cases[] = {
        {0.72, 100.0, "100 m (cell length)"},  // zoom 1, 1 s steps
        {0.6, 100.0, "100 m (cell length)"},   // exactly 60 pixels
        {0.59, 200.0, "200 m (cell length)"}, {1.5, 50.0, "50 m (cell length)"},
        {0.05, 2000.0, "2 km (cell length)"}, {250.0, 0.5, "0.5 m (cell length)"},
    };
    for (const Case& c : cases) {
        const std::optional<ScaleBar> bar = ChooseScaleBar(c.pixelsPerMetre);
        ASSERT_TRUE(bar) << c.pixelsPerMetre;
        EXPECT_DOUBLE_EQ(bar->metres, c.metres) << c.pixelsPerMetre;
        EXPECT_EQ(bar->label, c.label);
        EXPECT_GE(bar->pixels, kScaleBarMinPixels - 1e-6);
        EXPECT_LE(bar->pixels, kScaleBarMaxPixels);
    }
    EXPECT_FALSE(ChooseScaleBar(0.0));
}

TEST(ScaleBar, FollowsTheZoom) {
    Viewport view;
    view.resize(Size{800, 600});
    view.zoomAbout(Point{}, 4.0);
    const std::optional<ScaleBar> bar = ScaleBarOf(view, 1.5, 1);
    ASSERT_TRUE(bar);
    EXPECT_DOUBLE_EQ(bar->metres, 50.0);  // 2.88 pixels a metre
    EXPECT_NEAR(bar->pixels, 144.0, 1e-9);
}

}  // namespace
}  // namespace talvo::scene
