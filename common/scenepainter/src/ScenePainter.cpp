#include "scenepainter/ScenePainter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>
#include <variant>

#include <QFontMetricsF>
#include <QPolygonF>

#include "scene/MapGeometry.h"

namespace talvo::scene {
namespace {

constexpr int kFontPixelSize = 12;
// A detail drawn shorter than this (pixels) is left out; an outlined box drawn narrower or
// lower than this is filled instead.
constexpr double kDetailPixels = 4.0;
constexpr double kSolidPixels = 3.0;
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

// Text widths of one font, each measured once: a map repeats the same short texts.
class TextWidths {
  public:
    explicit TextWidths(const QFont& font) : font_(font), metrics_(font) {}

    const QFont& font() const { return font_; }
    const QFontMetricsF& metrics() const { return metrics_; }
    double width(const std::string& text) {
        const auto [at, added] = widths_.try_emplace(text, 0.0);
        if (added) {
            at->second = metrics_.horizontalAdvance(QString::fromStdString(text));
        }
        return at->second;
    }

  private:
    QFont font_;
    QFontMetricsF metrics_;
    std::unordered_map<std::string, double> widths_;
};

// The boxes of the texts drawn so far, filed by the squares of the area they cover, so that
// a text giving way looks only at the texts near it.
class DrawnBoxes {
  public:
    static constexpr double kSquare = 48.0;  // pixels

    explicit DrawnBoxes(const Rect& area)
        : area_(area),
          columns_(static_cast<int>(std::ceil(area.width() / kSquare)) + 1),
          rows_(static_cast<int>(std::ceil(area.height() / kSquare)) + 1),
          squares_(static_cast<size_t>(columns_ * rows_)) {}

    void add(const QRectF& box) {
        boxes_.push_back(box);
        each(box, [&](std::vector<int>& square) {
            square.push_back(static_cast<int>(boxes_.size()) - 1);
            return false;
        });
    }
    bool meets(const QRectF& box) {
        return each(box, [&](const std::vector<int>& square) {
            return std::any_of(square.begin(), square.end(), [&](int i) {
                return boxes_[static_cast<size_t>(i)].intersects(box);
            });
        });
    }

  private:
    // Visits the squares the box covers (boxes beyond the area count in its edge squares)
    // until the visit returns true.
    template <typename Visit>
    bool each(const QRectF& box, Visit visit) {
        const auto index = [](double v, double from, int count) {
            return std::clamp(static_cast<int>(std::floor((v - from) / kSquare)), 0, count - 1);
        };
        const int x0 = index(box.left(), area_.left, columns_);
        const int x1 = index(box.right(), area_.left, columns_);
        const int y0 = index(box.top(), area_.top, rows_);
        const int y1 = index(box.bottom(), area_.top, rows_);
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                if (visit(squares_[static_cast<size_t>(y * columns_ + x)])) {
                    return true;
                }
            }
        }
        return false;
    }

    Rect area_;
    int columns_;
    int rows_;
    std::vector<std::vector<int>> squares_;
    std::vector<QRectF> boxes_;
};

// Outlines and lines of one pen drawn in runs: a map's links and cells follow each other in
// the same pen, which is set once for a run. A run keeps the drawing order; anything else
// drawn ends it first.
class StrokeRuns {
  public:
    explicit StrokeRuns(QPainter& painter) : painter_(painter) {}
    StrokeRuns(const StrokeRuns&) = delete;
    StrokeRuns& operator=(const StrokeRuns&) = delete;
    ~StrokeRuns() { flush(); }

    void line(const Stroke& stroke, const QPointF& from, const QPointF& to) {
        start(stroke, Kind::Lines);
        lines_.emplace_back(from, to);
    }
    void rect(const Stroke& stroke, const QRectF& rect) {
        start(stroke, Kind::Rects);
        rects_.push_back(rect);
    }
    void fill(Colour colour, const QRectF& rect) {
        start(Stroke{colour}, Kind::Fills);
        rects_.push_back(rect);
    }
    void flush() {
        if (kind_ == Kind::None) {
            return;
        }
        painter_.setPen(PenOf(stroke_));
        if (kind_ == Kind::Lines) {
            // One call per line: lines drawn in one call share their end pixels.
            for (const QLineF& line : lines_) {
                painter_.drawLine(line);
            }
        } else if (kind_ == Kind::Fills) {
            const QColor colour = ToQColor(stroke_.colour);
            for (const QRectF& r : rects_) {
                painter_.fillRect(r, colour);
            }
        } else {
            painter_.setBrush(Qt::NoBrush);
            painter_.drawRects(rects_.data(), static_cast<int>(rects_.size()));
        }
        lines_.clear();
        rects_.clear();
        kind_ = Kind::None;
    }

  private:
    enum class Kind { None, Lines, Rects, Fills };

    void start(const Stroke& stroke, Kind kind) {
        // Dashes run on from one line of a call to the next: dashed lines go one by one.
        if (kind_ != kind || stroke.dashed || stroke_.dashed ||
            !(stroke.colour == stroke_.colour) || stroke.width != stroke_.width) {
            flush();
        }
        stroke_ = stroke;
        kind_ = kind;
    }

    QPainter& painter_;
    Kind kind_ = Kind::None;
    Stroke stroke_;
    std::vector<QLineF> lines_;
    std::vector<QRectF> rects_;
};

// What the painters of one scene share: the texts drawn so far, the fonts' widths and
// the run of lines being gathered.
struct PaintState {
    PaintState(QPainter& painter, const QFont& font, const Rect& area,
               std::vector<PaintedText>& drawn)
        : plain(font), bold(Bold(font)), boxes(area), painted(drawn), strokes(painter) {}

    static QFont Bold(QFont font) {
        font.setBold(true);
        return font;
    }

    TextWidths plain;
    TextWidths bold;
    DrawnBoxes boxes;
    std::vector<PaintedText>& painted;
    StrokeRuns strokes;
};

class LayerPainter {
  public:
    LayerPainter(QPainter& painter, const QTransform& transform, const QRectF& area,
                 PaintState& texts)
        : painter_(painter),
          transform_(transform),
          clip_(ToRect(area.adjusted(-kClipMargin, -kClipMargin, kClipMargin, kClipMargin))),
          texts_(texts) {}

    void operator()(const Line& line) const {
        const Point from = map(line.from);
        const Point to = map(line.to);
        if (line.detail && std::hypot(to.x - from.x, to.y - from.y) < kDetailPixels) {
            return;
        }
        const auto clipped = ClipSegment(from, to, clip_);
        if (!clipped) {
            return;
        }
        texts_.strokes.line(line.stroke, ToQPoint(clipped->first), ToQPoint(clipped->second));
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
            texts_.strokes.flush();
            painter_.fillRect(visible, ToQColor(*box.fill));
        }
        if (box.outline && (rect.width() < kSolidPixels || rect.height() < kSolidPixels)) {
            // The outline's pen covers its right and bottom edge's pixels too.
            const double pen = std::max(box.outline->width, 1.0);
            texts_.strokes.fill(box.outline->colour, visible.adjusted(0.0, 0.0, pen, pen));
        } else if (box.outline) {
            texts_.strokes.rect(*box.outline, visible);
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
        TextWidths& widths = text.bold ? texts_.bold : texts_.plain;
        const QFontMetricsF& metrics = widths.metrics();
        const double height = metrics.height();
        if (text.names && tooSmall(*text.names, height)) {
            return;
        }
        // A backing reaches beyond the text at its sides: the box it takes is the backing's.
        const double margin = text.backing ? kBackingMargin : 0.0;
        // Before measuring: no wider than its widest character each.
        const double longest = static_cast<double>(std::max(text.text.size(), text.fitsAs.size()));
        if (!anyShows(text, metrics.maxWidth() * longest + 2.0 * margin, height)) {
            return;
        }
        const double width = widths.width(text.text);
        const double fitWidth =
            text.fitsAs.empty() ? width : std::max(width, widths.width(text.fitsAs));
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
        texts_.strokes.flush();
        if (text.backing) {
            painter_.fillRect(box, ToQColor(*text.backing));
        }
        painter_.setFont(widths.font());
        painter_.setPen(ToQColor(text.colour));
        painter_.drawText(QPointF(box.left() + margin, box.top() + metrics.ascent()),
                          QString::fromStdString(text.text));
        texts_.painted.push_back(PaintedText{text.text, box, text.within.has_value()});
        texts_.boxes.add(box);
    }

  private:
    // A text is drawn at one of its placements or not at all, and never outside the area:
    // one that lies outside wherever it goes is done with at once.
    bool anyShows(const Text& text, double width, double height) const {
        const auto shows = [&](const Placement& placement) {
            const Point anchor = map(placement.anchor);
            const QRectF box =
                TextBox(QPointF(anchor.x + placement.offset.x, anchor.y + placement.offset.y),
                        placement.align, width, height);
            return ToRect(box).intersects(clip_);
        };
        return shows(Placement{text.anchor, text.align, text.offset}) ||
               std::any_of(text.alternatives.begin(), text.alternatives.end(), shows);
    }

    bool tooSmall(const Rect& shape, double lineHeight) const {
        const QRectF drawn = transform_.mapRect(
            QRectF(QPointF(shape.left, shape.top), QPointF(shape.right, shape.bottom)));
        return drawn.width() < lineHeight && drawn.height() < lineHeight;
    }

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
        return !texts_.boxes.meets(box);
    }

    void setBrushAndPen(const std::optional<Colour>& fill,
                        const std::optional<Stroke>& outline) const {
        texts_.strokes.flush();
        painter_.setBrush(fill ? QBrush(ToQColor(*fill)) : QBrush(Qt::NoBrush));
        painter_.setPen(outline ? PenOf(*outline) : QPen(Qt::NoPen));
    }

    QPainter& painter_;
    const QTransform& transform_;
    Rect clip_;
    PaintState& texts_;
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
    PaintState texts(painter, font, ToRect(area), painted);
    const LayerPainter worldPainter(painter, world, area, texts);
    for (const Primitive& item : scene.world.items) {
        std::visit(worldPainter, item);
    }
    const QTransform pixels = QTransform::fromTranslate(area.left(), area.top());
    const LayerPainter overlayPainter(painter, pixels, area, texts);
    for (const Primitive& item : scene.overlay.items) {
        std::visit(overlayPainter, item);
    }
    texts.strokes.flush();
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
