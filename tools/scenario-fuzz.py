#!/usr/bin/env python3
"""Mutates the shipped scenario files and runs `curavant-sim --check` on each
mutant, to find input that crashes the reader rather than being refused.

Usage: tools/scenario-fuzz.py CURAVANT_SIM [COUNT] [SEED]

CURAVANT_SIM is best built with -DCURAVANT_SANITIZE=ON, so that a memory or
undefined-behaviour fault aborts with a sanitizer report instead of passing
unseen. Each mutant applies one to four mutations (byte flips, deletions,
duplications, swapped keys, huge numbers, random lines, deep nesting, bytes
that are not UTF-8) to one of data/scenarios/*.toml. Prints the counts of
files, accepted, refused and crashes, and keeps every crashing file in
scenario-fuzz-crashes/ for a look; exit status 1 when anything crashed.
"""

import os
import random
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCENARIOS = os.path.join(ROOT, "data", "scenarios")
KEYS = [b"title", b"tenths", b"start", b"complications", b"divisor", b"spray",
        b"circulation", b"respiration", b"circulation_loss", b"bleeding_stage",
        b"points", b"highest_stage", b"per_rate", b"step", b"when", b"what",
        b"pass", b"name", b"alive", b"shock_within", b"given", b"avoid", b"critical"]
VALUES = [b"0", b"-1", b"1e308", b"-1e308", b"nan", b"inf", b"-inf", b"4294967296",
          b"9223372036854775807", b"-9223372036854775808", b"99999999999999999999999",
          b"0.0000001", b"true", b'"own"', b'"shock"', b'"health <= -1e9"', b"[]",
          b"[1, 2, 16]", b"{}", b'""', b"1979-05-27T07:32:00Z", b'"\\u0000"', b"0x7fffffff"]
LINES = [b"[random]", b"[[event]]", b"[[rubric.criterion]]", b"[rubric]", b"[treatment.1]",
         b"[treatment.7]", b"in_shock = { points = 1 }", b"always = { points = 99999 }",
         b'when = "score > 5"', b"step = 3", b"alive = false", b"a.b.c = 1", b"[x.y]",
         b"[[event.x]]", b"\"quoted key\" = 1", b"= 3", b"[", b"'''", b'"""']


def mutate(text, rng):
    data = bytearray(text)
    for _ in range(rng.randint(1, 4)):
        choice = rng.randrange(9)
        at = rng.randrange(len(data) + 1)
        if choice == 0 and data:  # flip bits of a byte
            data[min(at, len(data) - 1)] ^= 1 << rng.randrange(8)
        elif choice == 1:  # delete a run
            del data[at:at + rng.randint(1, 40)]
        elif choice == 2:  # duplicate a run
            data[at:at] = data[at:at + rng.randint(1, 200)] * rng.randint(1, 3)
        elif choice == 3:  # swap one key for another
            keys = [m.span() for m in re.finditer(rb"^[a-z_]+", bytes(data), re.M)]
            if keys:
                start, end = rng.choice(keys)
                data[start:end] = rng.choice(KEYS)
        elif choice == 4:  # a strange value for a key
            values = [m.span(1) for m in re.finditer(rb"= *([^\n#]+)", bytes(data))]
            if values:
                start, end = rng.choice(values)
                data[start:end] = rng.choice(VALUES)
        elif choice == 5:  # a random line
            line = rng.choice(LINES + [k + b" = " + rng.choice(VALUES) for k in KEYS])
            data[at:at] = b"\n" + line + b"\n"
        elif choice == 6:  # random bytes, also ones that are not UTF-8
            data[at:at] = bytes(rng.randrange(256) for _ in range(rng.randint(1, 8)))
        elif choice == 7:  # deep nesting
            depth = rng.choice([10, 255, 256, 257, 1000, 5000])
            opening, closing = rng.choice([(b"[", b"]"), (b"{a=", b"}")])
            data[at:at] = b"\nx = " + opening * depth + b"1" + closing * depth + b"\n"
        else:  # a huge integer
            data[at:at] = b"\ntenths = " + b"9" * rng.randint(10, 5000) + b"\n"
    return bytes(data)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    sim = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 3000
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    originals = [open(os.path.join(SCENARIOS, name), "rb").read()
                 for name in sorted(os.listdir(SCENARIOS)) if name.endswith(".toml")]
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=1:abort_on_error=1",
               UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1")
    crashes_dir = os.path.join(os.getcwd(), "scenario-fuzz-crashes")
    accepted = refused = crashes = 0
    with tempfile.TemporaryDirectory() as scratch:
        path = os.path.join(scratch, "mutant.toml")
        for i in range(count):
            mutant = mutate(rng.choice(originals), rng)
            with open(path, "wb") as f:
                f.write(mutant)
            run = subprocess.run([sim, "--check", path], capture_output=True, env=env)
            err = run.stderr.decode("utf-8", "replace")
            one_line = err.count("\n") == 1 and err.startswith("curavant-sim: " + path + ":")
            if run.returncode == 0 and not err:
                accepted += 1
            elif run.returncode == 2 and one_line:
                refused += 1
            else:
                crashes += 1
                os.makedirs(crashes_dir, exist_ok=True)
                with open(os.path.join(crashes_dir, "crash-%d.toml" % i), "wb") as f:
                    f.write(mutant)
                print("mutant %d: status %d\n%s" % (i, run.returncode, err[:2000]))
    print("files %d, accepted %d, refused %d, crashes %d" % (count, accepted, refused, crashes))
    sys.exit(1 if crashes else 0)


if __name__ == "__main__":
    main()
