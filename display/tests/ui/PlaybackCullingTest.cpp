// A zoomed playback frame draws only what reaches into the view, and looks exactly as the
// frame of the whole network does.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "model/DisplayScene.h"
#include "testing/LongRows.h"
#include "ui/PlaybackPicture.h"

namespace talvo::display {
namespace {

constexpr int kSteps = 20;

DisplayModel LongRowsRun() {
    DisplayModel model;
    model.project = scene::testing::LongRows();
    model.project.params.jamDensity = 150;
    model.project.params.endSimulationStep = kSteps;
    model.project.params.endStep = kSteps;
    for (const CellRecord& cell : model.project.tables.cells) {
        std::vector<double>& series = model.occupancy[cell.cellID];
        for (int t = 0; t <= kSteps; ++t) {
            series.push_back(0.1 * ((cell.cellID + t) % 40));
        }
    }
    model.sizeSignalTable();
    return model;
}

TEST(PlaybackCulling, AZoomedFrameDrawsAsTheWholeNetworkDoes) {
    const DisplayModel model = LongRowsRun();
    const scene::MapNetwork network = scene::MapNetworkOf(model.project);
    const ZoomDrag drag;
    for (const scene::Viewport& view : scene::testing::LongRowsViews()) {
        const QRectF area(0, 0, 400, 300);
        QImage whole(400, 300, QImage::Format_RGB32);
        QImage culled = whole;
        {
            QPainter painter(&whole);
            const QFont font = scene::SceneFont();
            scene::PaintScene(
                painter,
                BuildPlaybackScene(model, network, 7, scene::MeasureWith(font), view.size(), drag),
                scene::MapTransform(view), area, font);
        }
        {
            QPainter painter(&culled);
            PaintPlaybackFrame(painter, model, network, 7, view, drag);
        }
        EXPECT_TRUE(culled == whole) << "zoom " << view.zoom();
    }
}

}  // namespace
}  // namespace talvo::display
