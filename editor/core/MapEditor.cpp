#include "core/MapEditor.h"

#include <algorithm>
#include <cmath>

#include "core/MapHits.h"

namespace talvo {

namespace {

constexpr const char* kDeleteOneOnly = "You can delete only one object at a time.";
constexpr const char* kGroupTooLarge =
    "You can't move multiple cells in an area larger than the area you can see.  For cells "
    "covering a large area, you may need to move more times.";
constexpr const char* kSameCellLink = "You cannot add link to the same cell.";
// A drag beyond the picture scrolls by how far the pointer is out, at most this share of
// the picture's size per tick.
constexpr double kAutoScrollShare = 0.1;

}  // namespace

MapEditor::MapEditor(EditorModel& model, scene::Viewport& view, QObject* parent)
    : QObject(parent), model_(model), view_(view) {
    // An undo or redo moves records in their tables: the selection is held by ID across
    // it and keeps what is still there.
    connect(&model_, &EditorModel::aboutToStep, this, [this] {
        buttonDown_ = false;
        keptSelection_ = IDsOfSelection();
        sel_.ClearSelection();
        sel_.pendingLinkStart = 0;
        sel_.highlightedMovement = 0;
    });
    // A new or opened project starts with the arrow tool and nothing selected.
    connect(&model_, &EditorModel::replaced, this, [this] {
        keptSelection_.reset();
        SetTool(Tool::Arrow);
    });
    connect(&model_, &EditorModel::changed, this, [this] {
        if (keptSelection_) {
            SelectByIDs(*keptSelection_);
            keptSelection_.reset();
            emit selectionChanged();
        } else if (DropStaleIndices()) {
            emit selectionChanged();
        }
    });
}

MapEditor::SelectionIDs MapEditor::IDsOfSelection() const {
    const NetworkTables& t = model_.tables();
    SelectionIDs ids;
    ids.kind = sel_.selectedKind;
    const auto at = [](const auto& table, int i) {
        return i >= 0 && i < static_cast<int>(table.size());
    };
    const int i = sel_.selectedIndex;
    switch (sel_.selectedKind) {
        case SelectedKind::Cell:
            ids.id = at(t.cells, i) ? t.cells[i].cellID : 0;
            break;
        case SelectedKind::Link:
            ids.id = at(t.links, i) ? t.links[i].linkID : 0;
            break;
        case SelectedKind::Node:
            ids.id = at(t.nodes, i) ? t.nodes[i].nodeID : 0;
            break;
        case SelectedKind::StreetLabel:  // streets have no ID: their place
            ids.id = i;
            break;
        case SelectedKind::None:
            break;
    }
    for (const int cell : sel_.multiSelection) {
        if (at(t.cells, cell)) {
            ids.cells.push_back(t.cells[cell].cellID);
        }
    }
    return ids;
}

void MapEditor::SelectByIDs(const SelectionIDs& ids) {
    sel_.ClearSelection();
    int index = -1;
    switch (ids.kind) {
        case SelectedKind::Cell:
            index = model_.FindCellIndex(ids.id) - 1;
            break;
        case SelectedKind::Link:
            index = model_.FindLinkIndex(ids.id) - 1;
            break;
        case SelectedKind::Node:
            index = model_.FindNodeIndex(ids.id) - 1;
            break;
        case SelectedKind::StreetLabel:
            index = ids.id;
            break;
        case SelectedKind::None:
            break;
    }
    if (index >= 0) {
        sel_.selectedKind = ids.kind;
        sel_.selectedIndex = index;
    }
    for (const int id : ids.cells) {
        if (const int cell = model_.FindCellIndex(id) - 1; cell >= 0) {
            sel_.multiSelection.push_back(cell);
        }
    }
    DropStaleIndices();
}

scene::Point MapEditor::PointerMap(double px, double py) const {
    return view_.toMap(scene::Point{px, py});
}

scene::MapNetwork MapEditor::Network() const {
    return scene::MapNetworkOf(model_.project());
}

void MapEditor::Caution(const std::string& text) const {
    if (caution) {
        caution(text);
    }
}

void MapEditor::Refuse(const EditResult& result) const {
    if (!result) {
        Caution(result.message());
    }
}

void MapEditor::SetTool(Tool tool) {
    sel_.currentTool = tool;
    sel_.highlightedMovement = 0;
    sel_.ClearSelection();
    sel_.pendingLinkStart = 0;
    emit toolChanged();
    emit selectionChanged();
}

void MapEditor::ClearSelection() {
    sel_.ClearSelection();
    emit selectionChanged();
}

void MapEditor::SetSelection(const SelectionState& selection) {
    const Tool tool = sel_.currentTool;
    sel_ = selection;
    DropStaleIndices();
    if (tool != sel_.currentTool) {
        emit toolChanged();
    }
    emit selectionChanged();
}

void MapEditor::SelectCells(std::vector<int> positions) {
    sel_.ClearSelection();
    sel_.multiSelection = std::move(positions);
    DropStaleIndices();
    emit selectionChanged();
}

void MapEditor::HighlightMovement(int movement) {
    if (sel_.highlightedMovement != movement) {
        sel_.highlightedMovement = movement;
        emit highlightChanged();
    }
}

void MapEditor::PressLeft(double px, double py) {
    const scene::Point p = PointerMap(px, py);
    pointerX_ = px;
    pointerY_ = py;
    ++gesture_;
    switch (sel_.currentTool) {
        case Tool::Arrow:
            buttonDown_ = true;
            GrabAt(p);
            break;
        case Tool::Cell:
            // Nothing is placed beyond the map's extent, which the view may show.
            if (MapExtentOf(Network()).contains(p)) {
                Refuse(model_.AddCell(p.x, p.y));
            }
            break;
        case Tool::Link:
            LinkToolPress(p);
            break;
        case Tool::Node:
            if (MapExtentOf(Network()).contains(p)) {
                Refuse(model_.AddNode(p.x, p.y));
            }
            break;
    }
}

void MapEditor::GrabAt(scene::Point p) {
    DropStaleIndices();
    sel_.highlightedMovement = 0;
    const scene::MapNetwork network = Network();
    groupMove_ = false;
    rubberBandActive_ = false;
    if (!sel_.multiSelection.empty()) {
        const int hit = HitCell(network, p);
        const bool inGroup =
            hit >= 0 && std::find(sel_.multiSelection.begin(), sel_.multiSelection.end(), hit) !=
                            sel_.multiSelection.end();
        if (inGroup) {
            std::optional<scene::Rect> group;
            for (const int i : sel_.multiSelection) {
                group = scene::United(group, network.cells[static_cast<size_t>(i)].rect);
            }
            const scene::Rect visible = view_.visibleMap();
            if (group->width() > visible.width() || group->height() > visible.height()) {
                buttonDown_ = false;
                Caution(kGroupTooLarge);
                return;
            }
            groupMove_ = true;
            lastGroupPoint_ = p;
            return;
        }
        sel_.multiSelection.clear();
    }
    sel_.selectedKind = SelectedKind::None;
    sel_.selectedIndex = -1;
    const NetworkTables& t = model_.tables();
    if (const int cell = HitCell(network, p); cell >= 0) {
        sel_.selectedKind = SelectedKind::Cell;
        sel_.selectedIndex = cell;
        grabOffset_ = {p.x - t.cells[cell].x, p.y - t.cells[cell].y};
    } else if (const int node = HitNode(network, p); node >= 0) {
        sel_.selectedKind = SelectedKind::Node;
        sel_.selectedIndex = node;
        grabOffset_ = {p.x - t.nodes[node].x, p.y - t.nodes[node].y};
    } else if (const int link = HitLink(network, p); link >= 0) {
        sel_.selectedKind = SelectedKind::Link;
        sel_.selectedIndex = link;
        grabOffset_ = {0, 0};
    } else if (const int label = measure ? HitStreetLabel(network, p, measure, view_.zoom()) : -1;
               label >= 0) {
        sel_.selectedKind = SelectedKind::StreetLabel;
        sel_.selectedIndex = label;
        grabOffset_ = {p.x - t.streets[label].x, p.y - t.streets[label].y};
    }
    if (!sel_.HasSingle()) {
        rubberBandActive_ = true;
        rubberStart_ = p;
    }
    emit selectionChanged();
}

void MapEditor::LinkToolPress(scene::Point p) {
    const int hit = HitCell(Network(), p);
    if (hit < 0) {
        return;  // keep waiting for a cell
    }
    const int id = model_.cell(hit).cellID;
    if (sel_.pendingLinkStart == 0) {
        sel_.pendingLinkStart = id;
        emit selectionChanged();
        return;
    }
    const int start = sel_.pendingLinkStart;
    sel_.pendingLinkStart = 0;
    emit selectionChanged();
    if (start == id) {
        Caution(kSameCellLink);
        return;
    }
    Refuse(model_.AddLink(start, id));
}

void MapEditor::MovePointer(double px, double py) {
    pointerX_ = px;
    pointerY_ = py;
}

void MapEditor::KeepInsideMap(const scene::Rect& extent, double& x, double& y, double halfX,
                              double halfY) const {
    const double left = extent.left + halfX;
    const double top = extent.top + halfY;
    x = std::clamp(x, left, std::max(left, extent.right - halfX));
    y = std::clamp(y, top, std::max(top, extent.bottom - halfY));
}

void MapEditor::AutoScroll() {
    // Scroll towards the pointer when it has left the visible picture, by how far it is
    // out, at most a tenth of the picture per tick, and never past the map's edge.
    const scene::Rect visible = view_.visibleMap();
    const scene::Rect extent = MapExtentOf(Network());
    const double scale = view_.scale();
    auto step = [scale](double pointer, double size, double roomBefore, double roomAfter) {
        const double limit = size * kAutoScrollShare;
        if (pointer < 0) {
            return std::max({pointer, -limit, -std::max(roomBefore, 0.0) * scale});
        }
        if (pointer > size) {
            return std::min({pointer - size, limit, std::max(roomAfter, 0.0) * scale});
        }
        return 0.0;
    };
    const double dx = step(pointerX_, view_.size().width, visible.left - extent.left,
                           extent.right - visible.right);
    const double dy = step(pointerY_, view_.size().height, visible.top - extent.top,
                           extent.bottom - visible.bottom);
    if (dx != 0.0 || dy != 0.0) {
        view_.panBy(scene::Point{-dx, -dy});
    }
}

bool MapEditor::DropStaleIndices() {
    // The tables may have shrunk since the selection was made: never touch a record that
    // is gone.
    const NetworkTables& t = model_.tables();
    auto& multi = sel_.multiSelection;
    const std::size_t before = multi.size();
    multi.erase(
        std::remove_if(multi.begin(), multi.end(),
                       [&](int i) { return i < 0 || i >= static_cast<int>(t.cells.size()); }),
        multi.end());
    bool dropped = multi.size() != before;
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
            return dropped;
    }
    if (sel_.selectedIndex < 0 || sel_.selectedIndex >= static_cast<int>(size)) {
        sel_.selectedKind = SelectedKind::None;
        sel_.selectedIndex = -1;
        dropped = true;
    }
    return dropped;
}

bool MapEditor::DragTick() {
    if (!buttonDown_ || sel_.currentTool != Tool::Arrow) {
        return false;
    }
    DropStaleIndices();
    AutoScroll();
    const scene::Point p = PointerMap(pointerX_, pointerY_);
    const scene::MapNetwork network = Network();
    const scene::Rect extent = MapExtentOf(network);
    const NetworkTables& t = model_.tables();
    std::vector<ObjectMove> moves;
    if (groupMove_) {
        double dx = p.x - lastGroupPoint_.x;
        double dy = p.y - lastGroupPoint_.y;
        // Hold the whole group at the map's edge.
        for (const int i : sel_.multiSelection) {
            const scene::Rect& r = network.cells[static_cast<size_t>(i)].rect;
            dx = std::clamp(dx, extent.left - r.left, extent.right - r.right);
            dy = std::clamp(dy, extent.top - r.top, extent.bottom - r.bottom);
        }
        for (const int i : sel_.multiSelection) {
            const CellRecord& cell = t.cells[i];
            moves.push_back({Movable::Cell, cell.cellID, cell.x, cell.y, cell.x + dx, cell.y + dy});
        }
        lastGroupPoint_ = {lastGroupPoint_.x + dx, lastGroupPoint_.y + dy};
        Refuse(model_.Move(moves, "Move", gesture_));
        return false;
    }
    double x = p.x - grabOffset_.x;
    double y = p.y - grabOffset_.y;
    const int i = sel_.selectedIndex;
    switch (sel_.selectedKind) {
        case SelectedKind::Cell: {
            const scene::Rect& r = network.cells[static_cast<size_t>(i)].rect;
            KeepInsideMap(extent, x, y, r.width() / 2, r.height() / 2);
            moves.push_back({Movable::Cell, t.cells[i].cellID, t.cells[i].x, t.cells[i].y, x, y});
            break;
        }
        case SelectedKind::Node:
            KeepInsideMap(extent, x, y, 0, 0);
            moves.push_back({Movable::Node, t.nodes[i].nodeID, t.nodes[i].x, t.nodes[i].y, x, y});
            break;
        case SelectedKind::StreetLabel:
            KeepInsideMap(extent, x, y, 0, 0);
            moves.push_back({Movable::StreetLabel, i, t.streets[i].x, t.streets[i].y, x, y});
            break;
        case SelectedKind::Link:
            return false;
        case SelectedKind::None:
            return rubberBandActive_;
    }
    Refuse(model_.Move(moves, "Move", gesture_));
    return false;
}

std::optional<scene::Rect> MapEditor::RubberBand() const {
    if (!buttonDown_ || !rubberBandActive_ || sel_.HasSingle()) {
        return std::nullopt;
    }
    return scene::Rect::Spanning(view_.toPixels(rubberStart_), scene::Point{pointerX_, pointerY_});
}

void MapEditor::ReleaseLeft(double px, double py) {
    if (!buttonDown_) {
        return;
    }
    pointerX_ = px;
    pointerY_ = py;
    buttonDown_ = false;
    groupMove_ = false;
    bool picked = false;
    if (rubberBandActive_ && !sel_.HasSingle()) {
        rubberBandActive_ = false;
        picked = true;
        const scene::Point end = PointerMap(px, py);
        const double left = std::min(rubberStart_.x, end.x);
        const double right = std::max(rubberStart_.x, end.x);
        const double top = std::min(rubberStart_.y, end.y);
        const double bottom = std::max(rubberStart_.y, end.y);
        const auto& cells = model_.tables().cells;
        sel_.multiSelection.clear();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (cells[i].x >= left && cells[i].x <= right && cells[i].y >= top &&
                cells[i].y <= bottom) {
                sel_.multiSelection.push_back(static_cast<int>(i));
            }
        }
    }
    rubberBandActive_ = false;
    if (sel_.selectedKind == SelectedKind::StreetLabel) {
        sel_.ClearSelection();
        picked = true;
    }
    if (picked) {
        emit selectionChanged();
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
    EditResult result = EditResult::Refused({});
    switch (sel_.selectedKind) {
        case SelectedKind::Cell:
            result = model_.DeleteCell(model_.cell(sel_.selectedIndex).cellID);
            break;
        case SelectedKind::Link:
            result = model_.DeleteLink(model_.link(sel_.selectedIndex).linkID);
            break;
        case SelectedKind::Node:
            result = model_.DeleteNode(model_.node(sel_.selectedIndex).nodeID);
            break;
        default:
            return;
    }
    if (!result) {
        // A refusal leaves the network, its history and the selection as they were.
        Caution(result.message());
        return;
    }
    ClearSelection();
}

void MapEditor::SortMulti(bool byX) {
    // A plain exchange sort: entry i swaps with every later entry that is strictly smaller.
    const auto& cells = model_.tables().cells;
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

void MapEditor::MoveCells(const std::vector<std::pair<int, scene::Point>>& targets,
                          const char* what) {
    std::vector<ObjectMove> moves;
    for (const auto& [position, to] : targets) {
        const CellRecord& cell = model_.cell(position);
        moves.push_back({Movable::Cell, cell.cellID, cell.x, cell.y, to.x, to.y});
    }
    Refuse(model_.Move(moves, what));
}

void MapEditor::Align(bool horizontal) {
    DropStaleIndices();
    if (sel_.multiSelection.size() < 2) {
        return;
    }
    SortMulti(horizontal);
    const CellRecord& first = model_.cell(sel_.multiSelection.front());
    const double target = horizontal ? first.y : first.x;
    std::vector<std::pair<int, scene::Point>> targets;
    for (const int i : sel_.multiSelection) {
        const CellRecord& cell = model_.cell(i);
        targets.push_back(
            {i, horizontal ? scene::Point{cell.x, target} : scene::Point{target, cell.y}});
    }
    MoveCells(targets, "Align");
}

void MapEditor::Space(bool horizontal) {
    DropStaleIndices();
    const std::size_t count = sel_.multiSelection.size();
    if (count <= 2) {
        return;
    }
    SortMulti(horizontal);
    auto coordinate = [&](int position) {
        const CellRecord& cell = model_.cell(position);
        return horizontal ? cell.x : cell.y;
    };
    const double first = coordinate(sel_.multiSelection.front());
    const double last = coordinate(sel_.multiSelection.back());
    const double gap = std::nearbyint((last - first) / static_cast<double>(count - 1));
    std::vector<std::pair<int, scene::Point>> targets;
    for (std::size_t i = 0; i < count; ++i) {
        const int position = sel_.multiSelection[i];
        const CellRecord& cell = model_.cell(position);
        const double at = first + static_cast<double>(i) * gap;
        targets.push_back(
            {position, horizontal ? scene::Point{at, cell.y} : scene::Point{cell.x, at}});
    }
    MoveCells(targets, "Space");
}

}  // namespace talvo
