#!/usr/bin/env python3
"""scenarios.txt as its drivers play it, read in this one place.

As a program, for the xdotool driver:
    scenarios.py steps NAME FRONTEND
prints the steps of scenario NAME that FRONTEND (qt, wine or web) plays, each
as five fields, each ended by a NUL: the step's line, its verb, its text, "=>"
where it expects a result, and that result.
"""
import os
import re
import sys

LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scenarios.txt")
FRONTENDS = ("qt", "wine", "web")
ESCAPES = {"t": "\t", "n": "\n", "r": "\r", "e": "\x1b", "\\": "\\"}
HEADER = r"\[([a-z0-9_]+)\]( 144)?( no-browser)?$"
# The front-ends a line is for, misspelt ones included so that they are seen.
ONLY = r"([a-z0-9,]+): (.*)"


def decode(text):
    """A text as meant: {TEXT*N} repeated, then the escapes."""
    text = re.sub(r"\{([^{}*]*)\*([0-9]+)\}", lambda m: m.group(1) * int(m.group(2)), text)
    return re.sub(r"\\(u[0-9a-fA-F]{4}|U[0-9a-fA-F]{8}|.)",
                  lambda m: chr(int(m.group(1)[1:], 16)) if m.group(1)[0] in "uU" else ESCAPES[m.group(1)], text)


def parse(line):
    """The steps of a line as (verb, text, result); result is None where a step expects none."""
    steps = []
    for step in line.split(" ; "):
        step, then, result = step.rpartition(" => ") if " => " in step else (step, "", "")
        verb, _, text = step.partition(" ")
        steps.append((verb, decode(text), decode(result) if then else None))
    return steps


def read(frontend, path=LIST):
    """The scenarios as (name, [(line number, verb, text, result)]), with the
    steps for `frontend` only; result is None where a step expects none."""
    scenarios = []
    with open(path, encoding="utf-8") as file:
        for number, line in enumerate(file, 1):
            line = line.rstrip("\n")
            header = re.match(HEADER, line)
            if header:
                scenarios.append((header.group(1), []))
                continue
            if not line or line.startswith("#") or not scenarios:
                continue
            only = re.fullmatch(ONLY, line)
            if only:
                if frontend not in only.group(1).split(","):
                    continue
                line = only.group(2)
            scenarios[-1][1].extend((number, *step) for step in parse(line))
    return scenarios


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] != "steps" or sys.argv[3] not in FRONTENDS:
        sys.exit(__doc__)
    steps = dict(read(sys.argv[3])).get(sys.argv[2])
    if steps is None:
        sys.exit(f"no scenario {sys.argv[2]} in {LIST}")
    for number, verb, text, result in steps:
        fields = [str(number), verb, text, "" if result is None else "=>", result or ""]
        sys.stdout.buffer.write("".join(f + "\0" for f in fields).encode("utf-8"))
