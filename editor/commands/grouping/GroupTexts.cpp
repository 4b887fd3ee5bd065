#include "GroupTexts.h"

#include "common/ProjectRecords.h"

namespace talvo {

namespace {

std::string MoreThan(int limit, const char* what) {
    return "You can't have more than " + std::to_string(limit) + what;
}

// As many groups, of as many cells, as a project file holds.
const GroupTexts kStreetTexts{
    Capacity::kStreets,
    Capacity::kStreetCells,
    "You must choose at least one cell for grouping special cell(s).",
    " has/have already assigned in other street(s).",
    MoreThan(Capacity::kStreets, " streets."),
    {},
    "There is no street selected.",
    MoreThan(Capacity::kStreetCells, " cells in a street."),
    "Street Name Grouping",
    "Street Name Setting",
};

const GroupTexts kDelayTexts{
    Capacity::kDelayGroups,
    Capacity::kGroupCells,
    "You must choose at least one cell for grouping special cell(s).",
    " has/have already assigned in other special road.",
    MoreThan(Capacity::kDelayGroups, " special roads."),
    MoreThan(Capacity::kGroupCells, " cells in a special road."),
    "There is no special road selected.",
    MoreThan(Capacity::kGroupCells, " cells for a special road."),
    "Delay Result Grouping",
    "Delay Result Setting",
};

const GroupTexts kPlotTexts{
    Capacity::kPlotGroups,
    Capacity::kGroupCells,
    "You must choose at least one cell for grouping CTM Plot cell(s).",
    " has/have already assigned in other special road.",
    MoreThan(Capacity::kPlotGroups, " special roads."),
    MoreThan(Capacity::kGroupCells, " cells in a special road."),
    "There is no special road selected.",
    MoreThan(Capacity::kGroupCells, " cells for a special road."),
    "CTM Plot Grouping",
    "CTM Plot Setting",
};

}  // namespace

const GroupTexts& TextsFor(GroupKind kind) {
    switch (kind) {
        case GroupKind::StreetName:
            return kStreetTexts;
        case GroupKind::DelayResult:
            return kDelayTexts;
        case GroupKind::CtmPlot:
            break;
    }
    return kPlotTexts;
}

}  // namespace talvo
