#include "core/EditorModel.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "core/EditCommands.h"
#include "model/NetworkQueries.h"
#include "model/ProjectWriter.h"

namespace talvo {

namespace {

constexpr const char* kFileNotFound = "File not found!";

// A file whose counters lag behind the IDs it holds would make the next new cell, node
// or link share a number with an old one; a consistent file is left as it is.
void RaiseCountersAboveIDsInUse(NetworkTables& t) {
    for (const CellRecord& cell : t.cells) {
        t.lastCellID = std::max(t.lastCellID, cell.cellID);
    }
    for (const NodeRecord& node : t.nodes) {
        t.lastCellID = std::max(t.lastCellID, node.nodeID);
    }
    for (const LinkRecord& link : t.links) {
        t.lastLinkID = std::max(t.lastLinkID, link.linkID);
    }
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

void SetCell(DocumentState& s, int position, const CellRecord& value) {
    s.project.tables.cells[position] = value;
}
void SetLink(DocumentState& s, int position, const LinkRecord& value) {
    s.project.tables.links[position] = value;
}
void SetNode(DocumentState& s, int position, const NodeRecord& value) {
    s.project.tables.nodes[position] = value;
}
void SetParams(DocumentState& s, int, const GlobalParameters& value) {
    s.project.params = value;
}

// A cell's signal query and the owner table move together.
struct CellSignal {
    CellRecord cell;
    std::array<int, Capacity::kSignals + 1> owners{};
};
void SetCellSignalState(DocumentState& s, int position, const CellSignal& value) {
    s.project.tables.cells[position] = value.cell;
    s.project.tables.signalOwner = value.owners;
}

struct GroupTables {
    std::vector<StreetRecord> streets;
    std::vector<DelayGroup> delayGroups;
    std::vector<PlotGroup> plotGroups;
};
GroupTables GroupsOf(const NetworkTables& t) {
    return {t.streets, t.delayGroups, t.plotGroups};
}
void SetGroupTables(DocumentState& s, int, const GroupTables& value) {
    s.project.tables.streets = value.streets;
    s.project.tables.delayGroups = value.delayGroups;
    s.project.tables.plotGroups = value.plotGroups;
}

}  // namespace

EditorModel::EditorModel(QObject* parent) : QObject(parent) {
    history_.setUndoLimit(kUndoLimit);
    connect(&history_, &QUndoStack::indexChanged, this, &EditorModel::changed);
    connect(&history_, &QUndoStack::cleanChanged, this, &EditorModel::documentChanged);
}

EditorModel::~EditorModel() = default;

int EditorModel::FindCellIndex(int cellID) const {
    return talvo::FindCellIndex(tables(), cellID);
}

int EditorModel::FindNodeIndex(int nodeID) const {
    return talvo::FindNodeIndex(tables(), nodeID);
}

int EditorModel::FindLinkIndex(int linkID) const {
    return talvo::FindLinkIndex(tables(), linkID);
}

std::string EditorModel::CellType(int cellIndex) const {
    return talvo::CellType(tables(), cellIndex);
}

EditResult EditorModel::Record(EditCommand* command, EditResult result) {
    history_.push(command);
    return result;
}

bool EditorModel::ValidCell(int position) const {
    return position >= 0 && position < static_cast<int>(tables().cells.size());
}

bool EditorModel::ValidLink(int position) const {
    return position >= 0 && position < static_cast<int>(tables().links.size());
}

bool EditorModel::ValidStage(int position, int stage) const {
    return position >= 0 && position < static_cast<int>(tables().nodes.size()) && stage >= 0 &&
           stage < std::min(node(position).stageNum, Capacity::kStages);
}

EditResult EditorModel::AddCell(double x, double y) {
    if (EditResult check = CheckAddCell(tables()); !check) {
        return check;
    }
    CellRecord cell = MakeCell(tables(), x, y, newCellDefaults_);
    const int id = cell.cellID;
    return Record(new AddCommand<CellTable>(*this, "Add Cell", std::move(cell)),
                  EditResult::Done(id));
}

EditResult EditorModel::AddNode(double x, double y) {
    if (EditResult check = CheckAddNode(tables()); !check) {
        return check;
    }
    NodeRecord node = MakeNode(tables(), x, y);
    const int id = node.nodeID;
    return Record(new AddCommand<NodeTable>(*this, "Add Node", std::move(node)),
                  EditResult::Done(id));
}

EditResult EditorModel::AddLink(int fromCellID, int toCellID) {
    if (EditResult check = CheckAddLink(tables(), fromCellID, toCellID); !check) {
        return check;
    }
    LinkRecord link = MakeLink(tables(), fromCellID, toCellID);
    const int id = link.linkID;
    return Record(new AddCommand<LinkTable>(*this, "Add Link", std::move(link)),
                  EditResult::Done(id));
}

EditResult EditorModel::DeleteCell(int position) {
    EditResult check = CheckDeleteCell(tables(), position);
    if (!check) {
        return check;
    }
    return Record(new DeleteCellCommand(*this, position), std::move(check));
}

EditResult EditorModel::DeleteLink(int position) {
    EditResult check = CheckDeleteLink(tables(), position);
    if (!check) {
        return check;
    }
    return Record(new EraseCommand<LinkTable>(*this, "Delete Link", position), std::move(check));
}

EditResult EditorModel::DeleteNode(int position) {
    EditResult check = CheckDeleteNode(tables(), position);
    if (!check) {
        return check;
    }
    return Record(new EraseCommand<NodeTable>(*this, "Delete Node", position), std::move(check));
}

EditResult EditorModel::Move(const std::vector<ObjectMove>& moves, const std::string& what,
                             int gesture) {
    const NetworkTables& t = tables();
    bool moved = false;
    for (const ObjectMove& m : moves) {
        std::size_t size = 0;
        switch (m.kind) {
            case Movable::Cell:
                size = t.cells.size();
                break;
            case Movable::Node:
                size = t.nodes.size();
                break;
            case Movable::StreetLabel:
                size = t.streets.size();
                break;
        }
        if (m.position < 0 || m.position >= static_cast<int>(size)) {
            return EditResult::Refused("There is nothing to move.");
        }
        moved |= m.toX != m.fromX || m.toY != m.fromY;
    }
    if (!moved) {
        return EditResult::Done();
    }
    return Record(new MoveCommand(*this, what, moves, gesture), EditResult::Done());
}

EditResult EditorModel::SetCellValue(int position, CellField field, double value) {
    if (!ValidCell(position)) {
        return EditResult::Refused("There is no cell selected.");
    }
    if (const EntryCheck check = CheckValue(RuleFor(field), value);
        check.state != EntryState::Complete) {
        return EditResult::Refused(check.message);
    }
    const CellRecord& before = cell(position);
    if (ValueOf(before, field) == value) {
        return EditResult::Done();
    }
    CellRecord after = before;
    SetValue(after, field, value);
    return Record(new ReplaceCommand<CellRecord>(*this, "Cell Property", SetCell, position, before,
                                                 std::move(after)),
                  EditResult::Done());
}

EditResult EditorModel::SetCellSignal(int position, int signalID) {
    if (EditResult check = CheckCellSignal(tables(), position, signalID); !check) {
        return check;
    }
    const CellRecord& current = cell(position);
    if (current.signalID == signalID) {
        return EditResult::Done(signalID);
    }
    CellSignal before{current, tables().signalOwner};
    CellSignal after = before;
    if (current.signalID >= 1 && current.signalID <= Capacity::kSignals &&
        after.owners[current.signalID] == current.cellID) {
        after.owners[current.signalID] = 0;
    }
    after.cell.signalID = signalID;
    if (signalID != 0) {
        after.owners[signalID] = current.cellID;
    }
    return Record(new ReplaceCommand<CellSignal>(*this, "Signal", SetCellSignalState, position,
                                                 std::move(before), std::move(after)),
                  EditResult::Done(signalID));
}

EditResult EditorModel::SetCellIntervals(int position,
                                         const std::vector<OriginInterval>& intervals) {
    if (!ValidCell(position)) {
        return EditResult::Refused("There is no cell selected.");
    }
    if (EditResult check = CheckIntervals(intervals); !check) {
        return check;
    }
    const CellRecord& before = cell(position);
    if (before.intervals == intervals) {
        return EditResult::Done();
    }
    CellRecord after = before;
    after.intervals = intervals;
    return Record(new ReplaceCommand<CellRecord>(*this, "OR Properties", SetCell, position, before,
                                                 std::move(after)),
                  EditResult::Done());
}

EditResult EditorModel::SetLinkPassNode(int position, int nodeID) {
    if (EditResult check = CheckPassNode(tables(), position, nodeID); !check) {
        return check;
    }
    const LinkRecord& before = link(position);
    if (before.passNode == nodeID) {
        return EditResult::Done();
    }
    LinkRecord after = before;
    after.passNode = nodeID;
    return Record(new ReplaceCommand<LinkRecord>(*this, "Pass Intersection", SetLink, position,
                                                 before, std::move(after)),
                  EditResult::Done());
}

EditResult EditorModel::SetLinkMergeDivert(int position, double value) {
    if (!ValidLink(position)) {
        return EditResult::Refused("There is no link selected.");
    }
    if (const EntryCheck check = CheckValue(rules::kMergeDivert, value);
        check.state != EntryState::Complete) {
        return EditResult::Refused(check.message);
    }
    const LinkRecord& before = link(position);
    if (before.mergeDivert == value) {
        return EditResult::Done();
    }
    LinkRecord after = before;
    after.mergeDivert = value;
    return Record(new ReplaceCommand<LinkRecord>(*this, "Merge/Divert Proportion", SetLink,
                                                 position, before, std::move(after)),
                  EditResult::Done());
}

EditResult EditorModel::ChangeNode(int position, const NodeRecord& changed, const char* what) {
    const NodeRecord& before = node(position);
    if (before == changed) {
        return EditResult::Done();
    }
    return Record(new ReplaceCommand<NodeRecord>(*this, what, SetNode, position, before, changed),
                  EditResult::Done());
}

EditResult EditorModel::SetNodeOffset(int position, int offset) {
    if (position < 0 || position >= static_cast<int>(tables().nodes.size())) {
        return EditResult::Refused("There is no node selected.");
    }
    if (const EntryCheck check = CheckValue(NumberRule::Integer(), offset);
        check.state != EntryState::Complete) {
        return EditResult::Refused(check.message);
    }
    NodeRecord changed = node(position);
    changed.offset = offset;
    return ChangeNode(position, changed, "Offset");
}

EditResult EditorModel::SetStageCount(int position, int count) {
    if (position < 0 || position >= static_cast<int>(tables().nodes.size())) {
        return EditResult::Refused("There is no node selected.");
    }
    if (EditResult check = CheckStageCount(count); !check) {
        return check;
    }
    NodeRecord changed = node(position);
    // Stages that come into use start afresh, without movements left from earlier use.
    for (int s = std::clamp(changed.stageNum, 0, Capacity::kStages); s < count; ++s) {
        changed.stages[s] = StageRecord{};
    }
    changed.stageNum = count;
    return ChangeNode(position, changed, "Number Of Stages");
}

EditResult EditorModel::SetStageTime(int position, int stage, int seconds) {
    if (!ValidStage(position, stage)) {
        return EditResult::Refused("There is no stage selected.");
    }
    if (const EntryCheck check = CheckValue(NumberRule::Integer(), seconds);
        check.state != EntryState::Complete) {
        return EditResult::Refused(check.message);
    }
    NodeRecord changed = node(position);
    changed.stages[stage].stageTime = seconds;
    return ChangeNode(position, changed, "Stage Time");
}

EditResult EditorModel::SetStageOptimize(int position, int stage, bool optimize) {
    if (!ValidStage(position, stage)) {
        return EditResult::Refused("There is no stage selected.");
    }
    NodeRecord changed = node(position);
    changed.stages[stage].stageOptimize = optimize;
    return ChangeNode(position, changed, "Stage Optimization");
}

EditResult EditorModel::AddStageMove(int position, int stage, int movementID) {
    if (!ValidStage(position, stage)) {
        return EditResult::Refused("There is no stage selected.");
    }
    NodeRecord changed = node(position);
    if (EditResult check = CheckAddStageMove(changed.stages[stage]); !check) {
        return check;
    }
    if (movementID < 1 || movementID > Capacity::kSignals) {
        return EditResult::Refused("The signal ID must be between 1 and 100.");
    }
    changed.stages[stage].stageMoves.push_back(movementID);
    return ChangeNode(position, changed, "Stage Movement");
}

EditResult EditorModel::RemoveStageMove(int position, int stage, int place) {
    if (!ValidStage(position, stage) || place < 0 ||
        place >= node(position).stages[stage].stageMoveNum()) {
        return EditResult::Refused("You must select an item from the right list.");
    }
    NodeRecord changed = node(position);
    auto& moves = changed.stages[stage].stageMoves;
    moves.erase(moves.begin() + place);
    return ChangeNode(position, changed, "Stage Movement");
}

EditResult EditorModel::DeleteStage(int position, int stage) {
    if (position < 0 || position >= static_cast<int>(tables().nodes.size())) {
        return EditResult::Refused("There is no node selected.");
    }
    if (EditResult check = CheckDeleteStage(node(position)); !check) {
        return check;
    }
    if (!ValidStage(position, stage)) {
        return EditResult::Refused("There is no stage selected.");
    }
    NodeRecord changed = node(position);
    // The later stages move down one place with their time, flag and movements.
    for (int s = stage; s + 1 < changed.stageNum; ++s) {
        changed.stages[s] = changed.stages[s + 1];
    }
    changed.stages[changed.stageNum - 1] = StageRecord{};
    changed.stageNum -= 1;
    return ChangeNode(position, changed, "Delete Stage");
}

EditResult EditorModel::SetParameters(const GlobalParameters& params, const std::string& what) {
    if (params == this->params()) {
        return EditResult::Done();
    }
    return Record(
        new ReplaceCommand<GlobalParameters>(*this, what, SetParams, 0, this->params(), params),
        EditResult::Done());
}

EditResult EditorModel::SetGroups(const NetworkTables& groups, const std::string& what) {
    if (EditResult check = CheckGroupTables(groups); !check) {
        return check;
    }
    GroupTables before = GroupsOf(tables());
    GroupTables after = GroupsOf(groups);
    if (before.streets == after.streets && before.delayGroups == after.delayGroups &&
        before.plotGroups == after.plotGroups) {
        return EditResult::Done();
    }
    return Record(new ReplaceCommand<GroupTables>(*this, what, SetGroupTables, 0, std::move(before),
                                                  std::move(after)),
                  EditResult::Done());
}

void EditorModel::ReplaceDocument(DocumentState next) {
    // A new or opened project starts a history of its own: an undo that brought back the
    // previous project would have a save write it over the file just opened.
    state_ = std::move(next);
    emit replaced();
    history_.clear();
    emit changed();
    emit documentChanged();
}

void EditorModel::NewProject() {
    DocumentState fresh;
    fresh.project.params = params();
    ResetParameters(fresh.project.params);
    ReplaceDocument(std::move(fresh));
}

EditResult EditorModel::OpenProject(const std::string& path, ProjectLayout layout) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        // The second line names the file, as a file that does not read is named.
        return EditResult::Refused(std::string(kFileNotFound) + "\n" + path);
    }
    ProjectReadResult read = ReadProject(path, layout, params());
    if (!read.ok) {
        return EditResult::Refused(std::string(kIncorrectFileFormat) + "\n" + read.detail);
    }
    DocumentState opened{std::move(read.project), AbsolutePath(path)};
    opened.project.params.initialCellOccupancy = params().initialCellOccupancy;
    RaiseCountersAboveIDsInUse(opened.project.tables);
    ReplaceDocument(std::move(opened));
    return EditResult::Done();
}

EditResult EditorModel::SaveProject(const std::string& path) {
    if (EditResult written = talvo::SaveProject(path, project()); !written) {
        return written;
    }
    state_.fileName = AbsolutePath(path);
    history_.setClean();
    emit documentChanged();
    return EditResult::Done();
}

void EditorModel::Undo() {
    if (history_.canUndo()) {
        emit aboutToStep();
        history_.undo();
    }
}

void EditorModel::Redo() {
    if (history_.canRedo()) {
        emit aboutToStep();
        history_.redo();
    }
}

}  // namespace talvo
