#include "model/MapReader.h"

#include "common/ProjectReader.h"
#include "model/ReadError.h"

namespace talvo::display {
namespace {

DisplayParameters ParametersOf(const talvo::Project& project) {
    const talvo::GlobalParameters& p = project.params;
    DisplayParameters parameters;
    parameters.jamDensity = p.jamDensity;
    parameters.timeStep = p.timeStep;
    parameters.endSimulationStep = p.endSimulationStep;
    parameters.startStep = p.startStep;
    parameters.endStep = p.endStep;
    parameters.phaseCycle = p.phaseCycle;
    parameters.cellScaleX = p.cellScaleX;
    parameters.cellScaleY = p.cellScaleY;
    return parameters;
}

DisplayNode NodeOf(const talvo::NodeRecord& record) {
    DisplayNode node;
    node.nodeID = record.nodeID;
    node.x = record.x;
    node.y = record.y;
    node.stageNum = record.stageNum;
    node.offset = record.offset;
    node.stages.clear();
    for (int s = 0; s < record.stageNum && s < kMaxStages; ++s) {
        const talvo::StageRecord& stage = record.stages[static_cast<size_t>(s)];
        node.stages.push_back(DisplayStage{stage.stageTime, stage.stageMoves});
    }
    return node;
}

void CheckPeriod(const DisplayParameters& parameters, const std::string& path) {
    if (parameters.endStep < 0 || parameters.endStep > kMaxTime) {
        throw ReadError(path + ": end step " + std::to_string(parameters.endStep) +
                        " lies outside 0.." + std::to_string(kMaxTime));
    }
    if (parameters.startStep < 0 || parameters.startStep > parameters.endStep) {
        throw ReadError(path + ": start step " + std::to_string(parameters.startStep) +
                        " lies outside 0..end step " + std::to_string(parameters.endStep));
    }
}

}  // namespace

void ReadDisplayMap(const std::string& path, DisplayModel& model) {
    const talvo::ProjectReadResult read = talvo::ReadProject(path, talvo::ProjectLayout::Current);
    if (!read.ok) {
        throw ReadError(read.detail);
    }
    const talvo::NetworkTables& tables = read.project.tables;

    DisplayModel loaded;
    loaded.parameters = ParametersOf(read.project);
    CheckPeriod(loaded.parameters, path);
    for (const talvo::CellRecord& record : tables.cells) {
        DisplayCell cell;
        cell.cellID = record.cellID;
        cell.x = record.x;
        cell.y = record.y;
        cell.laneNum = record.laneNum;
        cell.orientation = record.orientation;
        cell.speed = record.speed;
        cell.signalID = record.signalID;
        cell.isDummy = record.isDummy;
        loaded.cells.push_back(std::move(cell));
    }
    for (const talvo::LinkRecord& record : tables.links) {
        loaded.links.push_back(
            DisplayLink{record.linkID, record.fromCell, record.toCell, record.passNode});
    }
    for (const talvo::NodeRecord& record : tables.nodes) {
        loaded.nodes.push_back(NodeOf(record));
    }
    for (size_t s = 0; s < tables.streets.size(); ++s) {
        const talvo::StreetRecord& record = tables.streets[s];
        for (const int cellID : record.cellIDs) {
            if (loaded.findCellIndex(cellID) < 0) {
                throw ReadError(path + ": street " + std::to_string(s + 1) + " lists cell " +
                                std::to_string(cellID) + ", which the file does not hold");
            }
        }
        loaded.streets.push_back(
            DisplayStreet{record.streetName, record.x, record.y, record.cellIDs});
    }
    for (const talvo::PlotGroup& group : tables.plotGroups) {
        loaded.plotGroups.push_back(
            DisplayPlotGroup{group.cellIDs, group.occupancyPlot, group.startStep, group.endStep});
    }
    loaded.sizeSignalTable();
    model = std::move(loaded);
}

}  // namespace talvo::display
