#!/usr/bin/env python3
"""The scenario list as each driver will read it, before any program starts:
both drivers decode every text alike, and every step a front-end plays is one
its driver knows, on a control the layout has and a menu entry the core
offers. A misspelt front-end would skip its steps without a word.

Usage: list_test.py LAYOUT.txt
"""
import os
import re
import subprocess
import sys

import devtools

HERE = os.path.dirname(os.path.abspath(__file__))
FRONTENDS = ("qt", "wine", "web")
DESKTOP = ("qt", "wine")
CONTROLS = {"Text1", "Label1", "Label2", "Portrait"}
# Verb: (front-ends whose driver plays it, what its words must look like).
STEPS = {
    "paste": (FRONTENDS, r".*"), "paste-menu": (DESKTOP, r".* => .*"), "clipboard": (FRONTENDS, r".*"),
    "type": (FRONTENDS, r".*"), "commit": (("web",), r".*"), "compose": (("web",), r".*"),
    "drop": (("web",), r"(start|end) .*"), "key": (FRONTENDS, r"\S+( \S+)*"), "click": (FRONTENDS, r"\S+"),
    "click-at": (DESKTOP, r"\d+ \d+"), "menu": (FRONTENDS, r"\S+"), "choose": (FRONTENDS, r"\S+ .+"),
    "preview": (FRONTENDS, r"\S+ .+"), "resize": (DESKTOP, r"\d+ \d+"), "pause": (FRONTENDS, r"[0-9.]+"),
    "select": (("web",), r"\d+ \d+"),
    "expect": (FRONTENDS, r"(field|shown|Label1|Label2|clipboard)( .*)?|opened \d+"),
}
WEB_EXPECTATIONS = r"live Label[12] (polite|off)|no-menu \S+"

# Each text as written, and as meant.
DECODED = [
    ("plain 个性签名", "plain 个性签名"),
    ("{a*3}b{十*2}", "aaab十十"),
    ("{ab*0}x", "x"),
    ("one\\r\\ntwo\\tthree\\e", "one\r\ntwo\tthree\x1b"),
    ("\\u0085\\u200d\\ue000", "\u0085\u200d\ue000"),
    ("\\U0001f468\\u200d\\U0001f469", "\U0001f468\u200d\U0001f469"),
    ("back\\\\slash", "back\\slash"),
    ("{\\u2764*2}", "\u2764\u2764"),
    (" spaced ", " spaced "),
]


def bash_decode(text, layout):
    """What the xdotool driver makes of it."""
    script = 'source "$1"; decode "$2" out; printf %s "$out"'
    env = dict(os.environ, VELLUMINO="unused", VELLUMINO_LAYOUT=layout)
    done = subprocess.run(["bash", "-c", script, "decode", os.path.join(HERE, "xdotool", "lib.sh"), text],
                          env=env, capture_output=True, check=True)
    return done.stdout.decode("utf-8")


def main(layout):
    faults = []
    for written, meant in DECODED:
        for driver, got in (("devtools.py", devtools.decode(written)), ("xdotool", bash_decode(written, layout))):
            if got != meant:
                faults.append(f"{driver} reads {written!r} as {got!r}, not {meant!r}")

    zones, menus = set(), {}
    with open(layout, encoding="utf-8") as file:
        for fields in (line.rstrip("\n").split(" ", 2) for line in file):
            if fields[0] == "menu":
                menus.setdefault(fields[1], []).append(fields[2])
            elif len(fields) > 2 and re.match(r"Label\d+$", fields[0]):
                zones.add(fields[0])

    names = []
    with open(devtools.LIST, encoding="utf-8") as file:
        for number, line in enumerate(file, 1):
            line = line.rstrip("\n")
            header = re.match(r"\[([a-z0-9_]+)\]( 144)?$", line)
            if header:
                names.append(header.group(1))
            elif line.startswith("["):
                faults.append(f"{number}: {line!r}: a header is [name] or [name] 144")
            if line != line.rstrip():
                # An editor would take it away: a text's last space is written \u0020.
                faults.append(f"{number}: {line!r} ends in a space")
            only = re.match(r"([a-z0-9,]+): ", line)
            if only and not set(only.group(1).split(",")) <= set(FRONTENDS):
                faults.append(f"{number}: {only.group(1)} names no front-end")
    if len(set(names)) != len(names):
        faults.append(f"a scenario name comes twice: {names}")

    for frontend in FRONTENDS:
        for name, steps in devtools.read(frontend):
            for number, step in steps:
                verb, _, rest = step.partition(" ")
                where = f"{number} [{name}] on {frontend}: {step!r}"
                known, shape = STEPS.get(verb, ((), ""))
                if frontend not in known:
                    faults.append(f"{where}: no such step for this front-end")
                    continue
                if not re.fullmatch(shape, rest) and not (
                        frontend == "web" and verb == "expect" and re.fullmatch(WEB_EXPECTATIONS, rest)):
                    faults.append(f"{where}: not a step {verb} can take")
                if verb in ("click", "menu", "choose", "preview") or (verb, rest[:7]) == ("expect", "no-menu"):
                    control = rest.split(" ")[1 if verb == "expect" else 0]
                    if control not in zones | CONTROLS:
                        faults.append(f"{where}: no control {control} in the layout")
                if verb in ("choose", "preview"):
                    control, label = rest.split(" ", 1)
                    if label not in menus.get(control, []):
                        faults.append(f"{where}: {control}'s menu offers {menus.get(control, [])}")
    for fault in faults:
        print("FAIL: " + fault, file=sys.stderr)
    if faults:
        sys.exit(1)
    print(f"scenarios: ok ({len(names)} scenarios, {len(DECODED)} texts read alike)")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
