#include <gtest/gtest.h>

#include <cmath>

#include "model/DisplayScene.h"
#include "model/MapGeometry.h"

namespace talvo::display {
namespace {

DisplayModel OneSignalModel() {
    DisplayModel model;
    model.parameters.jamDensity = 150;
    model.parameters.timeStep = 1;
    model.parameters.startStep = 10;
    model.parameters.endStep = 20;
    model.parameters.cellScaleX = 1.5;
    model.parameters.cellScaleY = 100;
    DisplayCell a;
    a.cellID = 1;
    a.x = 1000;
    a.y = 1000;
    a.laneNum = 2;
    a.orientation = 1;
    a.speed = 36;  // holds 2 x 36 x 150 / 3600 = 3 vehicles at jam
    a.signalID = 1;
    a.occupancy.assign(21, 0.0);
    DisplayCell b = a;
    b.cellID = 2;
    b.x = 2000;
    b.signalID = 0;
    model.cells = {a, b};
    model.links = {DisplayLink{1, 1, 2, 3}};
    DisplayNode node;
    node.nodeID = 3;
    node.x = 1500;
    node.y = 1000;
    model.nodes = {node};
    model.sizeSignalTable();
    return model;
}

struct ShadeCase {
    double vehicles;
    int step;
    Rgb expected;
};

TEST(CellShade, FollowsTheShareOfJamDensity) {
    DisplayModel model = OneSignalModel();
    const ShadeCase cases[] = {
        {0.0, 11, kWhite},               // empty
        {3.0, 11, kBlack},               // at jam density
        {4.5, 11, kBlack},               // above it
        {1.5, 11, Rgb{128, 128, 128}},   // half full: 255 - 127.5, halves to even
        {0.75, 11, Rgb{191, 191, 191}},  // 255 - 63.75
        {3.0, 10, kWhite},               // up to startStep every cell is white
    };
    for (const ShadeCase& c : cases) {
        model.cells[0].occupancy[static_cast<size_t>(c.step)] = c.vehicles;
        EXPECT_EQ(CellShade(model.cells[0], model.parameters, c.step), c.expected)
            << c.vehicles << " vehicles at step " << c.step;
    }
}

TEST(CellShade, TimeStepLengthensTheCell) {
    DisplayModel model = OneSignalModel();
    model.parameters.timeStep = 2;  // now holds 6
    model.cells[0].occupancy[12] = 3.0;
    EXPECT_EQ(CellShade(model.cells[0], model.parameters, 12), (Rgb{128, 128, 128}));
}

TEST(CellShade, ACellThatHoldsNothingIsWhiteOrBlackNeverADivisionByZero) {
    DisplayModel model = OneSignalModel();
    model.parameters.jamDensity = 0;
    EXPECT_EQ(CellShade(model.cells[0], model.parameters, 12), kWhite);
    model.cells[0].occupancy[12] = 1.0;
    EXPECT_EQ(CellShade(model.cells[0], model.parameters, 12), kBlack);
}

TEST(MapGeometry, CellExtentFollowsOrientation) {
    DisplayModel model = OneSignalModel();
    CellExtent e = CellExtentOf(model.cells[0], model.parameters);
    EXPECT_EQ(e.halfX, 54.0);
    EXPECT_EQ(e.halfY, 200.0);
    model.cells[0].orientation = 2;
    e = CellExtentOf(model.cells[0], model.parameters);
    EXPECT_EQ(e.halfX, 200.0);
    EXPECT_EQ(e.halfY, 54.0);
}

TEST(MapGeometry, FacingPointsUseSidesOrEndsBySlope) {
    const CellExtent cell{PointD{1000, 1000}, 50, 20};
    EXPECT_EQ(FacingPoint(cell, PointD{2000, 1500}), (PointD{1050, 1000}));
    EXPECT_EQ(FacingPoint(cell, PointD{0, 1000}), (PointD{950, 1000}));
    EXPECT_EQ(FacingPoint(cell, PointD{1100, 3000}), (PointD{1000, 1020}));
    EXPECT_EQ(FacingPoint(cell, PointD{1000, 0}), (PointD{1000, 980}));
    EXPECT_EQ(FacingPoint(cell, PointD{1000, 1000}), (PointD{1000, 1020}));
}

TEST(MapGeometry, ArrowHeadPointsBackAlongTheSegment) {
    const auto [left, right] = ArrowHead(PointD{0, 0}, PointD{100, 0}, 10, kWhite);
    EXPECT_EQ(left.from, (PointD{100, 0}));
    EXPECT_NEAR(left.to.x, 100 - 10 * std::cos(0.785), 1e-9);
    EXPECT_NEAR(left.to.y, -10 * std::sin(0.785), 1e-9);
    EXPECT_NEAR(right.to.y, 10 * std::sin(0.785), 1e-9);
    const auto [up, down] = ArrowHead(PointD{0, 100}, PointD{0, 0}, 10, kWhite);
    EXPECT_GT(up.to.y, 0.0);  // a vertical segment still gets its head
    EXPECT_GT(down.to.y, 0.0);
}

TEST(MapGeometry, ClipKeepsSegmentsInsideTheArea) {
    auto inside = ClipSegment(PointD{-100, 50}, PointD{300, 50}, 200, 100);
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->first, (PointD{0, 50}));
    EXPECT_EQ(inside->second, (PointD{200, 50}));
    EXPECT_FALSE(ClipSegment(PointD{-100, -10}, PointD{300, -10}, 200, 100));
    const auto huge = ClipSegment(PointD{-1e7, -1e7}, PointD{1e7, 1e7}, 200, 100);
    ASSERT_TRUE(huge);
    EXPECT_NEAR(huge->second.x, 100, 1e-6);
}

std::vector<Rgb> LineColours(const Scene& scene) {
    std::vector<Rgb> colours;
    for (const ScenePrimitive& p : scene.primitives) {
        if (const auto* line = std::get_if<SceneLine>(&p)) {
            colours.push_back(line->colour);
        }
    }
    return colours;
}

TEST(DisplayScene, SignalisedLinkTakesItsStateAfterStartStep) {
    DisplayModel model = OneSignalModel();
    model.signalRows[0].states = {1, 1, 1, 2, 0, 0, 0, 0, 0, 0, 0};
    const DisplayView view;
    const ZoomDrag drag;
    // Two segments through the node, in the state's colour.
    EXPECT_EQ(LineColours(BuildDisplayScene(model, view, 10, drag)),
              (std::vector<Rgb>{kSignalRed, kSignalRed}));
    EXPECT_EQ(LineColours(BuildDisplayScene(model, view, 11, drag)),
              (std::vector<Rgb>{kSignalGreen, kSignalGreen}));
    EXPECT_EQ(LineColours(BuildDisplayScene(model, view, 13, drag)),
              (std::vector<Rgb>{kSignalAmber, kSignalAmber}));
    EXPECT_EQ(LineColours(BuildDisplayScene(model, view, 14, drag)),
              (std::vector<Rgb>{kSignalRed, kSignalRed}));
}

TEST(DisplayScene, RedLinksAreDrawnLastAndPlainLinksFirst) {
    DisplayModel model = OneSignalModel();
    DisplayCell c = model.cells[1];
    c.cellID = 4;
    c.x = 3000;
    c.signalID = 2;
    model.cells.push_back(c);
    DisplayCell d = c;
    d.cellID = 5;
    d.x = 4000;
    model.cells.push_back(d);
    model.links = {DisplayLink{1, 4, 5, 3}, DisplayLink{2, 1, 2, 3}, DisplayLink{3, 2, 4, 0}};
    model.sizeSignalTable();
    model.signalRows[0].states.assign(11, kRed);
    model.signalRows[1].states.assign(11, kGreen);
    const Scene scene = BuildDisplayScene(model, DisplayView{}, 12, ZoomDrag{});
    EXPECT_EQ(LineColours(scene), (std::vector<Rgb>{kWhite, kWhite, kWhite, kSignalGreen,
                                                    kSignalGreen, kSignalRed, kSignalRed}));
}

TEST(DisplayScene, OccupancyIsPrintedOnlyAfterStepZero) {
    DisplayModel model = OneSignalModel();
    model.cells[0].occupancy[5] = 1.17;
    auto texts = [&](int step) {
        std::vector<std::string> all;
        for (const ScenePrimitive& p :
             BuildDisplayScene(model, DisplayView{}, step, ZoomDrag{}).primitives) {
            if (const auto* text = std::get_if<SceneText>(&p)) {
                all.push_back(text->text);
            }
        }
        return all;
    };
    EXPECT_EQ(texts(0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(texts(5), (std::vector<std::string>{"1", "1.17", "2", "0", "3"}));
}

TEST(DisplayScene, NodesAreBlackRingsLabelledClearOfTheirCells) {
    const DisplayModel model = OneSignalModel();
    DisplayView view;
    view.zoomToRectangle(PointD{0, 0}, PointD{7672.5, 5467.5});  // zoom 2
    const Scene scene = BuildDisplayScene(model, view, 12, ZoomDrag{});
    const SceneCircle* ring = nullptr;
    const SceneText* label = nullptr;
    for (const ScenePrimitive& p : scene.primitives) {
        if (const auto* circle = std::get_if<SceneCircle>(&p)) {
            ring = circle;
        }
        if (const auto* text = std::get_if<SceneText>(&p); text != nullptr && text->text == "3") {
            label = text;
        }
    }
    ASSERT_NE(ring, nullptr);
    ASSERT_NE(label, nullptr);
    const PointD centre = view.toWindow(PointD{1500, 1000});
    EXPECT_EQ(ring->centre, centre);
    EXPECT_EQ(ring->radius, 400.0);
    EXPECT_EQ(ring->outline, kBlack);
    // Unfilled, so that the signal colours through the junction stay visible.
    EXPECT_FALSE(ring->filled);
    // Beside the ring on its diagonal, off the horizontal and vertical lines its cells lie on.
    EXPECT_GT(label->anchor.x, centre.x + ring->radius * 0.7);
    EXPECT_LT(label->anchor.y, centre.y - ring->radius * 0.7);
    // White on black, readable over a cell of any shade.
    EXPECT_EQ(label->colour, kWhite);
    EXPECT_EQ(label->backing, kBlack);
}

TEST(DisplayScene, TheDraggedRectangleIsRed) {
    const DisplayModel model;
    ZoomDrag drag;
    drag.press(PointD{10, 10});
    drag.move(PointD{300, 200});
    EXPECT_EQ(LineColours(BuildDisplayScene(model, DisplayView{}, 0, drag)),
              (std::vector<Rgb>(4, kSignalRed)));
}

}  // namespace
}  // namespace talvo::display
