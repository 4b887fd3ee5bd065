#!/usr/bin/env python3
"""Writes the district example: its project district.tin, and input.fin and plan.tpl as the
editor exports that project.

Eight east-west streets cross eight north-south streets at 64 signalised junctions, about
2,000 cells of 10 to 14 m. Streets alternate in direction, so that origins lie on every
edge of the district. Junctions have two stages (through, cross), three (through, left-turn
pocket, cross) or four (a leading through-and-left stage as well); each pocket merges,
beside the cross street's stop line, into the cross street. An hour of demand. The project
asks for an FGFC optimisation with a small population and few generations, so that every
variant completes in a short time. Run once; the files are committed, nothing runs this at
build time.
"""

EW, NS = 8, 8          # streets
SEG = 14               # cells per approach between junctions (last one is the stop line)
CYCLE, PHASE_CYCLE = 90, 41
END = 3600
EW_NAMES = ["%s Avenue" % n for n in ("Ash", "Birch", "Cedar", "Elm", "Fir", "Holly",
                                      "Larch", "Maple")]
NS_NAMES = ["%s Street" % n for n in ("First", "Second", "Third", "Fourth", "Fifth", "Sixth",
                                      "Seventh", "Eighth")]

# Map layout in twips: cells 300 apart along a row, 250 down a column.
EW_PITCH, NS_PITCH = 300, 250


def row_y(e):
    return 2300 + e * (SEG + 1) * NS_PITCH


def column_x(n):
    return 2400 + n * (SEG + 1) * EW_PITCH


def eastbound(e):
    return e % 2 == 0


def southbound(n):
    return n % 2 == 0


def stage_count(e, n):
    return 2 + (e + n) % 3


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


def mid(j, m):
    return 4 * j + m  # editor movement IDs: 1 through, 2 left-turn pocket, 3 cross street


def build():
    net = Net()
    junction_of = {}
    j = 0
    for e in range(EW):
        for n in range(NS):
            j += 1
            junction_of[(e, n)] = j
    pocket_at = {(e, n) for (e, n) in junction_of if stage_count(e, n) > 2}
    pockets = {}
    for e in range(EW):
        street = e + 1
        y = row_y(e)
        d = 1 if eastbound(e) else -1
        order = list(range(NS)) if d == 1 else list(range(NS - 1, -1, -1))
        prev = net.add(street, "OR", column_x(order[0]) - d * (SEG + 1) * EW_PITCH, y)
        for n in order:
            jn = junction_of[(e, n)]
            seg = []
            for k in range(SEG):
                typ = "DI" if (e, n) in pocket_at and k == SEG - 4 else "TR"
                c = net.add(street, typ, column_x(n) - d * (SEG - k) * EW_PITCH, y)
                net.link(prev, c)
                seg.append(c)
                prev = c
            seg[-1]["sig"] = mid(jn, 1)
            if (e, n) in pocket_at:
                div = seg[SEG - 4]
                p = [net.add(street, "TR", column_x(n) - d * (3 - i) * EW_PITCH, y + d * 350,
                             lanes=1, speed=30) for i in range(3)]
                net.link(div, p[0])
                net.link(p[0], p[1])
                net.link(p[1], p[2])
                div["splits"] = (0.8, 0.2)
                p[2]["sig"] = mid(jn, 2)
                p[2]["typ"] = "MB"
                pockets[(e, n)] = p
        for i in range(2):
            c = net.add(street, "TR", column_x(order[-1]) + d * (i + 1) * EW_PITCH, y)
            net.link(prev, c)
            prev = c
        dest = net.add(street, "DE", column_x(order[-1]) + d * 3 * EW_PITCH, y)
        net.link(prev, dest)
    for n in range(NS):
        street = EW + n + 1
        x = column_x(n)
        d = 1 if southbound(n) else -1
        order = list(range(EW)) if d == 1 else list(range(EW - 1, -1, -1))
        prev = net.add(street, "OR", x, row_y(order[0]) - d * (SEG + 1) * NS_PITCH, speed=30)
        joining = None  # the pocket of the junction just passed joins the next cell
        for e in order:
            jn = junction_of[(e, n)]
            for k in range(SEG):
                c = net.add(street, "TR", x, row_y(e) - d * (SEG - k) * NS_PITCH, speed=30,
                            turn=0.9 if k == SEG - 1 else 1.0)
                if k == 0 and joining is not None:
                    net.link(prev, c)
                    net.link(joining, c)
                    prev["typ"] = "MB"
                    joining = None
                else:
                    net.link(prev, c)
                prev = c
            prev["sig"] = mid(jn, 3)
            joining = pockets[(e, n)][2] if (e, n) in pocket_at else None
        for i in range(2):
            c = net.add(street, "TR", x, row_y(order[-1]) + d * (i + 1) * NS_PITCH, speed=30)
            if joining is not None:
                net.link(prev, c)
                net.link(joining, c)
                prev["typ"] = "MB"
                joining = None
            else:
                net.link(prev, c)
            prev = c
        dest = net.add(street, "DE", x, row_y(order[-1]) + d * 3 * NS_PITCH, speed=36)
        net.link(prev, dest)
    # Merge priorities: the through cell keeps 0.7 of the merge, the turn 0.3.
    for c in net.cells:
        if c["typ"] == "MB":
            c["prio"] = 0.7
    for p in pockets.values():
        p[2]["prio"] = 0.3
    return net, junction_of, pocket_at


def fmt(x):
    return "%.6g" % x


# Time-space plots of the first east-west and the first north-south street, the whole hour.
PLOT_GROUPS = [(1, "Y"), (EW + 1, "N")]
PLOT_END = END

STAGES = {2: [45, 45], 3: [35, 15, 40], 4: [25, 10, 40, 15]}
# Stage greens of movements 1 (through), 2 (pocket), 3 (cross street).
GREENS = {2: ["YN", "", "NY"], 3: ["YNN", "NYN", "NNY"], 4: ["YNNY", "NYNY", "NNYN"]}
FIXED = {2: [0, 0], 3: [1, 0, 0], 4: [1, 0, 0, 0]}


def offset(jn):
    return (jn * 17) % CYCLE


def approach_groups(net):
    """Cell IDs per approach: one per street and one for all the turn pockets."""
    groups = {}
    for c in net.cells:
        key = "pocket" if c["lanes"] == 1 and c["street"] <= EW else c["street"]
        groups.setdefault(key, []).append(c["id"])
    return groups, [k for k in groups if k != "pocket"] + ["pocket"]


def real(x):
    """A real as the editor writes it: shortest form."""
    return repr(float(x)).rstrip("0").rstrip(".") if float(x) != int(x) else str(int(x))


def records_of(junction_of):
    records = []
    for (e, n), jn in junction_of.items():
        count = stage_count(e, n)
        for m in (1, 2, 3):
            if GREENS[count][m - 1]:
                records.append((mid(jn, m), jn, GREENS[count][m - 1]))
    return sorted(records)


def write_project(net, junction_of, pocket_at):
    """district.tin in the editor's project layout (fields separated by commas, CR LF)."""
    node_id = {jn: len(net.cells) + jn for jn in junction_of.values()}
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
            through = node_id[a["sig"] // 4] if a["sig"] else 0
            links.append((src, c["id"], through, share))
    out = []
    add = lambda *fields: out.append(",".join(str(f) for f in fields))
    true, false = "#TRUE#", "#FALSE#"
    add(0.5, false, 150, 1800, 1, END, 0, END, PHASE_CYCLE, true, CYCLE)
    add(150, 10, 4, 10, 5, 3, 0.05, 5, false, 1, 1)
    add(len(net.cells), len(net.cells) + len(junction_of))
    for c in net.cells:
        interval = []
        if c["typ"] == "OR":
            interval = [600 if c["street"] <= EW else 300, 0, END]
        add(c["id"], c["x"], c["y"], c["lanes"], 1 if c["street"] <= EW else 2, c["speed"],
            false, 0, real(c["turn"]), 1, c["sig"], 1 if interval else 0, *interval, false)
    owner = [0] * (max(c["sig"] for c in net.cells) + 1)
    for c in net.cells:
        if c["sig"]:
            owner[c["sig"]] = c["id"]
    add(*owner[1:])
    add(len(links), len(links))
    for i, (a, b, through, share) in enumerate(links, 1):
        add(i, a, b, through, real(share))
    add(len(junction_of))
    for (e, n), jn in sorted(junction_of.items(), key=lambda kv: kv[1]):
        count = stage_count(e, n)
        add(node_id[jn], column_x(n), row_y(e), count, offset(jn))
        for s, time in enumerate(STAGES[count]):
            moves = [mid(jn, m) for m in (1, 2, 3)
                     if GREENS[count][m - 1] and GREENS[count][m - 1][s] == "Y"]
            add(time, false if FIXED[count][s] else true, len(moves))
            add(*moves)
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
    with open("district.tin", "w", newline="") as f:
        f.write("\r\n".join(out) + "\r\n")


def plan_lines(k, stages, flags):
    """One record of plan.tpl as the editor writes it: the existing plan's switching."""
    lines = [str(k)]
    stopped = [f != "Y" for f in flags]
    jn = k // 4
    t = offset(jn)
    lines.append("0\t%d" % t)
    first = True
    for cyc in range(PHASE_CYCLE):
        for s in range(len(stages)):
            if cyc == PHASE_CYCLE - 1 and s == len(stages) - 1:
                continue
            nxt = (s + 1) % len(stages)
            if stopped[s] == stopped[nxt]:
                t += stages[s]
            elif not stopped[s]:
                t += stages[s] - (2 if first else 4)
                first = False
                if t < END:
                    lines.append("1\t%d" % t)
                else:  # cut while green: the closing entry stays green
                    lines.append("1\t%d" % END)
                    lines.append("1\t10000")
                    return lines
            else:
                t += stages[s] + (2 if first else 4)
                first = False
                if t < END:
                    lines.append("0\t%d" % t)
            if t >= END:
                lines.append("%d\t%d" % (0 if stopped[s] else 1, END))
                lines.append("0\t10000")
                return lines
    lines.append("%d\t%d" % (0 if stopped[-1] else 1, END))
    lines.append("0\t10000")
    return lines


def write(net, junction_of, pocket_at):
    lines = []
    add = lines.append
    # An FGFC optimisation with a small search; no cell starts filled.
    add("Y"); add("1"); add("0.5"); add("150\t1800"); add("0")
    add("1\t%d" % END); add("0\t%d" % END)
    add("10"); add("5"); add("3"); add("0.05"); add("5"); add("N"); add("N")
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
        rate = 600 if c["street"] <= EW else 300
        add("%s\t%d\t0\t%d" % (net.name(c["id"]), rate, END))
    add(str(PHASE_CYCLE)); add("150"); add("10"); add("4"); add(str(CYCLE))
    junctions = sorted(junction_of.items(), key=lambda kv: kv[1])
    add(str(len(junctions)))
    for (e, n), jn in junctions:
        st = STAGES[stage_count(e, n)]
        add("\t".join(map(str, [jn, offset(jn), len(st)] + st)))
    add(str(len(junctions)))
    for (e, n), jn in junctions:
        count = stage_count(e, n)
        add("\t".join(map(str, [jn, offset(jn), count] + FIXED[count])))
    records = records_of(junction_of)
    add(str(len(records)))
    for k, jn, flags in records:
        add("\t".join([str(k), str(jn)] + list(flags)))
    groups, approach_keys = approach_groups(net)
    width = max(len(g) for g in groups.values())
    add("%d\t%d" % (len(approach_keys), width))
    for a, key in enumerate(approach_keys, 1):
        names = [net.name(i) for i in groups[key]]
        add("\t".join([str(a), "1"] + names + ["0"] * (width - len(names))))
    add("%d\t%d" % (len(PLOT_GROUPS), width))
    for g, (street, flag) in enumerate(PLOT_GROUPS, 1):
        names = [net.name(i) for i in groups[street]]
        add("\t".join([str(g), "1", flag, "0", str(PLOT_END)] + names +
                       ["0"] * (width - len(names))))
    with open("input.fin", "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")

    stage_of = {jn: STAGES[stage_count(e, n)] for (e, n), jn in junction_of.items()}
    plan = []
    for k, jn, flags in records:
        plan += plan_lines(k, stage_of[jn], flags)
    with open("plan.tpl", "w", newline="") as f:
        f.write("\r\n".join(plan) + "\r\n")
    return len(net.cells), len(junction_of), len(records)


if __name__ == "__main__":
    network = build()
    write_project(*network)
    print("cells %d, junctions %d, signal records %d" % write(*network))
