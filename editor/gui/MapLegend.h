#pragma once

#include <QWidget>

#include "core/ColourScheme.h"

namespace talvo {

// picLegend: what the map's symbols mean, drawn in the map's current colours.
class MapLegend : public QWidget {
  public:
    explicit MapLegend(const ColourScheme& colours, QWidget* parent = nullptr);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const ColourScheme& colours_;
};

}  // namespace talvo
