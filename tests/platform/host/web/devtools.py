"""A small client of the DevTools protocol: starts Debian's headless Chromium on a fresh profile,
serves a folder on a free local port, and drives one page (evaluate, keys, mouse)."""

import base64
import contextlib
import functools
import http.server
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time
import urllib.request

import websocket  # Debian's python3-websocket

CHROMIUM = "/usr/bin/chromium"


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


# Put into pages the test's server serves, never into the site itself.
# A browser that refuses the page its storage (a private window, blocked site data), for pages
# served below /refused/.
REFUSED_STORAGE = """<script>
Object.defineProperty(window, 'indexedDB', {configurable: true, get: function() {
  return {open: function() {
    throw new DOMException('The user denied permission to access the database.', 'SecurityError');
  }};
}});
</script>"""
# A browser whose storage is full, for pages served below /full/: it reads, but takes nothing.
FULL_STORAGE = """<script>
IDBObjectStore.prototype.put = function() {
  throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
};
</script>"""
# The page's errors, kept where a driver without a console can read them.
ERROR_HOOK = """<script>
window.zfErrors = [];
addEventListener('error', function(e) { zfErrors.push(String(e.message)); });
addEventListener('unhandledrejection', function(e) { zfErrors.push(String(e.reason)); });
(function(original) {
  console.error = function() {
    zfErrors.push(Array.prototype.join.call(arguments, ' '));
    return original.apply(console, arguments);
  };
})(console.error);
</script>"""


class Serving(Quiet):
    """The site; below /refused/ and /full/ the same site in a browser that refuses it storage
    or whose storage is full."""
    hook_errors = False

    def do_GET(self):
        stand_in = ""
        for folder, script in (("/refused/", REFUSED_STORAGE), ("/full/", FULL_STORAGE)):
            if self.path.startswith(folder):
                self.path, stand_in = self.path[len(folder) - 1:], script
        page = self.path.split("?")[0]
        if page not in ("/", "/index.html") or not (stand_in or self.hook_errors):
            return super().do_GET()
        html = open(os.path.join(self.directory, "index.html"), encoding="utf-8").read()
        added = (ERROR_HOOK if self.hook_errors else "") + stand_in
        body = html.replace("<head>", "<head>" + added, 1).encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def serve(folder, hook_errors=False):
    """Serves folder at http://127.0.0.1:<port>/ on a thread; returns (server, base url)."""
    handler = functools.partial(type("Site", (Serving,), {"hook_errors": hook_errors}),
                                directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://127.0.0.1:%d/" % server.server_address[1]


@contextlib.contextmanager
def browsing(folder, engine="chromium"):
    """A fresh browser and the folder served; yields (browser, base url), closes both after."""
    server, url = serve(folder, hook_errors=engine == "webkit")
    if engine == "chromium":
        browser = Browser()
    else:
        import webdriver
        browser = webdriver.Firefox() if engine == "firefox" else webdriver.WebKit()
    try:
        yield browser, url
    finally:
        browser.close()
        server.shutdown()


def wait_for(condition, seconds, what):
    """Polls condition until it holds; fails naming what was awaited."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.02)


class Browser:
    def __init__(self, profile=None):
        self.owned_profile = profile is None
        self.profile = profile or tempfile.mkdtemp(prefix="zf-chromium-")
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        if os.path.exists(port_file):
            os.remove(port_file)
        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--disable-quic",
             "--remote-debugging-port=0", "--remote-debugging-address=127.0.0.1",
             "--autoplay-policy=document-user-activation-required",
             "--user-data-dir=" + self.profile, "--window-size=1000,800", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: os.path.exists(port_file) and open(port_file).read().count("\n") >= 1,
                 30, "Chromium's DevTools port")
        self.port = open(port_file).read().split("\n")[0]
        targets = json.load(urllib.request.urlopen("http://127.0.0.1:%s/json/list" % self.port))
        self.attach(next(t for t in targets if t["type"] == "page"))

    def attach(self, target):
        self.socket = websocket.create_connection(target["webSocketDebuggerUrl"],
                                                  timeout=60, suppress_origin=True)
        self.next_id = 0
        self.events = []
        for domain in ("Runtime", "Log", "Page"):
            self.call(domain + ".enable")

    def new_tab(self, url):
        """A second tab of the same browser (same profile and storage), driven on its own."""
        request = urllib.request.Request(
            "http://127.0.0.1:%s/json/new?%s" % (self.port, url), method="PUT")
        target = json.load(urllib.request.urlopen(request))
        tab = Browser.__new__(Browser)
        tab.process, tab.port, tab.owned_profile = None, self.port, False
        tab.attach(target)
        return tab

    def new_window(self):
        """A second window of the same browser, visible beside the first, driven on its own."""
        made = self.call("Target.createTarget", url="about:blank", newWindow=True)
        targets = json.load(urllib.request.urlopen("http://127.0.0.1:%s/json/list" % self.port))
        window = Browser.__new__(Browser)
        window.process, window.port, window.owned_profile = None, self.port, False
        window.attach(next(t for t in targets if t["id"] == made["targetId"]))
        return window

    def close(self):
        """Closes the browser gracefully (IndexedDB reaches the disk), then cleans up."""
        if self.process is None:  # a tab
            self.socket.close()
            return
        try:
            self.call("Browser.close")
        except Exception:
            pass
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        if self.owned_profile:
            shutil.rmtree(self.profile, ignore_errors=True)

    def call(self, method, **params):
        self.next_id += 1
        ask = self.next_id
        self.socket.send(json.dumps({"id": ask, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == ask:
                if "error" in message:
                    raise AssertionError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            if "method" in message:
                self.events.append(message)

    def errors(self):
        """Console errors, uncaught exceptions and error log entries seen so far."""
        found = []
        for event in self.events:
            method, params = event["method"], event["params"]
            if method == "Runtime.consoleAPICalled" and params["type"] == "error":
                found.append(" ".join(str(a.get("value", a.get("description"))) for a in params["args"]))
            elif method == "Runtime.exceptionThrown":
                found.append(params["exceptionDetails"].get("exception", {}).get("description", "exception"))
            elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
                found.append(params["entry"]["text"])
        return found

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise AssertionError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def open(self, url):
        self.call("Page.navigate", url=url)

    def key(self, key, code, virtual_key, text=None, modifiers=0):
        """A key pressed and released; modifiers as the protocol counts them (1 Alt, 2 Ctrl)."""
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key, "code": code,
                "windowsVirtualKeyCode": virtual_key, "modifiers": modifiers}
        if text:
            down["text"] = text
        self.call("Input.dispatchKeyEvent", **down)
        self.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code,
                  windowsVirtualKeyCode=virtual_key, modifiers=modifiers)

    def type_text(self, text):
        for c in text:
            self.key(c, "Key" + c.upper() if c.isalpha() else "", ord(c.upper()), text=c)

    def click(self, x, y, button="left"):
        buttons = 1 if button == "left" else 2
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        self.call("Input.dispatchMouseEvent", type="mousePressed", x=x, y=y, button=button,
                  buttons=buttons, clickCount=1)
        self.call("Input.dispatchMouseEvent", type="mouseReleased", x=x, y=y, button=button,
                  buttons=0, clickCount=1)

    def emulate_phone(self, width, height, scale=3):
        """From the next page on: a phone's screen of width x height CSS pixels, touch only."""
        upright = height > width
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=scale, mobile=True,
                  screenOrientation={"type": "portraitPrimary" if upright else "landscapePrimary",
                                     "angle": 0 if upright else 90})
        self.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)

    def touch(self, kind, x=0, y=0):
        """touchStart, touchMove (one finger at x, y), touchEnd or touchCancel."""
        points = [{"x": x, "y": y, "id": 1}] if kind in ("touchStart", "touchMove") else []
        self.call("Input.dispatchTouchEvent", type=kind, touchPoints=points)

    def tap(self, x, y):
        self.touch("touchStart", x, y)
        self.touch("touchEnd")

    def long_press(self, x, y, seconds=0.8):
        self.touch("touchStart", x, y)
        time.sleep(seconds)
        self.touch("touchEnd")

    def swipe(self, x, y, dx, dy, steps=4):
        self.touch("touchStart", x, y)
        for step in range(1, steps + 1):
            self.touch("touchMove", x + dx * step / steps, y + dy * step / steps)
        self.touch("touchEnd")

    def insert_text(self, text):
        """Text as a phone's own keyboard gives it to the focused field."""
        self.call("Input.insertText", text=text)

    def canvas_pixels(self, x, y, width, height):
        return canvas_pixels(self, x, y, width, height)


def canvas_pixels(browser, x, y, width, height):
    """The canvas's RGB pixels in a box, as rows of (r, g, b)."""
    data = browser.evaluate(
        "(() => { const d = Module.zfContext.getImageData(%d, %d, %d, %d).data;"
        " let s = ''; for (let i = 0; i < d.length; i += 4)"
        " s += String.fromCharCode(d[i], d[i + 1], d[i + 2]); return btoa(s); })()"
        % (x, y, width, height))
    raw = base64.b64decode(data)
    return [[tuple(raw[(row * width + col) * 3:(row * width + col) * 3 + 3])
             for col in range(width)] for row in range(height)]
