import os
import shutil
import subprocess
from pathlib import Path

import pytest

import talvo

SOURCE = Path(os.environ.get("TALVO_SOURCE_DIR", Path(__file__).resolve().parents[2]))
ARTERIAL = SOURCE / "examples" / "arterial"


@pytest.fixture(scope="session")
def arterial():
    return talvo.Scenario(str(ARTERIAL))


@pytest.fixture
def command_line(tmp_path):
    """Runs the TALVO program on a copy of a scenario's two files; returns the directory."""
    def run(scenario, name="cli"):
        directory = tmp_path / name
        directory.mkdir()
        (directory / "input.fin").write_text(scenario.scenario_text, newline="")
        (directory / "plan.tpl").write_text(scenario.plan_text, newline="")
        subprocess.run([os.environ["TALVO_ENGINE_EXE"], str(directory)], check=True,
                       capture_output=True)
        return directory
    return run


def _masked(data):
    """A report with its elapsed times masked (the search rows' last 15 columns, the total
    run time), as bench/output-snapshot.sh masks them."""
    lines, search = [], False
    for line in data.split(b"\r\n"):
        if line.startswith(b"Iteration    Max TWD"):
            search = True
        if line.startswith(b"TOTAL RUN TIME (sec):"):
            line, search = b"TOTAL RUN TIME (sec): <time>", False
        elif search and len(line) == 62:
            line = line[:47] + b"<time>"
        lines.append(line)
    return b"\r\n".join(lines)


def files_of(directory):
    return {p.name: _masked(p.read_bytes()) if p.suffix == ".out" else p.read_bytes()
            for p in sorted(Path(directory).iterdir())}
