#pragma once
// The map's elements as scene primitives in map units, each drawn with a look the program
// chooses: the editor's colours and selection, the display's shades and signal states.
// A program draws its map by calling these in its own order onto a layer; a text that gives
// way yields to the texts added before it, so the order of the texts is their priority.

#include <optional>
#include <string>
#include <vector>

#include "scene/MapNetwork.h"
#include "scene/Scene.h"

namespace talvo::scene {

struct CellLook {
    std::optional<Colour> fill;
    std::optional<Stroke> outline;
};
// The cell's rectangle.
void AddCell(Layer& layer, const MapCell& cell, const CellLook& look);
// The cell ID centred on the cell. Where IDs would run into each other or into a text drawn
// before them (far zoomed out) they give way unless told otherwise; on a cell drawn smaller
// than a line of text they are left out.
void AddCellID(Layer& layer, const MapCell& cell, Colour colour, bool givesWay = true);

struct LinkLook {
    Stroke stroke;
    bool arrowHead = true;  // two strokes of kArrowLength map units at the end
};
// Nothing for a link without a path (a cell linked to itself, a missing cell).
void AddLink(Layer& layer, const MapLink& link, const LinkLook& look);

struct NodeLook {
    std::optional<Colour> fill;
    std::optional<Stroke> outline;
};
// A circle of kNodeRadius map units.
void AddNode(Layer& layer, const MapNode& node, const NodeLook& look);

struct NodeIDLook {
    Colour colour;
    std::optional<Colour> backing;
    // Centred on the node, or beside the circle up and to the right, off the horizontal and
    // vertical lines its cells lie on.
    bool beside = false;
    bool givesWay = false;
};
// Left out where the circle is drawn smaller than a line of text.
void AddNodeID(Layer& layer, const MapNode& node, const NodeIDLook& look);

// A street label's text box in map units: at zoom 1 its top-left corner is the anchor and
// it is as large as the text (measured in pixels). Zoomed, the text keeps its size and
// stays centred on this box.
Rect StreetLabelBox(const MapLabel& label, const TextMeasure& measure);
void AddStreetLabel(Layer& layer, const MapLabel& label, const TextMeasure& measure, Colour colour,
                    std::optional<Colour> backing = std::nullopt);

// The side of a cell that its links leave free, where a value is shown: across the cell
// first (below a horizontal cell, right of a vertical one), then the opposite side, then
// along it.
Side FreeSide(const MapCell& cell);
// A short value inside the cell against its free side, or else against another side. It
// gives way: it is drawn only where it fits inside the cell without meeting the cell ID or
// any text drawn before it. Inside the cell it is clear of every link and arrowhead, which
// end on the cell's sides and point away from it. Given the widest text the value can take,
// it fits or gives way as that would, whatever it shows now.
void AddCellValue(Layer& layer, const MapCell& cell, std::string text, Colour colour,
                  std::optional<Colour> backing = std::nullopt, std::string widest = {});

// Markers of what a cell is to the traffic, drawn over its rectangle:
// a destination (sink) as a cross from corner to corner;
void AddSinkMarker(Layer& layer, const MapCell& cell, const Stroke& stroke);
// an origin (source) as a triangle inside it pointing where its traffic leaves;
void AddSourceMarker(Layer& layer, const MapCell& cell, Colour fill);
// a signalised cell as a stop line across the side its traffic leaves by.
void AddStopLine(Layer& layer, const MapCell& cell, const Stroke& stroke);

// A legend panel of titled sections; every entry has a swatch and a label.
enum class Swatch { Box, Line, Sink };
struct LegendEntry {
    Swatch swatch = Swatch::Box;
    Colour colour;
    std::string label;
    Colour mark = kWhite;  // the cross of a sink swatch
};
struct LegendSection {
    std::string title;
    std::vector<LegendEntry> entries;
};
struct LegendLook {
    Colour text;
    Colour backing;
    Colour swatchOutline;
};
Size LegendSize(const std::vector<LegendSection>& sections, const TextMeasure& measure);
// Adds the panel with its top-right corner at the given point (overlay pixels).
void AddLegend(Layer& overlay, const std::vector<LegendSection>& sections, Point topRight,
               const TextMeasure& measure, const LegendLook& look);

}  // namespace talvo::scene
