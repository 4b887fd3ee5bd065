#include "scenepainter/ScenePainter.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include <QFontMetricsF>
#include <QPolygonF>

#include "scene/MapGeometry.h"

namespace talvo::scene {
namespace {

constexpr int kFontPixelSize = 12;
// Shapes are clipped to the area widened by this many pixels, so that clipped ends and
// pen widths never show at the area's edge.
constexpr double kClipMargin = 16.0;
// Pixels a text's backing reaches beyond it on either side.
constexpr double kBackingMargin = 2.0;

QPointF ToQPoint(Point p) {
    return QPointF(p.x, p.y);
}

QPen PenOf(const Stroke& stroke) {
    return QPen(ToQColor(stroke.colour), stroke.width, stroke.dashed ? Qt::DashLine : Qt::SolidLine,
                Qt::FlatCap);
}

Rect ToRect(const QRectF& r) {
    return Rect{r.left(), r.top(), r.right(), r.bottom()};
}

QRectF TextBox(const QPointF& anchor, Align align, double width, double height) {
    double left = anchor.x() - width / 2.0;
    double top = anchor.y() - height / 2.0;
    switch (align) {
        case Align::TopLeft:
        case Align::Left:
        case Align::BottomLeft:
            left = anchor.x();
            break;
        case Align::TopRight:
        case Align::Right:
        case Align::BottomRight:
            left = anchor.x() - width;
            break;
        default:
            break;
    }
    switch (align) {
        case Align::TopLeft:
        case Align::Top:
        case Align::TopRight:
            top = anchor.y();
            break;
        case Align::BottomLeft:
        case Align::Bottom:
        case Align::BottomRight:
            top = anchor.y() - height;
            break;
        default:
            break;
    }
    return QRectF(left, top, width, height);
}

class LayerPainter {
  public:
    LayerPainter(QPainter& painter, const QTransform& transform, const QRectF& area,
                 const QFont& font, std::vector<PaintedText>& painted)
        : painter_(painter),
          transform_(transform),
          clip_(ToRect(area.adjusted(-kClipMargin, -kClipMargin, kClipMargin, kClipMargin))),
          font_(font),
          boldFont_(font),
          painted_(painted) {
        boldFont_.setBold(true);
    }

    void operator()(const Line& line) const {
        const auto clipped = ClipSegment(map(line.from), map(line.to), clip_);
        if (!clipped) {
            return;
        }
        painter_.setPen(PenOf(line.stroke));
        painter_.drawLine(ToQPoint(clipped->first), ToQPoint(clipped->second));
    }

    void operator()(const Box& box) const {
        QRectF rect = QRectF(ToQPoint(map(Point{box.rect.left, box.rect.top})),
                             ToQPoint(map(Point{box.rect.right, box.rect.bottom})))
                          .normalized();
        rect.setWidth(std::max(rect.width(), 1.0));
        rect.setHeight(std::max(rect.height(), 1.0));
        const Rect r = ToRect(rect);
        if (!r.intersects(clip_)) {
            return;
        }
        // Only the part that shows, so that a box of a far zoomed map stays in range.
        const Rect shown{std::max(r.left, clip_.left), std::max(r.top, clip_.top),
                         std::min(r.right, clip_.right), std::min(r.bottom, clip_.bottom)};
        const QRectF visible(QPointF(shown.left, shown.top), QPointF(shown.right, shown.bottom));
        if (box.fill) {
            painter_.fillRect(visible, ToQColor(*box.fill));
        }
        if (box.outline) {
            painter_.setPen(PenOf(*box.outline));
            painter_.setBrush(Qt::NoBrush);
            painter_.drawRect(visible);
        }
    }

    void operator()(const Circle& circle) const {
        const Point centre = map(circle.centre);
        const double rx = circle.radius * std::abs(transform_.m11());
        const double ry = circle.radius * std::abs(transform_.m22());
        if (!Rect::Around(centre, rx, ry).intersects(clip_)) {
            return;
        }
        setBrushAndPen(circle.fill, circle.outline);
        painter_.drawEllipse(ToQPoint(centre), rx, ry);
    }

    void operator()(const Polygon& polygon) const {
        QPolygonF points;
        for (const Point& p : polygon.points) {
            points << ToQPoint(map(p));
        }
        if (points.isEmpty() || !ToRect(points.boundingRect()).expanded(1, 1).intersects(clip_)) {
            return;
        }
        setBrushAndPen(polygon.fill, polygon.outline);
        painter_.drawPolygon(points);
    }

    void operator()(const Text& text) const {
        if (text.text.empty()) {
            return;
        }
        const QString label = QString::fromStdString(text.text);
        const QFont& font = text.bold ? boldFont_ : font_;
        const QFontMetricsF metrics(font);
        const double width = metrics.horizontalAdvance(label);
        const double height = metrics.height();
        const double fitWidth =
            std::max(width, metrics.horizontalAdvance(QString::fromStdString(text.fitsAs)));
        // A backing reaches beyond the text at its sides: the box it takes is the backing's.
        const double margin = text.backing ? kBackingMargin : 0.0;
        auto boxAt = [&](const Placement& placement, double boxWidth) {
            const Point anchor = map(placement.anchor);
            return TextBox(QPointF(anchor.x + placement.offset.x, anchor.y + placement.offset.y),
                           placement.align, boxWidth, height)
                .adjusted(-margin, 0.0, margin, 0.0);
        };
        // The text's own box lies within the wider one at the same anchor.
        auto fitsAt = [&](const Placement& placement) {
            return fits(text, boxAt(placement, fitWidth));
        };
        Placement placed{text.anchor, text.align, text.offset};
        if (text.givesWay && !fitsAt(placed)) {
            const auto fitting =
                std::find_if(text.alternatives.begin(), text.alternatives.end(), fitsAt);
            if (fitting == text.alternatives.end()) {
                return;
            }
            placed = *fitting;
        }
        const QRectF box = boxAt(placed, width);
        if (!ToRect(box).intersects(clip_)) {
            return;
        }
        if (text.backing) {
            painter_.fillRect(box, ToQColor(*text.backing));
        }
        painter_.setFont(font);
        painter_.setPen(ToQColor(text.colour));
        painter_.drawText(QPointF(box.left() + margin, box.top() + metrics.ascent()), label);
        painted_.push_back(PaintedText{text.text, box, text.within.has_value()});
    }

  private:
    Point map(Point p) const {
        const QPointF q = transform_.map(QPointF(p.x, p.y));
        return Point{q.x(), q.y()};
    }

    bool fits(const Text& text, const QRectF& box) const {
        if (text.within) {
            const QRectF within =
                QRectF(ToQPoint(map(Point{text.within->left, text.within->top})),
                       ToQPoint(map(Point{text.within->right, text.within->bottom})))
                    .normalized();
            if (!within.contains(box)) {
                return false;
            }
        }
        return std::none_of(painted_.begin(), painted_.end(),
                            [&](const PaintedText& other) { return other.box.intersects(box); });
    }

    void setBrushAndPen(const std::optional<Colour>& fill,
                        const std::optional<Stroke>& outline) const {
        painter_.setBrush(fill ? QBrush(ToQColor(*fill)) : QBrush(Qt::NoBrush));
        painter_.setPen(outline ? PenOf(*outline) : QPen(Qt::NoPen));
    }

    QPainter& painter_;
    const QTransform& transform_;
    Rect clip_;
    QFont font_;
    QFont boldFont_;
    std::vector<PaintedText>& painted_;
};

}  // namespace

QColor ToQColor(Colour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QFont SceneFont() {
    QFont font("DejaVu Sans");
    font.setPixelSize(kFontPixelSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

TextMeasure MeasureWith(const QFont& font) {
    return [font](const std::string& text, bool bold) {
        QFont measured = font;
        measured.setBold(bold);
        const QFontMetricsF metrics(measured);
        return Size{metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
    };
}

QTransform MapTransform(const Viewport& view) {
    const double s = view.scale();
    return QTransform(s, 0.0, 0.0, s, -view.origin().x * s, -view.origin().y * s);
}

QTransform StretchTransform(const Rect& extent, const QSizeF& target) {
    if (extent.width() <= 0.0 || extent.height() <= 0.0) {
        return QTransform();
    }
    const double sx = target.width() / extent.width();
    const double sy = target.height() / extent.height();
    return QTransform(sx, 0.0, 0.0, sy, -extent.left * sx, -extent.top * sy);
}

std::vector<PaintedText> PaintScene(QPainter& painter, const Scene& scene, const QTransform& world,
                                    const QRectF& area, const QFont& font) {
    std::vector<PaintedText> painted;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(area, ToQColor(scene.background));
    const LayerPainter worldPainter(painter, world, area, font, painted);
    for (const Primitive& item : scene.world.items) {
        std::visit(worldPainter, item);
    }
    const QTransform pixels = QTransform::fromTranslate(area.left(), area.top());
    const LayerPainter overlayPainter(painter, pixels, area, font, painted);
    for (const Primitive& item : scene.overlay.items) {
        std::visit(overlayPainter, item);
    }
    painter.restore();
    return painted;
}

QImage DrawnImage(const Size& size, double devicePixelRatio,
                  const std::function<void(QPainter&)>& paint) {
    QImage image(static_cast<int>(std::lround(size.width * devicePixelRatio)),
                 static_cast<int>(std::lround(size.height * devicePixelRatio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    paint(painter);
    return image;
}

}  // namespace talvo::scene
