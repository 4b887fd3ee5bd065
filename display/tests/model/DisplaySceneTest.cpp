#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/DisplayScene.h"

namespace talvo::display {
namespace {

DisplayModel OneSignalModel() {
    DisplayModel model;
    GlobalParameters& parameters = model.project.params;
    parameters.jamDensity = 150;
    parameters.timeStep = 1;
    parameters.startStep = 10;
    parameters.endStep = 20;
    parameters.cellScaleX = 1.5;
    parameters.cellScaleY = 100;
    CellRecord a;
    a.cellID = 1;
    a.x = 1000;
    a.y = 1000;
    a.laneNum = 2;
    a.orientation = 1;
    a.speed = 36;  // holds 2 x 36 x 150 / 3600 = 3 vehicles at jam
    a.signalID = 1;
    model.occupancy[1].assign(21, 0.0);
    CellRecord b = a;
    b.cellID = 2;
    b.x = 2000;
    b.signalID = 0;
    model.occupancy[2].assign(21, 0.0);
    model.project.tables.cells = {a, b};
    model.project.tables.links = {LinkRecord{1, 1, 2, 3}};
    NodeRecord node;
    node.nodeID = 3;
    node.x = 1500;
    node.y = 1000;
    model.project.tables.nodes = {node};
    model.sizeSignalTable();
    return model;
}

// The shade of the model's first cell.
scene::Colour FirstCellShade(const DisplayModel& model, int step) {
    return CellShade(model, scene::MapNetworkOf(model.project).cells[0], step);
}

struct ShadeCase {
    double vehicles;
    int step;
    scene::Colour expected;
};

TEST(CellShade, FollowsTheShareOfJamDensity) {
    DisplayModel model = OneSignalModel();
    const ShadeCase cases[] = {
        {0.0, 11, scene::kWhite},                  // empty
        {3.0, 11, scene::kBlack},                  // at jam density
        {4.5, 11, scene::kBlack},                  // above it
        {1.5, 11, scene::Colour{128, 128, 128}},   // half full: 255 - 127.5, halves to even
        {0.75, 11, scene::Colour{191, 191, 191}},  // 255 - 63.75
        {3.0, 10, scene::kWhite},                  // up to startStep every cell is white
    };
    for (const ShadeCase& c : cases) {
        model.occupancy[1][static_cast<size_t>(c.step)] = c.vehicles;
        EXPECT_EQ(FirstCellShade(model, c.step), c.expected)
            << c.vehicles << " vehicles at step " << c.step;
    }
}

TEST(CellShade, TimeStepLengthensTheCell) {
    DisplayModel model = OneSignalModel();
    model.project.params.timeStep = 2;  // now holds 6
    model.occupancy[1][12] = 3.0;
    EXPECT_EQ(FirstCellShade(model, 12), (scene::Colour{128, 128, 128}));
}

TEST(CellShade, ACellThatHoldsNothingIsWhiteOrBlackNeverADivisionByZero) {
    DisplayModel model = OneSignalModel();
    model.project.params.jamDensity = 0;
    EXPECT_EQ(FirstCellShade(model, 12), scene::kWhite);
    model.occupancy[1][12] = 1.0;
    EXPECT_EQ(FirstCellShade(model, 12), scene::kBlack);
}

// Every text 7 pixels a character wide and 14 high.
scene::Size Measure(const std::string& text, bool) {
    return scene::Size{7.0 * static_cast<double>(text.size()), 14.0};
}

scene::Scene Build(const DisplayModel& model, int step, const ZoomDrag& drag = ZoomDrag{}) {
    return BuildPlaybackScene(model, scene::MapNetworkOf(model.project), step, Measure,
                              scene::Size{1000, 600}, drag);
}

std::vector<scene::Colour> LineColours(const scene::Layer& layer) {
    std::vector<scene::Colour> colours;
    for (const scene::Primitive& p : layer.items) {
        if (const auto* line = std::get_if<scene::Line>(&p)) {
            colours.push_back(line->stroke.colour);
        }
    }
    return colours;
}

template <typename T>
std::vector<const T*> All(const scene::Layer& layer) {
    std::vector<const T*> found;
    for (const scene::Primitive& p : layer.items) {
        if (const auto* item = std::get_if<T>(&p)) {
            found.push_back(item);
        }
    }
    return found;
}

// The model's cell 2 only receives: the model with a link on from it to a cell 6.
DisplayModel ThroughModel() {
    DisplayModel model = OneSignalModel();
    NetworkTables& tables = model.project.tables;
    CellRecord after = tables.cells[1];
    after.cellID = 6;
    after.x = 3000;
    tables.cells.push_back(after);
    model.occupancy[6].assign(21, 0.0);
    tables.links.push_back(LinkRecord{2, 2, 6, 0});
    model.sizeSignalTable();
    return model;
}

TEST(DisplayScene, SignalisedLinkTakesItsStateAfterStartStep) {
    DisplayModel model = OneSignalModel();
    model.signalRows.at(1).states = {1, 1, 1, 2, 0, 0, 0, 0, 0, 0, 0};
    const std::vector<scene::Colour> sink = LineColours(Build(model, 10).world);
    // Two segments through the node in the state's colour, then the sink's cross.
    ASSERT_EQ(sink.size(), 4U);
    EXPECT_EQ(sink[0], kSignalRed);
    EXPECT_EQ(LineColours(Build(model, 11).world)[0], kSignalGreen);
    EXPECT_EQ(LineColours(Build(model, 13).world)[1], kSignalAmber);
    EXPECT_EQ(LineColours(Build(model, 14).world)[0], kSignalRed);
}

TEST(DisplayScene, RedLinksAreDrawnLastAndPlainLinksFirst) {
    DisplayModel model = ThroughModel();
    NetworkTables& tables = model.project.tables;
    CellRecord c = tables.cells[1];
    c.cellID = 4;
    c.x = 3000;
    c.y = 2000;
    c.signalID = 2;
    tables.cells.push_back(c);
    CellRecord d = c;
    d.cellID = 5;
    d.x = 4000;
    tables.cells.push_back(d);
    tables.links = {LinkRecord{1, 4, 5, 3}, LinkRecord{2, 1, 2, 3}, LinkRecord{3, 2, 6, 0},
                    LinkRecord{4, 5, 6, 0}};
    model.sizeSignalTable();
    model.signalRows.at(1).states.assign(11, kRed);
    model.signalRows.at(2).states.assign(11, kGreen);
    std::vector<scene::Colour> lines = LineColours(Build(model, 12).world);
    lines.resize(10);  // the links; cell 6's sink cross follows
    EXPECT_EQ(lines, (std::vector<scene::Colour>{
                         scene::kWhite, scene::kWhite, scene::kWhite, scene::kWhite, scene::kWhite,
                         scene::kWhite, kSignalGreen, kSignalGreen, kSignalRed, kSignalRed}));
}

TEST(DisplayScene, OccupancyValuesComeAfterStepZeroInsideTheirCellsAndGiveWay) {
    DisplayModel model = ThroughModel();
    model.occupancy[1][5] = 1.17;
    auto valuesOf = [](const scene::Scene& picture) {
        std::vector<const scene::Text*> found;
        for (const scene::Text* text : All<scene::Text>(picture.world)) {
            if (text->within) {
                found.push_back(text);
            }
        }
        return found;
    };
    EXPECT_TRUE(valuesOf(Build(model, 0)).empty());
    const scene::Scene picture = Build(model, 5);
    const std::vector<const scene::Text*> shown = valuesOf(picture);
    ASSERT_EQ(shown.size(), 2U);  // cells 1 and 2; cell 6 is a sink
    EXPECT_EQ(shown[0]->text, "1.17");
    EXPECT_TRUE(shown[0]->givesWay);
    // Below the horizontal cell, inside it: away from the links on its sides.
    EXPECT_EQ(shown[0]->align, scene::Align::Bottom);
    EXPECT_EQ(shown[0]->anchor, (scene::Point{1000, 1200}));
    EXPECT_EQ(*shown[0]->within, (scene::Rect{946, 800, 1054, 1200}));
    // Drawn after every ID and label, so that the values are the ones that give way.
    EXPECT_EQ(All<scene::Text>(picture.world).back(), shown[1]);
}

TEST(DisplayScene, AValueLooksAndIsPlacedAlikeOnEveryShade) {
    DisplayModel model = ThroughModel();
    std::vector<scene::Text> values;
    for (const double vehicles : {0.02, 1.5, 3.0, 12.25}) {  // nearly empty to beyond jam
        model.occupancy[1][12] = vehicles;
        const scene::Scene picture = Build(model, 12);  // outlives the texts it holds
        for (const scene::Text* text : All<scene::Text>(picture.world)) {
            if (text->within && text->anchor.x == 1000) {
                values.push_back(*text);
            }
        }
    }
    ASSERT_EQ(values.size(), 4U);
    for (const scene::Text& value : values) {
        EXPECT_EQ(value.colour, values[0].colour) << value.text;
        ASSERT_TRUE(value.backing) << value.text;
        EXPECT_EQ(value.backing, values[0].backing);
        // The cell holds 3 at jam: placed as "0.00" would be, whatever it shows.
        EXPECT_EQ(value.fitsAs, "0.00");
    }
}

TEST(DisplayScene, DestinationsAreSinksNotShadedByWhatTheyCollect) {
    DisplayModel model = ThroughModel();
    model.occupancy[6].assign(21, 50.0);  // far beyond jam: a sink only accumulates
    const scene::Scene picture = Build(model, 15);
    std::vector<std::optional<scene::Colour>> fills;
    for (const scene::Box* box : All<scene::Box>(picture.world)) {
        fills.push_back(box->fill);
    }
    ASSERT_EQ(fills.size(), 3U);
    EXPECT_EQ(fills[2], kSinkColour);
    EXPECT_NE(fills[2], scene::kBlack);
    for (const scene::Text* text : All<scene::Text>(picture.world)) {
        EXPECT_NE(text->text, "50");
    }
}

TEST(DisplayScene, NodesAreBlackRingsLabelledClearOfTheirCells) {
    const scene::Scene picture = Build(OneSignalModel(), 12);
    const std::vector<const scene::Circle*> rings = All<scene::Circle>(picture.world);
    ASSERT_EQ(rings.size(), 1U);
    const scene::Circle& ring = *rings[0];
    const scene::Text* label = nullptr;
    for (const scene::Text* text : All<scene::Text>(picture.world)) {
        label = text->text == "3" ? text : label;
    }
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(ring.centre, (scene::Point{1500, 1000}));
    EXPECT_EQ(ring.radius, 200.0);
    // Unfilled, so that the signal colours through the junction stay visible.
    EXPECT_EQ(ring.outline->colour, scene::kBlack);
    EXPECT_FALSE(ring.fill);
    // Beside the ring on its diagonal, off the horizontal and vertical lines its cells lie on.
    EXPECT_GT(label->anchor.x, 1500 + 200 * 0.7);
    EXPECT_LT(label->anchor.y, 1000 - 200 * 0.7);
    // On a backing, readable over a cell of any shade, and unlike a jammed cell's ID.
    ASSERT_TRUE(label->backing);
    EXPECT_NE(label->backing, scene::kBlack);
    EXPECT_NE(label->colour, scene::kWhite);
}

TEST(DisplayScene, TheLegendAndTheDraggedRectangleLieOverTheMap) {
    ZoomDrag drag;
    drag.press(scene::Point{10, 10});
    drag.move(scene::Point{300, 200});
    const scene::Scene picture = Build(DisplayModel{}, 0, drag);
    const std::vector<const scene::Box*> boxes = All<scene::Box>(picture.overlay);
    EXPECT_EQ(boxes.back()->outline->colour, kSignalRed);
    EXPECT_EQ(boxes.back()->rect, (scene::Rect{10, 10, 300, 200}));
    std::vector<std::string> texts;
    for (const scene::Text* text : All<scene::Text>(picture.overlay)) {
        texts.push_back(text->text);
    }
    for (const char* entry : {"Occupancy of jam density", "empty", "jammed", "Signal", "green",
                              "amber", "red", "Destination"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), entry), texts.end()) << entry;
    }
    // In the view's top-right corner.
    EXPECT_LE(boxes.front()->rect.right, 1000.0);
    EXPECT_GT(boxes.front()->rect.left, 500.0);
}

TEST(DisplayScene, OccupancyReadsAsShortDecimals) {
    const std::pair<double, const char*> cases[] = {
        {1.17, "1.17"}, {0.0, "0"}, {2.5, "2.5"}, {3.0, "3"}, {1.0 / 3, "0.33"}, {-0.001, "0"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatOccupancy(value), text) << value;
    }
}

}  // namespace
}  // namespace talvo::display
