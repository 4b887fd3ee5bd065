#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "model/Rgb.h"

namespace talvo::display {

struct PointD {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const PointD&, const PointD&) = default;
};

struct SceneLine {
    PointD from;
    PointD to;
    Rgb colour;
    int penWidth = 1;  // pixels, whatever the scale
};

// A rectangle filled with its colour (the outline is the same colour).
struct SceneBox {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    Rgb colour;
};

struct SceneCircle {
    PointD centre;
    double radius = 0.0;
    Rgb fill;
    Rgb outline;
    bool filled = true;  // false: the outline only
};

// Where a text goes relative to its anchor; the painter measures the text.
enum class TextPlacement {
    Centred,  // centre of the text on the anchor
    RightOf,  // left edge on the anchor, vertically centred
    LeftOf,   // right edge on the anchor, vertically centred
};

struct SceneText {
    PointD anchor;
    std::string text;
    Rgb colour;
    TextPlacement placement = TextPlacement::Centred;
    // A box of this colour behind the text, so that it reads over whatever lies beneath.
    std::optional<Rgb> backing;
};

using ScenePrimitive = std::variant<SceneLine, SceneBox, SceneCircle, SceneText>;

// What one picture is made of, in drawing order, in the picture's own units.
struct Scene {
    double width = 0.0;  // the drawing area the coordinates refer to
    double height = 0.0;
    double originX = 0.0;  // top-left corner of the drawing area
    double originY = 0.0;
    Rgb background = kWhite;
    std::vector<ScenePrimitive> primitives;

    template <typename T>
    void add(T primitive) {
        primitives.emplace_back(std::move(primitive));
    }
};

}  // namespace talvo::display
