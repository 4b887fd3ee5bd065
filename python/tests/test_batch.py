from talvo import batch
from conftest import ARTERIAL


def test_dask_batch_equals_serial():
    tasks = batch.sweep_tasks(str(ARTERIAL), demands=[0.7, 1.3], variants=[0, 1, 3],
                              seeds=[None, 1, 4242])
    rows = batch.run(tasks, workers=2, progress=False)
    assert rows == batch.run_serial(tasks)
    by = {(r["variant"], round(r["vol_multiplier"], 2)): r["twd"] for r in rows}
    assert by[(0, 0.7)] < by[(0, 1.3)]  # the demand reaches the existing plan too
    assert len(rows) == 2 * (1 + 2 * 3)
    twd = {(r["variant"], r["seed"], round(r["vol_multiplier"], 2)): r["twd"] for r in rows}
    assert twd[(3, None, 1.3)] == twd[(3, 1, 1.3)]  # 1 is the engine's own first state
