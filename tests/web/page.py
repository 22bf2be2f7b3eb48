#!/usr/bin/env python3
"""The web page in a real headless Chromium, driven over the DevTools pipe:
the scenarios of tests/scenarios/scenarios.txt and what only a page does, on a desktop
screen with a mouse and on a phone's with touches, offline after one visit
and opened from disk. A request of the page or its service worker for
anything but 127.0.0.1 or the files beside the page fails the run, and so
does anything the page's content policy refuses.

Usage:
    page.py desktop SITE_DIR LAYOUT.txt
    page.py phone SITE_DIR LAYOUT.txt
    page.py offline SITE_DIR LAYOUT.txt
    page.py screenshot SITE_DIR OUTPUT.png
"""
import functools
import http.server
import json
import os
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
sys.path.insert(0, os.path.join(HERE, "..", "scenarios"))
from chromium import Chromium  # noqa: E402
import devtools  # noqa: E402

CONFIRMATION = "QQ签名已复制、请在QQ中粘贴"
FAILED = "没有复制成功，请再试一次"
TEN = "一二三四五六七八九十"
# The zones as the picture shows them, row by row: Tab's order.
PAINTED = ["Label3", "Label4", "Label6", "Label5", "Label7", "Label8", "Label9"]
# axe-core's script, from npm (Makefile), and where screenshots go.
AXE = os.environ.get("AXE_CORE", "")
OUTPUT = os.environ.get("SCREENSHOTS", ".")

# The browser's own clipboard, read and written past the page.
CLIPBOARD = "Object.getOwnPropertyDescriptor(Navigator.prototype, 'clipboard').get.call(navigator)"


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def js(value):
    return json.dumps(value, ensure_ascii=False)


class Site:
    """The site served on 127.0.0.1 from a thread, until stop()."""

    def __init__(self, directory):
        handler = functools.partial(QuietHandler, directory=directory)
        self.server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), handler)
        self.server.daemon_threads = True
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json"}

    def log_message(self, *_):
        pass


def browser():
    chromium = Chromium()
    chromium.watch_requests()
    # What the page's policy refuses, it would have fetched.
    chromium.call("Page.addScriptToEvaluateOnNewDocument", source=(
        "window.refused = []; document.addEventListener('securitypolicyviolation',"
        " (e) => refused.push(e.blockedURI + ' ' + e.violatedDirective));"))
    return chromium


def check_requests(chromium):
    """Nothing but this machine: the site on 127.0.0.1 or the files beside the page."""
    away = [url for url in chromium.requested
            if not (url.startswith("http://127.0.0.1:") or url.startswith("file://"))]
    if away:
        fail(f"requests left 127.0.0.1: {away}")


def layout(path):
    """The layout's rectangles by control name."""
    rects = {}
    with open(path, encoding="utf-8") as file:
        for line in file:
            fields = line.split(" ")
            if len(fields) >= 5 and fields[1].isdigit():
                rects[fields[0]] = [int(f) for f in fields[1:5]]
    return rects


class Page:
    """The page in one tab, driven as a desktop user (mouse) or a phone user (fingers)."""

    def __init__(self, chromium, phone):
        self.chromium = chromium
        self.phone = phone

    def open(self, url, screen=None, keep=False, wait=True):
        """Loads the page on the phone's or the desktop's screen (or `screen`: width, height, scale),
        with what an earlier visit kept for the tab forgotten unless `keep`."""
        if self.chromium.requested and self.value("typeof refused == 'object' && refused.length"):
            fail(f"the page's policy refused {self.value('refused')}")
        if not keep:
            # Leaving, the page saves what it holds: not this time.
            self.value("(() => { try { sessionStorage.clear(); Storage.prototype.setItem = () => {}; }"
                       " catch (e) {} })()")
        # A headless tab is never the focused window, and the clipboard
        # answers only a focused document.
        self.chromium.call("Emulation.setFocusEmulationEnabled", enabled=True)
        width, height, scale = screen or ((375, 667, 3) if self.phone else (1024, 760, 1))
        if not wait:
            self.chromium.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                               deviceScaleFactor=scale, mobile=self.phone)
            self.chromium.call("Page.navigate", url=url)
            return
        self.chromium.open(url, width, height, scale=scale, mobile=self.phone)
        if not self.chromium.wait_until("'ready' in document.documentElement.dataset"):
            fail(f"{url}: the core never got ready")

    def value(self, expression):
        return self.chromium.evaluate(expression)

    def field(self):
        return self.value("document.getElementById('Text1').value")

    def expect(self, what, expression, expected, seconds=5):
        """Waits until the expression's value is `expected`."""
        if not self.chromium.wait_until(f"(async () => (await ({expression})) === {js(expected)})()", seconds):
            fail(f"{what}: {js(self.value(expression))}, expected {js(expected)}")

    def expect_field(self, expected, previews=True):
        """The field holds `expected`, and both previews show it."""
        self.expect("the field holds", "document.getElementById('Text1').value", expected)
        if previews:
            for name in ("Label1", "Label2"):
                self.expect(f"{name} shows", f"document.getElementById('{name}').textContent", expected)

    def zone(self, name):
        if self.phone:
            self.chromium.tap(f"#{name}")
        else:
            self.chromium.click(f"#{name}")

    def menu(self, name):
        """Opens a zone's own menu: a right-click, or a long press on a phone."""
        if self.phone:
            # Held until the menu shows, or long past the press's half second where none comes.
            x, y = self.chromium.centre(f"#{name}")
            self.chromium.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
            self.chromium.wait_until("!document.getElementById('menu').hidden", 0.8)
            self.chromium.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
        else:
            self.chromium.right_click(f"#{name}")

    def menu_entries(self):
        return self.value("Array.from(document.querySelectorAll('#menu:not([hidden]) [role=menuitem]'))"
                          ".map(item => item.textContent)")

    def choose(self, label):
        self.chromium.wait_until("!document.getElementById('menu').hidden", 3)
        index = self.menu_entries().index(label) if label in self.menu_entries() else -1
        if index < 0:
            fail(f"the menu offers {self.menu_entries()}, not {label}")
        self.zone_like(f"#menu [role=menuitem]", index)

    def zone_like(self, selector, index=0):
        if self.phone:
            x, y = self.chromium.centre(selector, index)
            self.chromium.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
            self.chromium.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
        else:
            self.chromium.click(selector, index)

    def focus_field(self, at_end=True):
        self.value("(() => { const f = document.getElementById('Text1'); f.focus();"
                   + (" f.setSelectionRange(f.value.length, f.value.length);" if at_end else "") + " })()")

    def put(self, text):
        """Pastes `text` over the whole field, as a user would."""
        self.value(f"{CLIPBOARD}.writeText({js(text)})")
        self.focus_field()
        self.chromium.key("ctrl+a")
        self.chromium.key("ctrl+v")

    def put_signature(self, text, expected=None):
        self.put(text)
        self.expect_field(text if expected is None else expected)

    def drop(self, text, start=False):
        """Drops `text`, dragged from another program, at the end of the field or at its start."""
        box = self.value("(() => { const b = document.getElementById('Text1').getBoundingClientRect();"
                         f" return [{'b.x + 1' if start else 'b.right - 3'}, b.y + b.height / 2]; }})()")
        data = {"items": [{"mimeType": "text/plain", "data": text}], "dragOperationsMask": 1}
        for kind in ("dragEnter", "dragOver", "drop"):
            self.chromium.call("Input.dispatchDragEvent", type=kind, x=box[0], y=box[1], data=data)

    def set_clipboard(self, text):
        self.value(f"{CLIPBOARD}.writeText({js(text)})")

    def expect_clipboard(self, text):
        self.expect("the clipboard holds", f"{CLIPBOARD}.readText()", text)

    def fail(self, message):
        fail(message)

    def steps(self, line):
        """Steps written as in tests/scenarios/scenarios.txt."""
        devtools.steps(self, line)


def check_layout(page, rects):
    """Every control where the layout puts it, the page as wide as the screen."""
    if not page.value("document.title").startswith("Vellumino 个性签名"):
        fail(f"the title is {page.value('document.title')!r}")
    origin = page.value("(() => { const b = document.getElementById('Form1').getBoundingClientRect();"
                        " return [b.x, b.y, b.width, b.height]; })()")
    width = page.value("innerWidth")
    if origin[2] != 375 or abs(origin[0] - (width - 375) / 2) > 0.5:
        fail(f"the window stands at {origin} on a screen {width} wide")
    for name, (x, y, w, h) in rects.items():
        if name in ("FieldFrame", "Portrait"):
            continue
        box = page.value(f"(() => {{ const b = document.getElementById('{name}').getBoundingClientRect();"
                         f" return [b.x, b.y, b.width, b.height]; }})()")
        if [round(box[0] - origin[0]), round(box[1] - origin[1]), round(box[2]), round(box[3])] != [x, y, w, h]:
            fail(f"{name} stands at {box}, the layout says {[x, y, w, h]} from {origin[:2]}")
    names = page.value("Array.from(document.querySelectorAll('button.zone'))"
                       ".map(b => [b.id, b.getAttribute('aria-label')])")
    with open(LAYOUT, encoding="utf-8") as file:
        labels = {f[0]: f[6].strip() for f in (line.split(" ", 6) for line in file) if len(f) == 7}
    expected = [[name, labels[name]] for name in PAINTED]
    if names != expected:
        fail(f"the zones are {names}, expected {expected}")
    live = page.value("['Label1', 'Label2'].map(n => document.getElementById(n).getAttribute('aria-live'))")
    if live != ["off", "off"]:
        fail(f"the captions start as live regions {live}, before they have anything of their own to say")
    if page.value("document.documentElement.scrollWidth > innerWidth"):
        fail("the page scrolls sideways")


def status(page):
    # Until the new page has its line, there is nothing to say.
    return page.value("(document.getElementById('status') || {}).textContent || ''")


def tables_follow(page, url):
    """The field and every command that needs no tables work before the
    conversions' tables have come; a conversion chosen meanwhile shows that
    it waits and runs once they are in, on the text of that moment; a fetch
    that fails says so and is tried again."""
    page.chromium.call("Fetch.enable", patterns=[{"urlPattern": "*vellumino-tables.bin*"}])
    page.open(url)
    held = page.chromium.wait_for_event("Fetch.requestPaused", 10)
    page.steps("key End ; type ok => 个性签名ok ; click Label3 => 个 性 签 名 o k ; click Label7")
    page.steps(f"expect clipboard 个 性 签 名 o k ; expect Label2 {CONFIRMATION} ; click Label6 ; type !")
    page.expect("转繁体 shows that it waits", "document.getElementById('Label6').getAttribute('aria-busy')", "true")
    page.expect("the page says why", "document.getElementById('status').textContent", "正在下载转换表…")
    page.expect_field("个 性 签 名 o k!")
    page.chromium.call("Fetch.failRequest", requestId=held["requestId"], errorReason="InternetDisconnected")
    page.expect("a failed fetch", "document.getElementById('status').textContent", "转换表没有下载成功，正在重试…")
    # The next try may go through the service worker, out of this tab's sight.
    deadline = time.monotonic() + 10
    while page.field() != "個 性 簽 名 o k!" and time.monotonic() < deadline:
        try:
            held = page.chromium.wait_for_event("Fetch.requestPaused", 0.3)
            page.chromium.call("Fetch.continueRequest", requestId=held["requestId"])
        except TimeoutError:
            pass
    page.expect_field("個 性 簽 名 o k!")
    page.expect("once they are in, 转繁体 is busy no more",
                "document.getElementById('Label6').getAttribute('aria-busy')", None)
    page.expect("and the page says nothing", "document.getElementById('status').textContent", "")
    page.chromium.call("Fetch.disable")
    print("ok: typing, 加空格 and 复制 before the tables come, a conversion held until they do, a failure retried")


def before_the_core(page, url):
    """What comes before the core is held for it: a paste is cut to the
    limit, a copy of it is made, once the core is there. A core that cannot
    be had says so."""
    # A service worker would serve the core out of this tab's sight.
    page.chromium.call("Network.setBypassServiceWorker", bypass=True)
    page.chromium.call("Fetch.enable", patterns=[{"urlPattern": "*vellumino.wasm*"}])
    page.open(url, wait=False)
    held = page.chromium.wait_for_event("Fetch.requestPaused", 10)
    page.chromium.wait_until("document.getElementById('Label7') !== null")
    page.put(TEN * 5)
    page.zone("Label7")
    page.expect("复制 shows that it waits", "document.getElementById('Label7').getAttribute('aria-busy')", "true")
    if len(page.field()) > 40:
        fail(f"before the core the field holds {len(page.field())} units")
    page.chromium.call("Fetch.continueRequest", requestId=held["requestId"])
    page.steps(f"expect field {TEN * 4} ; expect clipboard {TEN * 4} ; expect Label2 {CONFIRMATION}")
    # No core: every try at it fails.
    page.open(url, wait=False)
    deadline = time.monotonic() + 10
    while "重新载入" not in status(page) and time.monotonic() < deadline:
        try:
            paused = page.chromium.wait_for_event("Fetch.requestPaused", 0.5)
            page.chromium.call("Fetch.failRequest", requestId=paused["requestId"], errorReason="Failed")
        except TimeoutError:
            pass
    if "重新载入" not in status(page):
        fail(f"a core that never came: the page says {status(page)!r}")
    page.chromium.call("Fetch.disable")
    page.chromium.call("Network.setBypassServiceWorker", bypass=False)
    print("ok: a paste and 复制 before the core, held for it; a failed core said")


def keeps_typed(page, url):
    """A reload and the way back bring back the signature, its caret and both
    previews, the copy's confirmation too; after 清空 nothing is kept."""
    page.open(url)
    signature = "我的签名😀"
    page.steps(f"paste {signature} ; click Label7 ; expect Label2 {CONFIRMATION} ; select 2 3")
    for way in ("reload", "back"):
        if way == "reload":
            page.chromium.reload()
        else:
            page.chromium.call("Page.navigate", url=url.rsplit("/", 1)[0] + "/signatures.html")
            page.chromium.wait_until("location.pathname.endsWith('signatures.html') && document.readyState == 'complete'")
            history = page.chromium.call("Page.getNavigationHistory")
            page.chromium.call("Page.navigateToHistoryEntry",
                               entryId=history["entries"][history["currentIndex"] - 1]["id"])
        page.chromium.wait_until("'ready' in document.documentElement.dataset")
        print(f"after the {way}:")
        page.steps(f"expect field {signature} ; expect Label1 {signature} ; expect Label2 {CONFIRMATION}")
        page.expect(f"after the {way}, the selection",
                    "[document.getElementById('Text1').selectionStart, document.getElementById('Text1').selectionEnd]"
                    ".join()", "2,3")
    page.steps("click Label8 ; expect shown")
    page.chromium.reload()
    page.chromium.wait_until("'ready' in document.documentElement.dataset")
    page.expect("after 清空 and a reload, the field", "document.getElementById('Text1').value", "个性签名")
    print("ok: a reload and the way back keep the signature, its caret and the previews; 清空 forgets them")


def looks(page, url):
    """High contrast keeps every zone visible and named; zoom and a larger
    text size enlarge the window; Tab goes as painted; the field shows its focus."""
    page.chromium.call("Emulation.setEmulatedMedia", features=[{"name": "forced-colors", "value": "active"}])
    page.open(url)
    picture = page.value("getComputedStyle(document.getElementById('Form1')).backgroundImage")
    edges = page.value("Array.from(document.querySelectorAll('button.zone'))"
                       ".map(b => getComputedStyle(b).outlineStyle + ' ' + b.getAttribute('aria-label'))")
    if "background" not in picture or any(not e.startswith("solid ") or e == "solid " for e in edges):
        fail(f"in forced colours the picture is {picture} and the zones {edges}")
    if page.phone:
        page.chromium.screenshot(os.path.join(OUTPUT, "web-forced-colors.png"))
    page.chromium.call("Emulation.setEmulatedMedia", features=[])
    width, height, scale = (375, 667, 3) if page.phone else (1024, 760, 1)
    # Zoomed to 200 %, the screen the page sees is half as wide at twice the scale.
    page.open(url, screen=(width // 2, height // 2, scale * 2))
    text = page.value("parseFloat(getComputedStyle(document.getElementById('Text1')).fontSize) * devicePixelRatio")
    if text < 12 * scale * 1.6:
        fail(f"at 200 % the field's text is {text} device pixels")
    if page.phone:
        page.chromium.screenshot(os.path.join(OUTPUT, "web-zoom-200.png"))
        page.open(url, screen=(768, 1024, 2))
        tablet = page.value("document.getElementById('Form1').getBoundingClientRect().width")
        if tablet < 600:
            fail(f"on a 768-pixel tablet the window is {tablet} wide")
    page.chromium.call("Page.setFontSizes", fontSizes={"standard": 24})
    page.open(url)
    grown = page.value("document.getElementById('Form1').getBoundingClientRect().width")
    page.chromium.call("Page.setFontSizes", fontSizes={"standard": 16})
    if grown < 375 * 1.25:
        fail(f"with a text size of 24 pixels the window is {grown} wide")
    page.open(url)
    page.focus_field()
    if page.value("getComputedStyle(document.getElementById('Text1')).outlineStyle") == "none":
        fail("the field shows no focus")
    order = []
    for _ in PAINTED:
        page.chromium.key("Tab")
        order.append(page.value("document.activeElement.id"))
    if order != PAINTED:
        fail(f"Tab goes {order}")
    print("ok: forced colours, 200 % zoom, a larger text size, the tab order")


def axe(page, url, allowed=()):
    """axe-core finds no serious or critical fault in the page."""
    with open(AXE, encoding="utf-8") as file:
        page.value(file.read() + ";0")
    found = page.value("axe.run(document, {resultTypes: ['violations']}).then(r => r.violations"
                       ".filter(v => v.impact === 'serious' || v.impact === 'critical')"
                       ".map(v => v.id + ': ' + v.nodes.length + ' ' + v.nodes[0].target.join(' ')))")
    if found:
        fail(f"axe-core on {url}: {found}")


def signature_page(page, url):
    """The signature page fits a 320-pixel phone without panning, and at 200 %
    every style stays visible and can be chosen; axe-core finds nothing."""
    for screen in ((320, 568, 2), (187, 333, 6), (1024, 760, 1)):
        page.chromium.open(url, *screen[:2], scale=screen[2], mobile=screen[0] < 500)
        if page.value("document.documentElement.scrollWidth > innerWidth"):
            fail(f"the signature page pans sideways at {screen}")
        hidden = page.value("Array.from(document.querySelectorAll('.styles label')).filter(l => {"
                            " l.scrollIntoView({block: 'center', inline: 'center'});"
                            " const b = l.getBoundingClientRect();"
                            " return !l.contains(document.elementFromPoint(b.x + b.width / 2, b.y + b.height / 2)); })"
                            ".map(l => l.textContent)")
        if hidden:
            fail(f"at {screen} the signature page hides the styles {hidden}")
        axe(page, url)
    print("ok: the signature page at 320 pixels, at 200 % and on a desktop; axe-core")


def copy_fallbacks(page, url):
    """Without the Clipboard API the old way copies; where that fails too, the card says so."""
    page.open(url)
    page.put_signature("签名")
    page.value("Object.defineProperty(navigator, 'clipboard', {value: undefined, configurable: true})")
    page.steps(f"click Label7 ; expect clipboard 签名 ; expect Label2 {CONFIRMATION} ; paste 签名! ; clipboard kept")
    page.value("Object.defineProperty(navigator, 'clipboard', {value: {writeText: () => Promise.reject(new Error())},"
               " configurable: true}); document.execCommand = () => false")
    page.steps(f"click Label7 ; expect Label2 {FAILED} ; expect clipboard kept")
    print("ok: copy without the Clipboard API, and a refused copy")


def scenarios(page, rects, url):
    tables_follow(page, url)
    before_the_core(page, url)
    keeps_typed(page, url)
    looks(page, url)
    page.open(url)
    axe(page, url)
    check_layout(page, rects)
    if page.phone:
        picture = page.value("getComputedStyle(document.getElementById('Form1')).backgroundImage")
        if "background@2x.webp" not in picture:
            fail(f"a 3x screen gets {picture}")
    devtools.play(page, url)
    copy_fallbacks(page, url)
    signature_page(page, url.rsplit("/", 1)[0] + "/signatures.html")


def run_scenarios(site_dir, rects, phone):
    site = Site(site_dir)
    try:
        with browser() as chromium:
            chromium.call("Browser.grantPermissions", browser=True,
                          permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
            scenarios(Page(chromium, phone), rects, site.url + "index.html")
            check_requests(chromium)
    finally:
        site.stop()
    print(f"{'phone' if phone else 'desktop'}: ok")


def new_version(page, site_dir):
    """A new build on the host waits while the user types: the page offers it,
    and taking it brings back what was typed, under the new worker."""
    page.put_signature("我的签名")
    worker = os.path.join(site_dir, "sw.js")
    with open(worker, encoding="utf-8") as file:
        old = file.read()
    try:
        with open(worker, "w", encoding="utf-8") as file:
            file.write(old + "\n// the next build\n")
        page.value("navigator.serviceWorker.getRegistration().then(r => r.update())")
        page.expect("the new version is offered", "document.getElementById('update').hidden", False, 10)
        page.expect_field("我的签名")
        page.chromium.click("#update button")
        # The page reloads under the new worker: until it is in, it has no elements to ask.
        page.chromium.wait_until("navigator.serviceWorker.controller && "
                                 "navigator.serviceWorker.controller.scriptURL.endsWith('sw.js') && "
                                 "!!document.documentElement && 'ready' in document.documentElement.dataset && "
                                 "!!document.getElementById('update') && document.getElementById('update').hidden", 10)
        page.expect("after the update, the field", "document.getElementById('Text1').value", "我的签名")
        page.expect("and no offer is left", "document.getElementById('update').hidden", True)
    finally:
        with open(worker, "w", encoding="utf-8") as file:
            file.write(old)
    print("ok: a new version waits for the user's word, and keeps what was typed")


def run_offline(site_dir):
    """One visit over http, then the server gone: a reload still works. And from disk."""
    # A copy, since a new version is built into it on the way.
    copy = tempfile.mkdtemp(prefix="vellumino-site-")
    shutil.copytree(site_dir, copy, dirs_exist_ok=True)
    site_dir = copy
    site = Site(site_dir)
    with browser() as chromium:
        page = Page(chromium, phone=True)
        page.open(site.url)
        if not chromium.wait_until("navigator.serviceWorker.ready.then(r => !!r.active)", 15):
            fail("no service worker became active")
        # What the browser itself finds missing before a phone may add the page to its home screen.
        errors = chromium.call("Page.getInstallabilityErrors").get("installabilityErrors", [])
        if errors:
            fail(f"the page cannot be installed: {errors}")
        print("ok: installable")
        new_version(page, site_dir)
        site.stop()
        chromium.call("Network.enable")
        chromium.call("Network.emulateNetworkConditions", offline=True, latency=0, downloadThroughput=-1,
                      uploadThroughput=-1)
        chromium.reload()
        if not chromium.wait_until("'ready' in document.documentElement.dataset"):
            fail("offline, the page did not come back")
        # 繁体转简体's tables were never asked for on that visit: the worker's fill brought them.
        page.steps("click Label6 => 我的簽名 ; choose Label6 繁体转简体 => 我的签名")
        print("ok: offline after one visit, what was typed is back and 转繁体 and 繁体转简体 work")

        page.open("file://" + os.path.abspath(os.path.join(site_dir, "index.html")))
        page.steps("click Label3 => 个 性 签 名 ; click Label6 => 個 性 簽 名 ; choose Label6 繁体转简体 => 个 性 签 名")
        print("ok: from disk, 加空格, 转繁体 and 繁体转简体 work")
        check_requests(chromium)
    shutil.rmtree(copy, ignore_errors=True)
    print("offline: ok")


def screenshot(site_dir, output):
    """The page on a phone and on a desktop, after a command and a copy, side by side."""
    site = Site(site_dir)
    parts = []
    try:
        with browser() as chromium:
            chromium.call("Browser.grantPermissions", browser=True,
                          permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
            for name, phone in (("phone", True), ("desktop", False)):
                page = Page(chromium, phone)
                page.open(site.url)
                page.steps(f"paste 我的个性签名，就是这样了～ 1234 abc ; click Label5 ; click Label7 ; "
                           f"expect Label2 {CONFIRMATION}")
                page.value("document.activeElement.blur()")
                part = f"{os.path.splitext(output)[0]}-{name}.png"
                chromium.screenshot(part)
                parts.append(part)
    finally:
        site.stop()
    subprocess.run(["convert", parts[1], "(", parts[0], "-resize", "x760", "-background", "#d9dde3",
                    "-gravity", "west", "-splice", "48x0", ")", "+append", "-strip", output], check=True)
    print(f"wrote {output}, {parts[0]} and {parts[1]}")


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] not in ("desktop", "phone", "offline", "screenshot"):
        sys.exit(__doc__)
    mode, SITE, third = sys.argv[1:]
    if mode == "screenshot":
        screenshot(SITE, third)
    elif mode == "offline":
        run_offline(SITE)
    else:
        LAYOUT = third
        run_scenarios(SITE, layout(third), mode == "phone")
