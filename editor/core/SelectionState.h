#pragma once

#include <vector>

namespace talvo {

enum class Tool { Arrow = 0, Cell = 1, Link = 2, Node = 3 };
enum class SelectedKind { None = 0, Cell = 1, Link = 2, Node = 3, StreetLabel = 4 };

// What the map shows as chosen. Indices are table positions (0-based).
struct SelectionState {
    Tool currentTool = Tool::Arrow;
    SelectedKind selectedKind = SelectedKind::None;
    int selectedIndex = -1;
    std::vector<int> multiSelection;  // cell positions picked with the rubber band
    int pendingLinkStart = 0;         // cell ID, 0 = none
    // Cells of one signal movement highlighted from the node tab's lists (0 = none).
    int highlightedMovement = 0;

    bool HasSingle() const { return selectedKind != SelectedKind::None; }
    void ClearSelection() {
        selectedKind = SelectedKind::None;
        selectedIndex = -1;
        multiSelection.clear();
    }
};

}  // namespace talvo
