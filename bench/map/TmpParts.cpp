#include <benchmark/benchmark.h>
#include <QImage>
#include <QPainter>
#include "GridProject.h"
#include "MapPicture.h"
#include "core/EditorScene.h"
#include "scenepainter/ScenePainter.h"
namespace talvo::bench {
void BM_TmpNetwork(benchmark::State& state) {
    const Project project = MakeGridProject(kCityGrid);
    for (auto _ : state)
        benchmark::DoNotOptimize(scene::MapNetworkOf(project));
}
BENCHMARK(BM_TmpNetwork)->Unit(benchmark::kMillisecond);
void BM_TmpScene(benchmark::State& state) {
    const Project project = MakeGridProject(kCityGrid);
    auto n = scene::MapNetworkOf(project);
    auto m = scene::MeasureWith(scene::SceneFont());
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildEditorScene(n, ColourScheme{}, SelectionState{}, m));
}
BENCHMARK(BM_TmpScene)->Unit(benchmark::kMillisecond);
void BM_TmpPaint(benchmark::State& state) {
    const Project project = MakeGridProject(kCityGrid);
    auto n = scene::MapNetworkOf(project);
    auto m = scene::MeasureWith(scene::SceneFont());
    auto sc = BuildEditorScene(n, ColourScheme{}, SelectionState{}, m);
    scene::Viewport view;
    view.resize({1023, 729});
    FitEditorMap(view, project);
    QImage image(1023, 729, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        scene::PaintScene(p, sc, scene::MapTransform(view), QRectF(0, 0, 1023, 729),
                          scene::SceneFont());
    }
}
BENCHMARK(BM_TmpPaint)->Unit(benchmark::kMillisecond);
}  // namespace talvo::bench
namespace talvo::bench {
void BM_TmpLines(benchmark::State& state) {
    QImage image(1023, 729, QImage::Format_RGB32);
    std::vector<QLineF> lines;
    for (int i = 0; i < 80000; ++i) {
        double x = (i * 7) % 1000, y = (i * 13) % 700;
        lines.emplace_back(x, y, x + 3, y + 1);
    }
    for (auto _ : state) {
        QPainter p(&image);
        p.setPen(QPen(Qt::blue, 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLines(lines.data(), lines.size());
    }
}
BENCHMARK(BM_TmpLines)->Unit(benchmark::kMillisecond);
void BM_TmpRects(benchmark::State& state) {
    QImage image(1023, 729, QImage::Format_RGB32);
    std::vector<QRectF> r;
    for (int i = 0; i < 20000; ++i) {
        double x = (i * 7) % 1000, y = (i * 13) % 700;
        r.emplace_back(x, y, 2, 6);
    }
    for (auto _ : state) {
        QPainter p(&image);
        p.setPen(QPen(Qt::blue, 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawRects(r.data(), r.size());
    }
}
BENCHMARK(BM_TmpRects)->Unit(benchmark::kMillisecond);
void BM_TmpFill(benchmark::State& state) {
    QImage image(1023, 729, QImage::Format_RGB32);
    std::vector<QRectF> r;
    for (int i = 0; i < 20000; ++i) {
        double x = (i * 7) % 1000, y = (i * 13) % 700;
        r.emplace_back(x, y, 2, 6);
    }
    for (auto _ : state) {
        QPainter p(&image);
        for (auto& q : r)
            p.fillRect(q, QColor(0, 0, 255));
    }
}
BENCHMARK(BM_TmpFill)->Unit(benchmark::kMillisecond);
}  // namespace talvo::bench
