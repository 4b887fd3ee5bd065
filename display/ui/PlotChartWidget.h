#pragma once

#include <vector>

#include <QWidget>

#include "model/PlotChart.h"
#include "scenepainter/ScenePainter.h"

namespace talvo::display {

// Draws a plot chart scene stretched over the widget, its texts in the scene font.
class PlotChartWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PlotChartWidget(QWidget* parent = nullptr);

    void setScene(scene::Scene scene);
    const scene::Scene& scene() const { return scene_; }
    QSize sizeHint() const override { return QSize(1000, 420).expandedTo(minimumSize()); }
    // Paints the chart at a size and returns the texts drawn.
    std::vector<scene::PaintedText> paint(QPainter& painter, const QSizeF& size) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void keepTextsReadable();

    scene::Scene scene_;
};

}  // namespace talvo::display
