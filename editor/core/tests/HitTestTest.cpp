#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/MapHits.h"

namespace talvo {
namespace {

class HitTest : public ::testing::Test {
  protected:
    HitTest() {
        CellRecord a;
        a.cellID = 1;
        a.x = 1000;
        a.y = 1000;
        a.laneNum = 1;
        a.speed = 65;  // half-length 97.5 exactly for hits
        a.orientation = kHorizontal;
        CellRecord b = a;
        b.cellID = 2;
        b.x = 2000;
        CellRecord c = a;
        c.cellID = 3;
        c.x = 1050;  // overlaps cell 1
        project.tables.cells = {a, b, c};
        NodeRecord node;
        node.nodeID = 4;
        node.x = 5000;
        node.y = 5000;
        project.tables.nodes = {node};
        LinkRecord link;
        link.linkID = 1;
        link.fromCell = 1;
        link.toCell = 2;
        project.tables.links = {link};
        StreetRecord street;
        street.streetName = "Main";
        street.x = 3000;
        street.y = 3000;
        project.tables.streets = {street};
    }
    scene::MapNetwork Network() const { return scene::MapNetworkOf(project); }
    Project project;
};

TEST_F(HitTest, CellBordersCountAndTheLowerIndexWins) {
    EXPECT_EQ(HitCell(Network(), {1000 - 97.5, 1000}), 0);
    EXPECT_EQ(HitCell(Network(), {1000 - 97.6, 1000}), -1);
    EXPECT_EQ(HitCell(Network(), {1000, 1100}), 0);
    EXPECT_EQ(HitCell(Network(), {1000, 1100.1}), -1);
    EXPECT_EQ(HitCell(Network(), {1060, 1000}), 0);
    EXPECT_EQ(HitCell(Network(), {1140, 1000}), 2);
}

TEST_F(HitTest, VerticalCellsSwapTheirExtents) {
    project.tables.cells[1].orientation = kVertical;
    EXPECT_EQ(HitCell(Network(), {2000, 1097}), 1);
    EXPECT_EQ(HitCell(Network(), {2099, 1000}), 1);
    EXPECT_EQ(HitCell(Network(), {2101, 1000}), -1);
}

TEST_F(HitTest, NodeWithinLessThan200) {
    EXPECT_EQ(HitNode(Network(), {5199, 5000}), 0);
    EXPECT_EQ(HitNode(Network(), {5200, 5000}), -1);
    EXPECT_EQ(HitNode(Network(), {5000, 4801}), 0);
}

TEST_F(HitTest, LinkWithinLessThan50OfItsSegment) {
    // The link runs from x = 1097.5 to 1902.5 (rounded sides 1098 to 1902) at y = 1000.
    EXPECT_EQ(HitLink(Network(), {1500, 1049}), 0);
    EXPECT_EQ(HitLink(Network(), {1500, 1050}), -1);
    EXPECT_EQ(HitLink(Network(), {1500, 951}), 0);
    // Not far along the line beyond its ends.
    EXPECT_EQ(HitLink(Network(), {3000, 1000}), -1);
}

TEST_F(HitTest, LinkThroughANodeIsHitOnBothSegments) {
    project.tables.links[0].passNode = 4;
    EXPECT_EQ(HitLink(Network(), {1500, 1049}), -1);
    // From cell 1's side towards (5000, 5000): the diagonal segment.
    EXPECT_EQ(HitLink(Network(), {3000, 3000 - 20}), 0);
}

TEST_F(HitTest, StreetLabelBoxRunsFromItsAnchor) {
    // 100 x 200 map units a character.
    const scene::TextMeasure measure = [](const std::string& text, bool) {
        return scene::Size{100.0 / 15 * static_cast<double>(text.size()), 200.0 / 15};
    };
    EXPECT_EQ(HitStreetLabel(Network(), {3000, 3000}, measure), 0);
    EXPECT_EQ(HitStreetLabel(Network(), {3400, 3200}, measure), 0);
    EXPECT_EQ(HitStreetLabel(Network(), {3401, 3100}, measure), -1);
    EXPECT_EQ(HitStreetLabel(Network(), {2999, 3100}, measure), -1);
    // At zoom 4 the text keeps its pixels about the box's centre: a quarter of the box.
    EXPECT_EQ(HitStreetLabel(Network(), {3240, 3120}, measure, 4.0), 0);
    EXPECT_EQ(HitStreetLabel(Network(), {3000, 3000}, measure, 4.0), -1);
    EXPECT_EQ(HitStreetLabel(Network(), {3260, 3100}, measure, 4.0), -1);
}

// A dense patch of crossing streets, far larger than the index's grid cells: cells that
// overlap, links through nodes and plain ones, nodes near each other.
Project Crossings() {
    Project project;
    int id = 0;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 12; ++column) {
            CellRecord cell;
            cell.cellID = ++id;
            cell.x = 500.0 + column * 170.0;
            cell.y = 500.0 + row * 700.0 + (column % 3) * 40.0;
            cell.laneNum = 1 + column % 2;
            cell.speed = 30.0 + 10.0 * (row % 3);
            cell.orientation = (row + column) % 5 == 0 ? kVertical : kHorizontal;
            project.tables.cells.push_back(cell);
            if (column > 0) {
                LinkRecord link;
                link.linkID = id;
                link.fromCell = id - 1;
                link.toCell = id;
                link.passNode = column % 4 == 0 ? 1000 + row : 0;
                project.tables.links.push_back(link);
            }
        }
        NodeRecord node;
        node.nodeID = 1000 + row;
        node.x = 500.0 + 6 * 170.0;
        node.y = 300.0 + row * 700.0;
        project.tables.nodes.push_back(node);
    }
    return project;
}

TEST(IndexedHitTest, PicksWhatTheSearchOverEveryRecordPicks) {
    const scene::MapNetwork indexed = scene::MapNetworkOf(Crossings());
    scene::MapNetwork searched = indexed;
    searched.index = scene::MapIndex{};
    ASSERT_TRUE(indexed.indexed());
    ASSERT_FALSE(searched.indexed());
    using Hit = int (*)(const scene::MapNetwork&, scene::Point);
    const std::vector<std::pair<const char*, Hit>> tests{
        {"cell", HitCell}, {"node", HitNode}, {"link", HitLink}};
    int hits = 0;
    for (double y = 0.0; y <= 4500.0; y += 23.0) {
        for (double x = 0.0; x <= 2900.0; x += 19.0) {
            for (const auto& [what, hit] : tests) {
                const int expected = hit(searched, {x, y});
                ASSERT_EQ(hit(indexed, {x, y}), expected) << what << " at " << x << ", " << y;
                hits += expected >= 0 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(hits, 1000);  // the sweep meets the network, not only the space around it
}

}  // namespace
}  // namespace talvo
