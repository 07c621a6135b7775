#!/usr/bin/env python3
"""Plants each fault of mutants.tsv in a checkout, one at a time, rebuilds, runs
ctest and records whether a test failed (and which). The file is restored after
every fault. Results go to a tab-separated file, one line per fault; faults
already in that file are skipped, so an interrupted run can be resumed.

    plant.py --tree /path/to/checkout [--build DIR] [--out FILE] [--only S01,A02]
"""
import argparse
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
LINE_BREAK = "\u00b6"
ALTERNATIVE = "\u2016"


def read_table(path):
    faults = []
    with open(path, encoding="utf-8") as table:
        for line in table:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            ident, file, old, new, what = line.split("\t")
            faults.append((ident, file, old.replace(LINE_BREAK, "\n"),
                           new.replace(LINE_BREAK, "\n"), what))
    return faults


def done_ids(out):
    if not os.path.exists(out):
        return set()
    with open(out, encoding="utf-8") as results:
        return {line.split("\t")[0] for line in results if line.strip()}


def run(command, cwd, log):
    with open(log, "ab") as sink:
        sink.write(("\n$ " + " ".join(command) + "\n").encode())
        sink.flush()
        return subprocess.call(["nice", "-n", "10"] + command, cwd=cwd,
                               stdout=sink, stderr=subprocess.STDOUT)


def failed_tests(build):
    path = os.path.join(build, "Testing", "Temporary", "LastTestsFailed.log")
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as failed:
        return [line.strip().split(":", 1)[-1] for line in failed if line.strip()]


def test_targets(build):
    # Each test program is built by the target of its name, which depends on
    # the programs it runs; the package test needs everything, and sway's
    # tests run only by hand.
    listing = subprocess.run(["ctest", "-N", "-LE", "package|sway"], cwd=build, check=True,
                             stdout=subprocess.PIPE, text=True).stdout
    return [line.split(":", 1)[1].strip() for line in listing.splitlines()
            if line.strip().startswith("Test") and ":" in line]


def try_fault(fault, tree, build, log, ctest_extra, slow):
    ident, files, olds, news, _ = fault
    # The code may have moved: the first of the places named that holds its
    # old text once takes the fault.
    places = list(zip(files.split("|"), olds.split(ALTERNATIVE), news.split(ALTERNATIVE)))
    if len(olds.split(ALTERNATIVE)) == 1:
        places = [(file, olds, news) for file in files.split("|")]
    for file, old, new in places:
        path = os.path.join(tree, file)
        if not os.path.exists(path):
            continue
        with open(path, encoding="utf-8") as source:
            original = source.read()
        if original.count(old) == 1:
            break
    else:
        return "inapplicable", "old text not found once in " + files
    with open(path, "w", encoding="utf-8") as source:
        source.write(original.replace(old, new))
    try:
        targets = [] if file.startswith("packaging/") else ["--target"] + test_targets(build)
        if run(["cmake", "--build", build, "-j2"] + targets, tree, log) != 0:
            return "build-failed", ""
        stale = os.path.join(build, "Testing", "Temporary", "LastTestsFailed.log")
        if os.path.exists(stale):
            os.remove(stale)
        label = [] if file.startswith("packaging/") else ["-LE", "package"]
        # The quick tests first, all of them, so that the record shows every
        # quick test that catches the fault; the slow ones run only when none
        # does, and stop at the first failure.
        for phase in (["-E", slow], ["-R", slow, "--stop-on-failure"]):
            status = run(["ctest", "-j2", "--timeout", "300", "--output-on-failure"] + label +
                         phase + ctest_extra, build, log)
            if status != 0:
                return "caught", ",".join(failed_tests(build)) or "ctest status %d" % status
        return "not-caught", ""
    finally:
        with open(path, "w", encoding="utf-8") as source:
            source.write(original)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tree", required=True)
    parser.add_argument("--build")
    parser.add_argument("--out")
    parser.add_argument("--only", default="")
    parser.add_argument("--reverse", action="store_true")
    parser.add_argument("--ctest", default="", help="extra ctest arguments")
    parser.add_argument("--slow", default="e2e|soak", help="tests run only when the rest pass")
    args = parser.parse_args()
    tree = os.path.abspath(args.tree)
    build = os.path.abspath(args.build or os.path.join(tree, "build"))
    out = os.path.abspath(args.out or os.path.join(build, "mutants.tsv"))
    log = out + ".log"
    only = set(filter(None, args.only.split(",")))
    faults = read_table(os.path.join(HERE, "mutants.tsv"))
    # Two checkouts may share the work: one from each end of the table.
    for fault in reversed(faults) if args.reverse else faults:
        if fault[0] in done_ids(out) or (only and fault[0] not in only):
            continue
        began = time.time()
        verdict, detail = try_fault(fault, tree, build, log, args.ctest.split(), args.slow)
        line = "%s\t%s\t%s\t%s\t%.0fs\n" % (fault[0], fault[1], verdict, detail,
                                            time.time() - began)
        with open(out, "a", encoding="utf-8") as results:
            results.write(line)
        sys.stdout.write(line)
        sys.stdout.flush()
    # A clean build again, so that the checkout's binaries match its sources.
    run(["cmake", "--build", build, "-j2"], tree, log)


if __name__ == "__main__":
    main()
