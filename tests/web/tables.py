#!/usr/bin/env python3
"""The page refuses a tables file that is not the one cut from its core,
writes none of its bytes, and fetches it again at the next load: served
in turn a damaged file, one of another build (a stale copy), one cut short
and one that is not gzip, each is refused with
its reason and the core's table section stays as the wasm left it
(zeros); then the right one is taken, and 转繁体 converts.

    tables.py SITE_DIR
"""
import functools
import gzip
import http.server
import os
import socketserver
import struct
import sys
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from chromium import Chromium  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from split import fnv1a  # noqa: E402


def variants(right):
    """(what is wrong, the file, the words of the refusal), and last the right file."""
    raw = bytearray(gzip.decompress(right))
    damaged = bytearray(raw)
    damaged[len(raw) // 2] ^= 0x01
    stale = bytearray(damaged)  # another build's file: its own hash, not the seal's
    struct.pack_into("<I", stale, 12, fnv1a(stale[16:]))
    short = raw[:len(raw) - 100]
    pack = lambda data: gzip.compress(bytes(data), 9, mtime=0)  # noqa: E731
    return [("damaged", pack(damaged), "damaged"),
            ("stale", pack(stale), "another version"),
            ("cut short", pack(short), "damaged"),
            ("not gzip", bytes(raw[:4096]), "damaged"),
            ("right", right, None)]


def main(site):
    with open(os.path.join(site, "vellumino-tables.bin"), "rb") as file:
        served = variants(file.read())
    asked = []

    class Handler(http.server.SimpleHTTPRequestHandler):
        extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

        def do_GET(self):
            if self.path.split("?")[0].endswith("/vellumino-tables.bin"):
                body = served[min(len(asked), len(served) - 1)][1]
                asked.append(self.headers.get("Cache-Control", ""))
                self.send_response(200)
                self.send_header("Content-Type", "application/octet-stream")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
            else:
                super().do_GET()

        def log_message(self, *_):
            pass

    server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), functools.partial(Handler, directory=site))
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    untouched = ("(() => { const w = HEAPU32.subarray(_vellumino_tables_where() >> 2);"
                 " return HEAPU8.subarray(w[0], w[1]).every((b) => b === 0); })()")
    failures = []
    with Chromium() as page:
        # The page's loader alone: a service worker would fetch a file of its own.
        page.call("Page.addScriptToEvaluateOnNewDocument", source="delete Navigator.prototype.serviceWorker")
        page.open(f"http://127.0.0.1:{server.server_address[1]}/index.html", 1024, 760)
        page.wait_until("document.documentElement.dataset.ready !== undefined && Tables.refused !== ''")
        for at, (what, _, words) in enumerate(served):
            answer = (page.evaluate("Tables.refused") if at == 0 else
                      page.evaluate("Tables.load().then(() => '', (e) => e.message)"))
            if words is None:
                if answer or not page.evaluate("Tables.placed") or page.evaluate(untouched):
                    failures.append(f"the right file was not taken: {answer!r}")
            elif words not in answer or page.evaluate("Tables.placed") or not page.evaluate(untouched):
                failures.append(f"{what}: {answer!r}, placed {page.evaluate('Tables.placed')}, "
                                f"section untouched {page.evaluate(untouched)}")
        if len(asked) != len(served):
            failures.append(f"{len(asked)} fetches for {len(served)} loads")
        if any("no-cache" not in header for header in asked[1:]):
            failures.append(f"a fetch after a refusal went to the browser's cache: {asked}")
        page.evaluate("document.getElementById('Text1').value = '头发'; _vellumino_text1_change()")
        zone = page.evaluate("Array.from(document.querySelectorAll('button.zone'))"
                             ".findIndex((b) => (b.getAttribute('aria-label') || b.textContent).includes('转繁体'))")
        page.click("button.zone", zone)
        converted = page.wait_until("document.getElementById('Text1').value === '頭髮'", 5)
        if not converted:
            value = page.evaluate("document.getElementById('Text1').value")
            failures.append(f"转繁体 gave {value!r}")
    server.shutdown()
    if failures:
        print("FAIL: " + "; ".join(failures), file=sys.stderr)
        sys.exit(1)
    print(f"ok: {len(served) - 1} wrong files refused, nothing written, the right one taken")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
