#pragma once
// The commands of the editor's history. Each one changes the model's tables in redo() and
// puts them back exactly in undo(); the model has checked the change before a command is
// made, and runs it through its undo stack. Commands keep only what they change.

#include <QUndoCommand>
#include <string>
#include <utility>
#include <vector>

#include "core/EditorModel.h"

namespace talvo {

class EditCommand : public QUndoCommand {
  public:
    EditCommand(EditorModel& model, const std::string& text)
        : QUndoCommand(QString::fromStdString(text)), model_(model) {}

  protected:
    EditorModel& model() { return model_; }
    DocumentState& state() { return model_.state_; }
    NetworkTables& tables() { return model_.state_.project.tables; }

  private:
    EditorModel& model_;
};

// How a command reaches one kind of record: its table, ID counter and ID.
struct CellTable {
    using Record = CellRecord;
    static std::vector<Record>& Of(NetworkTables& t) { return t.cells; }
    static int& Counter(NetworkTables& t) { return t.lastCellID; }
    static int ID(const Record& r) { return r.cellID; }
};
struct NodeTable {
    using Record = NodeRecord;
    static std::vector<Record>& Of(NetworkTables& t) { return t.nodes; }
    static int& Counter(NetworkTables& t) { return t.lastCellID; }  // nodes share it
    static int ID(const Record& r) { return r.nodeID; }
};
struct LinkTable {
    using Record = LinkRecord;
    static std::vector<Record>& Of(NetworkTables& t) { return t.links; }
    static int& Counter(NetworkTables& t) { return t.lastLinkID; }
    static int ID(const Record& r) { return r.linkID; }
};

// A new record at the end of its table, numbered by the table's counter.
template <typename Table>
class AddCommand : public EditCommand {
  public:
    using Record = typename Table::Record;
    AddCommand(EditorModel& model, const std::string& text, Record record)
        : EditCommand(model, text), record_(std::move(record)) {}

    void redo() override {
        counterBefore_ = Table::Counter(tables());
        Table::Of(tables()).push_back(record_);
        Table::Counter(tables()) = Table::ID(record_);
    }
    void undo() override {
        Table::Of(tables()).pop_back();
        Table::Counter(tables()) = counterBefore_;
    }

  private:
    Record record_;
    int counterBefore_ = 0;
};

// A link or node taken out; the later ones move up (their order numbers the export).
template <typename Table>
class EraseCommand : public EditCommand {
  public:
    EraseCommand(EditorModel& model, const std::string& text, int position)
        : EditCommand(model, text), position_(position) {}

    void redo() override {
        auto& records = Table::Of(tables());
        removed_ = records[position_];
        records.erase(records.begin() + position_);
    }
    void undo() override {
        auto& records = Table::Of(tables());
        records.insert(records.begin() + position_, removed_);
    }

  private:
    int position_;
    typename Table::Record removed_;
};

// A cell taken out: the last cell fills its place, as the cell table has always done.
class DeleteCellCommand : public EditCommand {
  public:
    DeleteCellCommand(EditorModel& model, int position)
        : EditCommand(model, "Delete Cell"), position_(position) {}

    void redo() override;
    void undo() override;

  private:
    int position_;
    CellRecord removed_;
};

// One part of the document replaced by a new value, and put back by undo.
template <typename Value>
class ReplaceCommand : public EditCommand {
  public:
    using Setter = void (*)(DocumentState&, int position, const Value&);
    ReplaceCommand(EditorModel& model, const std::string& text, Setter set, int position,
                   Value before, Value after)
        : EditCommand(model, text),
          set_(set),
          position_(position),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void redo() override { set_(state(), position_, after_); }
    void undo() override { set_(state(), position_, before_); }

  protected:
    Setter set_;
    int position_;
    Value before_;
    Value after_;
};

// Cells, nodes and street labels moved. The steps of one drag merge into one command.
class MoveCommand : public EditCommand {
  public:
    static constexpr int kMergeID = 1;
    MoveCommand(EditorModel& model, const std::string& text, std::vector<ObjectMove> moves,
                int gesture)
        : EditCommand(model, text), moves_(std::move(moves)), gesture_(gesture) {}

    void redo() override;
    void undo() override;
    int id() const override { return gesture_ != 0 ? kMergeID : -1; }
    bool mergeWith(const QUndoCommand* other) override;

  private:
    void Place(bool after);

    std::vector<ObjectMove> moves_;
    int gesture_;
};

}  // namespace talvo
