"""TALVO: CTM simulation and GA signal-timing optimisation of signalised networks.

    import talvo
    s = talvo.Scenario("examples/arterial")
    print(talvo.evaluate(s, [s.existing_plan()])[0].twd)
"""
from ._engine import (Cancelled, Cell, Delays, Group, InputError, Plan, Progress,
                      RunResult, Scenario, Simulation, evaluate, optimise)

# Run choices by name: the existing plan and the three optimised variants.
VARIANTS = {"exist": 0, "FGFC": 1, "VGFC": 2, "VGVC": 3}

__all__ = ["Cancelled", "Cell", "Delays", "Group", "InputError", "Plan", "Progress",
           "RunResult", "Scenario", "Simulation", "evaluate", "optimise", "VARIANTS"]
