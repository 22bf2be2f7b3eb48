#!/usr/bin/env python3
"""The page refuses a tables file that is not the one cut from its core,
writes none of its bytes, and fetches it again at the next load: for each
set's file, served in turn a damaged file, one of another build (a stale
copy), one cut short, one that is not gzip and the other set's file, each
is refused with its reason and the set's section stays as the wasm left it
(zeros); then the right one is taken, and the set's command converts. The
tables of 繁体转简体 are not fetched before something asks for them, and
the Martian commands need no tables.

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


# Each set's file, and a command that reads it: (text, how the page runs it, what it gives).
FILES = [("vellumino-tables.bin", "头发", "ZONE.click()", "頭髮"),
         ("vellumino-tables-simplified.bin", "頭髮", "MENU.click()", "头发")]
ZONE = ("Array.from(document.querySelectorAll('button.zone'))"
        ".find((b) => (b.getAttribute('aria-label') || b.textContent).includes('转繁体'))")
MENU = ("(document.getElementById('Label6').dispatchEvent(new MouseEvent('contextmenu', "
        "{bubbles: true, cancelable: true, clientX: 5, clientY: 5})),"
        " document.querySelector('#menu [role=menuitem]'))")


def variants(right, other):
    """(what is wrong, the file, the words of the refusal), and last the right file."""
    raw = bytearray(gzip.decompress(right))
    damaged = bytearray(raw)
    damaged[len(raw) // 2] ^= 0x01
    stale = bytearray(damaged)  # another build's file: its own hash, not the seal's
    struct.pack_into("<I", stale, 16, fnv1a(stale[20:]))
    short = raw[:len(raw) - 100]
    pack = lambda data: gzip.compress(bytes(data), 9, mtime=0)  # noqa: E731
    return [("damaged", pack(damaged), "damaged"),
            ("stale", pack(stale), "another version"),
            ("cut short", pack(short), "damaged"),
            ("not gzip", bytes(raw[:4096]), "damaged"),
            ("the other set's", other, "another set"),
            ("right", right, None)]


def main(site):
    rights = []
    for name, *_ in FILES:
        with open(os.path.join(site, name), "rb") as file:
            rights.append(file.read())
    served = {name: variants(rights[i], rights[1 - i]) for i, (name, *_) in enumerate(FILES)}
    asked = {name: [] for name in served}

    class Handler(http.server.SimpleHTTPRequestHandler):
        extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

        def do_GET(self):
            name = self.path.split("?")[0].rsplit("/", 1)[-1]
            if name in served:
                body = served[name][min(len(asked[name]), len(served[name]) - 1)][1]
                asked[name].append(self.headers.get("Cache-Control", ""))
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
    untouched = ("(() => { const w = HEAPU32.subarray(_vellumino_tables_where(INDEX) >> 2);"
                 " return HEAPU8.subarray(w[0], w[1]).every((b) => b === 0); })()")
    failures = []
    with Chromium() as page:
        # The page's loader alone: a service worker would fetch a file of its own.
        page.call("Page.addScriptToEvaluateOnNewDocument", source="delete Navigator.prototype.serviceWorker")
        page.open(f"http://127.0.0.1:{server.server_address[1]}/index.html", 1024, 760)
        page.wait_until("document.documentElement.dataset.ready !== undefined && Tables.refused(1) !== ''")
        # Before any tables: the Martian commands, and no fetch of the second set.
        for zone, menu, given, expected in (("Label5", False, "我的个性签名", "莪哋個悻签洺"),
                                            ("Label5", True, "莪哋個悻签洺", "我的个性签名")):
            page.evaluate(f"document.getElementById('Text1').value = '{given}'; _vellumino_text1_change()")
            page.evaluate(MENU.replace("Label6", zone) + ".click()" if menu
                          else f"document.getElementById('{zone}').click()")
            if not page.wait_until(f"document.getElementById('Text1').value === '{expected}'", 5):
                failures.append(f"{'the menu' if menu else 'the button'} of {zone} before the tables gave "
                                f"{page.evaluate('document.getElementById(`Text1`).value')!r}")
        if asked[FILES[1][0]]:
            failures.append(f"{FILES[1][0]} was fetched before anything asked for it")
        for index, (name, given, run, expected) in enumerate(FILES):
            check = untouched.replace("INDEX", str(index))
            for at, (what, _, words) in enumerate(served[name]):
                answer = (page.evaluate("Tables.refused(1)") if at == 0 and index == 0 else
                          page.evaluate(f"Tables.load({1 << index}).then(() => '', (e) => e.message)"))
                placed = page.evaluate(f"Tables.placed({1 << index})")
                if words is None:
                    if answer or not placed or page.evaluate(check):
                        failures.append(f"{name}: the right file was not taken: {answer!r}")
                elif words not in answer or placed or not page.evaluate(check):
                    failures.append(f"{name}, {what}: {answer!r}, placed {placed}, "
                                    f"section untouched {page.evaluate(check)}")
            if len(asked[name]) != len(served[name]):
                failures.append(f"{name}: {len(asked[name])} fetches for {len(served[name])} loads")
            if any("no-cache" not in header for header in asked[name][1:]):
                failures.append(f"{name}: a fetch after a refusal went to the browser's cache: {asked[name]}")
            page.evaluate(f"document.getElementById('Text1').value = '{given}'; _vellumino_text1_change()")
            page.evaluate(run.replace("ZONE", ZONE).replace("MENU", MENU))
            if not page.wait_until(f"document.getElementById('Text1').value === '{expected}'", 5):
                value = page.evaluate("document.getElementById('Text1').value")
                failures.append(f"{name}: {given} gave {value!r}")
    server.shutdown()
    if failures:
        print("FAIL: " + "; ".join(failures), file=sys.stderr)
        sys.exit(1)
    print(f"ok: for each of {len(FILES)} files, {len(served[FILES[0][0]]) - 1} wrong ones refused, nothing "
          "written, the right one taken; the Martian commands before any")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
