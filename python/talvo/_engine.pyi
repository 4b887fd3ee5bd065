"""Type stubs of the engine binding (talvo._engine)."""
from typing import Callable, Dict, List, Optional, Sequence, Tuple

import numpy as np
import numpy.typing as npt

class InputError(ValueError): ...
class Cancelled(RuntimeError): ...

class Cell:
    name: str
    type: str
    lanes: float
    max_flow: float
    holding_capacity: float
    from1: int
    from2: int
    to1: int
    to2: int
    signal: int

class Group:
    weight: float
    cells: List[int]

class Plan:
    cycle: int
    offsets: List[int]
    stage_times: List[List[int]]
    sequences: List[List[Tuple[int, int]]]
    @property
    def is_sequences(self) -> bool: ...
    def __init__(self, cycle: int = ..., offsets: List[int] = ...,
                 stage_times: List[List[int]] = ...) -> None: ...
    @staticmethod
    def read(scenario: Scenario, path: str) -> Plan: ...
    def text(self, scenario: Scenario) -> bytes: ...

class Progress:
    stage: int
    generation: int
    worst_twd: float
    generation_best: float
    best_twd: float

class Delays:
    twd: float
    approach_delays: List[float]

class RunResult:
    twd: float
    run_directory: str
    console: str

class Scenario:
    def __init__(self, directory: str) -> None: ...
    @staticmethod
    def from_text(scenario_text: str, plan_text: str = "", directory: str = "") -> Scenario: ...
    def with_vol_multiplier(self, multiplier: float) -> Scenario: ...
    def with_variant(self, variant: int) -> Scenario: ...
    scenario_text: str
    plan_text: str
    directory: str
    num_cells: int
    num_intersections: int
    end_time: int
    time_step: int
    parameters: Dict[str, float]
    cells: List[Cell]
    approaches: List[Group]
    plot_groups: List[Group]
    signal_records: List[int]
    def existing_plan(self) -> Plan: ...
    def plan_file(self) -> Plan: ...
    def write_run(self, run_directory: str = "") -> RunResult: ...

class Simulation:
    def __init__(self, scenario: Scenario, plan: Optional[Plan] = None) -> None: ...
    def reset(self) -> None: ...
    def step(self) -> None: ...
    def run(self) -> float: ...
    finished: bool
    time: int
    step_index: int
    step_count: int
    occupancy: npt.NDArray[np.float32]
    outflow: npt.NDArray[np.float32]
    signal_states: npt.NDArray[np.float32]
    def set_green(self, record: int, state: int) -> None: ...
    def delays(self) -> Delays: ...

def evaluate(scenario: Scenario, plans: Sequence[Plan], lanes: Optional[int] = None) -> List[Delays]:
    """TWD and approach delays of every plan through the lanes evaluator, at most `lanes`
    plans per batch (1 one at a time, 0 the widest; None: as TALVO_LANES asks, unset the
    widest). The results are the same for any width."""
    ...
def optimise(scenario: Scenario, variant: int = 3, threads: int = 0,
             callback: Optional[Callable[[Progress], Optional[bool]]] = None,
             run_directory: str = "", refine: bool = False,
             lanes: Optional[int] = None, seed: Optional[int] = None) -> RunResult:
    """Runs the GA for variant 1 (FGFC), 2 (VGFC) or 3 (VGVC) as the command line does,
    writing its files; callback(progress) after every generation, False cancels; `lanes`
    the lane width of its evaluations, as for evaluate(); `seed` the GA's first random
    state (1..2147483646; None: the engine's own 1, as the command line runs)."""
    ...
