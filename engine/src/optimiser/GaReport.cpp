#include "optimiser/GaReport.h"

#include <string>

namespace talvo {

namespace {

constexpr char kBlank[] = "(' ')";

std::string Heading(PlanVariant variant) {
    const char* plans = "F G F C";
    if (variant == PlanVariant::VGFC)
        plans = "V G F C";
    if (variant == PlanVariant::VGVC)
        plans = "V G V C";
    return std::string("*** G A   O P T I M I Z A T I O N   R E S U L T S ---  ") + plans +
           "   P L A N S ****";
}

void WriteStageTable(RecordWriter& report, const Scenario& scenario, PlanVariant variant,
                     const DecodedPlan& plan, int p) {
    const int stageCount = scenario.intersections[p].stageCount;
    const auto& duration = plan.stages.slotDuration[p];
    if (variant == PlanVariant::FGFC) {
        report.writeText("        Stage    Duration (sec)");
        report.writeText("        -----    --------------");
        for (int k = 1; k <= stageCount; ++k)
            report.writeListDirected({int32_t(k), duration[k]});
        report.writeListDirected();
        return;
    }
    if (variant == PlanVariant::VGFC) {
        report.writeText("        Cycle    Stage    Duration (sec)");
        report.writeText("        -----    -----    --------------");
    } else {
        report.writeText("        Cycle    Stage    Duration (sec)    Cycle (sec)");
        report.writeText("        -----    -----    --------------    -----------");
    }
    const int slots = scenario.phaseCycle * stageCount;
    for (int k = 1; k <= slots; ++k) {
        const int32_t cycle = (k - 1) / stageCount + 1;
        const int32_t stage = (k - 1) % stageCount + 1;
        if (variant == PlanVariant::VGFC) {
            report.writeListDirected({cycle, stage, duration[k]});
        } else {
            report.writeListDirected({cycle, stage, duration[k], plan.cycleOf[p][cycle]});
        }
    }
    report.write(kBlank);
}

}  // namespace

void WriteGaReportHeader(RecordWriter& report, const Scenario& scenario, PlanVariant variant) {
    report.write(kBlank);
    report.writeText(Heading(variant));
    report.write(kBlank);
    report.write(kBlank);
    report.write("('********* G A   P A R A M E T E R S *********')");

    report.write(kBlank);
    report.write("('Population Size:',7X,I7)", {scenario.populationSize});
    report.write("('Bit length-phase:',2X,I4,5X,'Bit length-cycle:',2X,I4)",
                 {int32_t(kBitsPerGroup), int32_t(kBitsPerGroup)});
    report.write("('Mutations per iteration:',2X,F7.4)", {scenario.mutationRate});
    report.write("('Iterations (generations):',I5)", {scenario.generationNum});
    report.write("('Power of function:',8X,I4)", {scenario.fitnessIndex});
    report.writeWidening("('No. of Phases need to optimize:',2X,I4)",
                         {int32_t(FreeStageCount(scenario))});
    report.write("('GA stops if no further improvement shown in',I2,' Iterations (generations)')",
                 {scenario.terminationNum});

    report.write(kBlank);
    report.write(kBlank);
    report.write(kBlank);
    report.write("('------------------------------------------------------------------------')");
    report.write("('  O U T P U T   O U T P U T   O U T P U T   O U T P U T   O U T P U T')");
    report.write("('------------------------------------------------------------------------')");

    report.write(kBlank);
    report.write("('>> Genetic Algorithm Search Process')");
    report.write(kBlank);
    report.write("('Iteration',4X,'Max TWD',5X,'Min TWD',3X,'Best Min TWD',4X,'CumCalc time')");
    report.writeListDirected();
}

void WriteOptimisedPlan(RecordWriter& report, const Scenario& scenario, PlanVariant variant,
                        const DecodedPlan& plan) {
    report.write(kBlank);
    report.write("('OPTIMIZED TIMING PLAN SETTING:')");
    report.write(kBlank);
    if (variant == PlanVariant::VGVC) {
        report.write(kBlank);
    } else {
        report.writeText("Network Cycle Time (sec):", {plan.cycleLength});
    }
    report.write(kBlank);
    for (int p = 1; p <= scenario.numIntersections; ++p) {
        report.writeText("========================");
        report.writeText("Intersection:", {int32_t(p)});
        report.writeText("========================");
        report.write(kBlank);
        report.writeText("Offset (sec):", {plan.stages.offset[p]});
        report.write(kBlank);
        WriteStageTable(report, scenario, variant, plan, p);
    }
    report.write(kBlank);
    report.write(kBlank);
}

}  // namespace talvo
