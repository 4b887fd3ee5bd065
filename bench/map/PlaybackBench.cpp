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
    model.project = project;
    GlobalParameters& parameters = model.project.params;
    parameters.jamDensity = 150;
    parameters.endSimulationStep = kSteps;
    parameters.endStep = kSteps;
    for (const CellRecord& c : project.tables.cells) {
        std::vector<double>& series = model.occupancy[c.cellID];
        for (int t = 0; t <= kSteps; ++t) {
            series.push_back(1.2 * (1.0 + std::sin(0.05 * t + 0.3 * c.cellID)));
        }
    }
    model.sizeSignalTable();
    for (auto& [linkID, row] : model.signalRows) {
        for (size_t column = 1; column < row.states.size(); ++column) {
            const int phase = (static_cast<int>(column) + linkID) % kCycle;
            row.states[column] = phase < 40   ? display::kGreen
                                 : phase < 43 ? display::kAmber
                                              : display::kRed;
        }
    }
    return model;
}

void Playback(benchmark::State& state, double zoomOnMiddle) {
    const display::DisplayModel model = DisplayModelOf(MakeGridProject(kDistrictGrid));
    const scene::MapNetwork network = scene::MapNetworkOf(model.project);
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
    state.counters["cells"] = static_cast<double>(network.cells.size());
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
