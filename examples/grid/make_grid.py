#!/usr/bin/env python3
"""Writes the grid example: its project grid.tin, and input.fin and plan.tpl as the editor
exports that project.

Four east-west arterials cross three north-south streets at twelve signalised junctions.
At six junctions the east-west approach diverges into a left-turn pocket whose stop line
merges, beside the north-south stop line, into the cross street. The project asks for an
optimisation (FGFC), so that the stages marked for optimisation reach the engine's input.
Run once; the files are committed, nothing runs this at build time, and a test checks that
exporting grid.tin gives input.fin and plan.tpl.
"""

EW, NS = 4, 3          # streets
SEG = 6                # cells per approach between junctions (last one is the stop line)
CYCLE, PHASE_CYCLE = 90, 40
END = 3600
EW_NAMES = ["North Avenue", "Market Street", "Station Road", "South Avenue"]
NS_NAMES = ["West Street", "Church Lane", "East Street"]

# Map layout in twips: east-west cells 300 apart along their rows, north-south cells 250
# apart down their columns, junctions where a row meets a column.
EW_PITCH, NS_PITCH = 300, 250


def row_y(e):
    return 2300 + e * (SEG + 1) * NS_PITCH


def column_x(n):
    return 2400 + n * (SEG + 1) * EW_PITCH


class Net:
    def __init__(self):
        self.cells = []    # dicts in export order
        self.by_id = {}
        self.next_id = 1

    def add(self, street, typ, x, y, lanes=2, speed=36, turn=1.0):
        cid = self.next_id
        self.next_id += 1
        cell = dict(id=cid, street=street, typ=typ, lanes=lanes, speed=speed, turn=turn,
                    frm=[], to=[], splits=None, prio=0, sig=0, x=x, y=y)
        self.cells.append(cell)
        self.by_id[cid] = cell
        return cell

    def link(self, a, b):
        a["to"].append(b["id"])
        b["frm"].append(a["id"])

    def name(self, cid):
        c = self.by_id[cid]
        return "%d-%s-%d" % (c["street"], c["typ"], cid)


def build():
    net = Net()
    movements = {}     # junction -> list of (movement id, stage flags)
    junction_of = {}   # (ew, ns) -> junction number
    j = 0
    for e in range(EW):
        for n in range(NS):
            j += 1
            junction_of[(e, n)] = j
    pocket_at = {(e, n) for e in range(EW) for n in range(NS) if (e + n) % 2 == 0}

    def mid(j, m):
        return 4 * j + m  # editor movement IDs: gaps between junctions

    ew_stop = {}
    ns_after = {}
    ns_stop = {}
    pockets = {}
    # East-west streets 1..4.
    for e in range(EW):
        street = e + 1
        y = row_y(e)
        prev = net.add(street, "OR", column_x(0) - (SEG + 1) * EW_PITCH, y)
        for n in range(NS):
            jn = junction_of[(e, n)]
            seg = []
            for k in range(SEG):
                typ = "DI" if (e, n) in pocket_at and k == 2 else "TR"
                c = net.add(street, typ, column_x(n) - (SEG - k) * EW_PITCH, y)
                net.link(prev, c)
                seg.append(c)
                prev = c
            seg[-1]["sig"] = mid(jn, 1)
            ew_stop[(e, n)] = seg[-1]
            if (e, n) in pocket_at:
                div = seg[2]
                # The pocket runs beside the row, below it, up to the junction.
                p = [net.add(street, "TR", column_x(n) - (3 - i) * EW_PITCH, y + 350,
                             lanes=1, speed=30) for i in range(3)]
                net.link(div, p[0])
                net.link(p[0], p[1])
                net.link(p[1], p[2])
                div["splits"] = (0.8, 0.2)
                p[2]["sig"] = mid(jn, 2)
                p[2]["typ"] = "MB"
                pockets[(e, n)] = p
        for i in range(2):
            c = net.add(street, "TR", column_x(NS - 1) + (i + 1) * EW_PITCH, y)
            net.link(prev, c)
            prev = c
        dest = net.add(street, "DE", column_x(NS - 1) + 3 * EW_PITCH, y)
        net.link(prev, dest)
    # North-south streets 5..7.
    for n in range(NS):
        street = EW + n + 1
        x = column_x(n)
        prev = net.add(street, "OR", x, row_y(0) - (SEG + 1) * NS_PITCH, lanes=2, speed=30)
        for e in range(EW):
            jn = junction_of[(e, n)]
            seg = []
            for k in range(SEG):
                c = net.add(street, "TR", x, row_y(e) - (SEG - k) * NS_PITCH, lanes=2, speed=30,
                            turn=0.9 if k == SEG - 1 else 1.0)
                if e > 0 and k == 0 and (e - 1, n) in pocket_at:
                    net.link(pockets[(e - 1, n)][2], c)  # the left turn joins here
                    net.link(prev, c)
                    prev["typ"] = "MB"
                    c["frm"].reverse()  # the through cell first
                else:
                    net.link(prev, c)
                seg.append(c)
                prev = c
            seg[-1]["sig"] = mid(jn, 3)
            ns_stop[(e, n)] = seg[-1]
        tail = net.add(street, "TR", x, row_y(EW - 1) + NS_PITCH, lanes=2, speed=30)
        if (EW - 1, n) in pocket_at:
            net.link(pockets[(EW - 1, n)][2], tail)
            net.link(prev, tail)
            prev["typ"] = "MB"
            tail["frm"].reverse()
        else:
            net.link(prev, tail)
        tail2 = net.add(street, "TR", x, row_y(EW - 1) + 2 * NS_PITCH, lanes=2, speed=30)
        net.link(tail, tail2)
        dest = net.add(street, "DE", x, row_y(EW - 1) + 3 * NS_PITCH, lanes=2, speed=36)
        net.link(tail2, dest)
    # Merge priorities: the through cell keeps 0.7 of the merge, the turn 0.3.
    for c in net.cells:
        if c["typ"] == "MB":
            c["prio"] = 0.7
    for p in pockets.values():
        p[2]["prio"] = 0.3
    return net, junction_of, pocket_at, mid


def fmt(x):
    return ("%.6g" % x)


# Time-space plots of the first east-west and the first north-south street, 0 to 600 s.
PLOT_GROUPS = [(1, "Y"), (EW + 1, "N")]
PLOT_END = 600


def stage_times(junction_of, pocket_at):
    """Per junction: through, left-turn pocket and cross street, or through and cross."""
    return {jn: [35, 15, 40] if (e, n) in pocket_at else [45, 45]
            for (e, n), jn in junction_of.items()}


def approach_groups(net):
    """Cell IDs per approach: one per street, one for all the turn pockets, at most 50."""
    groups = {}
    for c in net.cells:
        key = "pocket" if c["lanes"] == 1 and c["street"] <= EW else c["street"]
        groups.setdefault(key, []).append(c["id"])
    for key in groups:
        groups[key] = groups[key][:50]
    return groups, [k for k in groups if k != "pocket"] + ["pocket"]


def real(x):
    """A real as the editor writes it: shortest form."""
    return repr(float(x)).rstrip("0").rstrip(".") if float(x) != int(x) else str(int(x))


def write_project(net, junction_of, pocket_at, mid):
    """grid.tin in the editor's project layout (fields separated by commas, lines CR LF)."""
    node_id = {jn: len(net.cells) + jn for jn in junction_of.values()}
    stages = stage_times(junction_of, pocket_at)
    # Links in an order that gives every cell its upstream cells in the input's order (the
    # through cell before the turn pocket at a merge); downstream orders follow from it.
    links = []
    for c in net.cells:
        for src in c["frm"]:
            a = net.by_id[src]
            if a["splits"]:
                share = a["splits"][a["to"].index(c["id"])]
            elif a["typ"] in ("ME", "MB"):
                share = a["prio"]
            else:
                share = 1
            # A link from a stop line crosses the junction of its signal.
            through = node_id[a["sig"] // 4] if a["sig"] else 0
            links.append((src, c["id"], through, share))
    out = []
    add = lambda *fields: out.append(",".join(str(f) for f in fields))
    true, false = "#TRUE#", "#FALSE#"
    add(0.5, false, 150, 1800, 1, END, 0, END, PHASE_CYCLE, true, CYCLE)
    add(150, 10, 4, 10, 20, 5, 0.05, 5, false, 1, 1)
    add(len(net.cells), len(net.cells) + len(junction_of))
    for c in net.cells:
        interval = []
        if c["typ"] == "OR":
            interval = [900 if c["street"] <= EW else 450, 0, 3000]
        add(c["id"], c["x"], c["y"], c["lanes"], 1 if c["street"] <= EW else 2, c["speed"],
            false, 0, real(c["turn"]), 1, c["sig"], 1 if interval else 0, *interval, false)
    owner = [0] * 101
    for c in net.cells:
        if c["sig"]:
            owner[c["sig"]] = c["id"]
    add(*owner[1:])
    add(len(links), len(links))
    for i, (a, b, through, share) in enumerate(links, 1):
        add(i, a, b, through, real(share))
    add(len(junction_of))
    for (e, n), jn in sorted(junction_of.items(), key=lambda kv: kv[1]):
        times = stages[jn]
        add(node_id[jn], column_x(n), row_y(e), len(times), (jn * 17) % CYCLE)
        moves = [[mid(jn, 1)], [mid(jn, 2)], [mid(jn, 3)]] if len(times) == 3 else \
            [[mid(jn, 1)], [mid(jn, 3)]]
        for s, (time, stage_moves) in enumerate(zip(times, moves)):
            # The through stage of a pocket junction keeps its time; the rest are optimised.
            optimise = not (len(times) == 3 and s == 0)
            add(time, true if optimise else false, len(stage_moves))
            add(*stage_moves)
    names = EW_NAMES + NS_NAMES
    add(len(names))
    for street, name in enumerate(names, 1):
        cells = [c for c in net.cells if c["street"] == street]
        first = cells[0]
        if street <= EW:  # above the origin cell
            x, y = first["x"] - 54, first["y"] - 420
        else:  # right of the origin cell
            x, y = first["x"] + 250, first["y"] - 100
        add('"%s"' % name, x, y, len(cells))
        add(*[c["id"] for c in cells])
    groups, approach_keys = approach_groups(net)
    add(len(approach_keys))
    run = []
    for key in approach_keys:
        run += [len(groups[key])] + groups[key]
    run.append(len(PLOT_GROUPS))
    add(*run)
    run = []
    for street, flag in PLOT_GROUPS:
        run += [len(groups[street]), true if flag == "Y" else false, 0, PLOT_END] + groups[street]
    run += [1.5, 100]
    add(*run)
    with open("grid.tin", "w", newline="") as f:
        f.write("\r\n".join(out) + "\r\n")


def write(net, junction_of, pocket_at, mid):
    lines = []
    add = lines.append
    # An FGFC optimisation; no cell starts filled (the project cannot store a preload).
    add("Y"); add("1"); add("0.5"); add("150\t1800"); add("0")
    add("1\t%d" % END); add("0\t%d" % END)
    add("10"); add("20"); add("5"); add("0.05"); add("5"); add("N"); add("N")
    add(str(len(net.cells)))
    for c in net.cells:
        frm = [net.name(i) for i in c["frm"]] + ["0", "0"]
        to = [net.name(i) for i in c["to"]] + ["0", "0"]
        s1, s2 = ("%.2f" % c["splits"][0], "%.2f" % c["splits"][1]) if c["splits"] else ("0", "0")
        prio = "%.2f" % c["prio"] if c["typ"] in ("ME", "MB") else "0"
        add("\t".join([net.name(c["id"]), "0", fmt(c["lanes"]), fmt(c["turn"]), c["typ"],
                       frm[0], frm[1], to[0], to[1], s1, s2, prio,
                       "Y" if c["sig"] else "N", str(c["sig"]), fmt(c["speed"])]))
    origins = [c for c in net.cells if c["typ"] == "OR"]
    add(str(len(origins)))
    add("1")
    for c in origins:
        rate = 900 if c["street"] <= EW else 450
        add("%s\t%d\t0\t3000" % (net.name(c["id"]), rate))
    add(str(PHASE_CYCLE)); add("150"); add("10"); add("4"); add(str(CYCLE))
    junctions = sorted(set(junction_of.values()))
    stages = stage_times(junction_of, pocket_at)
    add(str(len(junctions)))
    for jn in junctions:
        add("\t".join(map(str, [jn, (jn * 17) % CYCLE, len(stages[jn])] + stages[jn])))
    add(str(len(junctions)))
    for jn in junctions:
        flags = [1, 0, 0] if len(stages[jn]) == 3 else [0, 0]
        add("\t".join(map(str, [jn, (jn * 17) % CYCLE, len(stages[jn])] + flags)))
    records = []
    for (e, n), jn in sorted(junction_of.items(), key=lambda kv: kv[1]):
        if (e, n) in pocket_at:
            records += [(mid(jn, 1), jn, "YNN"), (mid(jn, 2), jn, "NYN"), (mid(jn, 3), jn, "NNY")]
        else:
            records += [(mid(jn, 1), jn, "YN"), (mid(jn, 3), jn, "NY")]
    records.sort()
    add(str(len(records)))
    for k, jn, flags in records:
        add("\t".join([str(k), str(jn)] + list(flags)))
    groups, approach_keys = approach_groups(net)
    add("%d\t50" % len(approach_keys))
    for a, key in enumerate(approach_keys, 1):
        names = [net.name(i) for i in groups[key]]
        add("\t".join([str(a), "1"] + names + ["0"] * (50 - len(names))))
    add("%d\t50" % len(PLOT_GROUPS))
    for g, (street, flag) in enumerate(PLOT_GROUPS, 1):
        names = [net.name(i) for i in groups[street]]
        add("\t".join([str(g), "1", flag, "0", str(PLOT_END)] + names +
                       ["0"] * (50 - len(names))))
    with open("input.fin", "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")

    # plan.tpl as the editor writes it.
    plan = []
    start, end_step = 0, END
    for k, jn, flags in records:
        plan.append(str(k))
        st = stages[jn]
        offset = (jn * 17) % CYCLE
        stopped = [f != "Y" for f in flags]
        t_end = PHASE_CYCLE * sum(st) + start + offset
        t = offset + start
        plan.append("0\t%d" % t)
        first = True
        done = False
        for cyc in range(PHASE_CYCLE):
            for s in range(len(st)):
                if cyc == PHASE_CYCLE - 1 and s == len(st) - 1:
                    continue
                nxt = (s + 1) % len(st)
                if stopped[s] == stopped[nxt]:
                    t += st[s]
                    if t >= end_step:
                        plan.append("%d\t%d" % (0 if stopped[s] else 1, end_step))
                        plan.append("0\t10000")
                        done = True
                        break
                elif not stopped[s]:
                    t += st[s] - (2 if first else 4)
                    if t >= end_step:
                        plan += ["1\t%d" % end_step, "1\t10000"]
                        done = True
                        break
                    plan.append("1\t%d" % t)
                    first = False
                else:
                    t += st[s] + (2 if first else 4)
                    if t >= end_step:
                        plan += ["0\t%d" % end_step, "0\t10000"]
                        done = True
                        break
                    plan.append("0\t%d" % t)
                    first = False
            if done:
                break
        if not done:
            state = 0 if stopped[len(st) - 1] else 1
            if t_end >= end_step:
                plan.append("%d\t%d" % (state, end_step))
            else:
                plan.append("%d\t%d" % (state, t_end))
                plan.append("0\t%d" % end_step)
            plan.append("0\t10000")
    with open("plan.tpl", "w", newline="") as f:
        f.write("\r\n".join(plan) + "\r\n")
    return len(net.cells), len(records)


if __name__ == "__main__":
    network = build()
    write_project(*network)
    print("cells %d, signal records %d" % write(*network))
