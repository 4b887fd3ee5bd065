#pragma once
// The scale bar drawn over a map view, fixed in its bottom-left corner.

#include <optional>

#include <QPainter>
#include <QRectF>

#include "scene/ScaleBar.h"

namespace talvo::scene {

// The box the bar and its label take in an area of the view (pixels).
QRectF ScaleBarBox(const ScaleBar& bar, const QRectF& area);
// Draws the bar, with its label above it on a light backing so that it reads over the map;
// nothing without a bar.
void PaintScaleBar(QPainter& painter, const std::optional<ScaleBar>& bar, const QRectF& area);

}  // namespace talvo::scene
