#include "ui/PlotChartWidget.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace talvo::display {

PlotChartWidget::PlotChartWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("picPlot");
    setAttribute(Qt::WA_OpaquePaintEvent);
    keepTextsReadable();
}

void PlotChartWidget::keepTextsReadable() {
    // Texts keep their size while the chart stretches: never shrink it below where they fit.
    const ChartScale scale =
        MinimumChartScale(WidestChartTexts(scene::MeasureWith(scene::SceneFont())));
    const scene::Rect frame = BuildPlotChart(PlotData{}, PlotSettings{}).extent;
    setMinimumSize(static_cast<int>(std::ceil(scale.x * frame.width())),
                   static_cast<int>(std::ceil(scale.y * frame.height())));
}

void PlotChartWidget::setScene(scene::Scene scene) {
    scene_ = std::move(scene);
    update();
}

std::vector<scene::PaintedText> PlotChartWidget::paint(QPainter& painter,
                                                       const QSizeF& size) const {
    return scene::PaintScene(painter, scene_, scene::StretchTransform(scene_.extent, size),
                             QRectF(QPointF(0.0, 0.0), size), scene::SceneFont());
}

void PlotChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, QSizeF(size()));
}

}  // namespace talvo::display
