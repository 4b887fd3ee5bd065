#include "TestNetworks.h"

#include <algorithm>
#include <utility>

#include "ClassicSizes.h"

namespace talvo::test {

TestNetwork::TestNetwork(int32_t timeStep, int32_t endSimulationStep, int cellCapacity)
    : tables(std::make_unique<TimeTables>(cellCapacity,
                                          std::max(9999, endSimulationStep + timeStep))) {
    Scenario& s = scenario;
    s.wvRatio = 0.5f;
    s.jamDensity = 150;
    s.saturationFlow = 1800;
    s.timeStep = timeStep;
    s.endSimulationStep = endSimulationStep;
    s.startStep = 0;
    s.endStep = endSimulationStep;
    s.phaseCycle = 4;
    s.networkCycleTime = 60;
    s.maxGroupCells = 50;
    // Tests also fill rows field by field; networks past the classic sizes grow them.
    SizeLikeClassicTables(s);
}

int TestNetwork::addCell(CellKind kind, float lanes, float fMax, float fTURN) {
    Scenario& s = scenario;
    const int i = ++s.numCells;
    if (s.cells.size() <= size_t(i)) {
        s.cells.resize(size_t(i) + 1);
    }
    Cell& c = s.cells[i];
    c.kind = kind;
    static const char* const kCodes[] = {"TR", "OR", "DE", "DI", "ME", "MB"};
    c.cellType = kCodes[int(kind)];
    c.cellName = c.cellType + "-" + std::to_string(i);
    c.cellName.resize(11, ' ');
    c.laneNum = lanes;
    c.fMax = fMax;
    c.fTURN = fTURN;
    c.signalised = 'N';
    const bool endCell = kind == CellKind::Origin || kind == CellKind::Destination;
    c.holdingCapacity =
        endCell ? 99999.0f
                : float(double(lanes) * fMax * s.timeStep * double(s.jamDensity) / 3600.0);
    c.qMax = float(double(fTURN) * lanes * fMax * s.timeStep * double(s.saturationFlow) / 3600.0);
    return i;
}

void TestNetwork::link(int from, int to) {
    Cell& f = scenario.cells[from];
    Cell& t = scenario.cells[to];
    (f.to1 == 0 ? f.to1 : f.to2) = to;
    (t.from1 == 0 ? t.from1 : t.from2) = from;
}

void TestNetwork::setSplits(int cell, float split1, float split2) {
    scenario.cells[cell].split1 = split1;
    scenario.cells[cell].split2 = split2;
}

void TestNetwork::load(int cell, float vehiclesPerStep, int32_t from, int32_t to) {
    tables->load(cell, from, to, vehiclesPerStep);
}

void TestNetwork::addIntersection(int p, int32_t offset, std::initializer_list<int32_t> stages) {
    if (size_t(p) >= scenario.intersections.size()) {
        scenario.intersections.resize(size_t(p) + 1);
    }
    Intersection& node = scenario.intersections[p];
    node.offset = offset;
    node.stageCount = int32_t(stages.size());
    if (node.stageTime.size() <= stages.size()) {
        node.sizeStages(node.stageCount);
    }
    int k = 1;
    for (const int32_t d : stages) {
        node.stageTime[k++] = d;
    }
    scenario.numIntersections = std::max(scenario.numIntersections, p);
}

void TestNetwork::addSignal(int k, int p, const std::string& greenFlags) {
    if (size_t(k) >= scenario.signals.size()) {
        scenario.signals.resize(size_t(k) + 1);
    }
    SignalRecord& r = scenario.signals[k];
    r.present = true;
    r.signalIntersection = p;
    if (r.stageGreen.size() <= greenFlags.size()) {
        r.stageGreen.assign(greenFlags.size() + 1, '\0');
    }
    // Tests write sequences entry by entry: the classic 301 entries, all ending at 0.
    signals.sizeFor(scenario);
    signals.sequences[size_t(k)].resize(301);
    for (size_t j = 0; j < greenFlags.size(); ++j) {
        r.stageGreen[j + 1] = greenFlags[j];
    }
    scenario.signalNumbers.push_back(k);
    std::sort(scenario.signalNumbers.begin(), scenario.signalNumbers.end());
    scenario.numSignals = int(scenario.signalNumbers.size());
}

void TestNetwork::gate(int cell, int k) {
    scenario.cells[cell].signalised = 'Y';
    scenario.cells[cell].signalID = k;
}

int TestNetwork::addApproach(float weight, std::initializer_list<int> cells) {
    const int a = ++scenario.numApproaches;
    if (scenario.approaches.size() <= size_t(a)) {
        scenario.approaches.resize(size_t(a) + 1);
    }
    Group& g = scenario.approaches[a];
    g.weight = weight;
    if (g.cells.size() <= size_t(scenario.maxGroupCells)) {
        g.cells.assign(size_t(scenario.maxGroupCells) + 1, 0);
    }
    int m = 1;
    for (const int c : cells) {
        g.cells[m++] = c;
    }
    return a;
}

void TestNetwork::fillFromCapacity(float fraction) {
    Scenario& s = scenario;
    for (int i = 1; i <= s.numCells; ++i) {
        const CellKind kind = s.cells[i].kind;
        if (kind != CellKind::Origin && kind != CellKind::Destination) {
            tables->n0(i) = s.cells[i].holdingCapacity * fraction;
        }
    }
    for (int i = 1; i <= s.numCells; ++i) {
        if (s.cells[i].kind == CellKind::Origin) {
            tables->n0(i) = tables->n0(s.cells[i].to1);
        }
    }
}

namespace {

struct JunctionCells {
    int o1, a1, a2, stop1, div, b1, b2, o2, side, joined, d1;
};

// The junction of MakeJunctionNetwork as intersection p with signal records 2p - 1 and 2p.
JunctionCells AddJunction(TestNetwork& net, int p, int32_t offset) {
    // Main street: origin, two cells, a signalised stop line, a diverge, two branches.
    JunctionCells j{};
    j.o1 = net.addCell(CellKind::Origin);
    j.a1 = net.addCell(CellKind::Ordinary);
    j.a2 = net.addCell(CellKind::Ordinary);
    j.stop1 = net.addCell(CellKind::Ordinary);
    j.div = net.addCell(CellKind::Diverge);
    j.b1 = net.addCell(CellKind::Ordinary, 1, 30);
    j.b2 = net.addCell(CellKind::Ordinary, 1, 30);
    // Side street: origin, a signalised merging cell into b2's continuation.
    j.o2 = net.addCell(CellKind::Origin, 1, 30);
    j.side = net.addCell(CellKind::MergeAtSignal, 1, 30, 0.9f);
    j.joined = net.addCell(CellKind::Ordinary, 2, 36);
    j.d1 = net.addCell(CellKind::Destination);
    const int d2 = net.addCell(CellKind::Destination);
    net.link(j.o1, j.a1);
    net.link(j.a1, j.a2);
    net.link(j.a2, j.stop1);
    net.link(j.stop1, j.div);
    net.link(j.div, j.b1);
    net.link(j.div, j.b2);
    net.link(j.b1, j.d1);
    net.link(j.b2, j.joined);
    net.link(j.o2, j.side);
    net.link(j.side, j.joined);
    net.link(j.joined, d2);
    net.setSplits(j.div, 0.7f, 0.3f);
    net.scenario.cells[j.b2].cellType = "ME";
    net.scenario.cells[j.b2].kind = CellKind::Merge;
    net.scenario.cells[j.b2].priority = 0.6f;
    net.scenario.cells[j.side].priority = 0.4f;
    net.addIntersection(p, offset, {30, 25});
    net.addSignal(2 * p - 1, p, "YN");
    net.addSignal(2 * p, p, "NY");
    net.gate(j.stop1, 2 * p - 1);
    net.gate(j.side, 2 * p);
    const float step = float(net.scenario.timeStep);
    const int32_t end = net.scenario.endSimulationStep;
    net.load(j.o1, step * 1500.0f / 3600.0f, 0, end * 2 / 3);
    net.load(j.o2, step * 700.0f / 3600.0f, 10, end);
    return j;
}

}  // namespace

TestNetwork MakeJunctionNetwork(int32_t timeStep, int32_t endSimulationStep, float preload) {
    TestNetwork net(timeStep, endSimulationStep);
    const JunctionCells j = AddJunction(net, 1, 5);
    net.fillFromCapacity(preload);
    net.addApproach(1.0f, {j.o1, j.a1, j.a2, j.stop1});
    net.addApproach(2.0f, {j.o2, j.side, 0, j.joined});
    net.addApproach(0.5f, {j.div, j.b1, j.b2, j.d1});
    return net;
}

TestNetwork MakeJunctionRow(int copies, int32_t timeStep, int32_t endSimulationStep,
                            float preload) {
    TestNetwork net(timeStep, endSimulationStep);
    for (int p = 1; p <= copies; ++p) {
        const JunctionCells j = AddJunction(net, p, (5 + 7 * p) % 55);
        net.addApproach(1.0f + 0.5f * float(p % 3),
                        {j.o1, j.a1, j.a2, j.stop1, j.o2, j.side, j.joined, j.div, j.b2});
    }
    net.fillFromCapacity(preload);
    return net;
}

TestNetwork MakeCongestedNetwork(int32_t timeStep, int32_t endSimulationStep) {
    TestNetwork net(timeStep, endSimulationStep);
    const int o1 = net.addCell(CellKind::Origin);
    const int a = net.addCell(CellKind::Ordinary);
    const int div = net.addCell(CellKind::Diverge);
    const int b1 = net.addCell(CellKind::Ordinary, 1, 30);
    const int stop1 = net.addCell(CellKind::Ordinary, 1, 30);
    const int b2 = net.addCell(CellKind::Ordinary);
    const int m1 = net.addCell(CellKind::Merge);
    const int o2 = net.addCell(CellKind::Origin);
    const int m2 = net.addCell(CellKind::MergeAtSignal);
    const int narrow = net.addCell(CellKind::Ordinary, 1, 30);
    const int stop3 = net.addCell(CellKind::Ordinary, 1, 30);
    const int d1 = net.addCell(CellKind::Destination);
    const int d2 = net.addCell(CellKind::Destination);
    const int o3 = net.addCell(CellKind::Origin);
    const int e1 = net.addCell(CellKind::Ordinary);
    const int closed = net.addCell(CellKind::Ordinary, 0);
    const int d3 = net.addCell(CellKind::Destination);
    const int d4 = net.addCell(CellKind::Destination);
    for (const auto& [from, to] : {std::pair{o1, a},
                                   {a, div},
                                   {div, b1},
                                   {b1, stop1},
                                   {stop1, d1},
                                   {div, b2},
                                   {b2, m1},
                                   {m1, narrow},
                                   {o2, m2},
                                   {m2, narrow},
                                   {narrow, stop3},
                                   {stop3, d2},
                                   {o3, e1},
                                   {o3, closed},
                                   {e1, d3},
                                   {closed, d4}}) {
        net.link(from, to);
    }
    net.setSplits(div, 0.6f, 0.4f);
    net.setSplits(o3, 1.0f, 0.0f);
    net.scenario.cells[m1].priority = 0.45f;
    net.scenario.cells[m2].priority = 0.55f;
    net.addIntersection(1, 3, {25, 20});
    net.addIntersection(2, 11, {18, 30});
    net.addSignal(1, 1, "YN");
    net.addSignal(2, 1, "NY");
    net.addSignal(3, 2, "YN");
    net.addSignal(4, 2, "NY");
    net.gate(stop1, 1);
    net.gate(m1, 2);
    net.gate(stop3, 3);
    net.gate(m2, 4);
    net.fillFromCapacity(0.7f);
    const float step = float(timeStep);
    net.load(o1, step * 2400.0f / 3600.0f, 0, endSimulationStep);
    net.load(o2, step * 1500.0f / 3600.0f, 0, endSimulationStep);
    net.load(o3, step * 600.0f / 3600.0f, 0, endSimulationStep);
    net.addApproach(1.0f, {o1, a, div, b1, stop1});
    net.addApproach(1.5f, {b2, m1, o2, m2, 0, narrow, stop3, d2});
    net.addApproach(0.25f, {o3, e1, closed, d3});
    return net;
}

}  // namespace talvo::test

namespace talvo::test {

RecordedRun::RecordedRun(const Scenario& scenario, const SignalTables& signals,
                         const TimeTables& inputs)
    : stepper(std::make_unique<NetworkStepper>(scenario, inputs, signals)) {
    std::vector<int> cells;
    for (int c = 1; c <= scenario.numCells; ++c) {
        cells.push_back(c);
    }
    run = std::make_unique<RunRecording>(*stepper, cells,
                                         RunRecording::kOccupancy | RunRecording::kOutflow |
                                             RunRecording::kInflow | RunRecording::kDelayVehicles);
    results = RunToEnd(*stepper, run.get());
}

}  // namespace talvo::test
