#include <gtest/gtest.h>

#include "scene/MapScene.h"

namespace talvo::scene {
namespace {

// Three horizontal cells in a row, 1 -> 2 through node 9 and 2 -> 3 straight, and a lone
// vertical cell 4 beneath that feeds cell 2.
MapNetwork Row() {
    MapNetwork network;
    for (const int id : {1, 2, 3}) {
        MapCell cell;
        cell.cellID = id;
        cell.centre = Point{1000.0 * id, 1000};
        cell.laneNum = 2;
        cell.speed = 40;
        network.cells.push_back(cell);
    }
    MapCell side;
    side.cellID = 4;
    side.centre = Point{2000, 3000};
    side.laneNum = 1;
    side.orientation = kVerticalCell;
    side.speed = 40;
    network.cells.push_back(side);
    network.nodes.push_back(MapNode{9, Point{1500, 1000}});
    network.links = {MapLink{1, 1, 2, 9, {}, -1}, MapLink{2, 2, 3, 0, {}, -1},
                     MapLink{3, 4, 2, 0, {}, -1}, MapLink{4, 3, 3, 0, {}, -1}};
    network.labels.push_back(MapLabel{"Harbour Road", Point{300, 3300}, {1, 2, 3}});
    network.resolve();
    return network;
}

TEST(MapNetwork, LinksRunBetweenFacingSidesAndThroughTheirNode) {
    const MapNetwork network = Row();
    EXPECT_EQ(network.links[0].path,
              (std::vector<Point>{{1060, 1000}, {1500, 1000}, {1940, 1000}}));
    EXPECT_EQ(network.links[0].nodeIndex, 0);
    EXPECT_EQ(network.links[1].path, (std::vector<Point>{{2060, 1000}, {2940, 1000}}));
    // Steeper than 45 degrees: from the top of cell 4 to the bottom of cell 2.
    EXPECT_EQ(network.links[2].path, (std::vector<Point>{{2000, 2940}, {2000, 1200}}));
    // A cell linked to itself draws nothing.
    EXPECT_TRUE(network.links[3].path.empty());
}

TEST(MapNetwork, CellsAreOriginsDestinationsOrOrdinaryByTheirLinks) {
    const MapNetwork network = Row();
    EXPECT_EQ(network.cells[0].kind, CellKind::Origin);
    EXPECT_EQ(network.cells[1].kind, CellKind::Ordinary);
    // Cell 3 only links to itself beyond cell 2: it leaves nothing, so it is a sink.
    EXPECT_EQ(network.cells[2].kind, CellKind::Ordinary);
    MapNetwork dead = Row();
    dead.links.pop_back();
    dead.resolve();
    EXPECT_EQ(dead.cells[2].kind, CellKind::Destination);
    dead.cells[2].dummy = true;  // a dummy cell holds its vehicles like any other
    dead.resolve();
    EXPECT_EQ(dead.cells[2].kind, CellKind::Ordinary);
}

TEST(MapScene, ValuesGoOnTheSideTheLinksLeaveFree) {
    const MapNetwork network = Row();
    // Horizontal cell 2: links on the left, right and bottom: the value goes on top.
    EXPECT_TRUE(network.cells[1].linkedOn(Side::Bottom));
    EXPECT_EQ(FreeSide(network.cells[1]), Side::Top);
    EXPECT_EQ(FreeSide(network.cells[0]), Side::Bottom);
    // Vertical cell 4, linked at its top: right of it.
    EXPECT_EQ(FreeSide(network.cells[3]), Side::Right);
    Layer layer;
    AddCellValue(layer, network.cells[3], "1.5", kBlack);
    const Text& value = std::get<Text>(layer.items.at(0));
    EXPECT_EQ(value.align, Align::Right);
    EXPECT_EQ(value.anchor, (Point{network.cells[3].rect.right, 3000}));
    EXPECT_TRUE(value.givesWay);
    EXPECT_EQ(value.within, network.cells[3].rect);
    // Or else against the other sides, still inside.
    ASSERT_EQ(value.alternatives.size(), 3U);
    EXPECT_EQ(value.alternatives[0].align, Align::Bottom);
    EXPECT_EQ(value.alternatives[0].anchor.y, network.cells[3].rect.bottom);
}

TEST(MapScene, AStreetLabelStartsAtItsAnchor) {
    const MapNetwork network = Row();
    const TextMeasure measure = [](const std::string& text, bool) {
        return Size{7.0 * text.size(), 14.0};
    };
    // 84 x 14 pixels are 1260 x 210 map units at zoom 1.
    EXPECT_EQ(StreetLabelBox(network.labels[0], measure), (Rect{300, 3300, 1560, 3510}));
    Layer layer;
    AddStreetLabel(layer, network.labels[0], measure, kBlack);
    const Text& text = std::get<Text>(layer.items.at(0));
    EXPECT_EQ(text.anchor, (Point{930, 3405}));
    EXPECT_EQ(text.align, Align::Centre);
    EXPECT_EQ(network.bounds(measure)->left, 300.0);
}

TEST(MapNetwork, AFitBelowZoomOneKeepsTheStreetLabelsWhole) {
    const MapNetwork network = Row();
    const TextMeasure measure = [](const std::string& text, bool) {
        return Size{7.0 * text.size(), 14.0};
    };
    Viewport view;
    view.resize(Size{120, 90});
    FitNetwork(view, network, measure, 10.0);
    ASSERT_LT(view.zoom(), 1.0);
    // The label is drawn 84 pixels wide about its box's centre, whatever the zoom.
    const Point centre = view.toPixels(StreetLabelBox(network.labels[0], measure).centre());
    EXPECT_GE(centre.x - 42.0, 0.0);
    EXPECT_LE(centre.x + 42.0, 120.0);
}

TEST(MapScene, MarkersShowWhereTrafficEntersLeavesAndStops) {
    const MapNetwork network = Row();
    const MapCell& origin = network.cells[0];
    ASSERT_EQ(origin.leavingSide, Side::Right);
    Layer layer;
    AddSourceMarker(layer, origin, kBlack);
    AddStopLine(layer, origin, Stroke{kBlack, 3.0});
    AddSinkMarker(layer, network.cells[2], Stroke{kBlack});
    // A triangle inside the cell pointing to its right, where its link leaves.
    const Polygon& source = std::get<Polygon>(layer.items.at(0));
    ASSERT_EQ(source.points.size(), 3U);
    EXPECT_EQ(source.points[1],
              (Point{origin.rect.centre().x + origin.rect.width() * 3 / 8, 1000}));
    EXPECT_TRUE(origin.rect.contains(source.points[0]));
    const Line& stop = std::get<Line>(layer.items.at(1));
    EXPECT_EQ(stop.from, (Point{origin.rect.right, origin.rect.top}));
    EXPECT_EQ(stop.to, (Point{origin.rect.right, origin.rect.bottom}));
    EXPECT_EQ(layer.items.size(), 2U + 2U);  // the sink's two diagonals
}

}  // namespace
}  // namespace talvo::scene
