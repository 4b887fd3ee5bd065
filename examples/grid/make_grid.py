#!/usr/bin/env python3
"""Writes input.fin and plan.tpl of the grid example, in the editor's export layout.

Four east-west arterials cross three north-south streets at twelve signalised junctions.
At six junctions the east-west approach diverges into a left-turn pocket whose stop line
merges, beside the north-south stop line, into the cross street. Run once; the files are
committed, nothing runs this at build time.
"""

EW, NS = 4, 3          # streets
SEG = 6                # cells per approach between junctions (last one is the stop line)
CYCLE, PHASE_CYCLE = 90, 40
END = 3600


class Net:
    def __init__(self):
        self.cells = []    # dicts in export order
        self.by_id = {}
        self.next_id = 1

    def add(self, street, typ, lanes=2, speed=36, turn=1.0):
        cid = self.next_id
        self.next_id += 1
        cell = dict(id=cid, street=street, typ=typ, lanes=lanes, speed=speed, turn=turn,
                    frm=[], to=[], splits=None, prio=0, sig=0)
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
        prev = net.add(street, "OR")
        for n in range(NS):
            jn = junction_of[(e, n)]
            seg = []
            for k in range(SEG):
                typ = "DI" if (e, n) in pocket_at and k == 2 else "TR"
                c = net.add(street, typ)
                net.link(prev, c)
                seg.append(c)
                prev = c
            seg[-1]["sig"] = mid(jn, 1)
            ew_stop[(e, n)] = seg[-1]
            if (e, n) in pocket_at:
                div = seg[2]
                p = [net.add(street, "TR", lanes=1, speed=30) for _ in range(3)]
                net.link(div, p[0])
                net.link(p[0], p[1])
                net.link(p[1], p[2])
                div["splits"] = (0.8, 0.2)
                p[2]["sig"] = mid(jn, 2)
                p[2]["typ"] = "MB"
                pockets[(e, n)] = p
        for _ in range(2):
            c = net.add(street, "TR")
            net.link(prev, c)
            prev = c
        dest = net.add(street, "DE")
        net.link(prev, dest)
    # North-south streets 5..7.
    for n in range(NS):
        street = EW + n + 1
        prev = net.add(street, "OR", lanes=2, speed=30)
        for e in range(EW):
            jn = junction_of[(e, n)]
            seg = []
            for k in range(SEG):
                c = net.add(street, "TR", lanes=2, speed=30, turn=0.9 if k == SEG - 1 else 1.0)
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
        tail = net.add(street, "TR", lanes=2, speed=30)
        if (EW - 1, n) in pocket_at:
            net.link(pockets[(EW - 1, n)][2], tail)
            net.link(prev, tail)
            prev["typ"] = "MB"
            tail["frm"].reverse()
        else:
            net.link(prev, tail)
        tail2 = net.add(street, "TR", lanes=2, speed=30)
        net.link(tail, tail2)
        dest = net.add(street, "DE", lanes=2, speed=36)
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


def write(net, junction_of, pocket_at, mid):
    lines = []
    add = lines.append
    add("N"); add("1"); add("0.5"); add("150\t1800"); add("10")
    add("1\t%d" % END); add("0\t%d" % END)
    add("10"); add("20"); add("5"); add("0.05"); add("5"); add("N"); add("N")
    add(str(len(net.cells)))
    for c in net.cells:
        frm = [net.name(i) for i in c["frm"]] + ["0", "0"]
        to = [net.name(i) for i in c["to"]] + ["0", "0"]
        s1, s2 = ("%.2f" % c["splits"][0], "%.2f" % c["splits"][1]) if c["splits"] else ("0", "0")
        prio = "%.2f" % c["prio"] if c["typ"] in ("ME", "MB") else "0"
        add("\t".join([net.name(c["id"]), "10", fmt(c["lanes"]), fmt(c["turn"]), c["typ"],
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
    stages = {}
    for (e, n), jn in junction_of.items():
        stages[jn] = [35, 15, 40] if (e, n) in pocket_at else [45, 45]
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
    # Approaches: one per street, one for the turn pockets.
    groups = {}
    for c in net.cells:
        key = "pocket" if c["lanes"] == 1 and c["street"] <= EW else c["street"]
        groups.setdefault(key, []).append(net.name(c["id"]))
    approach_keys = [k for k in groups if k != "pocket"] + ["pocket"]
    add("%d\t50" % len(approach_keys))
    for a, key in enumerate(approach_keys, 1):
        names = groups[key][:50]
        add("\t".join([str(a), "1"] + names + ["0"] * (50 - len(names))))
    add("2\t50")
    for g, (street, flag) in enumerate([(1, "Y"), (EW + 1, "N")], 1):
        names = groups[street][:50]
        add("\t".join([str(g), "1", flag, "0", "600"] + names + ["0"] * (50 - len(names))))
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
    print("cells %d, signal records %d" % write(*build()))
