#!/usr/bin/env python3
"""Times tallyrix-calc against bc -l, python3 and gawk on the same document.

The document comes from gen_document (the generator bench_engine uses), in
each program's syntax. Every program runs as a whole process, several times,
interleaved so that drift of the machine hits all alike; the medians are
compared. The final values must agree to about ten significant digits before
any figure is printed.
"""

import argparse
import math
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default=os.path.join(SOURCE_DIR, "build"),
                        help="build tree holding cli/tallyrix-calc and bench/gen_document")
    parser.add_argument("--statements", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=7, help="timed runs per program")
    return parser.parse_args()


def require_file(path):
    if not os.access(path, os.X_OK):
        sys.exit(f"compare_peers: {path} is missing; build the project first")
    return path


def generate(gen_document, syntax, statements, directory):
    path = os.path.join(directory, f"document.{syntax}")
    with open(path, "wb") as out:
        subprocess.run([gen_document, syntax, str(statements)], stdout=out, check=True)
    return path


def last_line(text):
    lines = [line for line in text.splitlines() if line.strip()]
    return lines[-1].strip() if lines else ""


def tallyrix_value(text):
    line = last_line(text)
    if not line.startswith("="):
        raise ValueError(f"no result line: {line!r}")
    return float(line[1:])


def peer_value(text):
    return float(last_line(text))


def programs(calc, documents):
    """(name, command, value parser) for every program found on this machine."""
    candidates = [
        ("tallyrix-calc", [calc, documents["tallyrix"]], tallyrix_value),
        ("bc -l", ["bc", "-l", documents["bc"]], peer_value),
        ("python3", [sys.executable, documents["python"]], peer_value),
        ("gawk", ["gawk", "-f", documents["awk"]], peer_value),
    ]
    found = []
    for name, command, parse in candidates:
        if command[0] == calc or shutil.which(command[0]):
            found.append((name, command, parse))
        else:
            print(f"{name}: not installed, left out")
    return found


def run_once(command, output_path):
    """Runs one whole process; returns (seconds, standard output)."""
    environment = dict(os.environ, BC_LINE_LENGTH="0")  # bc must not wrap long numbers
    with open(output_path, "wb") as out:
        start = time.perf_counter()
        completed = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=subprocess.PIPE, env=environment)
        seconds = time.perf_counter() - start
    if completed.returncode != 0:
        raise RuntimeError(f"{command[0]} exited with {completed.returncode}: "
                           f"{completed.stderr.decode(errors='replace')}")
    with open(output_path, encoding="utf-8", errors="replace") as text:
        return seconds, text.read()


def measure(found, runs, directory):
    times = {name: [] for name, _, _ in found}
    values = {}
    output_path = os.path.join(directory, "output")
    for _ in range(runs):
        for name, command, parse in found:
            seconds, text = run_once(command, output_path)
            times[name].append(seconds)
            values[name] = parse(text)
    return {name: statistics.median(samples) for name, samples in times.items()}, values


def values_agree(values):
    reference = values["tallyrix-calc"]
    agree = True
    for name, value in values.items():
        same = math.isclose(value, reference, rel_tol=1e-10, abs_tol=1e-12)
        agree = agree and same
        print(f"  {name:14} {value!r:>26}  {'agrees' if same else 'DIFFERS'}")
    return agree


def report(medians, statements, size):
    ours = medians["tallyrix-calc"]
    print(f"\n{statements} statements, {size / 1e6:.2f} MB; medians of whole-process runs")
    print(f"  {'program':14} {'seconds':>10} {'statements/s':>14} {'peer/ours':>10}")
    for name, seconds in medians.items():
        print(f"  {name:14} {seconds:10.4f} {statements / seconds:14.0f} {seconds / ours:10.2f}")
    peers = {name: seconds for name, seconds in medians.items() if name != "tallyrix-calc"}
    if peers:
        fastest = min(peers, key=peers.get)
        print(f"\nfastest peer: {fastest}, {peers[fastest] / ours:.2f} times the time of tallyrix-calc")


def main():
    arguments = parse_arguments()
    calc = require_file(os.path.join(arguments.build_dir, "cli", "tallyrix-calc"))
    gen_document = require_file(os.path.join(arguments.build_dir, "bench", "gen_document"))
    with tempfile.TemporaryDirectory(prefix="tallyrix-peers-") as directory:
        documents = {syntax: generate(gen_document, syntax, arguments.statements, directory)
                     for syntax in ("tallyrix", "bc", "python", "awk")}
        found = programs(calc, documents)
        medians, values = measure(found, arguments.runs, directory)
        print("final values:")
        if not values_agree(values):
            print("compare_peers: the programs disagree; no timing is reported", file=sys.stderr)
            return 1
        report(medians, arguments.statements, os.path.getsize(documents["tallyrix"]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
