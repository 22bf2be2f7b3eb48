#!/usr/bin/env python3
"""The phone's first visit on a slow link: Lighthouse's mobile link (150 ms
round trips, 1.6 Mbit/s down, 750 kbit/s up), the site served as it is by a
server that compresses nothing, the browser's cache and the service worker
out of the way. In one headless Chromium, in turn: a plain page with the
same picture and an input (the floor: its load event), and Vellumino with
加空格, 复制 or 转繁体 tapped the moment its buttons are there, timed to the
command's result; after that 转繁体, its menu opened and 繁体转简体 chosen at
once, which fetches that direction's tables, timed from the menu to the
result. Medians, from the moment the address is opened (繁体转简体: from
its menu).

    slow.py SITE_DIR ROUNDS
"""
import json
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import Chromium  # noqa: E402
from ready import served  # noqa: E402

CONFIRMATION = "QQ签名已复制、请在QQ中粘贴"
# Each command: its zone, and when its result is there.
COMMANDS = {
    "加空格": ("Label3", "document.getElementById('Text1').value === '个 性 签 名'"),
    "复制": ("Label7", f"document.getElementById('Label2').textContent === '{CONFIRMATION}'"),
    "转繁体": ("Label6", "document.getElementById('Text1').value === '個性簽名'"),
}
# Run before the page's own script: the moment a condition first holds,
# looked at on every change of the field or the card.
WATCH = """
sessionStorage.clear();  // a first visit: nothing kept from the last round
window.benchSeen = null;
window.benchWatch = (condition) => {
  const look = () => { if (benchSeen === null && condition()) benchSeen = performance.now(); };
  new MutationObserver(look).observe(document, {subtree: true, childList: true, characterData: true});
  document.addEventListener('input', look, true);
  const poll = () => { look(); if (benchSeen === null) requestAnimationFrame(poll); };
  poll();
};
"""


def slow_link(chromium):
    chromium.call("Network.enable")
    chromium.call("Network.setCacheDisabled", cacheDisabled=True)
    chromium.call("Network.setBypassServiceWorker", bypass=True)
    chromium.call("Network.emulateNetworkConditions", offline=False, latency=150,
                  downloadThroughput=1.6e6 / 8, uploadThroughput=750e3 / 8)


def visit(chromium, url):
    chromium.call("Emulation.setDeviceMetricsOverride", width=375, height=667, deviceScaleFactor=3, mobile=True)
    chromium.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    chromium.events.clear()
    chromium.call("Page.navigate", url=url)


def plain(chromium, url):
    visit(chromium, url)
    return chromium.wait_until("performance.getEntriesByType('navigation')[0]?.loadEventEnd || 0", 30)


# Every file the page itself fetched so far and the bytes each moved
# (headers included), the page first; the service worker's own fetches are
# not the page's.
MOVED = """JSON.stringify([performance.getEntriesByType('navigation')[0]]
  .concat(performance.getEntriesByType('resource'))
  .map((entry) => [new URL(entry.name).pathname.split('/').pop() || 'index.html', entry.transferSize]))"""


def command(chromium, url, zone, done):
    visit(chromium, url)
    # A finger can only find the button once something is on the screen,
    # and the page's script, which follows the buttons, listens to it.
    if not chromium.wait_until(f"typeof Vellumino == 'object' && performance.getEntriesByType('paint').length"
                               f" && (benchWatch(() => {done}), true)", 30):
        raise RuntimeError(f"{url}: no {zone}")
    chromium.tap(f"#{zone}")
    return chromium.wait_until("benchSeen", 30), json.loads(chromium.evaluate(MOVED))


# 繁体转简体 from 转繁体's menu, opened and chosen at once (as the menu key and
# Enter would): the time from the menu to the field holding the result.
BACK = """(() => {
  window.benchBackAt = null;
  const field = document.getElementById('Text1');
  const look = () => { if (benchBackAt === null && field.value === '个性签名') benchBackAt = performance.now(); };
  new MutationObserver(look).observe(document, {subtree: true, childList: true, characterData: true});
  document.addEventListener('input', look, true);
  const poll = () => { look(); if (benchBackAt === null) requestAnimationFrame(poll); };
  window.benchBackFrom = performance.now();
  document.getElementById('Label6').dispatchEvent(new MouseEvent('contextmenu',
    {bubbles: true, cancelable: true, clientX: 5, clientY: 5}));
  document.querySelector('#menu [role=menuitem]').click();
  poll();
})()"""


def back(chromium):
    chromium.evaluate(BACK)
    if not chromium.wait_until("benchBackAt", 30):
        raise RuntimeError("繁体转简体 gave no result")
    return chromium.evaluate("benchBackAt - benchBackFrom"), json.loads(chromium.evaluate(MOVED))


def main(site, rounds):
    with served(site) as (url, _):
        times = {name: [] for name in ["plain page", *COMMANDS, "繁体转简体"]}
        with Chromium() as chromium:
            chromium.call("Browser.grantPermissions", browser=True,
                          permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
            chromium.call("Emulation.setFocusEmulationEnabled", enabled=True)
            chromium.call("Page.addScriptToEvaluateOnNewDocument", source=WATCH)
            slow_link(chromium)
            for _ in range(rounds):
                times["plain page"].append(plain(chromium, url + "plain.html"))
                for name, (zone, done) in COMMANDS.items():
                    at, files = command(chromium, url + "index.html", zone, done)
                    times[name].append(at)
                    if name == "转繁体":
                        moved = files
                        at, files = back(chromium)
                        times["繁体转简体"].append(at)
                        later = [entry for entry in files if entry not in moved]
        floor = statistics.median(times["plain page"])
        print(f"A phone's first visit on Lighthouse's mobile link, uncompressed, median of {rounds}:")
        print(f"  plain page loaded           {floor:7.0f} ms")
        for name in COMMANDS:
            at = statistics.median(times[name])
            goal = "goal 1.5x" if name != "转繁体" else f"goal 2500 ms: {'within' if at <= 2500 else 'over'}"
            print(f"  first {name} answered   {at:7.0f} ms  {at / floor:.2f}x the plain page ({goal})")
        at = statistics.median(times["繁体转简体"])
        print(f"  then 繁体转简体, from its menu {at:7.0f} ms, fetching "
              + ", ".join(f"{name} ({size:,} bytes)" for name, size in later))
        total = sum(size for _, size in moved)
        print(f"The files that first visit fetched by the first 转繁体 (the last round; the service worker's "
              f"fill comes after): {total:,} bytes ({total / 1000:.0f} KB, goal 450 KB: "
              f"{'within' if total <= 450_000 else 'over'})")
        for name, size in moved:
            print(f"  {name:24} {size:9,}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], int(sys.argv[2]))
