#include <gtest/gtest.h>

#include "model/CellTip.h"
#include "model/DisplayScene.h"

namespace talvo::display {
namespace {

TEST(CellTip, NamesTheCellItsOccupancyAndItsShade) {
    DisplayModel model;
    GlobalParameters& parameters = model.project.params;
    parameters.jamDensity = 150;
    parameters.endStep = 20;
    parameters.cellScaleX = 1.5;
    parameters.cellScaleY = 100;
    CellRecord cell;
    cell.cellID = 23;
    cell.x = 1000;
    cell.y = 1000;
    cell.laneNum = 2;
    cell.orientation = 1;
    cell.speed = 36;  // holds 3 at jam
    model.project.tables.cells = {cell};
    model.occupancy[23].assign(21, 1.5);
    const scene::MapNetwork network = scene::MapNetworkOf(model.project);
    EXPECT_EQ(CellTipAt(model, network, 12, scene::Point{1000, 1000}),
              "Cell 23\nOccupancy: 1.5 vehicles\nShade: 50 % of jam density");
    EXPECT_EQ(CellTipAt(model, network, 12, scene::Point{5000, 1000}), std::nullopt);
}

}  // namespace
}  // namespace talvo::display
