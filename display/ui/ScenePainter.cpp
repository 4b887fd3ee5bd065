#include "ui/ScenePainter.h"

#include <algorithm>
#include <variant>

#include <QFontMetricsF>

namespace talvo::display {
namespace {

QColor ToQColor(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QPointF Map(const QTransform& transform, PointD point) {
    return transform.map(QPointF(point.x, point.y));
}

struct PrimitivePainter {
    QPainter& painter;
    const QTransform& transform;

    void operator()(const SceneLine& line) const {
        painter.setPen(QPen(ToQColor(line.colour), line.penWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(Map(transform, line.from), Map(transform, line.to));
    }

    void operator()(const SceneBox& box) const {
        QRectF rect(Map(transform, PointD{box.left, box.top}),
                    Map(transform, PointD{box.right, box.bottom}));
        rect = rect.normalized();
        // A box never vanishes below one pixel.
        rect.setWidth(std::max(rect.width(), 1.0));
        rect.setHeight(std::max(rect.height(), 1.0));
        painter.fillRect(rect, ToQColor(box.colour));
    }

    void operator()(const SceneCircle& circle) const {
        const QPointF centre = Map(transform, circle.centre);
        const double rx = circle.radius * transform.m11();
        const double ry = circle.radius * transform.m22();
        painter.setPen(QPen(ToQColor(circle.outline), 1));
        if (circle.filled) {
            painter.setBrush(ToQColor(circle.fill));
        } else {
            painter.setBrush(Qt::NoBrush);
        }
        painter.drawEllipse(centre, rx, ry);
        painter.setBrush(Qt::NoBrush);
    }

    void operator()(const SceneText& text) const {
        if (text.text.empty()) {
            return;
        }
        const QString label = QString::fromStdString(text.text);
        const QFontMetricsF metrics(painter.font());
        const double width = metrics.horizontalAdvance(label);
        const double height = metrics.height();
        const QPointF anchor = Map(transform, text.anchor);
        double left = anchor.x() - width / 2.0;
        if (text.placement == TextPlacement::RightOf) {
            left = anchor.x();
        } else if (text.placement == TextPlacement::LeftOf) {
            left = anchor.x() - width;
        }
        const double top = anchor.y() - height / 2.0;
        if (text.backing) {
            painter.fillRect(QRectF(left - 2.0, top, width + 4.0, height), ToQColor(*text.backing));
        }
        painter.setPen(ToQColor(text.colour));
        painter.drawText(QPointF(left, top + metrics.ascent()), label);
    }
};

}  // namespace

QTransform SceneTransform(const Scene& scene, const QSizeF& target, bool uniform) {
    if (scene.width <= 0.0 || scene.height <= 0.0) {
        return QTransform();
    }
    double sx = target.width() / scene.width;
    double sy = target.height() / scene.height;
    if (uniform) {
        sx = sy = std::min(sx, sy);
    }
    return QTransform(sx, 0.0, 0.0, sy, -scene.originX * sx, -scene.originY * sy);
}

void PaintScene(QPainter& painter, const Scene& scene, const QTransform& transform) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(painter.viewport(), ToQColor(scene.background));
    const PrimitivePainter paint{painter, transform};
    for (const ScenePrimitive& primitive : scene.primitives) {
        std::visit(paint, primitive);
    }
    painter.restore();
}

}  // namespace talvo::display
