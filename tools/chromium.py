#!/usr/bin/env python3
"""Drives a headless Chromium over the DevTools protocol, through the pipe
Chromium offers for it, with nothing but Python's standard library.

As a program it photographs a page, the way `make screenshot-page` does:
    chromium.py screenshot PAGE.html OUTPUT.png
"""
import base64
import json
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time


class Chromium:
    """One headless Chromium with one tab; commands go to that tab."""

    # What a key press sends, by the key's name: its DOM code, key and
    # Windows virtual key code.
    KEYS = {
        "Backspace": ("Backspace", "Backspace", 8), "Delete": ("Delete", "Delete", 46),
        "End": ("End", "End", 35), "Home": ("Home", "Home", 36), "Enter": ("Enter", "Enter", 13),
        "Left": ("ArrowLeft", "ArrowLeft", 37), "Right": ("ArrowRight", "ArrowRight", 39),
        "Escape": ("Escape", "Escape", 27), "Down": ("ArrowDown", "ArrowDown", 40),
        "Up": ("ArrowUp", "ArrowUp", 38), "Tab": ("Tab", "Tab", 9), "Insert": ("Insert", "Insert", 45),
    }
    MODIFIERS = {"alt": 1, "ctrl": 2, "meta": 4, "shift": 8}
    # The editing commands behind the shortcuts, which a headless browser
    # only runs when the key event names them.
    COMMANDS = {"ctrl+a": "selectAll", "ctrl+c": "copy", "ctrl+v": "paste", "ctrl+x": "cut", "ctrl+z": "undo",
                "ctrl+y": "redo", "shift+Insert": "paste"}

    def __init__(self, binary=None, arguments=()):
        binary = (binary or os.environ.get("CHROMIUM") or shutil.which("chromium")
                  or shutil.which("chromium-browser"))
        if not binary:
            raise RuntimeError("no chromium on PATH (Debian: chromium)")
        self.profile = tempfile.mkdtemp(prefix="vellumino-chromium-")
        # Chromium reads commands from its fd 3 and answers on fd 4.
        to_browser_read, self.to_browser = os.pipe()
        self.from_browser, from_browser_write = os.pipe()

        def plug_pipes():
            # Copied out of the way first: either end may already be 3 or 4.
            reading, writing = os.dup(to_browser_read), os.dup(from_browser_write)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        self.process = subprocess.Popen(
            [binary, "--headless=new", "--remote-debugging-pipe", "--no-sandbox", "--disable-gpu",
             "--no-first-run", "--no-default-browser-check", "--hide-scrollbars",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--user-data-dir=" + self.profile, *arguments, "about:blank"],
            preexec_fn=plug_pipes, close_fds=False,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self.buffer = b""
        self.events = []
        self.watching = False
        self.side_id = 1 << 30
        self.requested = []  # every URL asked for while watch_requests() is on
        self.next_id = 0
        self.session = None
        targets = self.call("Target.getTargets")["targetInfos"]
        page = next(t for t in targets if t["type"] == "page")
        self.session = self.call("Target.attachToTarget", targetId=page["targetId"], flatten=True)["sessionId"]
        self.call("Page.enable")

    def close(self):
        try:
            self.process.terminate()
            self.process.wait(10)
        finally:
            os.close(self.to_browser)
            os.close(self.from_browser)
            shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def _receive(self, deadline):
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.from_browser], [], [], left)[0]:
                raise TimeoutError("Chromium did not answer")
            chunk = os.read(self.from_browser, 1 << 16)
            if not chunk:
                raise RuntimeError("Chromium went away")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        message = json.loads(message)
        if message.get("method") == "Target.attachedToTarget" and self.watching:
            # A worker the page started, held until its requests are watched too.
            session = message["params"]["sessionId"]
            for method in ("Network.enable", "Runtime.runIfWaitingForDebugger"):
                self.side_id += 1  # apart from call()'s, whose answer is being awaited
                os.write(self.to_browser, json.dumps({"id": self.side_id, "method": method, "params": {},
                                                      "sessionId": session}).encode() + b"\0")
        if message.get("method") == "Network.requestWillBeSent":
            self.requested.append(message["params"]["request"]["url"])
        return message

    def call(self, method, timeout=30, browser=False, **params):
        """Sends one command and returns its result; events met on the way are kept."""
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if self.session and not browser:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            answer = self._receive(deadline)
            if answer.get("id") == self.next_id:
                if "error" in answer:
                    raise RuntimeError(f"{method}: {answer['error']}")
                return answer.get("result", {})
            self.events.append(answer)

    def watch_requests(self):
        """From now on, every URL the page or its workers (a service worker) ask for goes into `requested`."""
        self.watching = True
        self.call("Network.enable")
        self.call("Target.setAutoAttach", browser=True, autoAttach=True, waitForDebuggerOnStart=True, flatten=True,
                  filter=[{"type": "service_worker"}, {"type": "worker"}, {"type": "shared_worker"}])

    def wait_for_event(self, method, timeout=30):
        deadline = time.monotonic() + timeout
        while True:
            for event in self.events:
                if event.get("method") == method:
                    self.events.remove(event)
                    return event.get("params", {})
            self.events.append(self._receive(deadline))

    def open(self, path, width, height, scale=1, mobile=False, touch=None):
        """Loads a page, a file by its path or anything by its URL, on a screen of that size;
        a mobile screen takes touches (and no mouse) unless `touch` says otherwise."""
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=scale, mobile=mobile)
        self.call("Emulation.setTouchEmulationEnabled", enabled=mobile if touch is None else touch,
                  maxTouchPoints=5)
        self.events.clear()
        url = path if "://" in path else "file://" + os.path.abspath(path)
        self.call("Page.navigate", url=url)
        self.wait_for_event("Page.loadEventFired")

    def reload(self):
        self.events.clear()
        self.call("Page.reload")
        self.wait_for_event("Page.loadEventFired")

    def wait_until(self, expression, seconds=10):
        """Polls a JavaScript expression until it is true; its last value. Between
        two documents of a navigation the page has no elements, and an expression
        that reads them throws: that counts as not yet, until the deadline."""
        deadline = time.monotonic() + seconds
        while True:
            try:
                value = self.evaluate(expression)
            except RuntimeError:
                if time.monotonic() > deadline:
                    raise
                value = None
            if value or time.monotonic() > deadline:
                return value
            time.sleep(0.05)

    def centre(self, selector, index=0):
        return self.evaluate(f"""(() => {{
            const element = document.querySelectorAll({json.dumps(selector)})[{index}];
            element.scrollIntoView({{block: 'center'}});
            const box = element.getBoundingClientRect();
            return [box.x + box.width / 2, box.y + box.height / 2];
        }})()""")

    def right_click(self, selector):
        x, y = self.centre(selector)
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="right", clickCount=1)

    def tap(self, selector, hold=0.0):
        """A finger on the middle of an element, lifted after `hold` seconds."""
        x, y = self.centre(selector)
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        if hold:
            time.sleep(hold)
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def key(self, name):
        """One key press, by name ("Backspace", "ctrl+z", "ctrl+Backspace"), to the focused element."""
        *held, key = name.split("+")
        modifiers = sum(self.MODIFIERS[m] for m in held)
        if key in self.KEYS:
            code, dom_key, vk = self.KEYS[key]
        else:
            code, dom_key, vk = "Key" + key.upper(), key, ord(key.upper())
        commands = [self.COMMANDS[name]] if name in self.COMMANDS else []
        self.call("Input.dispatchKeyEvent", type="rawKeyDown", modifiers=modifiers, code=code, key=dom_key,
                  windowsVirtualKeyCode=vk, commands=commands)
        self.call("Input.dispatchKeyEvent", type="keyUp", modifiers=modifiers, code=code, key=dom_key,
                  windowsVirtualKeyCode=vk)

    def type(self, text):
        """Types text key by key, as a keyboard does."""
        for character in text:
            self.call("Input.dispatchKeyEvent", type="keyDown", text=character, unmodifiedText=character,
                      key=character)
            self.call("Input.dispatchKeyEvent", type="keyUp", key=character)

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page, promises awaited."""
        result = self.call("Runtime.evaluate", expression=expression, awaitPromise=True,
                           returnByValue=True, userGesture=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def click(self, selector, index=0):
        """A real mouse click at the middle of an element: the first that matches, or the index-th."""
        box = self.evaluate(f"""(() => {{
            const element = document.querySelectorAll({json.dumps(selector)})[{index}];
            element.scrollIntoView({{block: 'center'}});
            const box = element.getBoundingClientRect();
            return [box.x + box.width / 2, box.y + box.height / 2];
        }})()""")
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=box[0], y=box[1], button="left", clickCount=1)

    def screenshot(self, output):
        data = self.call("Page.captureScreenshot", format="png")["data"]
        with open(output, "wb") as file:
            file.write(base64.b64decode(data))


def screenshot(page, output):
    """The page on a desktop and on a phone, side by side, at twice the pixels."""
    parts = []
    with Chromium() as browser:
        for name, width, height, mobile in (("desktop", 1024, 760, False), ("phone", 375, 760, True)):
            browser.open(page, width, height, scale=2, mobile=mobile)
            if mobile:
                browser.click("label[for=style-martian]")
            else:
                browser.click("label[for=style-symbols]")
                browser.click(".copy")
                time.sleep(0.3)  # the confirmation fades in
            part = f"{output}.{name}.png"
            browser.screenshot(part)
            parts.append(part)
    try:
        # Side by side with a grey gap, on ImageMagick; the page's few flat
        # colours fit a palette, which makes the file a third smaller.
        subprocess.run(["convert", parts[0], "(", parts[1], "-background", "#d9dde3", "-gravity", "west",
                        "-splice", "48x0", ")", "+append", "-strip", "-colors", "256",
                        "-define", "png:compression-level=9", "PNG8:" + output], check=True)
    finally:
        for part in parts:
            os.remove(part)


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] != "screenshot":
        sys.exit(f"usage: {sys.argv[0]} screenshot PAGE.html OUTPUT.png")
    screenshot(sys.argv[2], sys.argv[3])
