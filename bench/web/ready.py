#!/usr/bin/env python3
"""The web page's first load: its size, and how soon it is ready for input
against a plain page with the same picture and an input, side by side in
one headless Chromium, on a desktop screen and on a phone's.

    ready.py SITE_DIR ROUNDS

The site is served from 127.0.0.1 with the plain page beside it. Each round
loads both pages, in turn, with the browser's cache and the service worker
out of the way. The plain page is ready when it has loaded; Vellumino when
it has loaded and its core answers (its 'vellumino-ready' mark). Medians.
"""
import contextlib
import functools
import gzip
import http.server
import os
import shutil
import socketserver
import statistics
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from chromium import Chromium  # noqa: E402


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

    def log_message(self, *_):
        pass


READY = ("(() => { const load = performance.getEntriesByType('navigation')[0].loadEventEnd;"
         " const mark = performance.getEntriesByName('vellumino-ready')[0];"
         " return load > 0 && (!location.pathname.endsWith('index.html') || mark)"
         " ? Math.max(load, mark ? mark.startTime : 0) : 0; })()")


@contextlib.contextmanager
def served(site):
    """A copy of the site with the plain page beside it, served on 127.0.0.1
    as it is, compressing nothing: its address, and its folder."""
    root = tempfile.mkdtemp(prefix="vellumino-bench-")
    try:
        shutil.copytree(site, root, dirs_exist_ok=True)
        shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), "plain.html"), root)
        server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), functools.partial(Handler, directory=root))
        server.daemon_threads = True
        threading.Thread(target=server.serve_forever, daemon=True).start()
        yield f"http://127.0.0.1:{server.server_address[1]}/", root
        server.shutdown()
    finally:
        shutil.rmtree(root, ignore_errors=True)


def gzipped(path):
    with open(path, "rb") as file:
        return len(gzip.compress(file.read(), 9))


def main(site, rounds):
    with served(site) as (url, root):
        for name, width, height, scale, mobile in (("desktop", 1024, 760, 1, False), ("phone", 375, 667, 3, True)):
            # The first visit, service worker and all, in a browser of its own.
            with Chromium() as chromium:
                chromium.watch_requests()
                chromium.open(url + "index.html", width, height, scale=scale, mobile=mobile)
                chromium.wait_until("navigator.serviceWorker.getRegistration()"
                                    ".then(r => !!(r && r.active))", 15)
                time.sleep(0.5)
                files = sorted({u.split("?")[0][len(url):] or "index.html" for u in chromium.requested})
            sizes = {f: gzipped(os.path.join(root, f)) for f in files}
            print(f"First load on a {name} screen ({scale}x), gzip -9 in all: {sum(sizes.values())} bytes "
                  f"({sum(sizes.values()) / 1000:.0f} KB, goal 800 KB)")
            for f in files:
                print(f"  {f:24} {sizes[f]:8}")

            times = {"plain": [], "vellumino": []}
            with Chromium() as chromium:
                chromium.call("Network.enable")
                chromium.call("Network.setCacheDisabled", cacheDisabled=True)
                chromium.call("Network.setBypassServiceWorker", bypass=True)
                for round_ in range(rounds + 1):
                    for page, path in (("plain", "plain.html"), ("vellumino", "index.html")):
                        chromium.open(url + path, width, height, scale=scale, mobile=mobile)
                        ready = chromium.wait_until(READY, 10)
                        if round_:  # the first round warms the browser up
                            times[page].append(ready)
                        chromium.open("about:blank", width, height, scale=scale, mobile=mobile)
            plain, vellumino = statistics.median(times["plain"]), statistics.median(times["vellumino"])
            ratio = vellumino / plain
            verdict = "within" if ratio <= 1.5 else "over"
            print(f"Ready for input on a {name} screen, median of {rounds}: plain page {plain:.1f} ms, "
                  f"Vellumino {vellumino:.1f} ms: {ratio:.2f}x ({verdict} the goal of 1.5x)")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], int(sys.argv[2]))
