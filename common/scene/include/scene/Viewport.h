#pragma once
// What part of the map a view shows and how large: the zoom (1 = kMapUnitsPerPixel map
// units to a pixel) and the map point at the view's top-left corner, for a view of a given
// size in pixels. A map point p is drawn at (p - origin) x zoom / kMapUnitsPerPixel.

#include "scene/Geometry.h"

namespace talvo::scene {

// One scroll bar: the range of its value, its value and its page, in pixels.
struct ScrollAxis {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    int pageStep = 1;
};

class Viewport {
  public:
    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 16.0;
    // A zoom rectangle this many pixels or fewer in either direction is a click, not a zoom.
    static constexpr double kMinDrag = 5.0;

    double zoom() const { return zoom_; }
    Point origin() const { return origin_; }
    Size size() const { return size_; }
    // Pixels per map unit.
    double scale() const;

    Point toPixels(Point map) const;
    Point toMap(Point pixel) const;
    // The map area inside the view.
    Rect visibleMap() const;

    // A new size of the view (pixels); the top-left map point stays.
    void resize(Size pixels);
    // Zoom 1 with the map's corner (0, 0) at the top-left.
    void reset();
    // The zoom, held within kMinZoom..kMaxZoom, with the map point under the pixel kept there.
    void zoomAbout(Point pixel, double zoom);
    void zoomBy(Point pixel, double factor) { zoomAbout(pixel, zoom_ * factor); }
    // The rectangle between two view points fills the view in its tighter direction,
    // centred; false (nothing changed) when it is kMinDrag pixels or less either way.
    bool zoomToRectangle(Point a, Point b);
    // The whole of the map area in view, centred, with a margin of pixels around it and
    // `reservedRight` pixels on the right kept clear (for a legend).
    void fit(const Rect& map, double margin, double reservedRight = 0.0);
    // Moves the picture by pixels (a drag to the right shows what lies further left).
    void panBy(Point pixels);
    void setOrigin(Point map) { origin_ = map; }

    // Scroll bars over the content (map units) and what is visible now, whichever reaches
    // further; a bar's value is the view's left (top) edge in pixels.
    ScrollAxis horizontalScroll(const Rect& content) const;
    ScrollAxis verticalScroll(const Rect& content) const;
    void scrollHorizontallyTo(int value);
    void scrollVerticallyTo(int value);

  private:
    double zoom_ = 1.0;
    Point origin_;
    Size size_{1.0, 1.0};
};

}  // namespace talvo::scene
