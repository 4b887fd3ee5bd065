#include "model/ProjectWriter.h"

#include "common/NumberText.h"
#include "model/AtomicFile.h"

namespace talvo {

namespace {

// Fields of a record: each one followed by a comma ("run"), or the last one ending the
// line.
class RecordText {
  public:
    explicit RecordText(std::string& out) : out_(out) {}

    RecordText& field(const std::string& text) {
        if (pending_) {
            out_ += ',';
        }
        out_ += text;
        pending_ = true;
        return *this;
    }
    RecordText& integer(int value) { return field(std::to_string(value)); }
    RecordText& real(double value) { return field(FormatReal(value)); }
    RecordText& boolean(bool value) { return field(value ? "#TRUE#" : "#FALSE#"); }
    RecordText& quoted(const std::string& text) {
        std::string name = "\"";
        name += text;
        name += '"';
        return field(name);
    }
    void endLine() {
        out_ += "\r\n";
        pending_ = false;
    }

  private:
    std::string& out_;
    bool pending_ = false;
};

// A name holds no quote or line end, which would end it early when read back.
std::string StorableName(std::string name) {
    for (char& c : name) {
        if (c == '"') {
            c = '\'';
        } else if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return name;
}

void WriteIDs(RecordText& record, const std::vector<int>& ids) {
    for (int id : ids) {
        record.integer(id);
    }
}

}  // namespace

std::string FormatProject(const Project& project) {
    std::string out;
    RecordText r(out);
    const GlobalParameters& p = project.params;
    const NetworkTables& t = project.tables;

    r.real(p.wvRatio).boolean(p.adaptWebster).integer(p.jamDensity).integer(p.saturationFlow);
    r.integer(p.timeStep).integer(p.endSimulationStep).integer(p.startStep).integer(p.endStep);
    r.integer(p.phaseCycle).boolean(p.optimizationOn).integer(p.networkCycleTime).endLine();

    r.integer(p.maxCycleTime).integer(p.minGreenTime).integer(p.lostTime);
    r.integer(p.populationSize).integer(p.generationNum).integer(p.terminationNum);
    r.real(p.mutationRate).integer(p.fitnessIndex).boolean(p.initialSeed);
    r.integer(p.controlStrategy).real(p.volMultiplier).endLine();

    r.integer(static_cast<int>(t.cells.size())).integer(t.lastCellID).endLine();
    for (const CellRecord& c : t.cells) {
        r.integer(c.cellID).real(c.x).real(c.y).integer(c.laneNum).integer(c.orientation);
        r.real(c.speed).boolean(c.ownOccupancy).integer(c.initialCarNum);
        r.real(c.capacityFactor).real(c.capacity).integer(c.signalID);
        r.integer(c.orIntervalNum());
        for (const OriginInterval& interval : c.intervals) {
            r.integer(interval.orVehPerHr).integer(interval.orStart).integer(interval.orEnd);
        }
        r.boolean(c.isDummy).endLine();
    }

    const int owners = SignalOwnerCount(t.cells);
    for (int k = 1; k <= owners; ++k) {
        r.integer(k < static_cast<int>(t.signalOwner.size()) ? t.signalOwner[k] : 0);
    }
    r.endLine();

    r.integer(static_cast<int>(t.links.size())).integer(t.lastLinkID).endLine();
    for (const LinkRecord& l : t.links) {
        r.integer(l.linkID).integer(l.fromCell).integer(l.toCell).integer(l.passNode);
        r.real(l.mergeDivert).endLine();
    }

    r.integer(static_cast<int>(t.nodes.size())).endLine();
    for (const NodeRecord& n : t.nodes) {
        r.integer(n.nodeID).real(n.x).real(n.y).integer(n.stageNum).integer(n.offset).endLine();
        for (int s = 0; s < n.usedStages(); ++s) {
            const StageRecord& stage = n.stages[s];
            r.integer(stage.stageTime).boolean(stage.stageOptimize);
            r.integer(stage.stageMoveNum()).endLine();
            if (stage.stageMoveNum() > 0) {
                WriteIDs(r, stage.stageMoves);
                r.endLine();
            }
        }
    }

    r.integer(static_cast<int>(t.streets.size())).endLine();
    for (const StreetRecord& s : t.streets) {
        r.quoted(StorableName(s.streetName)).real(s.x).real(s.y).integer(s.cellNum()).endLine();
        if (s.cellNum() > 0) {
            WriteIDs(r, s.cellIDs);
            r.endLine();
        }
    }

    // The delay groups run on into the plot group count, which ends their line; the plot
    // groups run on into the cell scales, which end the last line.
    r.integer(static_cast<int>(t.delayGroups.size())).endLine();
    for (const DelayGroup& g : t.delayGroups) {
        r.integer(static_cast<int>(g.cellIDs.size()));
        WriteIDs(r, g.cellIDs);
    }
    r.integer(static_cast<int>(t.plotGroups.size())).endLine();
    for (const PlotGroup& g : t.plotGroups) {
        r.integer(static_cast<int>(g.cellIDs.size())).boolean(g.occupancyPlot);
        r.integer(g.startStep).integer(g.endStep);
        WriteIDs(r, g.cellIDs);
    }
    r.real(p.cellScaleX).real(p.cellScaleY).endLine();
    return out;
}

EditResult SaveProject(const std::string& path, const Project& project) {
    const std::string failure = WriteFileReplacing(path, FormatProject(project));
    if (!failure.empty()) {
        return EditResult::Refused(failure);
    }
    return EditResult::Done();
}

}  // namespace talvo
