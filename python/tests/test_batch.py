from talvo import batch
from conftest import ARTERIAL


def test_dask_batch_equals_serial():
    tasks = batch.sweep_tasks(str(ARTERIAL), demands=[0.7, 1.3], variants=[0, 1, 3])
    rows = batch.run(tasks, workers=2, progress=False)
    assert rows == batch.run_serial(tasks)
    by = {(r["variant"], round(r["vol_multiplier"], 2)): r["twd"] for r in rows}
    assert by[(0, 0.7)] < by[(0, 1.3)]  # the demand reaches the existing plan too
