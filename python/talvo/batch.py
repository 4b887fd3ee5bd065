"""Batch studies on Dask distributed: many runs, each exactly as it would run alone.

    from talvo import batch
    rows = batch.sweep("examples/arterial", demands=[0.8, 1.0, 1.2], variants=[0, 3])

A LocalCluster of `workers` processes is started when no scheduler address is given; each
task runs in one worker with one engine thread, so results do not depend on the cluster.
"""
import shutil
from dataclasses import asdict, dataclass, replace
from typing import Dict, Iterable, List, Optional, Sequence, Tuple

from . import _engine


@dataclass(frozen=True)
class Task:
    """One run: a run directory or scenario text, with optional variations."""
    scenario_text: str
    plan_text: str = ""
    directory: str = ""
    variant: Optional[int] = None         # None: the scenario's own choice; 0 existing plan
    vol_multiplier: Optional[float] = None
    seed: Optional[int] = None            # the GA's first random state; None the engine's own


def task_for(directory: str, variant=None, vol_multiplier=None, seed=None) -> Task:
    """A task reading input.fin and plan.tpl of `directory` now (workers need no files)."""
    s = _engine.Scenario(directory)
    return Task(s.scenario_text, s.plan_text, s.directory, variant, vol_multiplier, seed)


def run_task(task: Task) -> dict:
    """Runs one task here and returns its row (variant, vol_multiplier, twd)."""
    model = _engine.Scenario.from_text(task.scenario_text, task.plan_text, task.directory)
    return _run_on(model, task)


def _run_on(model, task: Task) -> dict:
    """The row of `task` on `model`, its scenario already read."""
    variant = task.variant
    if variant is None:
        variant = int(model.parameters["controlStrategy"]) if model.parameters["optimizationOn"] else 0
    if variant == 0:
        # The engine applies volMultiplier to the demand of optimisation runs only; the
        # existing plan at another demand is evaluated on the scenario read as one.
        if task.vol_multiplier is not None:
            model = model.with_variant(1).with_vol_multiplier(task.vol_multiplier)
        twd = _engine.evaluate(model, [model.existing_plan()])[0].twd
    else:
        if task.vol_multiplier is not None:
            model = model.with_variant(variant).with_vol_multiplier(task.vol_multiplier)
        result = _engine.optimise(model, variant=variant, threads=1, seed=task.seed)
        twd = result.twd
        shutil.rmtree(result.run_directory, ignore_errors=True)
    row = asdict(task)
    del row["scenario_text"], row["plan_text"]
    row.update(variant=variant, vol_multiplier=model.parameters["volMultiplier"]
               if task.vol_multiplier is not None else task.vol_multiplier, twd=float(twd))
    return row


def _run_chunk(texts: Tuple[str, str, str], variations: List[Task]) -> List[dict]:
    """The rows of tasks sharing one scenario, which is read once for them all."""
    model = _engine.Scenario.from_text(*texts)
    return [_run_on(model, task) for task in variations]


def _chunks(indices: List[int], count: int) -> List[List[int]]:
    """`indices` cut into at most `count` runs of neighbours: a sweep lists each demand's
    variants together, so a chunk mixes short and long runs, and the scheduler gives the
    next chunk to whichever worker is free."""
    count = max(1, min(count, len(indices)))
    size, extra = divmod(len(indices), count)
    chunks, start = [], 0
    for i in range(count):
        end = start + size + (i < extra)
        chunks.append(indices[start:end])
        start = end
    return chunks


def _submit(client, tasks: List[Task], chunks_per_worker: int):
    """Futures of chunked runs and the task indices of each. Every scenario's texts go to
    the workers once; the tasks carry only their variations."""
    workers = max(1, sum(client.nthreads().values()))
    by_scenario: Dict[Tuple[str, str, str], List[int]] = {}
    for i, t in enumerate(tasks):
        by_scenario.setdefault((t.scenario_text, t.plan_text, t.directory), []).append(i)
    futures, owners = [], []
    for texts, indices in by_scenario.items():
        shared = client.scatter(texts, broadcast=True, hash=False)
        for chunk in _chunks(indices, workers * chunks_per_worker):
            light = [replace(tasks[i], scenario_text="", plan_text="") for i in chunk]
            futures.append(client.submit(_run_chunk, shared, light, pure=False))
            owners.append(chunk)
    return futures, owners


def _gather(client, tasks: List[Task], progress: bool, chunks_per_worker: int) -> List[dict]:
    from distributed import progress as show_progress
    futures, owners = _submit(client, list(tasks), chunks_per_worker)
    if progress:
        show_progress(futures)
    rows: List[Optional[dict]] = [None] * len(tasks)
    for chunk, chunk_rows in zip(owners, client.gather(futures)):
        for i, row in zip(chunk, chunk_rows):
            rows[i] = row
    return rows


def run(tasks: Sequence[Task], address: Optional[str] = None, workers: int = 2,
        progress: bool = True, client=None, chunks_per_worker: int = 2) -> List[dict]:
    """Runs `tasks` on Dask (`client`, else the scheduler at `address`, else a LocalCluster
    of `workers` processes with one thread each) and returns their rows in the order of
    `tasks`. Tasks are sent in `chunks_per_worker` chunks per worker thread: a run is a few
    milliseconds, so one Dask task per run would cost as much as the run itself."""
    from distributed import Client, LocalCluster
    if client is not None:
        return _gather(client, tasks, progress, chunks_per_worker)
    cluster = None
    if address is None:
        cluster = LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                               dashboard_address=None)
    try:
        with Client(address if cluster is None else cluster) as client:
            return _gather(client, tasks, progress, chunks_per_worker)
    finally:
        if cluster is not None:
            cluster.close()


def run_serial(tasks: Iterable[Task]) -> List[dict]:
    """The same rows, one task after the other in this process."""
    return [run_task(t) for t in tasks]


def sweep_tasks(directory: str, demands: Sequence[float], variants: Sequence[int],
                seeds: Sequence[Optional[int]] = (None,)) -> List[Task]:
    """Every (demand, variant, seed) of one scenario; the existing plan (variant 0) has no
    search, so it runs once per demand whatever the seeds."""
    base = task_for(directory)
    return [Task(base.scenario_text, base.plan_text, base.directory, v, d, seed)
            for d in demands for v in variants for seed in (seeds if v != 0 else seeds[:1])]


def sweep(directory: str, demands: Sequence[float], variants: Sequence[int] = (0, 1, 2, 3),
          seeds: Sequence[Optional[int]] = (None,), **kwargs) -> List[dict]:
    """A demand sweep of one scenario on Dask (see run), each search once per seed."""
    return run(sweep_tasks(directory, demands, variants, seeds), **kwargs)
