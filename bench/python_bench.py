#!/usr/bin/python3
"""Benchmarks of the Python module against the C++ engine, ratios taken in the same run.

    PYTHONPATH=build/python bench/python_bench.py [--cxx-bench build/bin/talvo_bench]

1. evaluate() of 1,000 plans on the grid from Python against the C++ lanes benchmark
   (BM_Evaluators/grid, widest kernel): lane cell-steps per second of each.
2. step + reading one occupancy on the arterial (28 cells): calls per second.
3. two simulations in two Python threads against one after the other: wall time ratio.
4. the demand sweep (17 demands x 4 plans) on a 2-worker LocalCluster against serial.
"""
import argparse
import json
import os
import random
import subprocess
import threading
import time
from pathlib import Path

import talvo
from talvo import batch

ROOT = Path(__file__).resolve().parents[1]


def random_plans(scenario, count, seed=7):
    rng = random.Random(seed)
    base = scenario.existing_plan()
    plans = []
    for _ in range(count):
        stages = [[10 + rng.randrange(40) for _ in node] for node in base.stage_times]
        plans.append(talvo.Plan(base.cycle, [rng.randrange(128) for _ in base.offsets], stages))
    return plans


def bench_evaluate(cxx_bench):
    grid = talvo.Scenario(str(ROOT / "examples" / "grid"))
    p = grid.parameters
    steps = int(p["endStep"] // p["timeStep"]) + 1
    plans = random_plans(grid, 1000)
    talvo.evaluate(grid, plans[:16])
    best = float("inf")
    for _ in range(3):
        # Thread CPU time, as the C++ benchmark counts it (the machine is shared).
        start = time.thread_time()
        talvo.evaluate(grid, plans)
        best = min(best, time.thread_time() - start)
    py_rate = grid.num_cells * steps * len(plans) / best
    out = subprocess.run([cxx_bench, "--benchmark_filter=BM_Evaluators/grid/0$",
                          "--benchmark_format=json"], check=True, capture_output=True, text=True)
    cxx_rate = json.loads(out.stdout)["benchmarks"][0]["lanes cell-steps/s"]
    print(f"1. evaluate 1000 plans, grid ({grid.num_cells} cells x {steps} steps): Python "
          f"{py_rate:.3e} cell-steps/s, C++ lanes benchmark {cxx_rate:.3e}, ratio {py_rate / cxx_rate:.3f}")


def bench_step():
    arterial = talvo.Scenario(str(ROOT / "examples" / "arterial"))
    sim = talvo.Simulation(arterial)
    occupancy = sim.occupancy
    step = sim.step
    count = sim.step_count
    calls = 0
    total = 0.0
    start, cpu = time.perf_counter(), time.process_time()
    for _ in range(300):
        for _ in range(count):
            step()
            total += occupancy[5]
        calls += count
        sim.reset()
    seconds, cpu = time.perf_counter() - start, time.process_time() - cpu
    print(f"2. step + one occupancy, arterial ({arterial.num_cells} cells): "
          f"{calls / seconds:.3e} calls/s wall, {calls / cpu:.3e} calls per CPU second")


def bench_threads():
    grid = talvo.Scenario(str(ROOT / "examples" / "grid"))
    heavier = grid.with_variant(1).with_vol_multiplier(1.2)
    repeats = 40

    def work(scenario, out, i):
        sim = talvo.Simulation(scenario)
        for _ in range(repeats):
            sim.reset()
            out[i] = sim.run()
    serial = [None, None]
    start = time.perf_counter()
    work(grid, serial, 0)
    work(heavier, serial, 1)
    serial_s = time.perf_counter() - start
    parallel = [None, None]
    threads = [threading.Thread(target=work, args=(s, parallel, i)) for i, s in enumerate((grid, heavier))]
    start = time.perf_counter()
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    parallel_s = time.perf_counter() - start
    print(f"3. two simulations x{repeats} runs: serial {serial_s:.3f} s, two threads {parallel_s:.3f} s, "
          f"ratio {parallel_s / serial_s:.2f}, same results {parallel == serial}")


def bench_sweep(repeats):
    demands = [round(0.6 + 0.05 * i, 2) for i in range(17)]
    tasks = batch.sweep_tasks(str(ROOT / "examples" / "arterial"), demands, [0, 1, 2, 3])
    start = time.perf_counter()
    rows = batch.run(tasks, workers=2, progress=False)
    cold_s = time.perf_counter() - start
    from distributed import Client, LocalCluster
    with LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as cluster, \
            Client(cluster) as client:
        batch.run(tasks[:2], client=client, progress=False)  # workers import talvo
        for _ in range(repeats):
            start, cpu = time.perf_counter(), time.process_time()
            serial = batch.run_serial(tasks)
            serial_s, serial_cpu = time.perf_counter() - start, time.process_time() - cpu
            workers_cpu = client.run(time.process_time)
            start, cpu = time.perf_counter(), time.process_time()
            warm = batch.run(tasks, client=client, progress=False)
            warm_s, here_cpu = time.perf_counter() - start, time.process_time() - cpu
            spent = [after - workers_cpu[w] for w, after in client.run(time.process_time).items()]
            # On a busy machine the wall ratio shows the others' load; the CPU view is what
            # two free cores would give: the serial CPU time over the busier worker's.
            print(f"4. demand sweep 17x4: serial {serial_s:.2f} s; 2-worker LocalCluster {cold_s:.2f} s "
                  f"with its start ({serial_s / cold_s:.2f}x), {warm_s:.2f} s started "
                  f"({serial_s / warm_s:.2f}x); CPU s: serial {serial_cpu:.2f}, workers "
                  f"{' + '.join(f'{c:.2f}' for c in spent)}, client and scheduler {here_cpu:.2f} "
                  f"({serial_cpu / max(spent):.2f}x); equal {rows == serial and warm == serial}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cxx-bench", default=str(ROOT / "build" / "bin" / "talvo_bench"))
    parser.add_argument("--sweep-repeats", type=int, default=3)
    parser.add_argument("--only-sweep", action="store_true", help="run the demand sweep alone")
    args = parser.parse_args()
    print(f"load average {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores")
    if not args.only_sweep:
        bench_evaluate(args.cxx_bench)
        bench_step()
        bench_threads()
    bench_sweep(args.sweep_repeats)
    print(f"load average {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
