#pragma once

#include <string>

#include "core/ColourScheme.h"

namespace talvo {

// What the map drawing needs of a picture: primitives in screen units (twips),
// with text measured on the same picture.
class MapSurface {
  public:
    virtual ~MapSurface() = default;
    virtual void Clear() = 0;
    virtual void Line(int x1, int y1, int x2, int y2, ColourValue colour) = 0;
    virtual void Box(int x1, int y1, int x2, int y2, ColourValue colour) = 0;
    virtual void FilledCircle(int cx, int cy, int radius, ColourValue fill,
                              ColourValue outline) = 0;
    virtual void Text(int x, int y, const std::string& text, ColourValue colour) = 0;
    virtual int TextWidth(const std::string& text) const = 0;
    virtual int TextHeight(const std::string& text) const = 0;
};

}  // namespace talvo
