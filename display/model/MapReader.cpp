#include "model/MapReader.h"

#include "common/ProjectReader.h"
#include "common/RecordLookup.h"
#include "model/ReadError.h"

namespace talvo::display {
namespace {

void CheckPeriod(const GlobalParameters& parameters, const std::string& path) {
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
    const ProjectReadResult read = ReadProject(path, ProjectLayout::Current);
    if (!read.ok) {
        throw ReadError(read.detail);
    }
    CheckPeriod(read.project.params, path);
    const NetworkTables& tables = read.project.tables;
    const IdPositions cells(tables.cells, &CellRecord::cellID);
    for (size_t s = 0; s < tables.streets.size(); ++s) {
        for (const int cellID : tables.streets[s].cellIDs) {
            if (!cells.holds(cellID)) {
                throw ReadError(path + ": street " + std::to_string(s + 1) + " lists cell " +
                                std::to_string(cellID) + ", which the file does not hold");
            }
        }
    }
    DisplayModel loaded;
    loaded.project = read.project;
    loaded.sizeSignalTable();
    model = std::move(loaded);
}

}  // namespace talvo::display
