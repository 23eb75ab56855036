#!/usr/bin/env python3
"""Checks the direction of includes between the folders of the source tree.

  engine/       includes only engine/ headers and the standard library
  statement extraction (document/StatementExtraction.*) includes no Qt
  app/MainForm.h is included only by form units (files ending in
  Commands.cpp), by app/ itself, and by tests and benchmarks
  shell/ widgets (every shell/ file but its form units) never include app/

Prints each offending line as file:line: text (rule) and exits 1 when there
is one.  --self-test runs the rules over a small tree with known faults.
"""
import re
import sys
import tempfile
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}
FOLDERS = ("engine", "document", "files", "registry", "shell", "app", "cli")


def is_qt(header: str) -> bool:
    return header.startswith("Q") or header.startswith("Qt")


def is_form_unit(path: str) -> bool:
    return path.endswith("Commands.cpp")


def violation(path: str, quoted: bool, header: str):
    """Returns the broken rule for one include of path, or None."""
    folder = path.split("/", 1)[0]
    if folder == "engine":
        if quoted and not header.startswith("engine/"):
            return "the engine includes only its own headers"
        if not quoted and is_qt(header):
            return "the engine includes no Qt"
    if path.startswith("document/StatementExtraction") and (is_qt(header) or (quoted and not (
            header.startswith("document/StatementExtraction") or header.startswith("engine/")))):
        return "statement extraction includes no Qt"
    if quoted and header.startswith("app/"):
        if folder == "shell" and not is_form_unit(path):
            return "shell widgets never include app/"
        if header == "app/MainForm.h" and folder != "app" and not is_form_unit(path):
            return "only form units (…Commands.cpp) include app/MainForm.h"
    return None


def check(root: Path):
    faults = []
    for folder in FOLDERS:
        for file in sorted((root / folder).rglob("*")):
            if file.suffix not in SOURCE_SUFFIXES or not file.is_file():
                continue
            path = file.relative_to(root).as_posix()
            lines = file.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                rule = violation(path, match.group(1) == '"', match.group(2))
                if rule:
                    faults.append(f"{path}:{number}: {line.strip()} ({rule})")
    return faults


def self_test() -> int:
    cases = {
        "engine/Bad.cpp": ('#include "files/TextCodec.h"', True),
        "engine/BadQt.cpp": ("#include <QString>", True),
        "engine/Good.cpp": ('#include "engine/Eval.h"\n#include <vector>', False),
        "document/StatementExtraction.cpp": ("#include <QString>", True),
        "shell/Widget.cpp": ('#include "app/MainForm.h"', True),
        "shell/LayoutCommands.cpp": ('#include "app/MainForm.h"', False),
        "files/Plain.cpp": ('#include "app/MainForm.h"', True),
        "files/CalcFileCommands.cpp": ('#include "app/MainForm.h"', False),
        "app/main.cpp": ('#include "app/MainForm.h"', False),
    }
    with tempfile.TemporaryDirectory() as temp:
        root = Path(temp)
        for path, (text, _) in cases.items():
            (root / path).parent.mkdir(parents=True, exist_ok=True)
            (root / path).write_text(text + "\n", encoding="utf-8")
        found = {fault.split(":", 1)[0] for fault in check(root)}
    wrong = [path for path, (_, bad) in cases.items() if (path in found) != bad]
    for path in wrong:
        print(f"self-test: {path} was {'not ' if path not in found else ''}reported")
    return 1 if wrong else 0


def main(argv) -> int:
    if "--self-test" in argv:
        return self_test()
    root = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent.parent
    faults = check(root)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
