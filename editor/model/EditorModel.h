#pragma once
// The network being edited, with the operations that the canvas, the panel, the dialogs
// and the file commands call. Refusals come back as EditResult with the message text the
// window shows in a "Caution!" box; a refused operation changes nothing.
//
// Table indices in this interface are 1-based (0 = none), as the selection keeps them;
// project().tables holds the records themselves (0-based vectors).

#include <string>

#include "common/ProjectReader.h"
#include "common/ProjectRecords.h"
#include "model/EditResult.h"

namespace talvo {

// Set by the new-cell dialog; used by AddCell.
struct NewCellDefaults {
    int laneNum = 1;
    int speed = 65;  // km/h
    int orientation = kHorizontal;
};

class EditorModel {
  public:
    // Start-up state: File New, cell initial occupancy 0, cell scales 1.5 and 100.
    EditorModel() = default;

    Project& project() { return project_; }
    const Project& project() const { return project_; }
    GlobalParameters& params() { return project_.params; }
    const GlobalParameters& params() const { return project_.params; }
    NetworkTables& tables() { return project_.tables; }
    const NetworkTables& tables() const { return project_.tables; }
    NewCellDefaults& newCellDefaults() { return newCellDefaults_; }

    // Record by 1-based index; the index must be valid.
    CellRecord& cellAt(int index) { return project_.tables.cells.at(index - 1); }
    LinkRecord& linkAt(int index) { return project_.tables.links.at(index - 1); }
    NodeRecord& nodeAt(int index) { return project_.tables.nodes.at(index - 1); }

    // Each returns the new object's ID on success.
    EditResult AddCell(double x, double y);
    EditResult AddLink(int fromCellID, int toCellID);
    EditResult AddNode(double x, double y);

    int FindCellIndex(int cellID) const;
    int FindNodeIndex(int nodeID) const;
    int FindLinkIndex(int linkID) const;

    EditResult DeleteCell(int cellIndex);
    EditResult DeleteLink(int linkIndex);
    EditResult DeleteNode(int nodeIndex);

    std::string CellType(int cellIndex) const;

    // Gives the cell signal movement signalID (1..100), or none with 0, keeping the
    // signal owner table in step. Refused when another cell owns the movement.
    EditResult SetCellSignal(int cellIndex, int signalID);

    // File New: every table, count and ID counter emptied, parameters back to their New
    // values; the cell initial occupancy and the cell scales stay.
    void ResetModel();

    // One-level undo: TakeSnapshot copies the tables; RestoreSnapshot copies them back
    // (again on every call). Before any snapshot there is nothing to restore: false.
    void TakeSnapshot();
    bool RestoreSnapshot();
    bool HasSnapshot() const { return hasSnapshot_; }

    // File Open / Open Old: "File not found!" leaves everything untouched; otherwise the
    // snapshot is taken and the model reset and read. A failed read leaves File New state
    // and gives "Incorrect file format!  Check the version!"; LastReadDetail() then says
    // where and why.
    EditResult OpenProject(const std::string& path, ProjectLayout layout);
    const std::string& LastReadDetail() const { return lastReadDetail_; }

    // File Save: writes the current layout without ever destroying the previous file. A
    // failure gives a message naming the file and the reason.
    EditResult SaveProject(const std::string& path) const;

  private:
    Project project_;
    NetworkTables snapshot_;
    bool hasSnapshot_ = false;
    NewCellDefaults newCellDefaults_;
    std::string lastReadDetail_;
};

}  // namespace talvo
