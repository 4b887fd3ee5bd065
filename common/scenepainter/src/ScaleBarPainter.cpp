#include "scenepainter/ScaleBarPainter.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPen>

#include "scenepainter/ScenePainter.h"

namespace talvo::scene {
namespace {

constexpr double kInset = 10.0;   // from the view's corner
constexpr double kPadding = 4.0;  // inside the backing
constexpr double kTickHeight = 6.0;
constexpr double kBarWidth = 2.0;  // pen
const QColor kBacking(255, 255, 255, 210);
const QColor kInk(0, 0, 0);

}  // namespace

QRectF ScaleBarBox(const ScaleBar& bar, const QRectF& area) {
    const QFontMetricsF metrics(SceneFont());
    const double width =
        std::max(bar.pixels, metrics.horizontalAdvance(QString::fromStdString(bar.label)));
    const double height = metrics.height() + kTickHeight;
    const double left = area.left() + kInset;
    const double bottom = area.bottom() - kInset;
    return QRectF(left, bottom - height - 2.0 * kPadding, width + 2.0 * kPadding,
                  height + 2.0 * kPadding);
}

void PaintScaleBar(QPainter& painter, const std::optional<ScaleBar>& bar, const QRectF& area) {
    if (!bar) {
        return;
    }
    const QRectF box = ScaleBarBox(*bar, area);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(box, kBacking);
    const QFont font = SceneFont();
    const QFontMetricsF metrics(font);
    const double left = box.left() + kPadding;
    const double right = left + bar->pixels;
    const double base = box.bottom() - kPadding;
    painter.setPen(QPen(kInk, kBarWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(left, base), QPointF(right, base));
    painter.drawLine(QPointF(left, base), QPointF(left, base - kTickHeight));
    painter.drawLine(QPointF(right, base), QPointF(right, base - kTickHeight));
    painter.setFont(font);
    painter.drawText(QPointF(left, box.top() + kPadding + metrics.ascent()),
                     QString::fromStdString(bar->label));
    painter.restore();
}

}  // namespace talvo::scene
