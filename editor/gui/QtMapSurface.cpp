#include "QtMapSurface.h"

#include <QPainter>
#include <QString>

#include "core/MapView.h"

namespace talvo {

namespace {

double Px(int twips) {
    return static_cast<double>(twips) / kTwipsPerPixel;
}

}  // namespace

QColor ToQColor(ColourValue colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

ColourValue FromQColor(const QColor& colour) {
    return Rgb(colour.red(), colour.green(), colour.blue());
}

QtMapSurface::QtMapSurface(QPainter& painter, const QFont& font, QColor background)
    : painter_(painter), font_(font), metrics_(font), background_(background) {
    painter_.setFont(font_);
}

void QtMapSurface::Clear() {
    const QRect area = painter_.viewport();
    painter_.fillRect(area, background_);
}

void QtMapSurface::Line(int x1, int y1, int x2, int y2, ColourValue colour) {
    painter_.setPen(QPen(ToQColor(colour), 0));
    painter_.drawLine(QPointF(Px(x1), Px(y1)), QPointF(Px(x2), Px(y2)));
}

void QtMapSurface::Box(int x1, int y1, int x2, int y2, ColourValue colour) {
    painter_.setPen(QPen(ToQColor(colour), 0));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(QPointF(Px(x1), Px(y1)), QPointF(Px(x2), Px(y2))).normalized());
}

void QtMapSurface::FilledCircle(int cx, int cy, int radius, ColourValue fill, ColourValue outline) {
    painter_.setPen(QPen(ToQColor(outline), 0));
    painter_.setBrush(ToQColor(fill));
    painter_.drawEllipse(QPointF(Px(cx), Px(cy)), Px(radius), Px(radius));
    painter_.setBrush(Qt::NoBrush);
}

void QtMapSurface::Text(int x, int y, const std::string& text, ColourValue colour) {
    painter_.setPen(ToQColor(colour));
    // The print position is the text box's top-left corner.
    painter_.drawText(QPointF(Px(x), Px(y) + metrics_.ascent()), QString::fromStdString(text));
}

int QtMapSurface::TextWidth(const std::string& text) const {
    return metrics_.horizontalAdvance(QString::fromStdString(text)) * kTwipsPerPixel;
}

int QtMapSurface::TextHeight(const std::string&) const {
    return metrics_.height() * kTwipsPerPixel;
}

}  // namespace talvo
