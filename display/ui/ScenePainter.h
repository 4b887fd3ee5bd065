#pragma once

#include <QPainter>
#include <QTransform>

#include "model/Scene.h"

namespace talvo::display {

// Scene units to device pixels: the scene's drawing area fills the target, with one scale
// for both directions when uniform is set (the map), or stretched (the plot).
QTransform SceneTransform(const Scene& scene, const QSizeF& target, bool uniform);

// Paints a scene: background, then every primitive in order. Texts keep their font size
// whatever the scale and are placed by their measured width and height.
void PaintScene(QPainter& painter, const Scene& scene, const QTransform& transform);

}  // namespace talvo::display
