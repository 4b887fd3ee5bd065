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

void SetParams(DocumentState& s, int, const GlobalParameters& value) {
    s.project.params = value;
}

// A cell's signal query and the owner table move together.
struct CellSignal {
    CellRecord cell;
    std::vector<int> owners;
};
void SetCellSignalState(DocumentState& s, int cellID, const CellSignal& value) {
    s.project.tables.cells[CellTable::Position(s.project.tables, cellID)] = value.cell;
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

namespace {
template <typename Table>
const typename Table::Record* Find(const NetworkTables& t, int id) {
    const int position = Table::Position(t, id);
    return position >= 0 ? &Table::Of(t)[position] : nullptr;
}
}  // namespace

const CellRecord* EditorModel::FindCell(int cellID) const {
    return Find<CellTable>(tables(), cellID);
}

const LinkRecord* EditorModel::FindLink(int linkID) const {
    return Find<LinkTable>(tables(), linkID);
}

const NodeRecord* EditorModel::FindNode(int nodeID) const {
    return Find<NodeTable>(tables(), nodeID);
}

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

bool EditorModel::ValidStage(const NodeRecord* node, int stage) const {
    return node != nullptr && stage >= 0 && stage < node->usedStages();
}

template <typename Table>
EditResult EditorModel::Change(const typename Table::Record& before, typename Table::Record after,
                               const char* what) {
    if (before == after) {
        return EditResult::Done();
    }
    return Record(new ChangeCommand<Table>(*this, what, before, std::move(after)),
                  EditResult::Done());
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

EditResult EditorModel::DeleteCell(int cellID) {
    EditResult check = CheckDeleteCell(tables(), CellTable::Position(tables(), cellID));
    if (!check) {
        return check;
    }
    return Record(new DeleteCellCommand(*this, cellID), std::move(check));
}

EditResult EditorModel::DeleteLink(int linkID) {
    EditResult check = CheckDeleteLink(tables(), LinkTable::Position(tables(), linkID));
    if (!check) {
        return check;
    }
    return Record(new EraseCommand<LinkTable>(*this, "Delete Link", linkID), std::move(check));
}

EditResult EditorModel::DeleteNode(int nodeID) {
    EditResult check = CheckDeleteNode(tables(), NodeTable::Position(tables(), nodeID));
    if (!check) {
        return check;
    }
    return Record(new EraseCommand<NodeTable>(*this, "Delete Node", nodeID), std::move(check));
}

EditResult EditorModel::Move(const std::vector<ObjectMove>& moves, const std::string& what,
                             int gesture) {
    const NetworkTables& t = tables();
    bool moved = false;
    for (const ObjectMove& m : moves) {
        bool there = false;
        switch (m.kind) {
            case Movable::Cell:
                there = CellTable::Position(t, m.id) >= 0;
                break;
            case Movable::Node:
                there = NodeTable::Position(t, m.id) >= 0;
                break;
            case Movable::StreetLabel:
                there = m.id >= 0 && m.id < static_cast<int>(t.streets.size());
                break;
        }
        if (!there) {
            return EditResult::Refused("There is nothing to move.");
        }
        moved |= m.toX != m.fromX || m.toY != m.fromY;
    }
    if (!moved) {
        return EditResult::Done();
    }
    return Record(new MoveCommand(*this, what, moves, gesture), EditResult::Done());
}

EditResult EditorModel::SetCellValue(int cellID, CellField field, double value) {
    const CellRecord* before = FindCell(cellID);
    if (before == nullptr) {
        return EditResult::Refused("There is no cell selected.");
    }
    if (const EntryCheck check = CheckValue(RuleFor(field), value);
        check.state != EntryState::Complete) {
        return EditResult::Refused(check.message);
    }
    CellRecord after = *before;
    SetValue(after, field, value);
    return Change<CellTable>(*before, std::move(after), "Cell Property");
}

EditResult EditorModel::SetCellSignal(int cellID, int signalID) {
    if (EditResult check =
            CheckCellSignal(tables(), CellTable::Position(tables(), cellID), signalID);
        !check) {
        return check;
    }
    const CellRecord& current = *FindCell(cellID);
    if (current.signalID == signalID) {
        return EditResult::Done(signalID);
    }
    CellSignal before{current, tables().signalOwner};
    CellSignal after = before;
    if (current.signalID >= 1 && current.signalID < static_cast<int>(after.owners.size()) &&
        after.owners[current.signalID] == current.cellID) {
        after.owners[current.signalID] = 0;
    }
    after.cell.signalID = signalID;
    if (signalID != 0) {
        if (signalID >= static_cast<int>(after.owners.size())) {
            after.owners.resize(signalID + 1, 0);
        }
        after.owners[signalID] = current.cellID;
    }
    return Record(new ReplaceCommand<CellSignal>(*this, "Signal", SetCellSignalState, cellID,
                                                 std::move(before), std::move(after)),
                  EditResult::Done(signalID));
}

EditResult EditorModel::SetCellIntervals(int cellID, const std::vector<OriginInterval>& intervals) {
    const CellRecord* before = FindCell(cellID);
    if (before == nullptr) {
        return EditResult::Refused("There is no cell selected.");
    }
    if (EditResult check = CheckIntervals(intervals); !check) {
        return check;
    }
    CellRecord after = *before;
    after.intervals = intervals;
    return Change<CellTable>(*before, std::move(after), "OR Properties");
}

EditResult EditorModel::SetLinkPassNode(int linkID, int nodeID) {
    if (EditResult check = CheckPassNode(tables(), LinkTable::Position(tables(), linkID), nodeID);
        !check) {
        return check;
    }
    const LinkRecord& before = *FindLink(linkID);
    LinkRecord after = before;
    after.passNode = nodeID;
    return Change<LinkTable>(before, std::move(after), "Pass Intersection");
}

EditResult EditorModel::SetLinkMergeDivert(int linkID, double value) {
    const LinkRecord* before = FindLink(linkID);
    if (before == nullptr) {
        return EditResult::Refused("There is no link selected.");
    }
    if (const EntryCheck check = CheckValue(rules::kMergeDivert, value);
        check.state != EntryState::Complete) {
        return EditResult::Refused(check.message);
    }
    LinkRecord after = *before;
    after.mergeDivert = value;
    return Change<LinkTable>(*before, std::move(after), "Merge/Divert Proportion");
}

EditResult EditorModel::SetNodeOffset(int nodeID, int offset) {
    const NodeRecord* before = FindNode(nodeID);
    if (before == nullptr) {
        return EditResult::Refused("There is no node selected.");
    }
    if (const EntryCheck check = CheckValue(rules::kTime, offset);
        check.state != EntryState::Complete) {
        return EditResult::Refused(check.message);
    }
    NodeRecord changed = *before;
    changed.offset = offset;
    return Change<NodeTable>(*before, std::move(changed), "Offset");
}

EditResult EditorModel::SetStageCount(int nodeID, int count) {
    const NodeRecord* before = FindNode(nodeID);
    if (before == nullptr) {
        return EditResult::Refused("There is no node selected.");
    }
    if (EditResult check = CheckStageCount(count); !check) {
        return check;
    }
    NodeRecord changed = *before;
    // Stages that come into use start afresh, without movements left from earlier use.
    changed.sizeStages(count);
    for (int s = std::clamp(changed.stageNum, 0, count); s < count; ++s) {
        changed.stages[static_cast<std::size_t>(s)] = StageRecord{};
    }
    changed.stageNum = count;
    return Change<NodeTable>(*before, std::move(changed), "Number Of Stages");
}

EditResult EditorModel::SetStageTime(int nodeID, int stage, int seconds) {
    const NodeRecord* before = FindNode(nodeID);
    if (!ValidStage(before, stage)) {
        return EditResult::Refused("There is no stage selected.");
    }
    if (const EntryCheck check = CheckValue(rules::kTime, seconds);
        check.state != EntryState::Complete) {
        return EditResult::Refused(check.message);
    }
    NodeRecord changed = *before;
    changed.stages[stage].stageTime = seconds;
    return Change<NodeTable>(*before, std::move(changed), "Stage Time");
}

EditResult EditorModel::SetStageOptimize(int nodeID, int stage, bool optimize) {
    const NodeRecord* before = FindNode(nodeID);
    if (!ValidStage(before, stage)) {
        return EditResult::Refused("There is no stage selected.");
    }
    NodeRecord changed = *before;
    changed.stages[stage].stageOptimize = optimize;
    return Change<NodeTable>(*before, std::move(changed), "Stage Optimization");
}

EditResult EditorModel::AddStageMove(int nodeID, int stage, int movementID) {
    const NodeRecord* before = FindNode(nodeID);
    if (!ValidStage(before, stage)) {
        return EditResult::Refused("There is no stage selected.");
    }
    NodeRecord changed = *before;
    if (EditResult check = CheckAddStageMove(changed.stages[stage]); !check) {
        return check;
    }
    if (movementID < 1 || movementID > Capacity::kSignals) {
        return EditResult::Refused("The signal ID must be between 1 and " +
                                   std::to_string(Capacity::kSignals) + ".");
    }
    changed.stages[stage].stageMoves.push_back(movementID);
    return Change<NodeTable>(*before, std::move(changed), "Stage Movement");
}

EditResult EditorModel::RemoveStageMove(int nodeID, int stage, int place) {
    const NodeRecord* before = FindNode(nodeID);
    if (!ValidStage(before, stage) || place < 0 || place >= before->stages[stage].stageMoveNum()) {
        return EditResult::Refused("You must select an item from the right list.");
    }
    NodeRecord changed = *before;
    auto& moves = changed.stages[stage].stageMoves;
    moves.erase(moves.begin() + place);
    return Change<NodeTable>(*before, std::move(changed), "Stage Movement");
}

EditResult EditorModel::DeleteStage(int nodeID, int stage) {
    const NodeRecord* before = FindNode(nodeID);
    if (before == nullptr) {
        return EditResult::Refused("There is no node selected.");
    }
    if (EditResult check = CheckDeleteStage(*before); !check) {
        return check;
    }
    if (!ValidStage(before, stage)) {
        return EditResult::Refused("There is no stage selected.");
    }
    NodeRecord changed = *before;
    // The later stages move down one place with their time, flag and movements.
    for (int s = stage; s + 1 < changed.stageNum; ++s) {
        changed.stages[s] = changed.stages[s + 1];
    }
    changed.stages[changed.stageNum - 1] = StageRecord{};
    changed.stageNum -= 1;
    return Change<NodeTable>(*before, std::move(changed), "Delete Stage");
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
