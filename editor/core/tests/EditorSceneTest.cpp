// The editor's map as a scene: what each cell is to the traffic and which links pass a
// signalised node show in the drawing, and the selection is drawn again in its colour.
#include "core/EditorScene.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "scene/MapScene.h"

namespace talvo {
namespace {

// Cells 1 -> 2 -> 3 in a row, the second link through node 9; cell 2 is signalised.
Project Row() {
    Project project;
    for (const int id : {1, 2, 3}) {
        CellRecord cell;
        cell.cellID = id;
        cell.x = 1000.0 * id;
        cell.y = 1000;
        cell.laneNum = 2;
        cell.speed = 40;
        cell.orientation = kHorizontal;
        project.tables.cells.push_back(cell);
    }
    project.tables.cells[1].signalID = 5;
    NodeRecord node;
    node.nodeID = 9;
    node.x = 2500;
    node.y = 1000;
    project.tables.nodes = {node};
    LinkRecord plain;
    plain.linkID = 1;
    plain.fromCell = 1;
    plain.toCell = 2;
    LinkRecord signalised = plain;
    signalised.linkID = 2;
    signalised.fromCell = 2;
    signalised.toCell = 3;
    signalised.passNode = 9;
    project.tables.links = {plain, signalised};
    return project;
}

const scene::TextMeasure kMeasure = [](const std::string& text, bool) {
    return scene::Size{7.0 * static_cast<double>(text.size()), 14.0};
};

template <typename T>
std::vector<T> All(const scene::Layer& layer) {
    std::vector<T> found;
    for (const scene::Primitive& item : layer.items) {
        if (const T* shape = std::get_if<T>(&item)) {
            found.push_back(*shape);
        }
    }
    return found;
}

TEST(EditorScene, OriginsDestinationsSignalsAndSignalisedLinksAreDrawnDistinctly) {
    const scene::MapNetwork network = scene::MapNetworkOf(Row());
    const scene::Scene picture = BuildEditorScene(network, ColourScheme{}, {}, kMeasure);
    const scene::Colour green = scene::Colour::FromValue(ColourScheme{}.cell);
    std::vector<double> outlines;
    for (const scene::Box& box : All<scene::Box>(picture.world)) {
        if (box.outline && box.outline->colour == green) {
            outlines.push_back(box.outline->width);
        }
    }
    // The origin and the destination are outlined heavier than the cell between them.
    EXPECT_EQ(outlines, (std::vector<double>{kEndCellWidth, kPlainWidth, kEndCellWidth}));
    // The origin's triangle lies in cell 1.
    const auto triangles = All<scene::Polygon>(picture.world);
    ASSERT_EQ(triangles.size(), 1u);
    EXPECT_TRUE(network.cells[0].rect.contains(triangles[0].points[1]));
    const auto lines = All<scene::Line>(picture.world);
    auto count = [&](auto pick) { return std::count_if(lines.begin(), lines.end(), pick); };
    const scene::Rect& signalised = network.cells[1].rect;
    const scene::Rect& sink = network.cells[2].rect;
    // The stop line across the signalised cell's right side, where its traffic leaves.
    EXPECT_EQ(count([&](const scene::Line& l) {
                  return l.stroke.width == kStopLineWidth && l.from.x == signalised.right &&
                         l.to.x == signalised.right;
              }),
              1);
    // The destination's cross from corner to corner.
    EXPECT_EQ(count([&](const scene::Line& l) {
                  return l.from == scene::Point{sink.left, sink.top} ||
                         l.from == scene::Point{sink.left, sink.bottom};
              }),
              2);
    // Link 1 with its arrowhead in plain strokes, link 2 (two segments and its arrowhead)
    // heavier.
    const scene::Colour blue = scene::Colour::FromValue(ColourScheme{}.line);
    EXPECT_EQ(count([&](const scene::Line& l) {
                  return l.stroke.colour == blue && l.stroke.width == kPlainWidth;
              }),
              3);
    EXPECT_EQ(count([&](const scene::Line& l) {
                  return l.stroke.colour == blue && l.stroke.width == kSignalisedLinkWidth;
              }),
              4);
}

TEST(EditorScene, TheSelectedLinkIsDrawnAgainInRedWithItsNodeOverIt) {
    const scene::MapNetwork network = scene::MapNetworkOf(Row());
    SelectionState selection;
    selection.selectedCells = {1};  // not shown while a single object is selected
    selection.selectedKind = SelectedKind::Link;
    selection.selectedID = 2;
    const scene::Scene picture = BuildEditorScene(network, ColourScheme{}, selection, kMeasure);
    const scene::Colour red = scene::Colour::FromValue(ColourScheme{}.selection);
    const auto& items = picture.world.items;
    auto firstRed = std::find_if(items.begin(), items.end(), [&](const scene::Primitive& item) {
        const auto* line = std::get_if<scene::Line>(&item);
        const auto* box = std::get_if<scene::Box>(&item);
        return (line && line->stroke.colour == red) ||
               (box && box->outline && box->outline->colour == red);
    });
    ASSERT_NE(firstRed, items.end());
    EXPECT_TRUE(std::holds_alternative<scene::Line>(*firstRed));
    // After the red link's strokes, the node's circle again in the node colour.
    const auto circle = std::find_if(firstRed, items.end(), [](const scene::Primitive& item) {
        return std::holds_alternative<scene::Circle>(item);
    });
    ASSERT_NE(circle, items.end());
    EXPECT_EQ(std::get<scene::Circle>(*circle).fill, scene::Colour::FromValue(ColourScheme{}.node));
}

}  // namespace
}  // namespace talvo
