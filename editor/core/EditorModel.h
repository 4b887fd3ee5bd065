#pragma once
// The network being edited, its history and where it is saved: the one writer of the
// tables. Every change is one command that the model checks first (the refusal text comes
// back and nothing reaches the history), applies, records for undo, and announces with
// changed(); the map, the panel and the caption update by listening. Everyone else reads
// the tables through const references.
//
// Edits name cells, links and nodes by ID, never by table position: a delete and its undo
// move records in their tables, and an ID keeps naming the same record. Street labels have
// no ID and are named by their place. FindCellIndex and its kin give the 1-based index of
// the network's own numbering (0 = not found); FindCell and its kin the record itself.

#include <QObject>
#include <QUndoStack>
#include <string>
#include <vector>

#include "common/ProjectReader.h"
#include "common/ProjectRecords.h"
#include "model/EditResult.h"
#include "model/FieldRules.h"
#include "model/NetworkRules.h"

namespace talvo {

class EditCommand;

// What a drag, an align or a space command moves, and from where to where.
enum class Movable { Cell, Node, StreetLabel };
struct ObjectMove {
    Movable kind = Movable::Cell;
    int id = 0;  // cell or node ID; a street label's place
    double fromX = 0;
    double fromY = 0;
    double toX = 0;
    double toY = 0;
};

// The project together with the name it is saved under: what Open and New replace.
struct DocumentState {
    Project project;
    std::string fileName;  // absolute path; empty until saved or opened
};

class EditorModel : public QObject {
    Q_OBJECT

  public:
    static constexpr int kUndoLimit = 1000;

    // Start-up state: File New, cell initial occupancy 0, cell scales 1.5 and 100.
    explicit EditorModel(QObject* parent = nullptr);
    ~EditorModel() override;

    const Project& project() const { return state_.project; }
    const GlobalParameters& params() const { return state_.project.params; }
    const NetworkTables& tables() const { return state_.project.tables; }
    const CellRecord& cell(int position) const { return tables().cells.at(position); }
    const LinkRecord& link(int position) const { return tables().links.at(position); }
    const NodeRecord& node(int position) const { return tables().nodes.at(position); }

    const CellRecord* FindCell(int cellID) const;
    const LinkRecord* FindLink(int linkID) const;
    const NodeRecord* FindNode(int nodeID) const;
    int FindCellIndex(int cellID) const;
    int FindNodeIndex(int nodeID) const;
    int FindLinkIndex(int linkID) const;
    std::string CellType(int cellIndex) const;

    // The cell tool's defaults: part of the tool, not of the network, so not recorded.
    void SetNewCellDefaults(const NewCellDefaults& defaults) { newCellDefaults_ = defaults; }

    // Each add returns the new object's ID.
    EditResult AddCell(double x, double y);
    EditResult AddLink(int fromCellID, int toCellID);
    EditResult AddNode(double x, double y);
    EditResult DeleteCell(int cellID);
    EditResult DeleteLink(int linkID);
    EditResult DeleteNode(int nodeID);

    // Moves of cells, nodes and street labels as one step named what. Moves of the same
    // gesture (one drag: the same non-zero number) merge into the step before them.
    EditResult Move(const std::vector<ObjectMove>& moves, const std::string& what, int gesture = 0);

    // The panel's edits. A value that is already stored is Done and records nothing.
    EditResult SetCellValue(int cellID, CellField field, double value);
    EditResult SetCellSignal(int cellID, int signalID);
    EditResult SetCellIntervals(int cellID, const std::vector<OriginInterval>& intervals);
    EditResult SetLinkPassNode(int linkID, int nodeID);
    EditResult SetLinkMergeDivert(int linkID, double value);
    EditResult SetNodeOffset(int nodeID, int offset);
    // Stages are 0-based places in the node's stage list; new stages start afresh.
    EditResult SetStageCount(int nodeID, int count);
    EditResult SetStageTime(int nodeID, int stage, int seconds);
    EditResult SetStageOptimize(int nodeID, int stage, bool optimize);
    EditResult AddStageMove(int nodeID, int stage, int movementID);
    EditResult RemoveStageMove(int nodeID, int stage, int place);
    EditResult DeleteStage(int nodeID, int stage);

    // A dialog's OK: the whole parameter set, or the three group tables of `groups`.
    EditResult SetParameters(const GlobalParameters& params, const std::string& what);
    EditResult SetGroups(const NetworkTables& groups, const std::string& what);

    // The document. isModified() is true while the network differs from the saved one.
    const std::string& fileName() const { return state_.fileName; }
    bool isModified() const { return !history_.isClean(); }

    // File New, with a history of its own: every table empty, parameters back to their New values
    // (the cell initial occupancy and the cell scales stay), no file name.
    void NewProject();
    // File Open: the file is read into a fresh project, which replaces the open one (with
    // its file name, with a history of its own) only when it reads whole. "File not found!" for a
    // missing file (and a second line naming it); "Incorrect file format!  Check the version!" and
    // a second line naming the file, line and value for a file that does not read. Either refusal
    // leaves the network, its parameters and its history as they were.
    EditResult OpenProject(const std::string& path, ProjectLayout layout);
    // File Save: writes without ever destroying the previous file; on success the path is
    // the file name and the history is marked as saved here.
    EditResult SaveProject(const std::string& path);

    const QUndoStack& history() const { return history_; }
    void Undo();
    void Redo();

  signals:
    // The network or its parameters changed: an edit, an undo or a redo.
    void changed();
    // An undo or redo is about to run: a drag or a pending link in progress ends.
    void aboutToStep();
    // A whole project came in (New or Open).
    void replaced();
    // The file name or the modified mark changed.
    void documentChanged();

  private:
    friend class EditCommand;

    EditResult Record(EditCommand* command, EditResult result);
    void ReplaceDocument(DocumentState next);
    bool ValidStage(const NodeRecord* node, int stage) const;
    template <typename Table>
    EditResult Change(const typename Table::Record& before, typename Table::Record after,
                      const char* what);

    DocumentState state_;
    NewCellDefaults newCellDefaults_;
    QUndoStack history_;
};

}  // namespace talvo
