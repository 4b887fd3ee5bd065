#include "GroupTexts.h"

namespace talvo {

namespace {

const GroupTexts kStreetTexts{
    50,
    200,
    "You must choose at least one cell for grouping special cell(s).",
    " has/have already assigned in other street(s).",
    "You can't have more than 50 streets.",
    nullptr,
    "There is no street selected.",
    "You can't have more than 200 cells in a street.",
    "Street Name Grouping",
    "Street Name Setting",
};

const GroupTexts kDelayTexts{
    20,
    50,
    "You must choose at least one cell for grouping special cell(s).",
    " has/have already assigned in other special road.",
    "You can't have more than 20 special roads.",
    "You can't have more than 50 cells in a special road.",
    "There is no special road selected.",
    "You can't have more than 50 cells for a special road.",
    "Delay Result Grouping",
    "Delay Result Setting",
};

const GroupTexts kPlotTexts{
    20,
    50,
    "You must choose at least one cell for grouping CTM Plot cell(s).",
    " has/have already assigned in other special road.",
    "You can't have more than 20 special roads.",
    "You can't have more than 50 cells in a special road.",
    "There is no special road selected.",
    "You can't have more than 50 cells for a special road.",
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
