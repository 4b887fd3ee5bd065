import threading

import numpy as np
import pytest

import talvo
from conftest import files_of


@pytest.mark.parametrize("variant", [0, 1, 2, 3])
def test_run_files_equal_the_command_line(arterial, command_line, tmp_path, variant):
    scenario = arterial.with_variant(variant)
    expected = files_of(command_line(scenario))
    if variant == 0:
        result = scenario.write_run(str(tmp_path / "module"))
    else:
        generations = []
        result = talvo.optimise(scenario, variant=variant, threads=2,
                                run_directory=str(tmp_path / "module"),
                                callback=generations.append)
        assert generations and generations[-1].best_twd == pytest.approx(result.twd, rel=1e-6)
    assert files_of(result.run_directory) == expected


def test_evaluate_and_simulation_agree_with_the_run(arterial):
    plans = [arterial.existing_plan(), talvo.Plan(60, [0, 40], [[20, 40], [30, 20, 10]])]
    delays = talvo.evaluate(arterial, plans)
    assert delays[0].twd == arterial.write_run().twd != delays[1].twd
    for plan, expected in zip(plans, delays):
        simulation = talvo.Simulation(arterial, plan)
        assert simulation.run() == expected.twd
        assert simulation.delays().approach_delays == pytest.approx(expected.approach_delays)


def test_plan_text_round_trips(arterial, tmp_path):
    text = arterial.existing_plan().text(arterial)
    path = tmp_path / "plan.tpl"
    path.write_bytes(text)
    assert talvo.Plan.read(arterial, str(path)).text(arterial) == text


def test_external_green_changes_outflow(arterial):
    record = arterial.signal_records[0]
    gated = [i + 1 for i, c in enumerate(arterial.cells) if c.signal == record]
    red, green = talvo.Simulation(arterial), talvo.Simulation(arterial)
    red.set_green(record, 0)
    green.set_green(record, 1)
    red_out = green_out = 0.0
    for _ in range(120):
        red.step()
        green.step()
        red_out += red.outflow[gated].sum()
        green_out += green.outflow[gated].sum()
    assert red_out == 0.0 and green_out > 0.0
    assert red.signal_states[record] == 0.0 and green.signal_states[record] == 1.0


def test_occupancy_is_a_live_view(arterial):
    simulation = talvo.Simulation(arterial)
    view = simulation.occupancy
    simulation.step()
    assert np.shares_memory(view, simulation.occupancy)
    assert view.shape == (arterial.num_cells + 1,) and view[1:].sum() > 0


def test_two_simulations_in_two_threads_match_one_after_the_other(arterial):
    heavier = arterial.with_variant(1).with_vol_multiplier(1.3)
    serial = [talvo.Simulation(s).run() for s in (arterial, heavier)]
    parallel = [None, None]

    def run(i, s):
        parallel[i] = talvo.Simulation(s).run()
    threads = [threading.Thread(target=run, args=(i, s)) for i, s in enumerate((arterial, heavier))]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert parallel == serial and serial[0] != serial[1]


@pytest.mark.parametrize("line, text, value", [
    (3, "abc", '"abc"'),
    (15, "2x8", '"2x8"'),
])
def test_input_errors_name_file_line_and_value(arterial, line, text, value):
    lines = arterial.scenario_text.split("\r\n")
    lines[line - 1] = text
    with pytest.raises(talvo.InputError) as error:
        talvo.Scenario.from_text("\r\n".join(lines), arterial.plan_text, "/runs/bad")
    message = str(error.value)
    assert f"/runs/bad/input.fin, line {line}" in message and value in message


def test_a_plan_file_error_names_its_file(arterial):
    with pytest.raises(talvo.InputError, match=r"plan\.tpl, line 1.*\"x\""):
        talvo.Scenario.from_text(arterial.scenario_text, "x\r\n", "/runs/p").plan_file()


def test_a_callback_returning_false_cancels(arterial, tmp_path):
    with pytest.raises(talvo.Cancelled):
        talvo.optimise(arterial, variant=1, run_directory=str(tmp_path), callback=lambda p: False)
    assert not (tmp_path / "output_FGFC.out").exists()


def test_lane_widths_give_equal_results(arterial, tmp_path):
    plans = [arterial.existing_plan(), talvo.Plan(60, [0, 40], [[20, 40], [30, 20, 10]])] * 5
    one, widest = talvo.evaluate(arterial, plans, lanes=1), talvo.evaluate(arterial, plans, lanes=0)
    assert [d.twd for d in one] == [d.twd for d in widest]
    assert [d.approach_delays for d in one] == [d.approach_delays for d in widest]
    runs = [talvo.optimise(arterial, variant=2, threads=1, lanes=lanes,
                           run_directory=str(tmp_path / str(lanes))) for lanes in (1, 0)]
    assert files_of(runs[0].run_directory) == files_of(runs[1].run_directory)
    with pytest.raises(talvo.InputError, match="lanes is -1"):
        talvo.evaluate(arterial, plans, lanes=-1)


def test_seed_starts_another_search(arterial, tmp_path):
    runs = {seed: talvo.optimise(arterial, variant=1, threads=1, seed=seed,
                                 run_directory=str(tmp_path / str(seed)))
            for seed in (None, 1, 4242)}
    assert files_of(runs[None].run_directory) == files_of(runs[1].run_directory)
    assert runs[4242].console != runs[1].console
    with pytest.raises(talvo.InputError, match="seed is 0"):
        talvo.optimise(arterial, variant=1, seed=0, run_directory=str(tmp_path / "0"))
