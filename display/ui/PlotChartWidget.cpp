#include "ui/PlotChartWidget.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "ui/ScenePainter.h"

namespace talvo::display {

PlotChartWidget::PlotChartWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("picPlot");
    setAttribute(Qt::WA_OpaquePaintEvent);
    keepTextsReadable();
}

void PlotChartWidget::keepTextsReadable() {
    // Texts keep their size while the chart stretches: never shrink it below where they fit.
    const QFontMetricsF metrics(font());
    const ChartScale scale = MinimumChartScale(
        metrics.horizontalAdvance("Distance (m)"),
        metrics.horizontalAdvance(QString::fromStdString(WidestLegendLabel())), metrics.height());
    const Scene frame = BuildPlotChart(PlotData{}, PlotSettings{});
    setMinimumSize(static_cast<int>(std::ceil(scale.x * frame.width)),
                   static_cast<int>(std::ceil(scale.y * frame.height)));
}

void PlotChartWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        keepTextsReadable();
    }
}

void PlotChartWidget::setScene(Scene scene) {
    scene_ = std::move(scene);
    update();
}

QTransform PlotChartWidget::chartToPixels() const {
    return SceneTransform(scene_, QSizeF(size()), false);
}

void PlotChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintScene(painter, scene_, chartToPixels());
}

}  // namespace talvo::display
