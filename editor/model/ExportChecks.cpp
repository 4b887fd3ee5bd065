#include "model/ExportChecks.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/ExportNaming.h"
#include "model/ExportRanges.h"
#include "model/NetworkQueries.h"
#include "model/ScenarioWriter.h"
#include "platform/Prompter.h"

namespace talvo {

namespace {

// The engine's fixed tables.
constexpr int kEngineCells = Capacity::kCells;
constexpr int kEngineNodes = Capacity::kNodes;
constexpr int kEngineSignals = Capacity::kSignals;
constexpr int kEngineGroups = Capacity::kDelayGroups;
constexpr int kEngineGroupCells = Capacity::kGroupCells;
constexpr int kEngineTimeLimit = Capacity::kTimeLimit;  // times run below it
constexpr int kEnginePlanEntries = 301;  // switching-sequence entries, closing one included

// A check's finding: its message and the cells, nodes or links it names.
struct Finding {
    Finding(std::string message) : text(std::move(message)) {}  // NOLINT: a bare message
    Finding(const char* message) : text(message) {}             // NOLINT
    std::string text;
    std::vector<int> cellIDs;
    std::vector<int> nodeIDs;
    std::vector<int> linkIDs;
    std::string detail;  // the values behind a warning
};
using Message = std::optional<Finding>;

Finding OfCells(std::string text, std::vector<int> ids) {
    Finding found(std::move(text));
    found.cellIDs = std::move(ids);
    return found;
}

Finding OfNodes(std::string text, std::vector<int> ids) {
    Finding found(std::move(text));
    found.nodeIDs = std::move(ids);
    return found;
}

bool Listed(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

int StageSum(const NodeRecord& node) {
    int sum = 0;
    for (int s = 0; s < node.usedStages(); ++s) {
        sum += node.stages[s].stageTime;
    }
    return sum;
}

// Cell IDs (table order) for which the predicate holds.
std::vector<int> CellsWhere(const NetworkTables& t,
                            const std::function<bool(int index, const CellRecord&)>& test) {
    std::vector<int> ids;
    for (std::size_t i = 0; i < t.cells.size(); ++i) {
        if (test(static_cast<int>(i) + 1, t.cells[i])) {
            ids.push_back(t.cells[i].cellID);
        }
    }
    return ids;
}

std::vector<const LinkRecord*> LinksWhere(const NetworkTables& t,
                                          const std::function<bool(const LinkRecord&)>& test) {
    std::vector<const LinkRecord*> links;
    for (const LinkRecord& link : t.links) {
        if (test(link)) {
            links.push_back(&link);
        }
    }
    return links;
}

std::vector<int> NodesWhere(const NetworkTables& t,
                            const std::function<bool(const NodeRecord&)>& test) {
    std::vector<int> ids;
    for (const NodeRecord& node : t.nodes) {
        if (test(node)) {
            ids.push_back(node.nodeID);
        }
    }
    return ids;
}

Message CheckEmpty(const NetworkTables& t) {
    if (t.cells.empty()) {
        return "The map is empty!";
    }
    return std::nullopt;
}

Message CheckMergingAndDivertingAtNode(const NetworkTables& t) {
    const auto ids = CellsWhere(t, [&](int, const CellRecord& cell) {
        const auto out = LinksWhere(
            t, [&](const LinkRecord& l) { return l.passNode != 0 && l.fromCell == cell.cellID; });
        const auto in = LinksWhere(
            t, [&](const LinkRecord& l) { return l.passNode != 0 && l.toCell == cell.cellID; });
        return out.size() == 2 && in.size() == 2;
    });
    if (!ids.empty()) {
        return OfCells("The cell(s): " + JoinIDs(ids) +
                           " is/are both merging and diverting.  It is not allowed.",
                       ids);
    }
    return std::nullopt;
}

Message CheckInvalidTypes(const NetworkTables& t) {
    const auto ids =
        CellsWhere(t, [&](int i, const CellRecord&) { return CellType(t, i) == "IV"; });
    if (!ids.empty()) {
        return OfCells(
            "The cell(s): " + JoinIDs(ids) + " is/are invalid cell type.  It is not allowed.", ids);
    }
    return std::nullopt;
}

Message CheckOriginsSet(const NetworkTables& t) {
    const auto ids = CellsWhere(t, [&](int i, const CellRecord& cell) {
        return CellType(t, i).rfind("OR", 0) == 0 && cell.orIntervalNum() == 0;
    });
    if (!ids.empty()) {
        return OfCells("The OR cell(s): " + JoinIDs(ids) + " is/are not set.  It is not allowed.",
                       ids);
    }
    return std::nullopt;
}

Message CheckLinksMergingAndDiverting(const NetworkTables& t) {
    std::string list;
    std::vector<int> linkIDs;
    for (std::size_t i = 0; i < t.links.size(); ++i) {
        bool sharesFrom = false;
        bool sharesTo = false;
        for (std::size_t j = 0; j < t.links.size(); ++j) {
            if (j != i) {
                sharesFrom = sharesFrom || t.links[j].fromCell == t.links[i].fromCell;
                sharesTo = sharesTo || t.links[j].toCell == t.links[i].toCell;
            }
        }
        if (sharesFrom && sharesTo) {
            linkIDs.push_back(t.links[i].linkID);
            list += (list.empty() ? "" : ", ") + std::string("(") +
                    std::to_string(t.links[i].fromCell) + ":" + std::to_string(t.links[i].toCell) +
                    ")";
        }
    }
    if (!list.empty()) {
        Finding found("The link(s): " + list +
                      " is/are both merging and diverting.  It is not allowed.");
        found.linkIDs = std::move(linkIDs);
        return found;
    }
    return std::nullopt;
}

Message CheckStageCounts(const NetworkTables& t) {
    const auto ids = NodesWhere(t, [](const NodeRecord& n) { return n.stageNum < 2; });
    if (!ids.empty()) {
        return OfNodes(
            "The node(s): " + JoinIDs(ids) + " has/have less than 2 phases.  It is not allowed.",
            ids);
    }
    return std::nullopt;
}

Message WarnCycleTimes(const Project& project) {
    const auto ids = NodesWhere(project.tables, [&](const NodeRecord& n) {
        return StageSum(n) != project.params.networkCycleTime;
    });
    if (!ids.empty()) {
        Finding found = OfNodes("The node(s): " + JoinIDs(ids) +
                                    " has/have phase cycle time different from the global "
                                    "network cycle time.  Do you really want it?",
                                ids);
        for (const int id : ids) {
            const NodeRecord& node = project.tables.nodes[FindNodeIndex(project.tables, id) - 1];
            found.detail += (found.detail.empty() ? "Node " : ", node ") + std::to_string(id) +
                            ": " + std::to_string(StageSum(node)) + " s";
        }
        found.detail += " against the network cycle time of " +
                        std::to_string(project.params.networkCycleTime) + " s.";
        return found;
    }
    return std::nullopt;
}

// Cells with exactly two links on one side whose proportions do not add up to exactly 1.
std::vector<int> WrongProportions(const NetworkTables& t, bool outgoing) {
    return CellsWhere(t, [&](int, const CellRecord& cell) {
        const auto links = LinksWhere(t, [&](const LinkRecord& l) {
            return (outgoing ? l.fromCell : l.toCell) == cell.cellID;
        });
        return links.size() == 2 && links[0]->mergeDivert + links[1]->mergeDivert != 1.0;
    });
}

Message CheckToProportions(const NetworkTables& t) {
    const auto ids = WrongProportions(t, true);
    if (!ids.empty()) {
        return OfCells("The cell(s): " + JoinIDs(ids) + " do/does not have correct To-Proportion.",
                       ids);
    }
    return std::nullopt;
}

Message CheckFromProportions(const NetworkTables& t) {
    const auto ids = WrongProportions(t, false);
    if (!ids.empty()) {
        return OfCells(
            "The cell(s): " + JoinIDs(ids) + " do/does not have correct From-Proportion.", ids);
    }
    return std::nullopt;
}

Message CheckShortStages(const NetworkTables& t) {
    const auto ids = NodesWhere(t, [](const NodeRecord& n) {
        for (int s = 0; s < n.usedStages(); ++s) {
            if (n.stages[s].stageTime < 5 && n.stages[s].stageMoveNum() > 0) {
                return true;
            }
        }
        return false;
    });
    if (!ids.empty()) {
        return OfNodes(
            "The node(s): " + JoinIDs(ids) + " has/have phase cycle intervals less than 5 seconds.",
            ids);
    }
    return std::nullopt;
}

Message CheckSignalsUsed(const NetworkTables& t) {
    const auto ids = CellsWhere(t, [&](int, const CellRecord& cell) {
        return cell.signalID != 0 &&
               std::none_of(t.nodes.begin(), t.nodes.end(), [&](const NodeRecord& n) {
                   return NodeUsesMovement(n, cell.signalID);
               });
    });
    if (!ids.empty()) {
        return OfCells(
            "The signal(s) at node(s): " + JoinIDs(ids) + " is/are not used.  It is not allowed.",
            ids);
    }
    return std::nullopt;
}

Message CheckStreets(const NetworkTables& t) {
    const auto ids = CellsWhere(
        t, [&](int, const CellRecord& cell) { return FirstStreetOf(t, cell.cellID) == 0; });
    if (!ids.empty()) {
        return OfCells("The cell(s): " + JoinIDs(ids) + " is/are not yet assigned to street.", ids);
    }
    return std::nullopt;
}

Message CheckDelayGroups(const NetworkTables& t) {
    const auto ids = CellsWhere(t, [&](int, const CellRecord& cell) {
        return std::none_of(t.delayGroups.begin(), t.delayGroups.end(),
                            [&](const DelayGroup& g) { return Listed(g.cellIDs, cell.cellID); });
    });
    if (!ids.empty()) {
        return OfCells("The cell(s): " + JoinIDs(ids) + " is/are not yet assigned to special road.",
                       ids);
    }
    return std::nullopt;
}

Message WarnPlotGroups(const NetworkTables& t) {
    std::vector<int> groups;
    for (std::size_t g = 0; g < t.plotGroups.size(); ++g) {
        if (t.plotGroups[g].occupancyPlot) {
            groups.push_back(static_cast<int>(g) + 1);
        }
    }
    if (groups.size() > 5) {
        return "The groups: " + JoinIDs(groups) +
               " are required to be plotted.  But the system can handle the first 5 CTM Plots "
               "only.  Do you really want it?";
    }
    return std::nullopt;
}

// References to cells or nodes that do not exist would give the engine names of no cell.
Message CheckReferences(const NetworkTables& t) {
    const auto missingCell = [&](int id) { return FindCellIndex(t, id) == 0; };
    for (const LinkRecord& link : t.links) {
        if (missingCell(link.fromCell) || missingCell(link.toCell) ||
            (link.passNode != 0 && FindNodeIndex(t, link.passNode) == 0)) {
            return "The link " + std::to_string(link.linkID) +
                   " refers to a cell or node that does not exist.";
        }
    }
    const auto checkGroups = [&](const std::string& kind, const auto& groups) -> Message {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            for (int id : groups[g].cellIDs) {
                if (missingCell(id)) {
                    return "The " + kind + " " + std::to_string(g + 1) + " lists cell " +
                           std::to_string(id) + ", which does not exist.";
                }
            }
        }
        return std::nullopt;
    };
    if (auto m = checkGroups("street", t.streets)) {
        return m;
    }
    if (auto m = checkGroups("special road", t.delayGroups)) {
        return m;
    }
    return checkGroups("CTM Plot", t.plotGroups);
}

// A cell's signal must be a signal record of the node that runs it, which happens only
// through a link that passes that node.
Message CheckSignalsReachTheirNode(const NetworkTables& t) {
    const auto movementNode = AssignMovementsToNodes(t);
    const auto ids = CellsWhere(t, [&](int, const CellRecord& cell) {
        const bool known =
            cell.signalID >= 1 && cell.signalID < static_cast<int>(movementNode.size());
        return cell.signalID != 0 && (!known || movementNode[cell.signalID] == 0);
    });
    if (!ids.empty()) {
        return OfCells(
            "The signal(s) at cell(s): " + JoinIDs(ids) +
                " is/are not on a link through the node whose phases use it.  It is not allowed.",
            ids);
    }
    return std::nullopt;
}

Message CheckEngineLimits(const Project& project) {
    const NetworkTables& t = project.tables;
    const GlobalParameters& p = project.params;
    int records = 0;
    for (const StreetRecord& street : t.streets) {
        records += street.cellNum();
    }
    const auto tooMany = [](int count, const std::string& what, int limit) {
        return "The network has " + std::to_string(count) + " " + what +
               ".  The engine can take at most " + std::to_string(limit) + ".";
    };
    if (records > kEngineCells) {
        return tooMany(records, "cell records to export", kEngineCells);
    }
    if (static_cast<int>(t.nodes.size()) > kEngineNodes) {
        return tooMany(static_cast<int>(t.nodes.size()), "nodes", kEngineNodes);
    }
    const auto movementNode = AssignMovementsToNodes(t);
    const int signals = static_cast<int>(
        std::count_if(movementNode.begin() + 1, movementNode.end(), [](int n) { return n != 0; }));
    if (signals > kEngineSignals) {
        return tooMany(signals, "signal records", kEngineSignals);
    }
    if (static_cast<int>(t.delayGroups.size()) > kEngineGroups) {
        return tooMany(static_cast<int>(t.delayGroups.size()), "delay result groups",
                       kEngineGroups);
    }
    if (static_cast<int>(t.plotGroups.size()) > kEngineGroups) {
        return tooMany(static_cast<int>(t.plotGroups.size()), "CTM plot groups", kEngineGroups);
    }

    const auto groupTooLarge = [](const std::string& kind, const auto& groups) -> Message {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const int cells = static_cast<int>(groups[g].cellIDs.size());
            if (cells > kEngineGroupCells) {
                return "The " + kind + " " + std::to_string(g + 1) + " has " +
                       std::to_string(cells) + " cells.  The engine can take at most " +
                       std::to_string(kEngineGroupCells) + ".";
            }
        }
        return std::nullopt;
    };
    if (auto m = groupTooLarge("special road", t.delayGroups)) {
        return m;
    }
    if (auto m = groupTooLarge("CTM Plot", t.plotGroups)) {
        return m;
    }

    const auto tooLate = [](const std::string& what, int value) -> Message {
        if (value >= kEngineTimeLimit) {
            return "The " + what + " of " + std::to_string(value) +
                   " seconds is beyond the engine's last time of " +
                   std::to_string(kEngineTimeLimit - 1) + " seconds.";
        }
        return std::nullopt;
    };
    for (auto m :
         {tooLate("End Simulation Step", p.endSimulationStep), tooLate("Start Step", p.startStep),
          tooLate("End Step", p.endStep),
          tooLate("Regional Network Cycle Time", p.networkCycleTime),
          tooLate("Max. Cycle Time", p.maxCycleTime), tooLate("Minimum Green Time", p.minGreenTime),
          tooLate("Lost Time", p.lostTime)}) {
        if (m) {
            return m;
        }
    }
    if (p.phaseCycle >= kEngineTimeLimit) {
        return "The Simulated Cycles of " + std::to_string(p.phaseCycle) +
               " is beyond the engine's limit of " + std::to_string(kEngineTimeLimit - 1) + ".";
    }
    for (const CellRecord& cell : t.cells) {
        for (int j = 0; j < cell.orIntervalNum(); ++j) {
            const std::string what =
                "interval #" + std::to_string(j + 1) + " of cell " + std::to_string(cell.cellID);
            if (auto m = tooLate("start of " + what, cell.intervals[j].orStart)) {
                return m;
            }
            if (auto m = tooLate("end of " + what, cell.intervals[j].orEnd)) {
                return m;
            }
        }
    }
    for (std::size_t g = 0; g < t.plotGroups.size(); ++g) {
        const std::string what = "CTM Plot " + std::to_string(g + 1);
        if (auto m = tooLate("start of " + what, t.plotGroups[g].startStep)) {
            return m;
        }
        if (auto m = tooLate("end of " + what, t.plotGroups[g].endStep)) {
            return m;
        }
    }
    for (const NodeRecord& node : t.nodes) {
        if (auto m = tooLate("first stage start of node " + std::to_string(node.nodeID),
                             node.offset + p.startStep)) {
            return m;
        }
        for (int s = 0; s < node.usedStages(); ++s) {
            if (auto m = tooLate("time of stage " + std::to_string(s + 1) + " of node " +
                                     std::to_string(node.nodeID),
                                 node.stages[s].stageTime)) {
                return m;
            }
        }
    }

    // The engine keeps at most 301 entries of a switching sequence, the closing one
    // included; a long horizon of short cycles gives more.
    for (int k = 1; k < static_cast<int>(movementNode.size()); ++k) {
        if (movementNode[k] == 0) {
            continue;
        }
        const auto entries = ExistingPlanSequence(p, t.nodes[movementNode[k] - 1], k).size();
        if (entries > static_cast<std::size_t>(kEnginePlanEntries)) {
            return "The existing plan of signal " + std::to_string(k) + " has " +
                   std::to_string(entries) + " switching entries.  The engine can take at most " +
                   std::to_string(kEnginePlanEntries) + ".";
        }
    }
    return std::nullopt;
}

// Every check in its fixed order; a warning is a question the user may go on from.
struct Check {
    bool warning;
    std::function<Message(const Project&)> run;
};

const std::vector<Check>& Checks() {
    const auto onTables = [](Message (*check)(const NetworkTables&)) {
        return [check](const Project& project) { return check(project.tables); };
    };
    static const std::vector<Check> checks{
        {false, onTables(CheckEmpty)},
        {false, onTables(CheckMergingAndDivertingAtNode)},
        {false, onTables(CheckInvalidTypes)},
        {false, onTables(CheckOriginsSet)},
        {false, onTables(CheckLinksMergingAndDiverting)},
        {false, onTables(CheckStageCounts)},
        {true, WarnCycleTimes},
        {false, onTables(CheckToProportions)},
        {false, onTables(CheckFromProportions)},
        {false, onTables(CheckShortStages)},
        {false, onTables(CheckSignalsUsed)},
        {false, onTables(CheckStreets)},
        {false, onTables(CheckDelayGroups)},
        {true, onTables(WarnPlotGroups)},
        {false, onTables(CheckReferences)},
        {false, onTables(CheckSignalsReachTheirNode)},
        {false, CheckEngineLimits},
        {false, [](const Project& project) -> Message { return CheckEngineRanges(project); }},
    };
    return checks;
}

}  // namespace

bool ValidateForExport(const Project& project, Prompter& prompter) {
    for (const Check& check : Checks()) {
        const Message found = check.run(project);
        if (!found) {
            continue;
        }
        if (!check.warning) {
            prompter.caution(found->text);
            return true;
        }
        if (!prompter.warning(found->text)) {
            return true;
        }
    }
    return false;
}

std::vector<ExportProblem> ListExportProblems(const Project& project) {
    std::vector<ExportProblem> problems;
    for (const Check& check : Checks()) {
        if (Message found = check.run(project)) {
            problems.push_back(ExportProblem{check.warning, std::move(found->text),
                                             std::move(found->detail), std::move(found->cellIDs),
                                             std::move(found->nodeIDs), std::move(found->linkIDs)});
        }
        // An empty map has nothing more to check.
        if (!problems.empty() && project.tables.cells.empty()) {
            break;
        }
    }
    return problems;
}

}  // namespace talvo
