#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "MapRenderer.h"

namespace talvo {
namespace {

// Records every primitive as text; text measures 10 x 20 screen units per character.
class RecordingSurface : public MapSurface {
  public:
    void Clear() override { ops.push_back("clear"); }
    void Line(int x1, int y1, int x2, int y2, ColourValue c) override {
        Add("line", {x1, y1, x2, y2}, c);
    }
    void Box(int x1, int y1, int x2, int y2, ColourValue c) override {
        Add("box", {x1, y1, x2, y2}, c);
    }
    void FilledCircle(int cx, int cy, int r, ColourValue fill, ColourValue outline) override {
        Add("circle", {cx, cy, r, static_cast<int>(outline)}, fill);
    }
    void Text(int x, int y, const std::string& text, ColourValue c) override {
        Add("text " + text, {x, y}, c);
    }
    int TextWidth(const std::string& text) const override {
        return 10 * static_cast<int>(text.size());
    }
    int TextHeight(const std::string&) const override { return 20; }

    std::vector<std::string> ops;

  private:
    void Add(const std::string& what, std::initializer_list<int> values, ColourValue c) {
        std::ostringstream out;
        out << what;
        for (const int v : values) {
            out << ' ' << v;
        }
        out << " @" << c;
        ops.push_back(out.str());
    }
};

CellRecord Cell(int id, double x, double y, int orientation = kHorizontal) {
    CellRecord c;
    c.cellID = id;
    c.x = x;
    c.y = y;
    c.laneNum = 2;
    c.speed = 50;
    c.orientation = orientation;
    return c;
}

LinkRecord Link(int id, int from, int to, int passNode = 0) {
    LinkRecord l;
    l.linkID = id;
    l.fromCell = from;
    l.toCell = to;
    l.passNode = passNode;
    return l;
}

class RendererTest : public ::testing::Test {
  protected:
    std::vector<std::string> Draw(const std::function<void(MapRenderer&)>& what) {
        RecordingSurface surface;
        MapRenderer renderer(project, view, colours, surface);
        what(renderer);
        return surface.ops;
    }
    Project project;
    MapView view;
    ColourScheme colours;
};

TEST_F(RendererTest, CellIsABoxWithItsIdCentred) {
    project.tables.cells = {Cell(7, 600, 3000), Cell(8, 600, 3000, kVertical)};
    EXPECT_EQ(Draw([](MapRenderer& r) { r.DrawCell(0, 1); }),
              (std::vector<std::string>{"box 525 2800 675 3200 @1", "text 7 595 2990 @0"}));
    EXPECT_EQ(Draw([](MapRenderer& r) { r.DrawCell(1, 1); })[0], "box 400 2925 800 3075 @1");
}

TEST_F(RendererTest, ZoomAndScrollTransformEachCorner) {
    project.tables.cells = {Cell(7, 600, 3000)};
    view.ZoomIn();
    view.Recentre(0, 0, 1.0);
    view.setScrollValues(100, 1000);
    // (525 * 1.5 - 100, 2800 * 1.5 - 1000) = (687.5 -> 688, 3200)
    EXPECT_EQ(Draw([](MapRenderer& r) { r.DrawCell(0, 1); })[0], "box 688 3200 912 3800 @1");
}

TEST_F(RendererTest, LinkJoinsFacingSidesWithAnArrowhead) {
    project.tables.cells = {Cell(1, 600, 3000), Cell(2, 900, 3000)};
    project.tables.links = {Link(1, 1, 2)};
    const auto ops = Draw([](MapRenderer& r) { r.DrawLink(0, 5); });
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0], "line 675 3000 825 3000 @5");
    // Strokes of 100 back from the end, turned 0.785 rad either way.
    EXPECT_EQ(ops[1], "line 825 3000 754 2929 @5");
    EXPECT_EQ(ops[2], "line 825 3000 754 3071 @5");
}

TEST_F(RendererTest, SteepLinksUseTopAndBottomSides) {
    project.tables.cells = {Cell(1, 600, 3000), Cell(2, 700, 4000)};
    project.tables.links = {Link(1, 2, 1)};
    const auto ops = Draw([](MapRenderer& r) { r.DrawLink(0, 5); });
    // From the lower cell's top side up to the upper cell's bottom side.
    EXPECT_EQ(ops[0], "line 700 3800 600 3200 @5");
}

TEST_F(RendererTest, StraightAboveUsesTopAndBottomAndPointsAlong) {
    project.tables.cells = {Cell(1, 600, 3000), Cell(2, 600, 4000)};
    project.tables.links = {Link(1, 1, 2)};
    const auto ops = Draw([](MapRenderer& r) { r.DrawLink(0, 5); });
    EXPECT_EQ(ops[0], "line 600 3200 600 3800 @5");
    EXPECT_EQ(ops[1], "line 600 3800 671 3729 @5");
    EXPECT_EQ(ops[2], "line 600 3800 529 3729 @5");
}

TEST_F(RendererTest, LinkThroughANodeBendsAtItsCentre) {
    project.tables.cells = {Cell(1, 600, 3000), Cell(2, 1200, 3600, kVertical)};
    NodeRecord node;
    node.nodeID = 3;
    node.x = 1200;
    node.y = 3000;
    project.tables.nodes = {node};
    project.tables.links = {Link(1, 1, 2, 3)};
    const auto ops = Draw([](MapRenderer& r) { r.DrawLink(0, 5); });
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[0], "line 675 3000 1200 3000 @5");
    EXPECT_EQ(ops[1], "line 1200 3000 1200 3525 @5");
}

TEST_F(RendererTest, LinkToItselfOrAMissingCellDrawsNothing) {
    project.tables.cells = {Cell(1, 600, 3000)};
    project.tables.links = {Link(1, 1, 1), Link(2, 1, 9)};
    EXPECT_TRUE(Draw([](MapRenderer& r) {
                    r.DrawLink(0, 5);
                    r.DrawLink(1, 5);
                }).empty());
}

TEST_F(RendererTest, NodeIsAFilledCircleWithItsIdAndGrowsWithZoom) {
    NodeRecord node;
    node.nodeID = 12;
    node.x = 1000;
    node.y = 2000;
    project.tables.nodes = {node};
    EXPECT_EQ(Draw([](MapRenderer& r) { r.DrawNode(0, 9); }),
              (std::vector<std::string>{"circle 1000 2000 200 0 @9", "text 12 990 1990 @0"}));
    view.ZoomIn();
    view.Recentre(0, 0, 1.0);
    view.setScrollValues(0, 0);
    EXPECT_EQ(Draw([](MapRenderer& r) { r.DrawNode(0, 9); })[0], "circle 1500 3000 300 0 @9");
}

TEST_F(RendererTest, StreetLabelStaysCentredOnItsZoomedAnchor) {
    StreetRecord street;
    street.streetName = "Main";
    street.x = 1000;
    street.y = 2000;
    project.tables.streets = {street};
    EXPECT_EQ(Draw([](MapRenderer& r) { r.DrawStreetLabel(0, 0); })[0], "text Main 1000 2000 @0");
    EXPECT_EQ(Draw([](MapRenderer& r) { r.DrawLabelBox(0, 3); })[0], "box 980 1990 1060 2030 @3");
    view.ZoomIn();
    view.Recentre(0, 0, 1.0);
    view.setScrollValues(0, 0);
    // 1000 * 1.5 + 0.5 * 40 / 2 and 2000 * 1.5 + 0.5 * 20 / 2
    EXPECT_EQ(Draw([](MapRenderer& r) { r.DrawStreetLabel(0, 0); })[0], "text Main 1510 3005 @0");
}

TEST_F(RendererTest, RedrawOrderAndSelection) {
    project.tables.cells = {Cell(1, 600, 3000), Cell(2, 900, 3000)};
    project.tables.links = {Link(1, 1, 2)};
    SelectionState sel;
    sel.multiSelection = {1};
    auto ops = Draw([&](MapRenderer& r) { r.RedrawMap(sel); });
    ASSERT_EQ(ops.size(), 10u);
    EXPECT_EQ(ops[0], "clear");
    EXPECT_EQ(ops[5], "box 825 2800 975 3200 @255");  // the multi-selection in red
    // With a single selection the multi-selection is not shown; the selected link is.
    sel.selectedKind = SelectedKind::Link;
    sel.selectedIndex = 0;
    ops = Draw([&](MapRenderer& r) { r.RedrawMap(sel); });
    ASSERT_EQ(ops.size(), 11u);
    EXPECT_EQ(ops[5], "line 675 3000 825 3000 @16711680");
    EXPECT_EQ(ops[8], "line 675 3000 825 3000 @255");
}

}  // namespace
}  // namespace talvo
