#include <gtest/gtest.h>

#include "model/CellTip.h"
#include "model/DisplayScene.h"

namespace talvo::display {
namespace {

TEST(CellTip, NamesTheCellItsOccupancyAndItsShade) {
    DisplayModel model;
    model.parameters.jamDensity = 150;
    model.parameters.endStep = 20;
    model.parameters.cellScaleX = 1.5;
    model.parameters.cellScaleY = 100;
    DisplayCell cell;
    cell.cellID = 23;
    cell.x = 1000;
    cell.y = 1000;
    cell.laneNum = 2;
    cell.orientation = 1;
    cell.speed = 36;  // holds 3 at jam
    cell.occupancy.assign(21, 1.5);
    model.cells = {cell};
    const scene::MapNetwork network = MapNetworkOf(model);
    EXPECT_EQ(CellTipAt(model, network, 12, scene::Point{1000, 1000}),
              "Cell 23\nOccupancy: 1.5 vehicles\nShade: 50 % of jam density");
    EXPECT_EQ(CellTipAt(model, network, 12, scene::Point{5000, 1000}), std::nullopt);
}

}  // namespace
}  // namespace talvo::display
