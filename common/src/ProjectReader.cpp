#include "common/ProjectReader.h"

#include <fstream>
#include <sstream>

#include "common/FieldReader.h"

namespace talvo {

namespace {

// IDs and times are sized by what the engine runs, beyond the 16-bit fields of old; every
// value those fields held still reads.
constexpr int kLowest16Bit = -32768;
int ReadID(FieldReader& in, const char* what) {
    return in.readInt(what, kLowest16Bit, Capacity::kMaxID);
}
int ReadTime(FieldReader& in, const char* what) {
    return in.readInt(what, -Capacity::kTimeLimit, Capacity::kTimeLimit);
}

void ReadParameters(FieldReader& in, GlobalParameters& p) {
    p.wvRatio = in.readReal("wvRatio");
    p.adaptWebster = in.readBool("adaptWebster");
    p.jamDensity = in.readInt("jamDensity");
    p.saturationFlow = in.readInt("saturationFlow");
    p.timeStep = in.readInt("timeStep");
    p.endSimulationStep = ReadTime(in, "endSimulationStep");
    p.startStep = ReadTime(in, "startStep");
    p.endStep = ReadTime(in, "endStep");
    p.phaseCycle = ReadTime(in, "phaseCycle");
    p.optimizationOn = in.readBool("optimizationOn");
    p.networkCycleTime = ReadTime(in, "networkCycleTime");

    p.maxCycleTime = ReadTime(in, "maxCycleTime");
    p.minGreenTime = in.readInt("minGreenTime");
    p.lostTime = in.readInt("lostTime");
    p.populationSize = in.readInt("populationSize");
    p.generationNum = in.readInt("generationNum");
    p.terminationNum = in.readInt("terminationNum");
    p.mutationRate = in.readReal("mutationRate");
    p.fitnessIndex = in.readInt("fitnessIndex");
    p.initialSeed = in.readBool("initialSeed");
    p.controlStrategy = in.readInt("controlStrategy");
    p.volMultiplier = in.readReal("volMultiplier");
}

CellRecord ReadCell(FieldReader& in) {
    CellRecord cell;
    cell.cellID = ReadID(in, "cellID");
    cell.x = in.readReal("cell x");
    cell.y = in.readReal("cell y");
    cell.laneNum = in.readInt("laneNum");
    cell.orientation = in.readInt("orientation");
    cell.speed = in.readReal("speed");
    cell.ownOccupancy = in.readBool("ownOccupancy");
    cell.initialCarNum = in.readInt("initialCarNum");
    cell.capacityFactor = in.readReal("capacityFactor");
    cell.capacity = in.readReal("capacity");
    cell.signalID = in.readInt("signalID", 0, Capacity::kSignals);
    const int intervals = in.readInt("orIntervalNum", 0, Capacity::kOriginIntervals);
    cell.intervals.resize(intervals);
    for (OriginInterval& interval : cell.intervals) {
        interval.orVehPerHr = in.readInt("orVehPerHr");
        interval.orStart = ReadTime(in, "orStart");
        interval.orEnd = ReadTime(in, "orEnd");
    }
    cell.isDummy = in.readBool("isDummy");
    return cell;
}

LinkRecord ReadLink(FieldReader& in) {
    LinkRecord link;
    link.linkID = ReadID(in, "linkID");
    link.fromCell = ReadID(in, "fromCell");
    link.toCell = ReadID(in, "toCell");
    link.passNode = ReadID(in, "passNode");
    link.mergeDivert = in.readReal("mergeDivert");
    return link;
}

NodeRecord ReadNode(FieldReader& in) {
    NodeRecord node;
    node.nodeID = ReadID(in, "nodeID");
    node.x = in.readReal("node x");
    node.y = in.readReal("node y");
    node.stageNum = in.readInt("stageNum", 0, Capacity::kStages);
    node.offset = ReadTime(in, "offset");
    node.sizeStages(node.stageNum);
    for (int s = 0; s < node.stageNum; ++s) {
        StageRecord& stage = node.stages[s];
        stage.stageTime = ReadTime(in, "stageTime");
        stage.stageOptimize = in.readBool("stageOptimize");
        const int moves = in.readInt("stageMoveNum", 0, Capacity::kStageMoves);
        stage.stageMoves.resize(moves);
        for (int& move : stage.stageMoves) {
            move = ReadID(in, "stage movement ID");
        }
    }
    return node;
}

StreetRecord ReadStreet(FieldReader& in) {
    StreetRecord street;
    street.streetName = in.readString("streetName");
    street.x = in.readReal("street x");
    street.y = in.readReal("street y");
    street.cellIDs.resize(in.readInt("street cellNum", 0, Capacity::kStreetCells));
    for (int& id : street.cellIDs) {
        id = ReadID(in, "street cell ID");
    }
    return street;
}

DelayGroup ReadDelayGroup(FieldReader& in, ProjectLayout layout) {
    DelayGroup group;
    group.cellIDs.resize(in.readInt("delayGroupCellNum", 0, Capacity::kGroupCells));
    if (layout == ProjectLayout::Legacy) {
        for (int unused = 0; unused < 3; ++unused) {
            in.readString("legacy delay group field");
        }
    }
    for (int& id : group.cellIDs) {
        id = ReadID(in, "delay group cell ID");
    }
    return group;
}

PlotGroup ReadPlotGroup(FieldReader& in) {
    PlotGroup group;
    group.cellIDs.resize(in.readInt("plotGroupCellNum", 0, Capacity::kGroupCells));
    group.occupancyPlot = in.readBool("occupancyPlot");
    group.startStep = ReadTime(in, "plot startStep");
    group.endStep = ReadTime(in, "plot endStep");
    for (int& id : group.cellIDs) {
        id = ReadID(in, "plot group cell ID");
    }
    return group;
}

void ReadAll(FieldReader& in, ProjectLayout layout, Project& project) {
    ReadParameters(in, project.params);
    NetworkTables& t = project.tables;

    const int cellCount = in.readInt("cellCount", 0, Capacity::kCells);
    t.lastCellID = ReadID(in, "lastCellID");
    for (int i = 0; i < cellCount; ++i) {
        t.cells.push_back(ReadCell(in));
    }
    t.signalOwner.assign(SignalOwnerCount(t.cells) + 1, 0);
    for (std::size_t k = 1; k < t.signalOwner.size(); ++k) {
        t.signalOwner[k] = ReadID(in, "SignalOwner entry");
    }

    const int linkCount = in.readInt("linkCount", 0, Capacity::kLinks);
    t.lastLinkID = ReadID(in, "lastLinkID");
    for (int i = 0; i < linkCount; ++i) {
        t.links.push_back(ReadLink(in));
    }

    const int nodeCount = in.readInt("nodeCount", 0, Capacity::kNodes);
    for (int i = 0; i < nodeCount; ++i) {
        t.nodes.push_back(ReadNode(in));
    }

    const int streetCount = in.readInt("streetCount", 0, Capacity::kStreets);
    for (int i = 0; i < streetCount; ++i) {
        t.streets.push_back(ReadStreet(in));
    }

    const int delayGroupCount = in.readInt("delayGroupCount", 0, Capacity::kDelayGroups);
    for (int i = 0; i < delayGroupCount; ++i) {
        t.delayGroups.push_back(ReadDelayGroup(in, layout));
    }

    if (layout == ProjectLayout::Current) {
        const int plotGroupCount = in.readInt("plotGroupCount", 0, Capacity::kPlotGroups);
        for (int i = 0; i < plotGroupCount; ++i) {
            t.plotGroups.push_back(ReadPlotGroup(in));
        }
    }

    project.params.cellScaleX = in.readReal("cellScaleX");
    project.params.cellScaleY = in.readReal("cellScaleY");
}

ProjectReadResult NewStateResult(const GlobalParameters& keep) {
    ProjectReadResult result;
    ResetParameters(result.project.params);
    result.project.params.initialCellOccupancy = keep.initialCellOccupancy;
    result.project.params.cellScaleX = keep.cellScaleX;
    result.project.params.cellScaleY = keep.cellScaleY;
    return result;
}

}  // namespace

ProjectReadResult ReadProjectText(std::string text, const std::string& name, ProjectLayout layout,
                                  const GlobalParameters& keep) {
    ProjectReadResult result = NewStateResult(keep);
    Project project = result.project;
    try {
        FieldReader in(std::move(text));
        ReadAll(in, layout, project);
    } catch (const FieldFormatError& error) {
        result.detail = name + ", " + error.what();
        return result;
    }
    result.project = std::move(project);
    result.ok = true;
    return result;
}

ProjectReadResult ReadProject(const std::string& path, ProjectLayout layout,
                              const GlobalParameters& keep) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ProjectReadResult result = NewStateResult(keep);
        result.detail = path + ": the file cannot be opened";
        return result;
    }
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad()) {
        ProjectReadResult result = NewStateResult(keep);
        result.detail = path + ": the file cannot be read";
        return result;
    }
    return ReadProjectText(content.str(), path, layout, keep);
}

}  // namespace talvo
