#pragma once
// A picture as plain data: shapes and texts in drawing order, free of any toolkit. The
// world layer is in the picture's own units (map units for a map, chart units for a plot)
// and goes through the view's transform; the overlay layer is in pixels from the view's
// top-left corner and is drawn last (legends, rubber bands). Line widths, text sizes and
// text offsets are pixels at any scale.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "scene/Geometry.h"

namespace talvo::scene {

struct Stroke {
    Stroke() = default;
    Stroke(Colour strokeColour, double pixels = 1.0, bool dashes = false)
        : colour(strokeColour), width(pixels), dashed(dashes) {}

    Colour colour;
    double width = 1.0;  // pixels
    bool dashed = false;
};

struct Line {
    Point from;
    Point to;
    Stroke stroke;
    // A detail of a shape (an arrowhead's stroke) is left out where it would be drawn
    // shorter than a few pixels, far zoomed out, where it could not be made out.
    bool detail = false;
};

// A box is at least one pixel wide and high, however far it is scaled down; one drawn only
// a few pixels wide or high is filled in its outline's colour, as its outline nearly is.
struct Box {
    Rect rect;
    std::optional<Colour> fill;
    std::optional<Stroke> outline;
};

struct Circle {
    Point centre;
    double radius = 0.0;  // scene units
    std::optional<Colour> fill;
    std::optional<Stroke> outline;
};

struct Polygon {
    std::vector<Point> points;
    std::optional<Colour> fill;
    std::optional<Stroke> outline;
};

// Which point of a text's box lies on its anchor.
enum class Align { TopLeft, Top, TopRight, Left, Centre, Right, BottomLeft, Bottom, BottomRight };

// Where a text goes: the point of its box on the anchor, then moved by pixels.
struct Placement {
    Point anchor;
    Align align = Align::Centre;
    Point offset;  // pixels
};

struct Text {
    Text() = default;
    Text(Point at, std::string label, Colour textColour, Align alignment = Align::Centre)
        : anchor(at), text(std::move(label)), colour(textColour), align(alignment) {}

    Point anchor;
    std::string text;  // UTF-8
    Colour colour;
    Align align = Align::Centre;
    Point offset;                   // pixels, added after the anchor is placed
    std::optional<Colour> backing;  // a box behind the text, so that it reads over anything
    bool bold = false;
    // A text that gives way is left out where it would meet a text drawn before it, or
    // where its box would not lie inside `within` (scene units): a label that does not fit
    // at the current scale is not drawn at all rather than drawn over something else.
    // Before it gives way, it tries the alternatives in turn.
    bool givesWay = false;
    std::optional<Rect> within;
    // The shape the text names (scene units): where that is drawn smaller than a line of
    // text either way, far zoomed out, the text could name any of its neighbours and is
    // left out.
    std::optional<Rect> names;
    std::vector<Placement> alternatives;
    // Where wider than the text, the box the fit test measures: a value that changes from
    // frame to frame then shows or gives way by the cell it is in, not by the value it has.
    std::string fitsAs;
};

using Primitive = std::variant<Line, Box, Circle, Polygon, Text>;

struct Layer {
    // Grown in blocks, never moved: a city's map adds a hundred thousand shapes a redraw.
    std::deque<Primitive> items;

    template <typename T>
    void add(T item) {
        items.emplace_back(std::move(item));
    }
};

struct Scene {
    Colour background = kWhite;
    Rect extent;  // the area the world layer describes (a chart's frame)
    Layer world;
    Layer overlay;
};

// The size of a text in pixels, as the painter will draw it.
using TextMeasure = std::function<Size(const std::string& text, bool bold)>;

}  // namespace talvo::scene
