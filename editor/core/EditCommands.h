#pragma once
// The commands of the editor's history. Each one changes the model's tables in redo() and
// puts them back exactly in undo(); the model has checked the change before a command is
// made, and runs it through its undo stack. Commands keep only what they change.

#include <QUndoCommand>
#include <string>
#include <utility>
#include <vector>

#include "core/EditorModel.h"
#include "model/NetworkQueries.h"

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

// How a command reaches one kind of record: its table, ID counter and ID, and the one
// place that maps an ID to its table position (-1 = not there).
struct CellTable {
    using Record = CellRecord;
    static std::vector<Record>& Of(NetworkTables& t) { return t.cells; }
    static const std::vector<Record>& Of(const NetworkTables& t) { return t.cells; }
    static int& Counter(NetworkTables& t) { return t.lastCellID; }
    static int ID(const Record& r) { return r.cellID; }
    static int Position(const NetworkTables& t, int id) { return FindCellIndex(t, id) - 1; }
};
struct NodeTable {
    using Record = NodeRecord;
    static std::vector<Record>& Of(NetworkTables& t) { return t.nodes; }
    static const std::vector<Record>& Of(const NetworkTables& t) { return t.nodes; }
    static int& Counter(NetworkTables& t) { return t.lastCellID; }  // nodes share it
    static int ID(const Record& r) { return r.nodeID; }
    static int Position(const NetworkTables& t, int id) { return FindNodeIndex(t, id) - 1; }
};
struct LinkTable {
    using Record = LinkRecord;
    static std::vector<Record>& Of(NetworkTables& t) { return t.links; }
    static const std::vector<Record>& Of(const NetworkTables& t) { return t.links; }
    static int& Counter(NetworkTables& t) { return t.lastLinkID; }
    static int ID(const Record& r) { return r.linkID; }
    static int Position(const NetworkTables& t, int id) { return FindLinkIndex(t, id) - 1; }
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
    EraseCommand(EditorModel& model, const std::string& text, int id)
        : EditCommand(model, text), id_(id) {}

    void redo() override {
        auto& records = Table::Of(tables());
        position_ = Table::Position(tables(), id_);
        removed_ = records[position_];
        records.erase(records.begin() + position_);
    }
    void undo() override {
        auto& records = Table::Of(tables());
        records.insert(records.begin() + position_, removed_);
    }

  private:
    int id_;
    int position_ = -1;
    typename Table::Record removed_;
};

// A cell taken out: the last cell fills its place, as the cell table has always done (the
// export numbers cells in table order). Undo puts both back where they were.
class DeleteCellCommand : public EditCommand {
  public:
    DeleteCellCommand(EditorModel& model, int cellID)
        : EditCommand(model, "Delete Cell"), id_(cellID) {}

    void redo() override;
    void undo() override;

  private:
    int id_;
    int position_ = -1;
    CellRecord removed_;
};

// One record changed, named by its ID: the record before and after the change.
template <typename Table>
class ChangeCommand : public EditCommand {
  public:
    using Record = typename Table::Record;
    ChangeCommand(EditorModel& model, const std::string& text, Record before, Record after)
        : EditCommand(model, text), before_(std::move(before)), after_(std::move(after)) {}

    void redo() override { Put(after_); }
    void undo() override { Put(before_); }

  private:
    void Put(const Record& value) {
        Table::Of(tables())[Table::Position(tables(), Table::ID(value))] = value;
    }

    Record before_;
    Record after_;
};

// One part of the document that no single record holds replaced by a new value (keyed by
// a record ID where it has one), and put back by undo.
template <typename Value>
class ReplaceCommand : public EditCommand {
  public:
    using Setter = void (*)(DocumentState&, int key, const Value&);
    ReplaceCommand(EditorModel& model, const std::string& text, Setter set, int key, Value before,
                   Value after)
        : EditCommand(model, text),
          set_(set),
          key_(key),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void redo() override { set_(state(), key_, after_); }
    void undo() override { set_(state(), key_, before_); }

  protected:
    Setter set_;
    int key_;
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
