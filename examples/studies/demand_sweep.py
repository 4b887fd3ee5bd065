#!/usr/bin/python3
"""Demand sweep of the arterial: TWD of the existing plan and of each optimised variant
for demand multipliers 0.6 .. 1.4, run on a Dask LocalCluster, plotted with matplotlib.

    PYTHONPATH=build/python examples/studies/demand_sweep.py [--workers 2] [--out docs/demand-sweep.png]
"""
import argparse
from pathlib import Path

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt

from talvo import batch

ROOT = Path(__file__).resolve().parents[2]
NAMES = {0: "existing plan", 1: "FGFC", 2: "VGFC", 3: "VGVC"}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scenario", default=str(ROOT / "examples" / "arterial"))
    parser.add_argument("--workers", type=int, default=2)
    parser.add_argument("--address", default=None, help="a Dask scheduler instead of a LocalCluster")
    parser.add_argument("--out", default=str(ROOT / "docs" / "demand-sweep.png"))
    args = parser.parse_args()

    demands = [round(0.6 + 0.05 * i, 2) for i in range(17)]
    rows = batch.sweep(args.scenario, demands, variants=list(NAMES),
                       address=args.address, workers=args.workers)

    fig, ax = plt.subplots(figsize=(7, 4.2), dpi=110)
    for variant, name in NAMES.items():
        points = sorted((r["vol_multiplier"], r["twd"] / 3600) for r in rows if r["variant"] == variant)
        ax.plot([d for d, _ in points], [t for _, t in points], marker="o", markersize=3, label=name)
    ax.set_xlabel("demand (volume multiplier)")
    ax.set_ylabel("total weighted delay (veh-h)")
    ax.set_title("Arterial: delay against demand")
    ax.grid(alpha=0.3)
    ax.legend()
    fig.tight_layout()
    fig.savefig(args.out)
    print(f"wrote {args.out}")
    for r in rows:
        print(f"{NAMES[r['variant']]:>14}  {r['vol_multiplier']:.2f}  {r['twd']:.1f}")


if __name__ == "__main__":
    main()
