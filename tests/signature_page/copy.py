#!/usr/bin/env python3
"""The signature page in a real headless Chromium: it loads nothing but
itself, the switch shows every signature in the chosen style, and 复制 puts
exactly what is shown on the clipboard, through the Clipboard API and through
the old way that a file: page falls back on where that API is missing.

Usage: copy.py PAGE.html
"""
import json
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from chromium import Chromium  # noqa: E402

# The browser's own clipboard, even where the page has hidden it.
READ_CLIPBOARD = ("Object.getOwnPropertyDescriptor(Navigator.prototype, 'clipboard')"
                  ".get.call(navigator).readText()")
WRITE_CLIPBOARD = ("Object.getOwnPropertyDescriptor(Navigator.prototype, 'clipboard')"
                   ".get.call(navigator).writeText('stale')")

# style, which signature (by position), and whether the Clipboard API is there
CASES = [
    ("martian", 0, True),
    ("traditional", 40, False),
    ("symbols", 216, True),
    ("plain", 100, False),
]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_until(condition, seconds=5):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.05)
    return True


def main(page):
    with Chromium() as browser:
        browser.call("Browser.grantPermissions", browser=True,
                     permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
        browser.call("Network.enable")
        for style, index, api in CASES:
            case = f"{style}, signature {index}, {'Clipboard API' if api else 'without the Clipboard API'}"
            browser.open(page, 1024, 760)
            requests = [e["params"]["request"]["url"] for e in browser.events
                        if e.get("method") == "Network.requestWillBeSent"]
            if any(not url.startswith("file://") for url in requests):
                fail(f"the page asked the network for {requests}")
            if not api:
                browser.evaluate("Object.defineProperty(navigator, 'clipboard', {value: undefined})")
            browser.click(f"label[for=style-{style}]")

            item = f"document.querySelectorAll('.sig')[{index}]"
            expected = browser.evaluate(f"{item}.getAttribute('data-{style}')")
            if not expected:
                fail(f"{case}: no such signature")
            shown = [browser.evaluate(f"{item}.textContent"),
                     browser.evaluate("document.querySelector('.sig').textContent")]
            first = browser.evaluate(f"document.querySelector('.sig').getAttribute('data-{style}')")
            if shown != [expected, first]:
                fail(f"{case}: the switch shows {shown}, expected {[expected, first]}")

            browser.evaluate(WRITE_CLIPBOARD)
            browser.click(".copy", index)
            if not wait_until(lambda: browser.evaluate(READ_CLIPBOARD) == expected):
                fail(f"{case}: the clipboard holds {json.dumps(browser.evaluate(READ_CLIPBOARD), ensure_ascii=False)}, "
                     f"expected {json.dumps(expected, ensure_ascii=False)}")
            toast = browser.evaluate("document.getElementById('toast').textContent")
            if toast != "已复制：" + expected:
                fail(f"{case}: the page says {toast!r}")
            print(f"ok: {case}: {expected}")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(f"usage: {sys.argv[0]} PAGE.html")
    main(sys.argv[1])
