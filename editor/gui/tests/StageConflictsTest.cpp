#include <gtest/gtest.h>

#include "StageConflicts.h"

namespace talvo {
namespace {

// A crossroads at (0, 0): movement 1 west to east, 2 north to south, 3 east to west beside 1.
NetworkTables Crossroads() {
    NetworkTables t;
    auto cell = [&t](int id, double x, double y, int signal) {
        CellRecord c;
        c.cellID = id;
        c.x = x;
        c.y = y;
        c.signalID = signal;
        t.cells.push_back(c);
    };
    cell(1, -500, 0, 1);
    cell(2, 500, 0, 0);
    cell(3, 0, -500, 2);
    cell(4, 0, 500, 0);
    cell(5, 500, -100, 3);
    cell(6, -500, -100, 0);
    t.links = {LinkRecord{1, 1, 2, 9}, LinkRecord{2, 3, 4, 9}, LinkRecord{3, 5, 6, 9}};
    return t;
}

TEST(StageConflicts, CrossingPathsFromDifferentApproachesConflict) {
    const NetworkTables t = Crossroads();
    NodeRecord node;
    node.nodeID = 9;
    struct Case {
        std::vector<int> moves;
        std::optional<std::pair<int, int>> conflict;
    };
    const Case cases[] = {
        {{1, 2}, std::pair{1, 2}},  // through across through
        {{2, 1}, std::pair{1, 2}},  // named lower first
        {{1, 3}, std::nullopt},     // opposing, side by side
        {{1}, std::nullopt},       {{3, 2}, std::pair{2, 3}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FirstConflict(t, node, c.moves), c.conflict) << c.moves.size();
    }
    node.nodeID = 8;  // links through another node are not this one's
    EXPECT_EQ(FirstConflict(t, node, {1, 2}), std::nullopt);
}

}  // namespace
}  // namespace talvo
