// The Display's playback frame at the district example's scale, painted off screen as a
// timer tick draws it; at 50 steps a second each frame has 20 ms.

#include <benchmark/benchmark.h>

#include <cmath>

#include <QImage>
#include <QPainter>

#include "GridProject.h"
#include "model/DisplayScene.h"
#include "ui/PlaybackPicture.h"

namespace talvo::bench {
namespace {

constexpr scene::Size kView{1023.0, 729.0};
constexpr int kSteps = 600;
constexpr int kCycle = 90;

// The run's data made up in memory: occupancies that vary along the streets and in time,
// signals switching on a cycle.
display::DisplayModel DisplayModelOf(const Project& project) {
    display::DisplayModel model;
    model.parameters.jamDensity = 150;
    model.parameters.endSimulationStep = kSteps;
    model.parameters.endStep = kSteps;
    model.parameters.cellScaleX = project.params.cellScaleX;
    model.parameters.cellScaleY = project.params.cellScaleY;
    for (const CellRecord& c : project.tables.cells) {
        display::DisplayCell cell;
        cell.cellID = c.cellID;
        cell.x = c.x;
        cell.y = c.y;
        cell.laneNum = c.laneNum;
        cell.orientation = c.orientation;
        cell.speed = c.speed;
        cell.signalID = c.signalID;
        for (int t = 0; t <= kSteps; ++t) {
            cell.occupancy.push_back(1.2 * (1.0 + std::sin(0.05 * t + 0.3 * c.cellID)));
        }
        model.cells.push_back(std::move(cell));
    }
    for (const LinkRecord& l : project.tables.links) {
        model.links.push_back(display::DisplayLink{l.linkID, l.fromCell, l.toCell, l.passNode});
    }
    for (const NodeRecord& n : project.tables.nodes) {
        display::DisplayNode node;
        node.nodeID = n.nodeID;
        node.x = n.x;
        node.y = n.y;
        model.nodes.push_back(node);
    }
    for (const StreetRecord& s : project.tables.streets) {
        model.streets.push_back(display::DisplayStreet{s.streetName, s.x, s.y, s.cellIDs});
    }
    for (size_t i = 0; i < model.links.size(); ++i) {
        if (model.links[i].passNode == 0) {
            continue;
        }
        display::SignalRow row;
        row.linkIndex = static_cast<int>(i);
        row.states.push_back(0);
        for (int t = 1; t <= kSteps; ++t) {
            const int phase = (t + static_cast<int>(i)) % kCycle;
            row.states.push_back(phase < 40   ? display::kGreen
                                 : phase < 43 ? display::kAmber
                                              : display::kRed);
        }
        model.signalRows.push_back(std::move(row));
    }
    return model;
}

void Playback(benchmark::State& state, double zoomOnMiddle) {
    const display::DisplayModel model = DisplayModelOf(MakeGridProject(kDistrictGrid));
    const scene::MapNetwork network = display::MapNetworkOf(model);
    scene::Viewport view;
    view.resize(kView);
    const scene::TextMeasure measure = scene::MeasureWith(scene::SceneFont());
    display::FitNetwork(view, network, measure);
    if (zoomOnMiddle > 0.0) {
        view.zoomAbout(scene::Point{kView.width / 2.0, kView.height / 2.0}, zoomOnMiddle);
    }
    const display::ZoomDrag drag;
    QImage image(static_cast<int>(kView.width), static_cast<int>(kView.height),
                 QImage::Format_RGB32);
    int step = 1;
    for (auto _ : state) {
        QPainter painter(&image);
        display::PaintPlaybackFrame(painter, model, network, step, view, drag);
        step = step % kSteps + 1;
    }
    state.counters["cells"] = static_cast<double>(model.cells.size());
}

void BM_PlaybackFrameFit(benchmark::State& state) {
    Playback(state, 0.0);
}
BENCHMARK(BM_PlaybackFrameFit)->Unit(benchmark::kMillisecond);

void BM_PlaybackFrameZoomed(benchmark::State& state) {
    Playback(state, 2.0);
}
BENCHMARK(BM_PlaybackFrameZoomed)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talvo::bench
