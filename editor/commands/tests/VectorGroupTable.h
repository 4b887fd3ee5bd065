#pragma once

#include <vector>

#include "grouping/GroupTable.h"

namespace talvo::test {

// A group table kept in plain vectors, for testing the grouping logic on its own.
class VectorGroupTable : public GroupTable {
  public:
    explicit VectorGroupTable(GroupKind kind, std::vector<std::vector<int>> groups = {})
        : kind_(kind), groups_(std::move(groups)) {}

    GroupKind kind() const override { return kind_; }
    int count() const override { return static_cast<int>(groups_.size()); }
    std::vector<int> cells(int group) const override { return groups_.at(group - 1); }
    void setCells(int group, const std::vector<int>& ids) override { groups_.at(group - 1) = ids; }
    void appendGroup() override { groups_.emplace_back(); }
    void removeGroup(int group) override { groups_.erase(groups_.begin() + (group - 1)); }

    const std::vector<std::vector<int>>& groups() const { return groups_; }

  private:
    GroupKind kind_;
    std::vector<std::vector<int>> groups_;
};

}  // namespace talvo::test
