#pragma once

#include <vector>

namespace talvo {

enum class Tool { Arrow = 0, Cell = 1, Link = 2, Node = 3 };
enum class SelectedKind { None = 0, Cell = 1, Link = 2, Node = 3, StreetLabel = 4 };

// What the map shows as chosen, by record ID: an edit, an undo or a redo may move records in
// their tables, and an ID keeps naming the same object. Street labels have no ID and are
// named by their street's place in the street table.
struct SelectionState {
    Tool currentTool = Tool::Arrow;
    SelectedKind selectedKind = SelectedKind::None;
    int selectedID = 0;              // cell, link or node ID; a street label's place
    std::vector<int> selectedCells;  // cell IDs picked with the rubber band
    int pendingLinkStart = 0;        // cell ID, 0 = none
    // Cells of one signal movement highlighted from the node tab's lists (0 = none).
    int highlightedMovement = 0;

    bool operator==(const SelectionState&) const = default;

    bool HasSingle() const { return selectedKind != SelectedKind::None; }
    void ClearSelection() {
        selectedKind = SelectedKind::None;
        selectedID = 0;
        selectedCells.clear();
    }
};

}  // namespace talvo
