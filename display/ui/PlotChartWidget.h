#pragma once

#include <QWidget>

#include "model/PlotChart.h"

namespace talvo::display {

// Draws a plot chart scene stretched over the widget.
class PlotChartWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PlotChartWidget(QWidget* parent = nullptr);

    void setScene(Scene scene);
    const Scene& scene() const { return scene_; }
    QTransform chartToPixels() const;
    QSize sizeHint() const override { return QSize(1000, 420).expandedTo(minimumSize()); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void keepTextsReadable();

    Scene scene_;
};

}  // namespace talvo::display
