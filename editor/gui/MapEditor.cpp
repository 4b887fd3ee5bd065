#include "MapEditor.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace talvo {

namespace {

constexpr const char* kTooManySelected = "You cannot select more than 200 cells.";
constexpr const char* kDeleteOneOnly = "You can delete only one object at a time.";
constexpr const char* kGroupTooLarge =
    "You can't move multiple cells in an area larger than the area you can see.  For cells "
    "covering a large area, you may need to move more times.";
constexpr const char* kSameCellLink = "You cannot add link to the same cell.";

}  // namespace

MapEditor::MapEditor(EditorDocument& document, MapView& view) : doc_(document), view_(view) {}

MapPoint MapEditor::PointerMap(double px, double py) const {
    return view_.PointerToMap(px, py);
}

void MapEditor::Caution(const std::string& text) const {
    if (caution) {
        caution(text);
    }
}

void MapEditor::Notify() {
    if (selectionChanged) {
        selectionChanged();
    }
}

void MapEditor::SetTool(Tool tool) {
    sel_.currentTool = tool;
    sel_.highlightedMovement = 0;
    sel_.ClearSelection();
    sel_.pendingLinkStart = 0;
    Notify();
}

void MapEditor::ClearSelection() {
    sel_.ClearSelection();
    Notify();
}

void MapEditor::PressLeft(double px, double py) {
    const MapPoint p = PointerMap(px, py);
    pointerX_ = px;
    pointerY_ = py;
    switch (sel_.currentTool) {
        case Tool::Arrow:
            buttonDown_ = true;
            GrabAt(p);
            break;
        case Tool::Cell:
            doc_.TakeSnapshot();
            if (const std::string refusal = doc_.AddCell(p.x, p.y); !refusal.empty()) {
                Caution(refusal);
            }
            break;
        case Tool::Link:
            LinkToolPress(p);
            break;
        case Tool::Node:
            doc_.TakeSnapshot();
            if (const std::string refusal = doc_.AddNode(p.x, p.y); !refusal.empty()) {
                Caution(refusal);
            }
            break;
    }
}

void MapEditor::GrabAt(MapPoint p) {
    DropStaleIndices();
    sel_.highlightedMovement = 0;
    const Project& project = doc_.project();
    groupMove_ = false;
    rubberBandActive_ = false;
    if (!sel_.multiSelection.empty()) {
        const int hit = HitCell(project, p);
        const bool inGroup =
            hit >= 0 && std::find(sel_.multiSelection.begin(), sel_.multiSelection.end(), hit) !=
                            sel_.multiSelection.end();
        if (inGroup) {
            double left = std::numeric_limits<double>::max();
            double top = left;
            double right = std::numeric_limits<double>::lowest();
            double bottom = right;
            for (const int i : sel_.multiSelection) {
                const MapRect r = RectOf(project.tables.cells[i], project.params);
                left = std::min(left, r.left);
                top = std::min(top, r.top);
                right = std::max(right, r.right);
                bottom = std::max(bottom, r.bottom);
            }
            if (right - left > MapView::kViewWidth / view_.zoomFactor() ||
                bottom - top > MapView::kViewHeight / view_.zoomFactor()) {
                buttonDown_ = false;
                Caution(kGroupTooLarge);
                return;
            }
            doc_.TakeSnapshot();
            groupMove_ = true;
            lastGroupPoint_ = p;
            return;
        }
        sel_.multiSelection.clear();
    }
    sel_.selectedKind = SelectedKind::None;
    sel_.selectedIndex = -1;
    const NetworkTables& t = project.tables;
    if (const int cell = HitCell(project, p); cell >= 0) {
        sel_.selectedKind = SelectedKind::Cell;
        sel_.selectedIndex = cell;
        grabOffset_ = {p.x - t.cells[cell].x, p.y - t.cells[cell].y};
    } else if (const int node = HitNode(project, p); node >= 0) {
        sel_.selectedKind = SelectedKind::Node;
        sel_.selectedIndex = node;
        grabOffset_ = {p.x - t.nodes[node].x, p.y - t.nodes[node].y};
    } else if (const int link = HitLink(project, p); link >= 0) {
        sel_.selectedKind = SelectedKind::Link;
        sel_.selectedIndex = link;
        grabOffset_ = {0, 0};
    } else if (const int label = measure ? HitStreetLabel(project, p, measure) : -1; label >= 0) {
        sel_.selectedKind = SelectedKind::StreetLabel;
        sel_.selectedIndex = label;
        grabOffset_ = {p.x - t.streets[label].x, p.y - t.streets[label].y};
    }
    if (sel_.HasSingle()) {
        doc_.TakeSnapshot();
    } else {
        rubberBandActive_ = true;
        rubberStart_ = p;
    }
    Notify();
}

void MapEditor::LinkToolPress(MapPoint p) {
    doc_.TakeSnapshot();
    const Project& project = doc_.project();
    const int hit = HitCell(project, p);
    if (hit < 0) {
        return;  // keep waiting for a cell
    }
    const int id = project.tables.cells[hit].cellID;
    if (sel_.pendingLinkStart == 0) {
        sel_.pendingLinkStart = id;
        return;
    }
    const int start = sel_.pendingLinkStart;
    sel_.pendingLinkStart = 0;
    if (start == id) {
        Caution(kSameCellLink);
        return;
    }
    if (const std::string refusal = doc_.AddLink(start, id); !refusal.empty()) {
        Caution(refusal);
    }
}

void MapEditor::MovePointer(double px, double py) {
    pointerX_ = px;
    pointerY_ = py;
}

void MapEditor::KeepInsideMap(double& x, double& y, double halfX, double halfY) const {
    x = std::clamp(x, halfX, std::max(halfX, MapView::kMapWidth - halfX));
    y = std::clamp(y, halfY, std::max(halfY, MapView::kMapHeight - halfY));
}

void MapEditor::AutoScroll() {
    // Scroll towards the pointer when it has left the visible picture, by how far it
    // is out, at most one large step per tick.
    auto step = [](double pointer, double visible, const ScrollRange& bar) {
        double overshoot = 0;
        if (pointer < 0) {
            overshoot = pointer;
        } else if (pointer > visible) {
            overshoot = pointer - visible;
        }
        const double limit = bar.largeChange;
        return static_cast<int>(std::clamp(overshoot, -limit, limit));
    };
    const int dh = step(pointerX_, MapView::kViewWidth, view_.horizontal());
    const int dv = step(pointerY_, MapView::kViewHeight, view_.vertical());
    if (dh != 0 || dv != 0) {
        view_.setScrollValues(view_.horizontal().value + dh, view_.vertical().value + dv);
    }
}

void MapEditor::DropStaleIndices() {
    // The tables may have shrunk since the selection was made (an undo, an open, a
    // command on the groups): never touch a record that is gone.
    const NetworkTables& t = doc_.project().tables;
    auto& multi = sel_.multiSelection;
    multi.erase(
        std::remove_if(multi.begin(), multi.end(),
                       [&](int i) { return i < 0 || i >= static_cast<int>(t.cells.size()); }),
        multi.end());
    std::size_t size = 0;
    switch (sel_.selectedKind) {
        case SelectedKind::Cell:
            size = t.cells.size();
            break;
        case SelectedKind::Link:
            size = t.links.size();
            break;
        case SelectedKind::Node:
            size = t.nodes.size();
            break;
        case SelectedKind::StreetLabel:
            size = t.streets.size();
            break;
        case SelectedKind::None:
            return;
    }
    if (sel_.selectedIndex < 0 || sel_.selectedIndex >= static_cast<int>(size)) {
        sel_.selectedKind = SelectedKind::None;
        sel_.selectedIndex = -1;
    }
}

bool MapEditor::DragTick() {
    if (!buttonDown_ || sel_.currentTool != Tool::Arrow) {
        return false;
    }
    DropStaleIndices();
    AutoScroll();
    const MapPoint p = PointerMap(pointerX_, pointerY_);
    Project& project = doc_.project();
    NetworkTables& t = project.tables;
    if (groupMove_) {
        double dx = p.x - lastGroupPoint_.x;
        double dy = p.y - lastGroupPoint_.y;
        // Hold the whole group at the map's edge.
        for (const int i : sel_.multiSelection) {
            const MapRect r = RectOf(t.cells[i], project.params);
            dx = std::clamp(dx, -r.left, MapView::kMapWidth - r.right);
            dy = std::clamp(dy, -r.top, MapView::kMapHeight - r.bottom);
        }
        for (const int i : sel_.multiSelection) {
            t.cells[i].x += dx;
            t.cells[i].y += dy;
        }
        lastGroupPoint_ = {lastGroupPoint_.x + dx, lastGroupPoint_.y + dy};
        return true;
    }
    double x = p.x - grabOffset_.x;
    double y = p.y - grabOffset_.y;
    switch (sel_.selectedKind) {
        case SelectedKind::Cell: {
            CellRecord& cell = t.cells[sel_.selectedIndex];
            const MapRect r = RectOf(cell, project.params);
            KeepInsideMap(x, y, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
            cell.x = x;
            cell.y = y;
            return true;
        }
        case SelectedKind::Node: {
            KeepInsideMap(x, y, 0, 0);
            t.nodes[sel_.selectedIndex].x = x;
            t.nodes[sel_.selectedIndex].y = y;
            return true;
        }
        case SelectedKind::StreetLabel: {
            KeepInsideMap(x, y, 0, 0);
            t.streets[sel_.selectedIndex].x = x;
            t.streets[sel_.selectedIndex].y = y;
            return true;
        }
        case SelectedKind::Link:
            return false;
        case SelectedKind::None:
            return rubberBandActive_;
    }
    return false;
}

bool MapEditor::RubberBand(ScreenPoint& a, ScreenPoint& b) const {
    if (!buttonDown_ || !rubberBandActive_ || sel_.HasSingle()) {
        return false;
    }
    a = view_.ToScreen(rubberStart_.x, rubberStart_.y);
    b = {RoundToInt16(pointerX_), RoundToInt16(pointerY_)};
    return true;
}

void MapEditor::ReleaseLeft(double px, double py) {
    if (!buttonDown_) {
        return;
    }
    pointerX_ = px;
    pointerY_ = py;
    buttonDown_ = false;
    groupMove_ = false;
    if (rubberBandActive_ && !sel_.HasSingle()) {
        rubberBandActive_ = false;
        const MapPoint end = PointerMap(px, py);
        const double left = std::min(rubberStart_.x, end.x);
        const double right = std::max(rubberStart_.x, end.x);
        const double top = std::min(rubberStart_.y, end.y);
        const double bottom = std::max(rubberStart_.y, end.y);
        const auto& cells = doc_.project().tables.cells;
        sel_.multiSelection.clear();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (cells[i].x >= left && cells[i].x <= right && cells[i].y >= top &&
                cells[i].y <= bottom) {
                if (static_cast<int>(sel_.multiSelection.size()) ==
                    SelectionState::kMaxMultiSelection) {
                    sel_.multiSelection.clear();
                    Caution(kTooManySelected);
                    break;
                }
                sel_.multiSelection.push_back(static_cast<int>(i));
            }
        }
    }
    rubberBandActive_ = false;
    if (sel_.selectedKind == SelectedKind::StreetLabel) {
        sel_.ClearSelection();
        Notify();
    }
}

MapEditor::PopupMenu MapEditor::ReleaseRight() const {
    if (sel_.selectedKind == SelectedKind::StreetLabel) {
        return PopupMenu::None;
    }
    if (!sel_.multiSelection.empty()) {
        return PopupMenu::Format;
    }
    if (!sel_.HasSingle()) {
        return PopupMenu::Zoom;
    }
    return PopupMenu::Edit;
}

void MapEditor::DeleteKey() {
    if (sel_.currentTool != Tool::Arrow || sel_.selectedKind == SelectedKind::StreetLabel) {
        return;
    }
    if (!sel_.multiSelection.empty()) {
        Caution(kDeleteOneOnly);
        return;
    }
    DeleteSelected();
}

void MapEditor::DeleteSelected() {
    DropStaleIndices();
    if (sel_.selectedIndex < 0) {
        return;
    }
    std::string refusal;
    switch (sel_.selectedKind) {
        case SelectedKind::Cell:
            doc_.TakeSnapshot();
            refusal = doc_.DeleteCell(sel_.selectedIndex);
            break;
        case SelectedKind::Link:
            doc_.TakeSnapshot();
            refusal = doc_.DeleteLink(sel_.selectedIndex);
            break;
        case SelectedKind::Node:
            doc_.TakeSnapshot();
            refusal = doc_.DeleteNode(sel_.selectedIndex);
            break;
        default:
            return;
    }
    if (!refusal.empty()) {
        Caution(refusal);
        return;
    }
    sel_.ClearSelection();
    Notify();
}

void MapEditor::SortMulti(bool byX) {
    // A plain exchange sort: entry i swaps with every later entry that is strictly smaller.
    const auto& cells = doc_.project().tables.cells;
    auto key = [&](int position) { return byX ? cells[position].x : cells[position].y; };
    auto& list = sel_.multiSelection;
    for (std::size_t i = 0; i < list.size(); ++i) {
        for (std::size_t j = i + 1; j < list.size(); ++j) {
            if (key(list[j]) < key(list[i])) {
                std::swap(list[i], list[j]);
            }
        }
    }
}

void MapEditor::Align(bool horizontal) {
    DropStaleIndices();
    if (sel_.multiSelection.size() < 2) {
        return;
    }
    doc_.TakeSnapshot();
    SortMulti(horizontal);
    auto& cells = doc_.project().tables.cells;
    const CellRecord& first = cells[sel_.multiSelection.front()];
    const double target = horizontal ? first.y : first.x;
    for (const int i : sel_.multiSelection) {
        (horizontal ? cells[i].y : cells[i].x) = target;
    }
}

void MapEditor::Space(bool horizontal) {
    DropStaleIndices();
    const std::size_t count = sel_.multiSelection.size();
    if (count <= 2) {
        return;
    }
    doc_.TakeSnapshot();
    SortMulti(horizontal);
    auto& cells = doc_.project().tables.cells;
    auto coordinate = [&](int position) -> double& {
        return horizontal ? cells[position].x : cells[position].y;
    };
    const double first = coordinate(sel_.multiSelection.front());
    const double last = coordinate(sel_.multiSelection.back());
    const double gap = std::nearbyint((last - first) / static_cast<double>(count - 1));
    for (std::size_t i = 0; i < count; ++i) {
        coordinate(sel_.multiSelection[i]) = first + static_cast<double>(i) * gap;
    }
}

void MapEditor::Undo() {
    sel_.ClearSelection();
    sel_.highlightedMovement = 0;
    sel_.pendingLinkStart = 0;
    doc_.RestoreSnapshot();
    Notify();
}

}  // namespace talvo
