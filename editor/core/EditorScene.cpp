#include "core/EditorScene.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/RecordLookup.h"
#include "core/MapHits.h"
#include "scene/MapScene.h"

namespace talvo {

namespace {

// A cell with what it is to the traffic: an origin's triangle pointing where its traffic goes,
// a destination's cross, a signalised cell's stop line. Its ID is drawn with the other texts.
void AddEditorCell(scene::Layer& layer, const scene::MapCell& cell, scene::Colour colour,
                   scene::Colour text, bool again) {
    const bool end = cell.kind != scene::CellKind::Ordinary;
    scene::AddCell(layer, cell,
                   {std::nullopt, scene::Stroke{colour, end ? kEndCellWidth : kPlainWidth}});
    if (cell.kind == scene::CellKind::Origin) {
        scene::AddSourceMarker(layer, cell, colour);
    } else if (cell.kind == scene::CellKind::Destination) {
        scene::AddSinkMarker(layer, cell, scene::Stroke{colour});
    }
    if (cell.signalID != 0) {
        scene::AddStopLine(layer, cell, scene::Stroke{again ? colour : text, kStopLineWidth});
    }
}

void AddEditorLink(scene::Layer& layer, const scene::MapLink& link, scene::Colour colour) {
    const double width = link.nodeIndex >= 0 ? kSignalisedLinkWidth : kPlainWidth;
    scene::AddLink(layer, link, {scene::Stroke{colour, width}, true});
}

void AddEditorNode(scene::Layer& layer, const scene::MapNode& node, scene::Colour fill,
                   scene::Colour text, bool withID = true) {
    scene::AddNode(layer, node, {fill, scene::Stroke{text}});
    if (withID) {
        scene::AddNodeID(layer, node, {text, std::nullopt, false, false});
    }
}

class EditorMap {
  public:
    EditorMap(const scene::MapNetwork& network, const ColourScheme& colours,
              const scene::TextMeasure& measure, scene::Layer& layer)
        : network_(network),
          measure_(measure),
          layer_(layer),
          cell_(scene::Colour::FromValue(colours.cell)),
          line_(scene::Colour::FromValue(colours.line)),
          node_(scene::Colour::FromValue(colours.node)),
          text_(scene::Colour::FromValue(colours.text)),
          selection_(scene::Colour::FromValue(colours.selection)) {}

    scene::Colour cellColour() const { return cell_; }
    scene::Colour lineColour() const { return line_; }
    scene::Colour nodeColour() const { return node_; }
    scene::Colour textColour() const { return text_; }
    scene::Colour selectionColour() const { return selection_; }

    void cell(int position, scene::Colour colour, bool again) {
        if (Valid(network_.cells, position)) {
            AddEditorCell(layer_, network_.cells[static_cast<size_t>(position)], colour, text_,
                          again);
        }
    }

    void link(int position, scene::Colour colour) {
        if (Valid(network_.links, position)) {
            AddEditorLink(layer_, network_.links[static_cast<size_t>(position)], colour);
        }
    }

    void node(int position, scene::Colour fill) {
        if (Valid(network_.nodes, position)) {
            AddEditorNode(layer_, network_.nodes[static_cast<size_t>(position)], fill, text_);
        }
    }

    void label(int position, scene::Colour colour) {
        if (Valid(network_.labels, position)) {
            scene::AddStreetLabel(layer_, network_.labels[static_cast<size_t>(position)], measure_,
                                  colour);
        }
    }

    // The box around a dragged label: centred on it and twice its size.
    void labelBox(int position, scene::Colour colour) {
        if (!Valid(network_.labels, position)) {
            return;
        }
        const scene::Rect box =
            scene::StreetLabelBox(network_.labels[static_cast<size_t>(position)], measure_);
        layer_.add(scene::Box{box.expanded(box.width() / 2.0, box.height() / 2.0), std::nullopt,
                              scene::Stroke{colour}});
    }

    void labelCells(int position, scene::Colour colour) {
        if (!Valid(network_.labels, position)) {
            return;
        }
        for (const int id : network_.labels[static_cast<size_t>(position)].cellIDs) {
            cell(network_.cellIndex(id), colour, true);
        }
    }

  private:
    template <typename Records>
    static bool Valid(const Records& records, int position) {
        return position >= 0 && position < static_cast<int>(records.size());
    }

    const scene::MapNetwork& network_;
    const scene::TextMeasure& measure_;
    scene::Layer& layer_;
    scene::Colour cell_;
    scene::Colour line_;
    scene::Colour node_;
    scene::Colour text_;
    scene::Colour selection_;
};

int Count(size_t size) {
    return static_cast<int>(size);
}

}  // namespace

scene::Scene BuildEditorScene(const scene::MapNetwork& network, const ColourScheme& colours,
                              const SelectionState& sel, const scene::TextMeasure& measure,
                              const std::optional<scene::Rect>& rubberBand,
                              const scene::Rect& extent) {
    scene::Scene picture;
    picture.background = kOutsideMap;
    picture.world.add(scene::Box{extent, scene::kWhite, std::nullopt});
    EditorMap map(network, colours, measure, picture.world);
    const scene::Colour red = map.selectionColour();

    for (int i = 0; i < Count(network.cells.size()); ++i) {
        map.cell(i, map.cellColour(), false);
    }
    if (sel.currentTool == Tool::Arrow && !sel.HasSingle()) {
        for (const int id : sel.selectedCells) {
            map.cell(network.cellIndex(id), red, true);
        }
    }
    if (sel.pendingLinkStart != 0) {
        map.cell(network.cellIndex(sel.pendingLinkStart), red, true);
    }
    if (sel.highlightedMovement != 0) {
        for (int i = 0; i < Count(network.cells.size()); ++i) {
            if (network.cells[static_cast<size_t>(i)].signalID == sel.highlightedMovement) {
                map.cell(i, red, true);
            }
        }
    }
    for (int i = 0; i < Count(network.links.size()); ++i) {
        map.link(i, map.lineColour());
    }
    for (int i = 0; i < Count(network.nodes.size()); ++i) {
        map.node(i, map.nodeColour());
    }
    switch (sel.selectedKind) {
        case SelectedKind::Cell:
            map.cell(network.cellIndex(sel.selectedID), red, true);
            break;
        case SelectedKind::Link:
            if (const int link =
                    PositionOfID(network.links, &scene::MapLink::linkID, sel.selectedID);
                link >= 0) {
                map.link(link, red);
                // The passed node again, so that its circle covers the selected line.
                map.node(network.links[static_cast<size_t>(link)].nodeIndex, map.nodeColour());
            }
            break;
        case SelectedKind::Node:
            map.node(network.nodeIndex(sel.selectedID), red);
            break;
        default:
            break;
    }
    // The texts over every shape, so that no circle or outline hides a cell's ID; the cell IDs
    // give way to the node IDs and to each other where they would run together (far zoomed
    // out).
    for (const scene::MapCell& cell : network.cells) {
        scene::AddCellID(picture.world, cell, map.textColour(), true);
    }
    for (int i = 0; i < Count(network.labels.size()); ++i) {
        map.label(i, map.textColour());
    }
    if (sel.selectedKind == SelectedKind::StreetLabel) {
        map.label(sel.selectedID, red);
        map.labelBox(sel.selectedID, red);
        map.labelCells(sel.selectedID, red);
    }
    if (rubberBand) {
        picture.overlay.add(scene::Box{*rubberBand, std::nullopt, scene::Stroke{map.textColour()}});
    }
    return picture;
}

namespace {

// The legend's rows, in pixels at zoom 1.
constexpr double kRowHeight = 30.0;
constexpr double kSampleLeft = 12.0;
constexpr double kSampleWidth = 44.0;
constexpr double kTextLeft = kSampleLeft + kSampleWidth + 12.0;
constexpr double kLegendPadding = 6.0;

double Units(double pixels) {
    return pixels * scene::kMapUnitsPerPixel;
}

scene::MapCell SampleCell(double middle, scene::CellKind kind, int signalID = 0) {
    scene::MapCell cell;
    cell.rect = scene::Rect::Around(scene::Point{Units(kSampleLeft + kSampleWidth / 2), middle},
                                    Units(12), Units(8));
    cell.kind = kind;
    cell.signalID = signalID;
    cell.leavingSide = scene::Side::Right;
    return cell;
}

scene::MapLink SampleLink(double middle, bool throughSignal) {
    scene::MapLink link;
    link.path = {scene::Point{Units(kSampleLeft), middle},
                 scene::Point{Units(kSampleLeft + kSampleWidth), middle}};
    link.nodeIndex = throughSignal ? 0 : -1;
    return link;
}

}  // namespace

scene::Scene BuildEditorLegend(const ColourScheme& colours, const scene::TextMeasure& measure) {
    const scene::Colour cell = scene::Colour::FromValue(colours.cell);
    const scene::Colour text = scene::Colour::FromValue(colours.text);
    const scene::Colour line = scene::Colour::FromValue(colours.line);
    using Kind = scene::CellKind;
    const std::vector<std::pair<std::string, std::function<void(scene::Layer&, double)>>> rows{
        {"Cell",
         [&](scene::Layer& l, double y) {
             AddEditorCell(l, SampleCell(y, Kind::Ordinary), cell, text, false);
         }},
        {"Origin: nothing feeds it",
         [&](scene::Layer& l, double y) {
             AddEditorCell(l, SampleCell(y, Kind::Origin), cell, text, false);
         }},
        {"Destination: it feeds nothing",
         [&](scene::Layer& l, double y) {
             AddEditorCell(l, SampleCell(y, Kind::Destination), cell, text, false);
         }},
        {"Signalised cell: its stop line",
         [&](scene::Layer& l, double y) {
             AddEditorCell(l, SampleCell(y, Kind::Ordinary, 1), cell, text, false);
         }},
        {"Link", [&](scene::Layer& l, double y) { AddEditorLink(l, SampleLink(y, false), line); }},
        {"Link through a signalised node",
         [&](scene::Layer& l, double y) { AddEditorLink(l, SampleLink(y, true), line); }},
        {"Signalised node",
         [&](scene::Layer& l, double y) {
             AddEditorNode(
                 l, scene::MapNode{0, scene::Point{Units(kSampleLeft + kSampleWidth / 2), y}},
                 scene::Colour::FromValue(colours.node), text, false);
         }},
        {"Selected",
         [&](scene::Layer& l, double y) {
             AddEditorCell(l, SampleCell(y, Kind::Ordinary),
                           scene::Colour::FromValue(colours.selection), text, true);
         }},
    };
    scene::Scene legend;
    double width = 0.0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const double middle = Units(kLegendPadding + kRowHeight * (static_cast<double>(i) + 0.5));
        rows[i].second(legend.world, middle);
        legend.world.add(scene::Text{scene::Point{Units(kTextLeft), middle}, rows[i].first, text,
                                     scene::Align::Left});
        width = std::max(width, measure(rows[i].first, false).width);
    }
    legend.extent =
        scene::Rect{0.0, 0.0, Units(kTextLeft + width + kLegendPadding),
                    Units(2 * kLegendPadding + kRowHeight * static_cast<double>(rows.size()))};
    return legend;
}

}  // namespace talvo
