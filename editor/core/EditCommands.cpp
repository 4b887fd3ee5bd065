#include "core/EditCommands.h"

namespace talvo {

void DeleteCellCommand::redo() {
    auto& cells = tables().cells;
    position_ = CellTable::Position(tables(), id_);
    removed_ = cells[position_];
    if (position_ + 1 < static_cast<int>(cells.size())) {
        cells[position_] = std::move(cells.back());
    }
    cells.pop_back();
}

void DeleteCellCommand::undo() {
    auto& cells = tables().cells;
    if (position_ < static_cast<int>(cells.size())) {
        // The cell that filled the place goes back to the end.
        cells.push_back(cells[position_]);
        cells[position_] = removed_;
    } else {
        cells.push_back(removed_);
    }
}

void MoveCommand::Place(bool after) {
    NetworkTables& t = tables();
    for (const ObjectMove& m : moves_) {
        const double x = after ? m.toX : m.fromX;
        const double y = after ? m.toY : m.fromY;
        switch (m.kind) {
            case Movable::Cell: {
                CellRecord& cell = t.cells[CellTable::Position(t, m.id)];
                cell.x = x;
                cell.y = y;
                break;
            }
            case Movable::Node: {
                NodeRecord& node = t.nodes[NodeTable::Position(t, m.id)];
                node.x = x;
                node.y = y;
                break;
            }
            case Movable::StreetLabel:
                t.streets[m.id].x = x;
                t.streets[m.id].y = y;
                break;
        }
    }
}

void MoveCommand::redo() {
    Place(true);
}

void MoveCommand::undo() {
    Place(false);
}

bool MoveCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const MoveCommand*>(other);
    if (next == nullptr || next->gesture_ != gesture_ || next->moves_.size() != moves_.size()) {
        return false;
    }
    for (std::size_t i = 0; i < moves_.size(); ++i) {
        if (next->moves_[i].kind != moves_[i].kind || next->moves_[i].id != moves_[i].id) {
            return false;
        }
    }
    bool moved = false;
    for (std::size_t i = 0; i < moves_.size(); ++i) {
        ObjectMove& m = moves_[i];
        m.toX = next->moves_[i].toX;
        m.toY = next->moves_[i].toY;
        moved |= m.toX != m.fromX || m.toY != m.fromY;
    }
    // A drag that ends where it began leaves nothing in the history.
    setObsolete(!moved);
    return true;
}

}  // namespace talvo
