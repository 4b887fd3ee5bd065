#pragma once
// Draws scenes with a QPainter: the one painter of the map and the charts.

#include <functional>
#include <string>
#include <vector>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QTransform>

#include "scene/Scene.h"
#include "scene/Viewport.h"

namespace talvo::scene {

QColor ToQColor(Colour colour);

// The font of every map and chart text: one family at one pixel size, so that a picture
// comes out the same on every machine that has the DejaVu fonts.
QFont SceneFont();
// Text sizes in pixels as PaintScene draws them with that font.
TextMeasure MeasureWith(const QFont& font);

// Map units to view pixels.
QTransform MapTransform(const Viewport& view);
// A scene's extent stretched over a target of the given size.
QTransform StretchTransform(const Rect& extent, const QSizeF& target);

struct PaintedText {
    std::string text;
    QRectF box;            // pixels
    bool bounded = false;  // placed within a box of its own (a value inside its cell)
};

// Fills the area with the background, draws the world layer under the transform and then
// the overlay (pixels from the area's top-left), and returns the texts drawn with their boxes (a
// text that gave way is not among them). Lines are clipped to the area first, so that a line
// reaching far outside a zoomed view is drawn over the part that shows.
std::vector<PaintedText> PaintScene(QPainter& painter, const Scene& scene, const QTransform& world,
                                    const QRectF& area, const QFont& font);

// A picture of a view's size (pixels) at a device pixel ratio (2 for a high-density screen),
// drawn by `paint` in the view's pixels.
QImage DrawnImage(const Size& size, double devicePixelRatio,
                  const std::function<void(QPainter&)>& paint);

}  // namespace talvo::scene
