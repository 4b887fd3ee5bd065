// The editor's map redrawn off screen, as a paint event draws it: the whole network in view
// ("Fit network") and zoomed on one junction. The map keeps the network between redraws;
// every redraw compares the project with the one it was built from. A repaint of an
// unchanged map copies the picture it kept; the "Changed" runs select and unselect a cell
// at every redraw, so that each one draws the whole picture again.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "GridProject.h"
#include "MapPicture.h"

namespace talvo::bench {
namespace {

constexpr scene::Size kView{1023.0, 729.0};
constexpr double kJunctionZoom = 4.0;

void Redraw(benchmark::State& state, const scene::Viewport& view, const Project& project,
            bool changed) {
    QImage image(static_cast<int>(kView.width), static_cast<int>(kView.height),
                 QImage::Format_RGB32);
    const ColourScheme colours;
    SelectionState selection;
    EditorMapPainter map;
    for (auto _ : state) {
        if (changed) {
            const bool selected = selection.selectedKind == SelectedKind::Cell;
            selection.selectedKind = selected ? SelectedKind::None : SelectedKind::Cell;
            selection.selectedID = selected ? 0 : project.tables.cells.front().cellID;
        }
        QPainter painter(&image);
        map.paint(painter, project, colours, selection, view);
    }
    state.counters["cells"] = static_cast<double>(project.tables.cells.size());
}

void RedrawFit(benchmark::State& state, bool changed) {
    const Project project = MakeGridProject(kCityGrid);
    scene::Viewport view;
    view.resize(kView);
    FitEditorMap(view, project);
    Redraw(state, view, project, changed);
}

void BM_EditorRedrawFit(benchmark::State& state) {
    RedrawFit(state, false);
}
BENCHMARK(BM_EditorRedrawFit)->Unit(benchmark::kMillisecond);

void BM_EditorRedrawFitChanged(benchmark::State& state) {
    RedrawFit(state, true);
}
BENCHMARK(BM_EditorRedrawFitChanged)->Unit(benchmark::kMillisecond);

void RedrawJunction(benchmark::State& state, bool changed) {
    const Project project = MakeGridProject(kCityGrid);
    scene::Viewport view;
    view.resize(kView);
    const int middle = kCityGrid.streets / 2;
    view.zoomAbout(scene::Point{}, kJunctionZoom);
    view.setOrigin(scene::Point{JunctionX(kCityGrid, middle) - kView.width / 2.0 / view.scale(),
                                JunctionY(kCityGrid, middle) - kView.height / 2.0 / view.scale()});
    Redraw(state, view, project, changed);
}

void BM_EditorRedrawJunction(benchmark::State& state) {
    RedrawJunction(state, false);
}
BENCHMARK(BM_EditorRedrawJunction)->Unit(benchmark::kMillisecond);

void BM_EditorRedrawJunctionChanged(benchmark::State& state) {
    RedrawJunction(state, true);
}
BENCHMARK(BM_EditorRedrawJunctionChanged)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talvo::bench
