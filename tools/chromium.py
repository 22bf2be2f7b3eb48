#!/usr/bin/env python3
"""Drives a headless Chromium over the DevTools protocol, through the pipe
Chromium offers for it, with nothing but Python's standard library.

As a program it photographs a page, the way `make screenshot-page` does:
    chromium.py screenshot PAGE.html OUTPUT.png
"""
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time


class Chromium:
    """One headless Chromium with one tab; commands go to that tab."""

    def __init__(self, binary=None):
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
             "--user-data-dir=" + self.profile, "about:blank"],
            preexec_fn=plug_pipes, close_fds=False,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self.buffer = b""
        self.events = []
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
            if time.monotonic() > deadline:
                raise TimeoutError("Chromium did not answer")
            chunk = os.read(self.from_browser, 1 << 16)
            if not chunk:
                raise RuntimeError("Chromium went away")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

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

    def wait_for_event(self, method, timeout=30):
        deadline = time.monotonic() + timeout
        while True:
            for event in self.events:
                if event.get("method") == method:
                    self.events.remove(event)
                    return event.get("params", {})
            self.events.append(self._receive(deadline))

    def open(self, path, width, height, scale=1, mobile=False):
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=scale, mobile=mobile)
        self.events.clear()
        self.call("Page.navigate", url="file://" + os.path.abspath(path))
        self.wait_for_event("Page.loadEventFired")

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
