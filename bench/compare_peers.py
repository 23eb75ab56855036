#!/usr/bin/env python3
"""Times tallyrix-calc against mawk, gawk, python3 and bc -l on the same documents.

The documents come from gen_document (the generator bench_engine uses), in
each program's syntax, at several sizes; every program prints the value of
every statement, as tallyrix-calc always does. Every program runs as a whole
process, several times, interleaved so that drift of the machine hits all
alike, and each after a short pause, so that none starts in the wake of the
run before it; the medians of the times are compared, and the peak resident
memory of each run is recorded. The final values must agree to about ten
significant digits, and every program must have printed a line per statement,
before any figure is printed.

The runs are started by run_measured, a small program built with
gen_document: the peak memory the kernel reports for a process counts the
memory of the process that started it, which for a Python script is larger
than tallyrix-calc itself. tallyrix-calc runs as a copy made in the
temporary directory, as installed (see installed_copy).
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
OURS = "tallyrix-calc"
# What tallyrix-calc aims at against mawk: times at least these multiples
# faster at these sizes, and at most this share of mawk's peak memory at a
# million statements (at small sizes both are mostly the process itself).
SPEED_AIMS = {1000: 2.0, 100000: 10.0, 1000000: 10.0}
MEMORY_AIM = 1 / 3
MEMORY_AIM_STATEMENTS = 1000000
# Above this many statements the slow peers are left out unless asked for:
# at a million statements bc -l needs about a minute per run, and python3 as
# long and some 8 GB to compile the document.
SLOW_PEERS = ("python3", "bc -l")
SLOW_PEERS_LARGEST_BY_DEFAULT = 100000
# The machine idles this long before every run. A run right after a long one
# is slowed by the state the long one leaves: a run of 10 ms right after the
# seconds of bc -l took about a sixth longer here, and in a fixed order that
# place always went to the same program.
PAUSE_SECONDS = 0.25


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default=os.path.join(SOURCE_DIR, "build"),
                        help="build tree holding cli/tallyrix-calc, bench/gen_document and bench/run_measured")
    parser.add_argument("--sizes", default="1000,10000,100000,1000000",
                        help="numbers of statements, separated by commas")
    parser.add_argument("--runs", type=int, default=0,
                        help="timed runs per program and size (default: 11 up to 10k statements, "
                             "5 up to 100k, 3 above)")
    parser.add_argument("--slow-peers-all-sizes", action="store_true",
                        help=f"run python3 and bc also above {SLOW_PEERS_LARGEST_BY_DEFAULT} statements "
                             "(minutes, and gigabytes for python3)")
    return parser.parse_args()


def require_file(path):
    if not os.access(path, os.X_OK):
        sys.exit(f"compare_peers: {path} is missing; build the project first "
                 "(targets tallyrix-calc, gen_document, run_measured)")
    return path


def installed_copy(program, directory):
    """A copy of program written in one go, as installing it writes it.

    The linker writes its output in some 13,000 small writes, and the kernel
    then holds the file in single pages; a file written in large blocks it
    holds in larger pieces, which it maps faster. Starting the program as the
    linker left it took 13 to 17% longer than starting a copy of it, while the
    peers run as their packages installed them.
    """
    copy = os.path.join(directory, os.path.basename(program))
    shutil.copy2(program, copy)
    return copy


def generate(gen_document, syntax, statements, directory):
    path = os.path.join(directory, f"document-{statements}.{syntax}")
    with open(path, "wb") as out:
        subprocess.run([gen_document, syntax, str(statements), "every"], stdout=out, check=True)
    return path


def last_line(text):
    end = len(text.rstrip())
    return text[text.rfind("\n", 0, end) + 1:end].strip()


def tallyrix_value(text):
    line = last_line(text)
    if not line.startswith("="):
        raise ValueError(f"no result line: {line!r}")
    return float(line[1:])


def peer_value(text):
    return float(last_line(text))


def programs(tools, documents, statements, slow_peers_all_sizes):
    """(name, command, value parser) for every program found on this machine."""
    candidates = [
        (OURS, [tools["calc"], documents["tallyrix"]], tallyrix_value),
        ("mawk", ["mawk", "-f", documents["awk"]], peer_value),
        ("gawk", ["gawk", "-f", documents["awk"]], peer_value),
        ("python3", [sys.executable, documents["python"]], peer_value),
        ("bc -l", ["bc", "-l", documents["bc"]], peer_value),
    ]
    found = []
    for name, command, parse in candidates:
        if name in SLOW_PEERS and statements > SLOW_PEERS_LARGEST_BY_DEFAULT and not slow_peers_all_sizes:
            print(f"  {name}: left out at {statements} statements (a minute or more per run; "
                  "--slow-peers-all-sizes runs it)")
        elif command[0] == tools["calc"] or shutil.which(command[0]):
            found.append((name, command, parse))
        else:
            print(f"  {name}: not installed, left out")
    return found


def run_once(run_measured, command, output_path):
    """Runs one whole process; returns (seconds, peak kilobytes, standard output)."""
    environment = dict(os.environ, BC_LINE_LENGTH="0")  # bc must not wrap long numbers
    measured = subprocess.run([run_measured, output_path] + command, env=environment,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True)
    seconds, kilobytes, status = measured.stdout.split()
    if int(status) != 0:
        raise RuntimeError(f"{command[0]} exited with {status}: "
                           f"{measured.stderr.decode(errors='replace')}")
    with open(output_path, encoding="utf-8", errors="replace") as text:
        return float(seconds), int(kilobytes), text.read()


def measure(run_measured, found, runs, directory):
    times = {name: [] for name, _, _ in found}
    peaks = {name: 0 for name, _, _ in found}
    values = {}
    lines = {}
    output_path = os.path.join(directory, "output")
    for _ in range(runs):
        for name, command, parse in found:
            time.sleep(PAUSE_SECONDS)
            seconds, kilobytes, text = run_once(run_measured, command, output_path)
            times[name].append(seconds)
            peaks[name] = max(peaks[name], kilobytes)
            values[name] = parse(text)
            lines[name] = text.count("\n")
    medians = {name: statistics.median(samples) for name, samples in times.items()}
    return medians, peaks, values, lines


def outputs_agree(values, lines, statements):
    reference = values[OURS]
    agree = True
    for name, value in values.items():
        same = math.isclose(value, reference, rel_tol=1e-10, abs_tol=1e-12)
        complete = lines[name] >= statements
        agree = agree and same and complete
        print(f"  {name:14} {value!r:>26}  {'agrees' if same else 'DIFFERS'}"
              f"  {lines[name]:>9} lines{'' if complete else ' (too few)'}")
    return agree


def report(medians, peaks, statements, size):
    ours = medians[OURS]
    print(f"\n  {statements} statements, {size / 1e6:.2f} MB; medians of whole-process runs")
    print(f"  {'program':14} {'seconds':>10} {'statements/s':>14} {'peer/ours':>10} "
          f"{'peak MB':>9} {'peer/ours':>10}")
    for name, seconds in medians.items():
        print(f"  {name:14} {seconds:10.4f} {statements / seconds:14.0f} {seconds / ours:10.2f} "
              f"{peaks[name] / 1024:9.1f} {peaks[name] / peaks[OURS]:10.2f}")


def summarise(results):
    """The aims against mawk, met or not, as measured."""
    print("\naims against mawk:")
    for statements, aim in SPEED_AIMS.items():
        if statements not in results or "mawk" not in results[statements][0]:
            continue
        medians = results[statements][0]
        ratio = medians["mawk"] / medians[OURS]
        print(f"  {statements:>8} statements: {ratio:5.2f} times faster (aim {aim:g}): "
              f"{'met' if ratio >= aim else 'NOT met'}")
    peaks = results.get(MEMORY_AIM_STATEMENTS, ({}, {}))[1]
    if "mawk" in peaks:
        share = peaks[OURS] / peaks["mawk"]
        print(f"  {MEMORY_AIM_STATEMENTS:>8} statements: peak memory {share:.2f} of mawk's "
              f"(aim below {MEMORY_AIM:.2f}): "
              f"{'met' if share < MEMORY_AIM else 'NOT met'}")


def runs_for(statements, requested):
    if requested > 0:
        return requested
    return 11 if statements <= 10000 else 5 if statements <= 100000 else 3


def main():
    arguments = parse_arguments()
    tools = {
        "calc": require_file(os.path.join(arguments.build_dir, "cli", OURS)),
        "gen_document": require_file(os.path.join(arguments.build_dir, "bench", "gen_document")),
        "run_measured": require_file(os.path.join(arguments.build_dir, "bench", "run_measured")),
    }
    sizes = [int(size) for size in arguments.sizes.split(",")]
    results = {}
    with tempfile.TemporaryDirectory(prefix="tallyrix-peers-") as directory:
        tools["calc"] = installed_copy(tools["calc"], directory)
        for statements in sizes:
            print(f"\n{statements} statements:")
            documents = {syntax: generate(tools["gen_document"], syntax, statements, directory)
                         for syntax in ("tallyrix", "bc", "python", "awk")}
            found = programs(tools, documents, statements, arguments.slow_peers_all_sizes)
            medians, peaks, values, lines = measure(tools["run_measured"], found,
                                                    runs_for(statements, arguments.runs), directory)
            print("  final values and lines printed:")
            if not outputs_agree(values, lines, statements):
                print("compare_peers: the programs disagree; no timing is reported", file=sys.stderr)
                return 1
            report(medians, peaks, statements, os.path.getsize(documents["tallyrix"]))
            results[statements] = (medians, peaks)
            for path in documents.values():
                os.remove(path)
    summarise(results)
    return 0


if __name__ == "__main__":
    sys.exit(main())
