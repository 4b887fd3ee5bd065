#include "ui/PlotChartWidget.h"

#include <QPainter>

#include "ui/ScenePainter.h"

namespace talvo::display {

PlotChartWidget::PlotChartWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("picPlot");
    setMinimumSize(300, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
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
