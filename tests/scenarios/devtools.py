"""Plays the scenarios of scenarios.txt in the web page, through a Page of
tests/web/page.py (a tap for a click and a long press for a right-click when
the page is on a phone). Each scenario starts on a freshly opened page.
"""
import os
import re
import sys
import time

LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scenarios.txt")
ESCAPES = {"t": "\t", "n": "\n", "r": "\r", "e": "\x1b", "\\": "\\"}
# X's key names where the browser's differ.
KEYS = {"BackSpace": "Backspace", "Return": "Enter"}


def decode(text):
    """A step's text as meant: {TEXT*N} repeated, then the escapes."""
    text = re.sub(r"\{([^{}*]*)\*([0-9]+)\}", lambda m: m.group(1) * int(m.group(2)), text)
    return re.sub(r"\\(u[0-9a-fA-F]{4}|U[0-9a-fA-F]{8}|.)",
                  lambda m: chr(int(m.group(1)[1:], 16)) if m.group(1)[0] in "uU" else ESCAPES[m.group(1)], text)


def read(frontend, path=LIST):
    """The scenarios as (name, [(line number, step)]), with the steps for `frontend` only."""
    scenarios = []
    with open(path, encoding="utf-8") as file:
        for number, line in enumerate(file, 1):
            line = line.rstrip("\n")
            header = re.match(r"\[([a-z0-9_]+)\]", line)
            if header:
                scenarios.append((header.group(1), []))
                continue
            if not line or line.startswith("#") or not scenarios:
                continue
            only = re.match(r"([a-z,]+): (.*)", line)
            if only:
                if frontend not in only.group(1).split(","):
                    continue
                line = only.group(2)
            scenarios[-1][1].append((number, line))
    return scenarios


class Driver:
    def __init__(self, page, url):
        self.page = page
        self.url = url
        self.beside = url.rsplit("/", 1)[0] + "/signatures.html"
        self.targets = set()

    def pages_open(self):
        return [t for t in self.page.chromium.call("Target.getTargets")["targetInfos"] if t["type"] == "page"]

    def start(self):
        self.page.open(self.url)
        self.targets = {t["targetId"] for t in self.pages_open()}

    def in_field(self):
        if not self.page.value("document.activeElement === document.getElementById('Text1')"):
            self.page.value("document.getElementById('Text1').focus()")

    def menu_to(self, zone, label):
        """Opens the zone's menu, which focuses its first entry, and goes down to `label`."""
        self.page.menu(zone)
        self.page.chromium.wait_until("!document.getElementById('menu').hidden", 3)
        entries = self.page.menu_entries()
        if label not in entries:
            self.page.fail(f"{zone}'s menu offers {entries}, not {label}")
        for _ in range(entries.index(label)):
            self.page.chromium.key("Down")

    def expect_opened(self, count):
        """The link opened `count` tabs since the last look, each on the page beside this one."""
        deadline = time.monotonic() + 10
        opened = []
        while time.monotonic() < deadline:
            opened = [t for t in self.pages_open() if t["targetId"] not in self.targets]
            if len(opened) >= count and all(t["url"] not in ("", "about:blank") for t in opened):
                time.sleep(0.5)  # a late extra one would show up here
                opened = [t for t in self.pages_open() if t["targetId"] not in self.targets]
                break
            time.sleep(0.1)
        if [t["url"] for t in opened] != [self.beside] * count:
            self.page.fail(f"the link opened {[t['url'] for t in opened]}, expected {count} of {self.beside}")
        for target in opened:
            self.page.chromium.call("Target.closeTarget", targetId=target["targetId"])

    def step(self, line):
        page = self.page
        verb, _, rest = line.partition(" ")
        if verb == "paste":
            text, _, held = rest.partition(" => ")
            page.put_signature(decode(text), decode(held) if held else None)
        elif verb == "clipboard":
            page.set_clipboard(decode(rest))
        elif verb == "type":
            self.in_field()
            page.chromium.type(decode(rest))
        elif verb == "commit":
            self.in_field()
            page.chromium.call("Input.insertText", text=decode(rest))
        elif verb == "compose":
            self.in_field()
            text = decode(rest)
            page.chromium.call("Input.imeSetComposition", text=text, selectionStart=len(text),
                               selectionEnd=len(text))
        elif verb == "drop":
            where, _, text = rest.partition(" ")
            page.drop(decode(text), start=where == "start")
            time.sleep(0.2)
        elif verb == "key":
            self.in_field()
            for key in rest.split():
                page.chromium.key("+".join(KEYS.get(part, part) for part in key.split("+")))
        elif verb == "click":
            page.zone(rest)
        elif verb == "menu":
            page.menu(rest)
        elif verb == "choose":
            zone, _, label = rest.partition(" ")
            page.menu(zone)
            page.choose(label)
        elif verb == "preview":
            self.menu_to(*rest.split(" ", 1))
        elif verb == "select":
            start, end = rest.split()
            page.value(f"document.getElementById('Text1').setSelectionRange({int(start)}, {int(end)})")
        elif verb == "pause":
            time.sleep(float(rest))
        elif verb == "expect":
            what, _, text = rest.partition(" ")
            if what == "field":
                page.expect("the field holds", "document.getElementById('Text1').value", decode(text))
            elif what == "shown":
                page.expect_field(decode(text))
            elif what in ("Label1", "Label2"):
                page.expect(f"{what} shows", f"document.getElementById('{what}').textContent", decode(text))
            elif what == "clipboard":
                page.expect_clipboard(decode(text))
            elif what == "opened":
                self.expect_opened(int(text))
            elif what == "live":
                caption, _, value = text.partition(" ")
                page.expect(f"{caption}'s aria-live", f"document.getElementById('{caption}').getAttribute('aria-live')",
                            value)
            elif what == "no-menu":
                page.menu(text)
                time.sleep(0.3)
                if page.menu_entries():
                    page.fail(f"{text} offers {page.menu_entries()}")
                page.value("document.activeElement.blur()")
            else:
                page.fail(f"no expectation {what!r} here")
        else:
            page.fail(f"no step {verb!r} for the web")


def play(page, url, path=LIST):
    """Every scenario of the list, each on a fresh page; says which step failed."""
    driver = Driver(page, url)
    for name, steps in read("web", path):
        driver.start()
        for number, line in steps:
            try:
                driver.step(line)
            except (SystemExit, Exception):
                print(f"{os.path.basename(path)}:{number}: [{name}] {line}", file=sys.stderr)
                raise
        print(f"ok: {name}")
