#include "grouping/ModelGroupTables.h"

namespace talvo {

namespace {

// Streets, delay groups and plot groups keep their cell IDs in a member named cellIDs; a
// new group starts as the default record (an empty street name at the map origin, a plot
// group without plot flag).
template <typename Record>
class RecordGroupTable : public GroupTable {
  public:
    RecordGroupTable(GroupKind kind, std::vector<Record>& records)
        : kind_(kind), records_(records) {}

    GroupKind kind() const override { return kind_; }
    int count() const override { return static_cast<int>(records_.size()); }
    std::vector<int> cells(int group) const override { return records_.at(group - 1).cellIDs; }
    void setCells(int group, const std::vector<int>& ids) override {
        records_.at(group - 1).cellIDs = ids;
    }
    void appendGroup() override { records_.emplace_back(); }
    void removeGroup(int group) override { records_.erase(records_.begin() + (group - 1)); }

  private:
    GroupKind kind_;
    std::vector<Record>& records_;
};

}  // namespace

std::unique_ptr<GroupTable> MakeGroupTable(GroupKind kind, NetworkTables& tables) {
    switch (kind) {
        case GroupKind::StreetName:
            return std::make_unique<RecordGroupTable<StreetRecord>>(kind, tables.streets);
        case GroupKind::DelayResult:
            return std::make_unique<RecordGroupTable<DelayGroup>>(kind, tables.delayGroups);
        case GroupKind::CtmPlot:
            break;
    }
    return std::make_unique<RecordGroupTable<PlotGroup>>(kind, tables.plotGroups);
}

NetworkView MakeNetworkView(const NetworkTables& tables) {
    NetworkView view;
    view.cellIds.reserve(tables.cells.size());
    for (const CellRecord& cell : tables.cells) {
        view.cellIds.push_back(cell.cellID);
    }
    view.links.reserve(tables.links.size());
    for (const LinkRecord& link : tables.links) {
        view.links.emplace_back(link.fromCell, link.toCell);
    }
    return view;
}

}  // namespace talvo
