#include "MapRenderer.h"

#include <cmath>
#include <string>

namespace talvo {

namespace {

constexpr double kArrowLength = 100.0;
constexpr double kArrowAngle = 0.785;

}  // namespace

void MapRenderer::RedrawMap(const SelectionState& sel) {
    const NetworkTables& t = project_.tables;
    surface_.Clear();
    for (std::size_t i = 0; i < t.cells.size(); ++i) {
        DrawCell(static_cast<int>(i), colours_.cell);
    }
    if (sel.currentTool == Tool::Arrow && !sel.HasSingle()) {
        for (const int position : sel.multiSelection) {
            DrawCell(position, colours_.selection);
        }
    }
    if (sel.pendingLinkStart != 0) {
        const int start = CellPosition(t, sel.pendingLinkStart);
        if (start >= 0) {
            DrawCell(start, colours_.selection);
        }
    }
    if (sel.highlightedMovement != 0) {
        for (std::size_t i = 0; i < t.cells.size(); ++i) {
            if (t.cells[i].signalID == sel.highlightedMovement) {
                DrawCell(static_cast<int>(i), colours_.selection);
            }
        }
    }
    for (std::size_t i = 0; i < t.links.size(); ++i) {
        DrawLink(static_cast<int>(i), colours_.line);
    }
    for (std::size_t i = 0; i < t.nodes.size(); ++i) {
        DrawNode(static_cast<int>(i), colours_.node);
    }
    switch (sel.selectedKind) {
        case SelectedKind::Cell:
            DrawCell(sel.selectedIndex, colours_.selection);
            break;
        case SelectedKind::Link: {
            DrawLink(sel.selectedIndex, colours_.selection);
            if (sel.selectedIndex >= 0 && sel.selectedIndex < static_cast<int>(t.links.size())) {
                const int passNode = t.links[sel.selectedIndex].passNode;
                const int node = passNode != 0 ? NodePosition(t, passNode) : -1;
                if (node >= 0) {
                    DrawNode(node, colours_.node);
                }
            }
            break;
        }
        case SelectedKind::Node:
            DrawNode(sel.selectedIndex, colours_.selection);
            break;
        default:
            break;
    }
    for (std::size_t i = 0; i < t.streets.size(); ++i) {
        DrawStreetLabel(static_cast<int>(i), colours_.text);
    }
    if (sel.selectedKind == SelectedKind::StreetLabel) {
        DrawStreetLabel(sel.selectedIndex, colours_.selection);
        DrawLabelBox(sel.selectedIndex, colours_.selection);
        DrawStreetCells(sel.selectedIndex, colours_.selection);
    }
}

void MapRenderer::DrawCell(int position, ColourValue colour) {
    if (position < 0 || position >= static_cast<int>(project_.tables.cells.size())) {
        return;
    }
    const CellRecord& cell = project_.tables.cells[position];
    const MapRect r = RectOf(cell, project_.params);
    const ScreenPoint tl = view_.ToScreen(r.left, r.top);
    const ScreenPoint br = view_.ToScreen(r.right, r.bottom);
    surface_.Box(tl.x, tl.y, br.x, br.y, colour);
    const std::string label = std::to_string(cell.cellID);
    const double left = tl.x + ((br.x - tl.x) - surface_.TextWidth(label)) / 2.0;
    const double top = tl.y + ((br.y - tl.y) - surface_.TextHeight(label)) / 2.0;
    surface_.Text(RoundToInt16(left), RoundToInt16(top), label, colours_.text);
}

void MapRenderer::DrawLink(int position, ColourValue colour) {
    if (position < 0 || position >= static_cast<int>(project_.tables.links.size())) {
        return;
    }
    const std::vector<MapPoint> path =
        LinkPath(project_.tables, project_.params, project_.tables.links[position]);
    if (path.size() < 2) {
        return;
    }
    std::vector<ScreenPoint> screen;
    for (const MapPoint& p : path) {
        screen.push_back(view_.ToScreen(p.x, p.y));
    }
    for (std::size_t i = 1; i < screen.size(); ++i) {
        surface_.Line(screen[i - 1].x, screen[i - 1].y, screen[i].x, screen[i].y, colour);
    }
    // Arrowhead: two strokes from the end point back along the last segment. The
    // segment's direction comes from the map points so rounding cannot flip it.
    const MapPoint& a = path[path.size() - 2];
    const MapPoint& b = path.back();
    const double back = std::atan2(b.y - a.y, b.x - a.x) + M_PI;
    const double length = kArrowLength * view_.zoomFactor();
    const ScreenPoint end = screen.back();
    for (const double turn : {kArrowAngle, -kArrowAngle}) {
        const double x = end.x + length * std::cos(back + turn);
        const double y = end.y + length * std::sin(back + turn);
        surface_.Line(end.x, end.y, RoundToInt16(x), RoundToInt16(y), colour);
    }
}

void MapRenderer::DrawNode(int position, ColourValue colour) {
    if (position < 0 || position >= static_cast<int>(project_.tables.nodes.size())) {
        return;
    }
    const NodeRecord& node = project_.tables.nodes[position];
    const ScreenPoint c = view_.ToScreen(node.x, node.y);
    surface_.FilledCircle(c.x, c.y, RoundToInt16(200.0 * view_.zoomFactor()), colour,
                          colours_.text);
    const std::string label = std::to_string(node.nodeID);
    surface_.Text(RoundToInt16(c.x - surface_.TextWidth(label) / 2.0),
                  RoundToInt16(c.y - surface_.TextHeight(label) / 2.0), label, colours_.text);
}

void MapRenderer::DrawStreetLabel(int position, ColourValue colour) {
    if (position < 0 || position >= static_cast<int>(project_.tables.streets.size())) {
        return;
    }
    const StreetRecord& street = project_.tables.streets[position];
    const double z = view_.zoomFactor();
    const double w = surface_.TextWidth(street.streetName);
    const double h = surface_.TextHeight(street.streetName);
    const double x = street.x * z - view_.horizontal().value + (z - 1.0) * w / 2.0;
    const double y = street.y * z - view_.vertical().value + (z - 1.0) * h / 2.0;
    surface_.Text(RoundToInt16(x), RoundToInt16(y), street.streetName, colour);
}

void MapRenderer::DrawStreetCells(int position, ColourValue colour) {
    if (position < 0 || position >= static_cast<int>(project_.tables.streets.size())) {
        return;
    }
    for (const int id : project_.tables.streets[position].cellIDs) {
        DrawCell(CellPosition(project_.tables, id), colour);
    }
}

void MapRenderer::DrawLabelBox(int position, ColourValue colour) {
    if (position < 0 || position >= static_cast<int>(project_.tables.streets.size())) {
        return;
    }
    const StreetRecord& street = project_.tables.streets[position];
    const double z = view_.zoomFactor();
    const double w = surface_.TextWidth(street.streetName);
    const double h = surface_.TextHeight(street.streetName);
    const double left = street.x * z - view_.horizontal().value - z * w / 2.0;
    const double top = street.y * z - view_.vertical().value - z * h / 2.0;
    surface_.Box(RoundToInt16(left), RoundToInt16(top), RoundToInt16(left + 2.0 * z * w),
                 RoundToInt16(top + 2.0 * z * h), colour);
}

void MapRenderer::DrawRubberBand(ScreenPoint a, ScreenPoint b, ColourValue colour) {
    surface_.Box(a.x, a.y, b.x, b.y, colour);
}

}  // namespace talvo
