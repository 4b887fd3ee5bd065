#include "core/EditorScene.h"

#include "core/MapHits.h"
#include "scene/MapScene.h"

namespace talvo {

namespace {

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

    // A cell with what it is to the traffic: an origin's triangle pointing where its traffic
    // goes, a destination's cross, a signalised cell's stop line, and its ID. The IDs of the
    // first drawing give way to each other where they would run together (far zoomed out);
    // a cell drawn again for the selection shows its ID over its new outline.
    void cell(int position, scene::Colour colour, bool again) {
        if (!Valid(network_.cells, position)) {
            return;
        }
        const scene::MapCell& c = network_.cells[static_cast<size_t>(position)];
        const bool end = c.kind != scene::CellKind::Ordinary;
        scene::AddCell(layer_, c,
                       {std::nullopt, scene::Stroke{colour, end ? kEndCellWidth : kPlainWidth}});
        if (c.kind == scene::CellKind::Origin) {
            scene::AddSourceMarker(layer_, c, colour);
        } else if (c.kind == scene::CellKind::Destination) {
            scene::AddSinkMarker(layer_, c, scene::Stroke{colour});
        }
        if (c.signalID != 0) {
            scene::AddStopLine(layer_, c, scene::Stroke{again ? colour : text_, kStopLineWidth});
        }
        scene::AddCellID(layer_, c, text_, !again);
    }

    void link(int position, scene::Colour colour) {
        if (!Valid(network_.links, position)) {
            return;
        }
        const scene::MapLink& l = network_.links[static_cast<size_t>(position)];
        const double width = l.nodeIndex >= 0 ? kSignalisedLinkWidth : kPlainWidth;
        scene::AddLink(layer_, l, {scene::Stroke{colour, width}, true});
    }

    void node(int position, scene::Colour fill) {
        if (!Valid(network_.nodes, position)) {
            return;
        }
        const scene::MapNode& n = network_.nodes[static_cast<size_t>(position)];
        scene::AddNode(layer_, n, {fill, scene::Stroke{text_}});
        scene::AddNodeID(layer_, n, {text_, std::nullopt, false, false});
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
                              const std::optional<scene::Rect>& rubberBand) {
    scene::Scene picture;
    picture.background = kOutsideMap;
    picture.world.add(scene::Box{kMapExtent, scene::kWhite, std::nullopt});
    EditorMap map(network, colours, measure, picture.world);
    const scene::Colour red = map.selectionColour();

    for (int i = 0; i < Count(network.cells.size()); ++i) {
        map.cell(i, map.cellColour(), false);
    }
    if (sel.currentTool == Tool::Arrow && !sel.HasSingle()) {
        for (const int position : sel.multiSelection) {
            map.cell(position, red, true);
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
            map.cell(sel.selectedIndex, red, true);
            break;
        case SelectedKind::Link:
            map.link(sel.selectedIndex, red);
            // The passed node again, so that its circle covers the selected line.
            if (sel.selectedIndex >= 0 && sel.selectedIndex < Count(network.links.size())) {
                map.node(network.links[static_cast<size_t>(sel.selectedIndex)].nodeIndex,
                         map.nodeColour());
            }
            break;
        case SelectedKind::Node:
            map.node(sel.selectedIndex, red);
            break;
        default:
            break;
    }
    for (int i = 0; i < Count(network.labels.size()); ++i) {
        map.label(i, map.textColour());
    }
    if (sel.selectedKind == SelectedKind::StreetLabel) {
        map.label(sel.selectedIndex, red);
        map.labelBox(sel.selectedIndex, red);
        map.labelCells(sel.selectedIndex, red);
    }
    if (rubberBand) {
        picture.overlay.add(scene::Box{*rubberBand, std::nullopt, scene::Stroke{map.textColour()}});
    }
    return picture;
}

}  // namespace talvo
