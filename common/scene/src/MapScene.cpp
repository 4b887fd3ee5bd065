#include "scene/MapScene.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace talvo::scene {
namespace {

constexpr double kValueInset = 2.0;  // pixels between a value and its cell's side
constexpr double kLabelGap = 3.0;    // pixels between a node's circle and its ID
// An origin's triangle spans this share of its cell, so that it shows around the cell's ID.
constexpr double kSourceShare = 0.75;

// Legend layout, in pixels.
constexpr double kPadding = 8.0;
constexpr double kSwatchWidth = 22.0;
constexpr double kSwatchHeight = 12.0;
constexpr double kSwatchGap = 6.0;
constexpr double kRowGap = 3.0;
constexpr double kSectionGap = 6.0;

}  // namespace

void AddCell(Layer& layer, const MapCell& cell, const CellLook& look) {
    layer.add(Box{cell.rect, look.fill, look.outline});
}

void AddCellID(Layer& layer, const MapCell& cell, Colour colour, bool givesWay) {
    Text label{cell.rect.centre(), std::to_string(cell.cellID), colour};
    label.givesWay = givesWay;
    label.names = cell.rect;
    layer.add(std::move(label));
}

void AddLink(Layer& layer, const MapLink& link, const LinkLook& look) {
    if (link.path.size() < 2) {
        return;
    }
    for (size_t i = 1; i < link.path.size(); ++i) {
        layer.add(Line{link.path[i - 1], link.path[i], look.stroke});
    }
    if (look.arrowHead) {
        const Point from = link.path[link.path.size() - 2];
        const Point end = link.path.back();
        const auto [left, right] = ArrowHeadEnds(from, end, kArrowLength);
        layer.add(Line{end, left, look.stroke, true});
        layer.add(Line{end, right, look.stroke, true});
    }
}

void AddNode(Layer& layer, const MapNode& node, const NodeLook& look) {
    layer.add(Circle{node.centre, kNodeRadius, look.fill, look.outline});
}

void AddNodeID(Layer& layer, const MapNode& node, const NodeIDLook& look) {
    Text label{node.centre, std::to_string(node.nodeID), look.colour};
    label.backing = look.backing;
    label.givesWay = look.givesWay;
    label.names = Rect::Around(node.centre, kNodeRadius, kNodeRadius);
    if (look.beside) {
        const double diagonal = kNodeRadius * std::sqrt(0.5);
        label.anchor = Point{node.centre.x + diagonal, node.centre.y - diagonal};
        label.align = Align::BottomLeft;
        label.offset = Point{kLabelGap, -kLabelGap};
    }
    layer.add(std::move(label));
}

Rect StreetLabelBox(const MapLabel& label, const TextMeasure& measure) {
    const Size size = measure(label.text, false);
    return Rect{label.anchor.x, label.anchor.y, label.anchor.x + size.width * kMapUnitsPerPixel,
                label.anchor.y + size.height * kMapUnitsPerPixel};
}

void AddStreetLabel(Layer& layer, const MapLabel& label, const TextMeasure& measure, Colour colour,
                    std::optional<Colour> backing) {
    Text text{StreetLabelBox(label, measure).centre(), label.text, colour};
    text.backing = backing;
    layer.add(std::move(text));
}

Side FreeSide(const MapCell& cell) {
    const std::array<Side, 4> across{Side::Bottom, Side::Top, Side::Right, Side::Left};
    const std::array<Side, 4> along{Side::Right, Side::Left, Side::Bottom, Side::Top};
    const auto& order = cell.orientation == kVerticalCell ? along : across;
    for (const Side side : order) {
        if (!cell.linkedOn(side)) {
            return side;
        }
    }
    return order.front();
}

namespace {

// Inside a cell against one of its sides.
Placement InsideAgainst(const Rect& r, Side side) {
    const Point centre = r.centre();
    switch (side) {
        case Side::Bottom:
            return Placement{Point{centre.x, r.bottom}, Align::Bottom, Point{0.0, -kValueInset}};
        case Side::Top:
            return Placement{Point{centre.x, r.top}, Align::Top, Point{0.0, kValueInset}};
        case Side::Right:
            return Placement{Point{r.right, centre.y}, Align::Right, Point{-kValueInset, 0.0}};
        case Side::Left:
            break;
    }
    return Placement{Point{r.left, centre.y}, Align::Left, Point{kValueInset, 0.0}};
}

}  // namespace

void AddCellValue(Layer& layer, const MapCell& cell, std::string text, Colour colour,
                  std::optional<Colour> backing, std::string widest) {
    const Side free = FreeSide(cell);
    const Placement first = InsideAgainst(cell.rect, free);
    Text value{first.anchor, std::move(text), colour, first.align};
    value.offset = first.offset;
    value.backing = backing;
    value.fitsAs = std::move(widest);
    value.givesWay = true;
    value.within = cell.rect;
    for (const Side side : {Side::Bottom, Side::Top, Side::Right, Side::Left}) {
        if (side != free) {
            value.alternatives.push_back(InsideAgainst(cell.rect, side));
        }
    }
    layer.add(std::move(value));
}

void AddSinkMarker(Layer& layer, const MapCell& cell, const Stroke& stroke) {
    const Rect& r = cell.rect;
    layer.add(Line{Point{r.left, r.top}, Point{r.right, r.bottom}, stroke});
    layer.add(Line{Point{r.left, r.bottom}, Point{r.right, r.top}, stroke});
}

namespace {

// Where a cell's traffic leaves it; along its orientation when no link leaves it.
Side LeavingSide(const MapCell& cell) {
    return cell.leavingSide.value_or(cell.orientation == kVerticalCell ? Side::Bottom
                                                                       : Side::Right);
}

}  // namespace

void AddSourceMarker(Layer& layer, const MapCell& cell, Colour fill) {
    const Rect inner = Rect::Around(cell.rect.centre(), cell.rect.width() * kSourceShare / 2.0,
                                    cell.rect.height() * kSourceShare / 2.0);
    const Point c = inner.centre();
    std::vector<Point> points;
    switch (LeavingSide(cell)) {
        case Side::Right:
            points = {{inner.left, inner.top}, {inner.right, c.y}, {inner.left, inner.bottom}};
            break;
        case Side::Left:
            points = {{inner.right, inner.top}, {inner.left, c.y}, {inner.right, inner.bottom}};
            break;
        case Side::Bottom:
            points = {{inner.left, inner.top}, {c.x, inner.bottom}, {inner.right, inner.top}};
            break;
        case Side::Top:
            points = {{inner.left, inner.bottom}, {c.x, inner.top}, {inner.right, inner.bottom}};
            break;
    }
    layer.add(Polygon{std::move(points), fill, std::nullopt});
}

void AddStopLine(Layer& layer, const MapCell& cell, const Stroke& stroke) {
    const Rect& r = cell.rect;
    switch (LeavingSide(cell)) {
        case Side::Right:
            layer.add(Line{Point{r.right, r.top}, Point{r.right, r.bottom}, stroke});
            break;
        case Side::Left:
            layer.add(Line{Point{r.left, r.top}, Point{r.left, r.bottom}, stroke});
            break;
        case Side::Bottom:
            layer.add(Line{Point{r.left, r.bottom}, Point{r.right, r.bottom}, stroke});
            break;
        case Side::Top:
            layer.add(Line{Point{r.left, r.top}, Point{r.right, r.top}, stroke});
            break;
    }
}

namespace {

double RowHeight(double textHeight) {
    return std::max(textHeight, kSwatchHeight);
}

}  // namespace

Size LegendSize(const std::vector<LegendSection>& sections, const TextMeasure& measure) {
    double width = 0.0;
    double height = kPadding;
    for (size_t s = 0; s < sections.size(); ++s) {
        const LegendSection& section = sections[s];
        const Size title = measure(section.title, true);
        width = std::max(width, title.width);
        height += title.height + kRowGap;
        for (const LegendEntry& entry : section.entries) {
            const Size label = measure(entry.label, false);
            width = std::max(width, kSwatchWidth + kSwatchGap + label.width);
            height += RowHeight(label.height) + kRowGap;
        }
        if (s + 1 < sections.size()) {
            height += kSectionGap;
        }
    }
    return Size{width + 2.0 * kPadding, height + kPadding - kRowGap};
}

void AddLegend(Layer& overlay, const std::vector<LegendSection>& sections, Point topRight,
               const TextMeasure& measure, const LegendLook& look) {
    const Size size = LegendSize(sections, measure);
    const double left = topRight.x - size.width;
    overlay.add(Box{Rect{left, topRight.y, topRight.x, topRight.y + size.height}, look.backing,
                    Stroke{look.swatchOutline}});
    double y = topRight.y + kPadding;
    const double x = left + kPadding;
    for (size_t s = 0; s < sections.size(); ++s) {
        const LegendSection& section = sections[s];
        Text title{Point{x, y}, section.title, look.text, Align::TopLeft};
        title.bold = true;
        overlay.add(std::move(title));
        y += measure(section.title, true).height + kRowGap;
        for (const LegendEntry& entry : section.entries) {
            const double row = RowHeight(measure(entry.label, false).height);
            const double middle = y + row / 2.0;
            const Rect swatch{x, middle - kSwatchHeight / 2.0, x + kSwatchWidth,
                              middle + kSwatchHeight / 2.0};
            switch (entry.swatch) {
                case Swatch::Box:
                    overlay.add(Box{swatch, entry.colour, Stroke{look.swatchOutline}});
                    break;
                case Swatch::Line:
                    overlay.add(Line{Point{swatch.left, middle}, Point{swatch.right, middle},
                                     Stroke{entry.colour, 3.0}});
                    break;
                case Swatch::Sink:
                    overlay.add(Box{swatch, entry.colour, Stroke{look.swatchOutline}});
                    overlay.add(Line{Point{swatch.left, swatch.top},
                                     Point{swatch.right, swatch.bottom}, Stroke{entry.mark}});
                    overlay.add(Line{Point{swatch.left, swatch.bottom},
                                     Point{swatch.right, swatch.top}, Stroke{entry.mark}});
                    break;
            }
            overlay.add(Text{Point{swatch.right + kSwatchGap, middle}, entry.label, look.text,
                             Align::Left});
            y += row + kRowGap;
        }
        y += kSectionGap;
    }
}

}  // namespace talvo::scene
