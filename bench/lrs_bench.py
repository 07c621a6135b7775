"""Learning records at scale: a course of 200 games of 240 steps, recorded by
curavant-coursegen, made into statements by curavant-sim --statements and
sent by curavant-sim --send to the test LRS on a loopback port (tools/setup.sh
installs it). Three rounds, each on a fresh copy of the course as another
learner, so that every round stores its statements anew. Prints for each
step the median wall time, curavant-sim's CPU time and the LRS's, the largest
peak resident memory (/usr/bin/time -v), the statements sent, and the LRS's
own peak memory.

Usage: python3 bench/lrs_bench.py CURAVANT_SIM CURAVANT_COURSEGEN"""

import glob
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../tools/lrs"))
from lrsserver import LrsServer  # noqa: E402

GAMES, STEPS, ROUNDS = 200, 240, 3


def timed(args, env):
    run = subprocess.run(["/usr/bin/time", "-v", *args], env=env, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"{' '.join(args)} failed:\n{run.stderr}")
    wall = re.search(r"Elapsed \(wall clock\) time.*: (?:(\d+):)?(\d+):([\d.]+)", run.stderr)
    seconds = int(wall[1] or 0) * 3600 + int(wall[2]) * 60 + float(wall[3])
    peak = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", run.stderr)[1])
    cpu = sum(float(t) for t in re.findall(r"(?:User|System) time \(seconds\): ([\d.]+)",
                                           run.stderr))
    return seconds, peak, run.stdout, cpu


def cpu_seconds(pid):
    """The process's user and system time so far."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def main(sim, coursegen):
    root = tempfile.mkdtemp(prefix="curavant-lrs-bench-")
    course = f"{root}/course"
    start = time.monotonic()
    subprocess.run([coursegen, course, str(GAMES), str(STEPS)], check=True,
                   stderr=subprocess.DEVNULL)
    print(f"recorded {GAMES} games of {STEPS} steps in {time.monotonic() - start:.1f} s")
    for table in glob.glob(f"{course}/*.csv"):
        os.utime(table, (time.time() - 60,) * 2)
    key = f"{root}/key"
    with open(os.open(key, os.O_CREAT | os.O_WRONLY, 0o600), "w") as f:
        f.write("bench:bench\n")
    lrs = LrsServer().start()
    figures = {"statements": [], "send": [], "send again": []}
    try:
        for round in range(ROUNDS):
            folder = f"{root}/round{round}"
            shutil.copytree(course, folder)
            env = dict(os.environ, XDG_CONFIG_HOME=f"{root}/config",
                       CURAVANT_LEARNER=f"bench-{round}")
            figures["statements"].append(timed([sim, "--statements", folder], env) + (0.0,))
            for step in ("send", "send again"):
                before = cpu_seconds(lrs.process.pid)
                figures[step].append(
                    timed([sim, "--send", lrs.endpoint, "--credentials", key, folder], env)
                    + (cpu_seconds(lrs.process.pid) - before,))
        with open(f"/proc/{lrs.process.pid}/status") as status:
            lrs_peak = re.search(r"VmHWM:\s+(\d+)", status.read())[1]
    finally:
        lrs.close()
        shutil.rmtree(root, ignore_errors=True)
    print("| step | median time | each round | its CPU time | the LRS's CPU time | "
          "peak resident memory | output |\n| --- | --- | --- | --- | --- | --- | --- |")
    for step, runs in figures.items():
        print(f"| `{step}` | {statistics.median(r[0] for r in runs):.2f} s | "
              f"{' / '.join(f'{r[0]:.1f}' for r in runs)} s | "
              f"{statistics.median(r[3] for r in runs):.2f} s | "
              f"{statistics.median(r[4] for r in runs):.2f} s | "
              f"{max(r[1] for r in runs) / 1024:.1f} MiB | {runs[0][2].strip()} |")
    print(f"the LRS's peak resident memory: {int(lrs_peak) / 1024:.0f} MiB")


if __name__ == "__main__":
    main(*sys.argv[1:3])
