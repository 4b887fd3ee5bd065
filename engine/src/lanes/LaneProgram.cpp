#include "lanes/LaneProgram.h"

#include <algorithm>
#include <array>
#include <utility>

namespace talvo {

namespace {

void CompileOutflows(const FlowNetwork& net, LaneProgram& program) {
    for (int i = 1; i <= net.numCells; ++i) {
        const FlowCell& cell = net.cells[i];
        switch (cell.outflowRule) {
            case OutflowRule::Diverge: {
                const FlowCell& k1 = net.cells[cell.to1];
                const FlowCell& k2 = net.cells[cell.to2];
                program.diverges.push_back({i, cell.to1, cell.to2, cell.signalID, cell.qMax,
                                            k1.qMax / cell.split1, k1.holdingCapacity, cell.split1,
                                            k2.qMax / cell.split2, k2.holdingCapacity,
                                            cell.split2});
                break;
            }
            case OutflowRule::Merge: {
                const FlowCell& partner = net.cells[cell.partner];
                const FlowCell& target = net.cells[cell.to1];
                program.merges.push_back({i, cell.partner, cell.to1, cell.signalID,
                                          partner.signalID, cell.qMax, partner.qMax, target.qMax,
                                          target.holdingCapacity, cell.priority,
                                          partner.outflowRule == OutflowRule::ByPartner});
                break;
            }
            case OutflowRule::ByPartner:
                break;
            case OutflowRule::Ordinary:
                program.ordinary.push_back(
                    {i, cell.to1, cell.signalID, cell.qMax, net.cells[cell.to1].holdingCapacity});
                break;
            case OutflowRule::Destination:
                program.destinations.push_back(i);
                break;
        }
    }
}

void CompileInflows(const FlowNetwork& net, LaneProgram& program) {
    using Inflow = LaneProgram::Inflow;
    enum Kind { Loading, Forward, Scaled, Sum };
    struct Assigned {
        Kind kind = Loading;
        Inflow inflow{};
    };
    // Pass 3 in cell order: a later assignment to the same cell replaces an earlier one.
    std::vector<Assigned> last(size_t(net.numCells) + 1);
    for (int i = 1; i <= net.numCells; ++i) {
        const FlowCell& cell = net.cells[i];
        if (cell.destination) {
            continue;
        }
        switch (cell.inflowRule) {
            case InflowRule::Split:
                last[size_t(cell.to1)] = {Scaled, {cell.to1, i, 0, cell.split1}};
                last[size_t(cell.to2)] = {Scaled, {cell.to2, i, 0, cell.split2}};
                break;
            case InflowRule::Merge:
                last[size_t(cell.to1)] = {Sum, {cell.to1, cell.feeder1, cell.feeder2, 0.0f}};
                break;
            case InflowRule::Forward:
                last[size_t(cell.to1)] = {Forward, {cell.to1, i, 0, 0.0f}};
                break;
        }
    }
    for (int c = 1; c <= net.numCells; ++c) {
        const Assigned& a = last[size_t(c)];
        std::vector<Inflow>* lists[] = {&program.loaded, &program.forwarded, &program.scaled,
                                        &program.summed};
        lists[a.kind]->push_back(a.kind == Loading ? Inflow{c, 0, 0, 0.0f} : a.inflow);
    }
}

}  // namespace

LaneProgram CompileLaneProgram(const FlowNetwork& net, const DelayLayout& delay) {
    LaneProgram program;
    program.wvRatio = net.wvRatio;
    program.numCells = net.numCells;
    CompileOutflows(net, program);
    CompileInflows(net, program);
    for (int first = 1; first <= delay.numApproaches; first += LaneProgram::kDelaySums) {
        LaneProgram::DelayGroup group{};
        int places = 0;
        for (int g = 0; g < LaneProgram::kDelaySums; ++g) {
            const int a = first + g;
            group.approach[g] = a <= delay.numApproaches ? a : 0;
            if (a <= delay.numApproaches) {
                places = std::max(places, delay.approaches[size_t(a)].numCells);
            }
        }
        for (int m = 0; m < places; ++m) {
            for (const int a : group.approach) {
                const DelayLayout::Approach& approach = delay.approaches[size_t(a)];
                const int c = a != 0 && m < approach.numCells ? approach.cells[size_t(m)] : 0;
                group.cells.push_back(net.cells[c].destination ? 0 : c);
            }
        }
        program.delayGroups.push_back(std::move(group));
    }
    return program;
}

}  // namespace talvo
