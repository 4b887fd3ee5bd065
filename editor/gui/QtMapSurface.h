#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>

#include "MapSurface.h"

class QPainter;

namespace talvo {

QColor ToQColor(ColourValue colour);
ColourValue FromQColor(const QColor& colour);

// Draws map primitives with a painter whose device is in pixels.
class QtMapSurface : public MapSurface {
  public:
    QtMapSurface(QPainter& painter, const QFont& font, QColor background = Qt::white);

    void Clear() override;
    void Line(int x1, int y1, int x2, int y2, ColourValue colour) override;
    void Box(int x1, int y1, int x2, int y2, ColourValue colour) override;
    void FilledCircle(int cx, int cy, int radius, ColourValue fill, ColourValue outline) override;
    void Text(int x, int y, const std::string& text, ColourValue colour) override;
    int TextWidth(const std::string& text) const override;
    int TextHeight(const std::string& text) const override;

  private:
    QPainter& painter_;
    QFont font_;
    QFontMetrics metrics_;
    QColor background_;
};

}  // namespace talvo
