"""Plays the scenarios of scenarios.txt in the web page, through a Page of
tests/web/page.py (a tap for a click and a long press for a right-click when
the page is on a phone). Each scenario starts on a freshly opened page.
"""
import sys
import time

import scenarios

# X's key names where the browser's differ.
KEYS = {"BackSpace": "Backspace", "Return": "Enter"}


class Driver:
    def __init__(self, page, url=""):
        self.page = page
        self.url = url
        self.beside = url.rsplit("/", 1)[0] + "/signatures.html"
        self.targets = set()

    def pages_open(self):
        return [t for t in self.page.chromium.call("Target.getTargets")["targetInfos"] if t["type"] == "page"]

    def start(self):
        self.page.open(self.url)
        self.targets = {t["targetId"] for t in self.pages_open()}

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

    def step(self, verb, text, result):
        """One step; with a result, the field and both captions then show it."""
        page = self.page
        first, _, after = text.partition(" ")
        if verb == "paste":
            page.put(text)
            result = text if result is None else result
        elif verb == "clipboard":
            page.set_clipboard(text)
        elif verb in ("type", "commit", "compose", "key"):
            # Keys go to the field, or to a menu that is open.
            page.value("document.getElementById('menu').hidden && document.activeElement.id !== 'Text1'"
                       " && document.getElementById('Text1').focus()")
            if verb == "type":
                page.chromium.type(text)
            elif verb == "commit":
                page.chromium.call("Input.insertText", text=text)
            elif verb == "compose":
                page.chromium.call("Input.imeSetComposition", text=text, selectionStart=len(text),
                                   selectionEnd=len(text))
            else:
                for key in text.split():
                    page.chromium.key("+".join(KEYS.get(part, part) for part in key.split("+")))
        elif verb == "drop":
            page.drop(after, start=first == "start")
            time.sleep(0.2)
        elif verb == "click":
            page.zone(text)
        elif verb == "menu":
            page.menu(text)
        elif verb == "choose":
            page.menu(first)
            page.choose(after)
        elif verb == "preview":
            self.menu_to(first, after)
        elif verb == "select":
            page.value(f"document.getElementById('Text1').setSelectionRange({int(first)}, {int(after)})")
        elif verb == "pause":
            time.sleep(float(text))
        elif verb == "expect":
            self.expect(first, after)
        else:
            page.fail(f"no step {verb!r} for the web")
        if result is not None:
            page.expect_field(result)

    def expect(self, what, text):
        page = self.page
        if what == "field":
            page.expect("the field holds", "document.getElementById('Text1').value", text)
        elif what == "shown":
            page.expect_field(text)
        elif what in ("Label1", "Label2"):
            page.expect(f"{what} shows", f"document.getElementById('{what}').textContent", text)
        elif what == "clipboard":
            page.expect_clipboard(text)
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


def steps(page, line):
    """Plays a line of steps, written as in the list, on the page as it is."""
    driver = Driver(page)
    for verb, text, result in scenarios.parse(line):
        try:
            driver.step(verb, text, result)
        except (SystemExit, Exception):
            print(f"at the step: {verb} {text}", file=sys.stderr)
            raise


def play(page, url):
    """Every scenario of the list, each on a fresh page; says which step failed."""
    driver = Driver(page, url)
    for name, steps in scenarios.read("web"):
        driver.start()
        for number, verb, text, result in steps:
            try:
                driver.step(verb, text, result)
            except (SystemExit, Exception):
                print(f"scenarios.txt:{number}: [{name}] {verb} {text}", file=sys.stderr)
                raise
        print(f"ok: {name}")
