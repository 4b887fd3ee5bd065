#include "input/ScenarioEcho.h"

namespace talvo {

namespace {

void Blank(RecordWriter& out) {
    out.write("(' ')");
}

FormatValues GroupRow(int32_t number, const Group& group, int maxGroupCells) {
    FormatValues values{number};
    for (int m = 1; m <= maxGroupCells; ++m) {
        values.emplace_back(int32_t(group.cells[m]));
    }
    return values;
}

}  // namespace

void WriteEchoTitle(RecordWriter& out) {
    out.writeListDirected();
    out.writeListDirected();
    out.writeListDirected();
    out.writeText("******* O U T P U T   F I L E ---  E X I S T I N G   S C E N A R I O *******");
    out.writeListDirected();
}

void WriteGlobalParameters(RecordWriter& out, const Scenario& s) {
    out.write("('********* G L O B A L   P A R A M E T E R S *********')");
    Blank(out);
    out.write("('V/W ratio:\t\t',6X,F7.2)", {s.wvRatio});
    out.write("('Jam Density, Kj (veh/km):',2X,F9.2)", {s.jamDensity});
    out.write("('Saturation Flow (vph):',6X,F8.2)", {s.saturationFlow});
    out.write("('% of Network Preloaded:',6X,F7.2)", {s.initialCellOccupancy});
    out.write("('Volume Multiplier     :',6X,F7.2)", {s.volMultiplier});
    out.writeWidening("('Time Step (sec):',12X,I5)", {s.timeStep});
    out.writeWidening("('End Simulation Step:',8X,I5)", {s.endSimulationStep});
    out.writeWidening("('Delay Period Startstep:',5X,I5)", {s.startStep});
    out.writeWidening("('Delay Period Endstep:',7X,I5)", {s.endStep});
    Blank(out);
    Blank(out);
}

void WriteEnteredCells(RecordWriter& out, const Scenario& s) {
    out.write("('********* C E L L   I N F O R M A T I O N *********')");
    Blank(out);
    out.writeWidening("('Number of Cells:',I5)", {int32_t(s.numCells)});
    Blank(out);
    out.write("('Entered Cell Data--')");
    Blank(out);
    out.write(
        "(1X,'No.',4X,'Name',2X,'fFULL',2X,'Lns',3X,'fTURN',3X,'Typ',3X,'Fr1',2X,'Fr2',2X,"
        "'To1',2X,'To2',2X,'Spt1',1X,'Spt2',1X,'Prio',2X,'Sig?',1X,'Plan',2X,'fMax')");
    for (int i = 1; i <= s.numCells; ++i) {
        const Cell& c = s.cells[i];
        out.writeWidening(
            "(I3,2X,A11,F5.1,F6.2,2X,F6.2,4X,A,4I5,F6.2,2F5.2,4X,A,I5,F6.1)",
            {int32_t(i), c.cellName, c.fFULL, c.laneNum, c.fTURN, c.cellType, int32_t(c.from1),
             int32_t(c.from2), int32_t(c.to1), int32_t(c.to2), c.split1, c.split2, c.priority,
             std::string(1, c.signalised), c.signalID, c.fMax});
    }
}

void WriteCalculatedCells(RecordWriter& out, const Scenario& s, const TimeTables& tables) {
    Blank(out);
    out.write("('Calculated Cell Data--')");
    for (int i = 1; i <= s.numCells; ++i) {
        const Cell& c = s.cells[i];
        out.writeWidening("('Cell:',I5,3X,'Qmax:',F8.2,3X,'Capacity:',F7.2,3X,'Initial n:',F8.2)",
                          {int32_t(i), c.qMax, c.holdingCapacity, tables.n0(i)});
    }
    Blank(out);
    Blank(out);
}

void WriteDemandHeading(RecordWriter& out, const Scenario& s) {
    out.write("('********* D E M A N D   I N F O R M A T I O N *********')");
    Blank(out);
    out.write("('Number of Loadings:',I5)", {int32_t(s.numLoadings)});
    Blank(out);
    out.write("('Loading',7X,'Load',7X,'Start',6X,'End')");
    out.write("('Cell',8X,'veh/hour',5X,'Step',7X,'Step')");
}

void WriteLoading(RecordWriter& out, const Loading& loading) {
    out.writeWidening("(I5,4X,F10.2,3X,I6,5X,I6)", {int32_t(loading.cell), loading.loadRate,
                                                    loading.loadStart, loading.loadEnd});
}

void WriteDemandEnd(RecordWriter& out) {
    Blank(out);
    Blank(out);
}

void WriteTimingPlanSection(RecordWriter& out, const Scenario& s) {
    out.write("('********* T I M I N G   P L A N   I N F O R M A T I O N *********')");
    Blank(out);
    for (int p = 1; p <= s.numIntersections; ++p) {
        const int32_t stages = s.intersections[p].stageTotal - s.intersections[p - 1].stageTotal;
        out.writeWidening("('Intersection:',I5,4X,'Number of Stages:',2X,I5)",
                          {int32_t(p), stages});
    }
    Blank(out);
    out.write("('Timing Plan Constraints:')");
    Blank(out);
    out.writeWidening("('Cmin:',I4,3X,'Cmax:',I4)", {s.minCycleTime, s.maxCycleTime});
    out.writeWidening("('Gmin:',I4)", {s.minGreenTime});
    out.writeWidening("('Lost Time:',I4)", {s.lostTime});
    Blank(out);
    Blank(out);
}

void WriteApproachHeading(RecordWriter& out, const Scenario& s) {
    out.write("('********* A P P R O A C H   I N F O R M A T I O N  *********')");
    Blank(out);
    out.writeWidening("('Number of Defined Approaches:',I5)", {int32_t(s.numApproaches)});
    out.writeWidening("('Max number of cells in one approach:',I5)", {int32_t(s.maxGroupCells)});
    Blank(out);
    out.write("('Approach',2X,'Weight',2X,'Plot?',\\)");
    for (int m = 1; m <= s.maxGroupCells; ++m) {
        out.writeWidening("(2X,'Cell',I3,\\)", {int32_t(m)});
    }
    Blank(out);
}

void WriteApproach(RecordWriter& out, const Scenario& s, int a) {
    const Group& group = s.approaches[a];
    FormatValues values{int32_t(a), group.weight, std::string(" ")};
    for (int m = 1; m <= s.maxGroupCells; ++m) {
        values.emplace_back(int32_t(group.cells[m]));
    }
    out.writeWidening("(I4,7X,F4.2,7X,A,27(4X,I4))", values);
}

void WritePlotGroup(RecordWriter& out, const Scenario& s, int g) {
    out.writeWidening("(I4,7X,27(4X,I4))", GroupRow(int32_t(g), s.plotGroups[g], s.maxGroupCells));
}

}  // namespace talvo
