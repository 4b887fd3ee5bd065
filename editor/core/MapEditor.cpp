#include "core/MapEditor.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/RecordLookup.h"
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
    // The selection names its objects by ID, so an undo or a redo keeps what is still there;
    // a drag, a pending link and a movement highlight end with it.
    connect(&model_, &EditorModel::aboutToStep, this, [this] {
        buttonDown_ = false;
        sel_.pendingLinkStart = 0;
        sel_.highlightedMovement = 0;
        stepped_ = true;
    });
    // A new or opened project starts with the arrow tool and nothing selected.
    connect(&model_, &EditorModel::replaced, this, [this] { SetTool(Tool::Arrow); });
    connect(&model_, &EditorModel::changed, this, [this] {
        const bool stepped = std::exchange(stepped_, false);
        const SelectionState before = sel_;
        if (KeepExisting()) {
            // What an edit took away is chosen again when an undo brings it back.
            gone_ = before;
            emit selectionChanged();
        } else if (stepped) {
            if (gone_ && !sel_.HasSingle() && sel_.selectedCells.empty()) {
                sel_.selectedKind = gone_->selectedKind;
                sel_.selectedID = gone_->selectedID;
                sel_.selectedCells = gone_->selectedCells;
                KeepExisting();
            }
            emit selectionChanged();
        }
    });
}

bool MapEditor::KeepExisting() {
    const NetworkTables& t = model_.tables();
    auto& cells = sel_.selectedCells;
    const std::size_t before = cells.size();
    if (!cells.empty()) {
        const IdPositions positions(t.cells, &CellRecord::cellID);
        cells.erase(std::remove_if(cells.begin(), cells.end(),
                                   [&](int id) { return !positions.holds(id); }),
                    cells.end());
    }
    bool dropped = cells.size() != before;
    bool held = true;
    switch (sel_.selectedKind) {
        case SelectedKind::Cell:
            held = model_.FindCell(sel_.selectedID) != nullptr;
            break;
        case SelectedKind::Link:
            held = model_.FindLink(sel_.selectedID) != nullptr;
            break;
        case SelectedKind::Node:
            held = model_.FindNode(sel_.selectedID) != nullptr;
            break;
        case SelectedKind::StreetLabel:
            held = sel_.selectedID >= 0 && sel_.selectedID < static_cast<int>(t.streets.size());
            break;
        case SelectedKind::None:
            break;
    }
    if (!held) {
        sel_.selectedKind = SelectedKind::None;
        sel_.selectedID = 0;
        dropped = true;
    }
    if (sel_.pendingLinkStart != 0 && model_.FindCell(sel_.pendingLinkStart) == nullptr) {
        sel_.pendingLinkStart = 0;
        dropped = true;
    }
    return dropped;
}

std::vector<const CellRecord*> MapEditor::SelectedCellRecords() const {
    const auto& cells = model_.tables().cells;
    const IdPositions positions(cells, &CellRecord::cellID);
    std::vector<const CellRecord*> records;
    records.reserve(sel_.selectedCells.size());
    for (const int id : sel_.selectedCells) {
        if (const int at = positions.positionOf(id); at >= 0) {
            records.push_back(&cells[static_cast<size_t>(at)]);
        }
    }
    return records;
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
    gone_.reset();
    sel_.currentTool = tool;
    sel_.highlightedMovement = 0;
    sel_.ClearSelection();
    sel_.pendingLinkStart = 0;
    emit toolChanged();
    emit selectionChanged();
}

void MapEditor::ClearSelection() {
    gone_.reset();
    sel_.ClearSelection();
    emit selectionChanged();
}

void MapEditor::SetSelection(const SelectionState& selection) {
    const Tool tool = sel_.currentTool;
    gone_.reset();
    sel_ = selection;
    KeepExisting();
    if (tool != sel_.currentTool) {
        emit toolChanged();
    }
    emit selectionChanged();
}

void MapEditor::SelectCells(std::vector<int> cellIDs) {
    gone_.reset();
    sel_.ClearSelection();
    sel_.selectedCells = std::move(cellIDs);
    KeepExisting();
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
    gone_.reset();
    sel_.highlightedMovement = 0;
    const scene::MapNetwork network = Network();
    groupMove_ = false;
    rubberBandActive_ = false;
    const int hit = HitCell(network, p);
    if (!sel_.selectedCells.empty()) {
        const auto& picked = sel_.selectedCells;
        const bool inGroup =
            hit >= 0 && std::find(picked.begin(), picked.end(),
                                  network.cells[static_cast<size_t>(hit)].cellID) != picked.end();
        if (inGroup) {
            std::optional<scene::Rect> group;
            for (const int id : picked) {
                if (const int at = network.cellIndex(id); at >= 0) {
                    group = scene::United(group, network.cells[static_cast<size_t>(at)].rect);
                }
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
        sel_.selectedCells.clear();
    }
    sel_.selectedKind = SelectedKind::None;
    sel_.selectedID = 0;
    const auto grab = [&](SelectedKind kind, int id, scene::Point at) {
        sel_.selectedKind = kind;
        sel_.selectedID = id;
        grabOffset_ = {p.x - at.x, p.y - at.y};
    };
    if (hit >= 0) {
        const scene::MapCell& cell = network.cells[static_cast<size_t>(hit)];
        grab(SelectedKind::Cell, cell.cellID, cell.centre);
    } else if (const int node = HitNode(network, p); node >= 0) {
        const scene::MapNode& picked = network.nodes[static_cast<size_t>(node)];
        grab(SelectedKind::Node, picked.nodeID, picked.centre);
    } else if (const int link = HitLink(network, p); link >= 0) {
        grab(SelectedKind::Link, network.links[static_cast<size_t>(link)].linkID, p);
    } else if (const int label = measure ? HitStreetLabel(network, p, measure, view_.zoom()) : -1;
               label >= 0) {
        grab(SelectedKind::StreetLabel, label, network.labels[static_cast<size_t>(label)].anchor);
    }
    if (!sel_.HasSingle()) {
        rubberBandActive_ = true;
        rubberStart_ = p;
    }
    emit selectionChanged();
}

void MapEditor::LinkToolPress(scene::Point p) {
    const scene::MapNetwork network = Network();
    const int hit = HitCell(network, p);
    if (hit < 0) {
        return;  // keep waiting for a cell
    }
    const int id = network.cells[static_cast<size_t>(hit)].cellID;
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

bool MapEditor::DragTick() {
    if (!buttonDown_ || sel_.currentTool != Tool::Arrow) {
        return false;
    }
    AutoScroll();
    const scene::Point p = PointerMap(pointerX_, pointerY_);
    const scene::MapNetwork network = Network();
    const scene::Rect extent = MapExtentOf(network);
    std::vector<ObjectMove> moves;
    if (groupMove_) {
        std::vector<const scene::MapCell*> group;
        for (const int id : sel_.selectedCells) {
            if (const int at = network.cellIndex(id); at >= 0) {
                group.push_back(&network.cells[static_cast<size_t>(at)]);
            }
        }
        double dx = p.x - lastGroupPoint_.x;
        double dy = p.y - lastGroupPoint_.y;
        // Hold the whole group at the map's edge.
        for (const scene::MapCell* cell : group) {
            const scene::Rect& r = cell->rect;
            dx = std::clamp(dx, extent.left - r.left, extent.right - r.right);
            dy = std::clamp(dy, extent.top - r.top, extent.bottom - r.bottom);
        }
        for (const scene::MapCell* cell : group) {
            const scene::Point& c = cell->centre;
            moves.push_back({Movable::Cell, cell->cellID, c.x, c.y, c.x + dx, c.y + dy});
        }
        lastGroupPoint_ = {lastGroupPoint_.x + dx, lastGroupPoint_.y + dy};
        Refuse(model_.Move(moves, "Move", gesture_));
        return false;
    }
    double x = p.x - grabOffset_.x;
    double y = p.y - grabOffset_.y;
    const int id = sel_.selectedID;
    switch (sel_.selectedKind) {
        case SelectedKind::Cell: {
            const int at = network.cellIndex(id);
            if (at < 0) {
                return false;
            }
            const scene::MapCell& cell = network.cells[static_cast<size_t>(at)];
            KeepInsideMap(extent, x, y, cell.rect.width() / 2, cell.rect.height() / 2);
            moves.push_back({Movable::Cell, id, cell.centre.x, cell.centre.y, x, y});
            break;
        }
        case SelectedKind::Node: {
            const int at = network.nodeIndex(id);
            if (at < 0) {
                return false;
            }
            const scene::Point& from = network.nodes[static_cast<size_t>(at)].centre;
            KeepInsideMap(extent, x, y, 0, 0);
            moves.push_back({Movable::Node, id, from.x, from.y, x, y});
            break;
        }
        case SelectedKind::StreetLabel: {
            if (id < 0 || id >= static_cast<int>(network.labels.size())) {
                return false;
            }
            const scene::Point& from = network.labels[static_cast<size_t>(id)].anchor;
            KeepInsideMap(extent, x, y, 0, 0);
            moves.push_back({Movable::StreetLabel, id, from.x, from.y, x, y});
            break;
        }
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
        sel_.selectedCells.clear();
        for (const CellRecord& cell : model_.tables().cells) {
            if (cell.x >= left && cell.x <= right && cell.y >= top && cell.y <= bottom) {
                sel_.selectedCells.push_back(cell.cellID);
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
    if (!sel_.selectedCells.empty()) {
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
    if (!sel_.selectedCells.empty()) {
        Caution(kDeleteOneOnly);
        return;
    }
    DeleteSelected();
}

void MapEditor::DeleteSelected() {
    EditResult result = EditResult::Refused({});
    switch (sel_.selectedKind) {
        case SelectedKind::Cell:
            result = model_.DeleteCell(sel_.selectedID);
            break;
        case SelectedKind::Link:
            result = model_.DeleteLink(sel_.selectedID);
            break;
        case SelectedKind::Node:
            result = model_.DeleteNode(sel_.selectedID);
            break;
        default:
            return;
    }
    if (!result) {
        // A refusal leaves the network, its history and the selection as they were.
        Caution(result.message());
    }
    // A delete leaves the object out of the selection as the network changes.
}

void MapEditor::SortMulti(bool byX) {
    // A plain exchange sort: entry i swaps with every later entry that is strictly smaller.
    std::vector<const CellRecord*> list = SelectedCellRecords();
    auto key = [byX](const CellRecord* cell) { return byX ? cell->x : cell->y; };
    for (std::size_t i = 0; i < list.size(); ++i) {
        for (std::size_t j = i + 1; j < list.size(); ++j) {
            if (key(list[j]) < key(list[i])) {
                std::swap(list[i], list[j]);
            }
        }
    }
    sel_.selectedCells.clear();
    for (const CellRecord* cell : list) {
        sel_.selectedCells.push_back(cell->cellID);
    }
}

void MapEditor::MoveCells(const std::vector<std::pair<const CellRecord*, scene::Point>>& targets,
                          const char* what) {
    std::vector<ObjectMove> moves;
    for (const auto& [cell, to] : targets) {
        moves.push_back({Movable::Cell, cell->cellID, cell->x, cell->y, to.x, to.y});
    }
    Refuse(model_.Move(moves, what));
}

void MapEditor::Align(bool horizontal) {
    if (sel_.selectedCells.size() < 2) {
        return;
    }
    SortMulti(horizontal);
    const std::vector<const CellRecord*> cells = SelectedCellRecords();
    if (cells.size() < 2) {
        return;
    }
    const double target = horizontal ? cells.front()->y : cells.front()->x;
    std::vector<std::pair<const CellRecord*, scene::Point>> targets;
    for (const CellRecord* cell : cells) {
        targets.push_back(
            {cell, horizontal ? scene::Point{cell->x, target} : scene::Point{target, cell->y}});
    }
    MoveCells(targets, "Align");
}

void MapEditor::Space(bool horizontal) {
    if (sel_.selectedCells.size() <= 2) {
        return;
    }
    SortMulti(horizontal);
    const std::vector<const CellRecord*> cells = SelectedCellRecords();
    const std::size_t count = cells.size();
    if (count <= 2) {
        return;
    }
    auto coordinate = [horizontal](const CellRecord* cell) {
        return horizontal ? cell->x : cell->y;
    };
    const double first = coordinate(cells.front());
    const double last = coordinate(cells.back());
    const double gap = std::nearbyint((last - first) / static_cast<double>(count - 1));
    std::vector<std::pair<const CellRecord*, scene::Point>> targets;
    for (std::size_t i = 0; i < count; ++i) {
        const CellRecord* cell = cells[i];
        const double at = first + static_cast<double>(i) * gap;
        targets.push_back(
            {cell, horizontal ? scene::Point{at, cell->y} : scene::Point{cell->x, at}});
    }
    MoveCells(targets, "Space");
}

}  // namespace talvo
