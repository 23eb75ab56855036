#!/usr/bin/env python3
"""Checks the direction of includes between the folders of the source tree.

  a folder includes only its own headers and those of the folders below it,
  in the order engine < document < files < shell < registry < app and cli
  (app and cli do not include each other)
  engine/       includes no Qt; engine/EvaluatorCore.h, the evaluator's
                machinery, is included only inside engine/
  statement extraction (document/StatementExtraction.*) includes no Qt

Prints each offending line as file:line: text (rule) and exits 1 when there
is one.  --self-test runs the rules over a small tree with known faults.
"""
import re
import sys
import tempfile
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}
# Each folder's place in the order; a folder may include those of a lower
# rank and its own.
RANK = {"engine": 0, "document": 1, "files": 2, "shell": 3, "registry": 4, "app": 5, "cli": 5}
FOLDERS = tuple(RANK)


def is_qt(header: str) -> bool:
    return header.startswith("Q") or header.startswith("Qt")


def violation(path: str, quoted: bool, header: str):
    """Returns the broken rule for one include of path, or None."""
    folder = path.split("/", 1)[0]
    target = header.split("/", 1)[0] if quoted else None
    if folder == "engine" and not quoted and is_qt(header):
        return "the engine includes no Qt"
    if path.startswith("document/StatementExtraction") and is_qt(header):
        return "statement extraction includes no Qt"
    if header == "engine/EvaluatorCore.h" and folder != "engine":
        return "only the engine includes its machinery"
    if target in RANK and target != folder and RANK[target] >= RANK[folder]:
        return f"{folder}/ includes only the folders below it, not {target}/"
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
        "engine/Good.cpp": ('#include "engine/EvaluatorCore.h"\n#include <vector>', False),
        "document/StatementExtraction.cpp": ("#include <QString>", True),
        "document/Up.cpp": ('#include "shell/ResultPane.h"', True),
        "document/Core.cpp": ('#include "engine/EvaluatorCore.h"', True),
        "shell/Widget.cpp": ('#include "app/MainForm.h"', True),
        "shell/LayoutCommands.cpp": ('#include "app/MainForm.h"', True),
        "shell/Down.cpp": ('#include "files/TextCodec.h"\n#include "engine/Eval.h"', False),
        "files/Plain.cpp": ('#include "registry/FieldList.h"', True),
        "registry/Dialog.cpp": ('#include "shell/Dialogs.h"', False),
        "cli/main.cpp": ('#include "app/MainForm.h"', True),
        "app/main.cpp": ('#include "app/MainForm.h"\n#include "registry/Registerunit.h"', False),
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
