#pragma once

#include <cstdint>

namespace talvo {

// The map is laid out in twips (1/1440 inch); the screen shows 15 twips per pixel.
constexpr int kTwipsPerPixel = 15;

// Coordinates handed to drawing primitives are 16-bit integers, rounded to the
// nearest with halves to even; values beyond the range are held at its ends.
int16_t RoundToInt16(double value);

struct MapPoint {
    double x = 0.0;
    double y = 0.0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

struct ScrollRange {
    int value = 0;
    int max = 0;
    int largeChange = 1;
    int smallChange = 1;
};

// Zoom factor and scroll offsets of the map picture, in screen units (twips).
class MapView {
  public:
    static constexpr double kMapWidth = 15360.0;
    static constexpr double kMapHeight = 11520.0;
    static constexpr double kViewWidth = 14175.0;
    static constexpr double kViewHeight = 5805.0;
    static constexpr double kMaxZoom = 2.0;

    MapView();

    double zoomFactor() const { return zoom_; }
    const ScrollRange& horizontal() const { return h_; }
    const ScrollRange& vertical() const { return v_; }
    void setScrollValues(int hValue, int vValue);

    // Map point to screen position, both coordinates rounded for drawing.
    ScreenPoint ToScreen(double x, double y) const;
    // Pointer position on the picture (screen units) to the map point under it.
    MapPoint PointerToMap(double px, double py) const;

    // Returns false (and changes nothing) when the map is already fully magnified.
    bool ZoomIn();
    void ResetZoom();
    // After a zoom change from the map's pop-up: the map point under the pointer stays
    // under it while magnified; back at zoom 1 the bars only keep within their range.
    void Recentre(double px, double py, double oldZoom);
    // After a zoom change from the menu bar: the map point at the picture's centre (px,
    // py) stays there at every zoom, so the network being looked at stays in view.
    void KeepCentre(double px, double py, double oldZoom);

  private:
    void SetChanges();

    double zoom_ = 1.0;
    ScrollRange h_;
    ScrollRange v_;
};

}  // namespace talvo
