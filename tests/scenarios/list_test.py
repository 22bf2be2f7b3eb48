#!/usr/bin/env python3
"""The scenario list as the drivers will play it, before any program starts:
its texts read as meant, and every step a front-end plays is one its driver
knows, on a control the layout has and a menu entry the core offers. A
misspelt front-end would skip its steps without a word.

Usage: list_test.py LAYOUT.txt
"""
import re
import sys

import scenarios

DESKTOP = ("qt", "wine")
ALL = scenarios.FRONTENDS
CONTROLS = {"Text1", "Label1", "Label2", "Portrait"}
# Verb: (the front-ends whose driver plays it, the shape of its text).
STEPS = {
    "paste": (ALL, r".*"), "paste-menu": (DESKTOP, r".*"), "clipboard": (ALL, r".*"), "type": (ALL, r".*"),
    "commit": (("web",), r".*"), "compose": (("web",), r".*"), "drop": (("web",), r"(start|end) .*"),
    "key": (ALL, r"\S+( \S+)*"), "click": (ALL, r"\S+"), "click-at": (DESKTOP, r"\d+ \d+"),
    "menu": (ALL, r"\S+"), "choose": (ALL, r"\S+ .+"), "preview": (ALL, r"\S+ .+"),
    "resize": (DESKTOP, r"\d+ \d+"), "pause": (ALL, r"[0-9.]+"), "select": (("web",), r"\d+ \d+"),
    "expect": (ALL, r"(field|shown|Label1|Label2|clipboard)( .*)?|opened \d+"),
}
WEB_EXPECTATIONS = r"live Label[12] (polite|off)|no-menu \S+"

# Each text as written, and as meant.
DECODED = [
    ("plain 个性签名", "plain 个性签名"),
    ("{a*3}b{十*2}{ab*0}", "aaab十十"),
    ("one\\r\\ntwo\\tthree\\e", "one\r\ntwo\tthree\x1b"),
    ("\\u0085\\u200d\\ue000\\U0001f468", "\u0085\u200d\ue000\U0001f468"),
    ("back\\\\slash {\\u2764*2}", "back\\slash \u2764\u2764"),
]


def check(layout):
    faults = [f"{written!r} reads as {scenarios.decode(written)!r}, not {meant!r}"
              for written, meant in DECODED if scenarios.decode(written) != meant]
    zones, menus = set(CONTROLS), {}
    with open(layout, encoding="utf-8") as file:
        for fields in (line.rstrip("\n").split(" ", 2) for line in file):
            if fields[0] == "menu":
                menus.setdefault(fields[1], []).append(fields[2])
            elif re.match(r"Label\d+$", fields[0]):
                zones.add(fields[0])

    names = []
    with open(scenarios.LIST, encoding="utf-8") as file:
        for number, line in enumerate(file, 1):
            if re.match(scenarios.HEADER, line.rstrip("\n")):
                names.append(line.split("]")[0][1:])
            elif line.startswith("["):
                faults.append(f"{number}: {line.strip()!r}: a header is [name], then 144 and no-browser if need be")
            if line.rstrip("\n") != line.rstrip():
                # An editor would take it away: a text's last space is written \u0020.
                faults.append(f"{number}: {line!r} ends in a space")
            only = re.fullmatch(scenarios.ONLY, line.rstrip("\n"))
            if only and not set(only.group(1).split(",")) <= set(ALL):
                faults.append(f"{number}: {only.group(1)} names no front-end")
    if len(set(names)) != len(names):
        faults.append(f"a scenario name comes twice: {names}")

    for frontend in ALL:
        for name, steps in scenarios.read(frontend):
            for number, verb, text, result in steps:
                where = f"{number} [{name}] on {frontend}: {verb} {text}"
                known, shape = STEPS.get(verb, ((), ""))
                if frontend not in known:
                    faults.append(f"{where}: no such step for this front-end")
                elif not re.fullmatch(shape, text, re.S) and not (
                        frontend == "web" and verb == "expect" and re.fullmatch(WEB_EXPECTATIONS, text)):
                    faults.append(f"{where}: not a step {verb} can take")
                elif verb == "paste-menu" and result is None:
                    faults.append(f"{where}: what the menu's paste leaves is not said")
                words = text.split(" ")
                control = words[1] if verb == "expect" and words[0] == "no-menu" else words[0]
                if verb in ("click", "menu", "choose", "preview") or text.startswith("no-menu"):
                    if control not in zones:
                        faults.append(f"{where}: no control {control} in the layout")
                if verb in ("choose", "preview") and text.partition(" ")[2] not in menus.get(control, []):
                    faults.append(f"{where}: {control}'s menu offers {menus.get(control, [])}")
    return names, faults


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    names, faults = check(sys.argv[1])
    for fault in faults:
        print("FAIL: " + fault, file=sys.stderr)
    if faults:
        sys.exit(1)
    print(f"scenarios: ok ({len(names)} scenarios)")
