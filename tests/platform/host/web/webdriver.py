"""Firefox ESR over WebDriver BiDi and WebKitGTK's MiniBrowser over WebDriver classic, with the
same small interface as devtools.Browser: open, evaluate, key, type_text, click, errors,
new_window, close. Expressions are evaluated as scripts, awaited, and come back as JSON."""

import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import urllib.request

import websocket  # Debian's python3-websocket

from devtools import Quiet, wait_for

FIREFOX = "/usr/bin/firefox-esr"
WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"

# WebDriver's codes for the keys the tests press; Enter is the main keyboard's (\ue007 is the
# keypad's).
KEYS = {"Enter": "\ue006", "Escape": "\ue00c", "ArrowUp": "\ue013", "ArrowDown": "\ue015",
        "ArrowLeft": "\ue012", "ArrowRight": "\ue014", "Backspace": "\ue003"}

# Any expression or statements, evaluated in the page's global scope; the value awaited.
def wrapped(expression):
    return ("Promise.resolve().then(() => (0, eval)(%s)).then("
            "v => JSON.stringify(v) || 'null')" % json.dumps(expression))


SHIFT = "\ue008"


def key_actions(keys):
    steps = []
    for key in keys:
        # A capital with Shift held, as typed: WebKit otherwise sometimes gives the small letter.
        shifted = key.isupper()
        if shifted:
            steps.append({"type": "keyDown", "value": SHIFT})
        steps += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        if shifted:
            steps.append({"type": "keyUp", "value": SHIFT})
    return [{"type": "key", "id": "keyboard", "actions": steps}]


def click_actions(x, y, button):
    number = 0 if button == "left" else 2
    return [{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
             "actions": [{"type": "pointerMove", "x": int(x), "y": int(y), "origin": "viewport"},
                         {"type": "pointerDown", "button": number},
                         {"type": "pointerUp", "button": number}]}]


class Driven:
    """What both WebDriver engines share, on top of their own perform and evaluate."""

    def key(self, key, code=None, virtual_key=None, text=None):
        self.perform(key_actions([KEYS.get(key, key)]))

    def type_text(self, text):
        self.perform(key_actions(list(text)))

    def click(self, x, y, button="left"):
        self.perform(click_actions(x, y, button))

    def canvas_pixels(self, x, y, width, height):
        from devtools import canvas_pixels
        return canvas_pixels(self, x, y, width, height)


def kill_group(process):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait()


class Firefox(Driven):
    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="zf-firefox-")
        with open(os.path.join(self.profile, "user.js"), "w") as prefs:
            # No sound device here: a mock one lets the AudioContext run.
            prefs.write('user_pref("media.cubeb.force_mock_context", true);\n'
                        'user_pref("datareporting.policy.dataSubmissionEnabled", false);\n'
                        'user_pref("browser.shell.checkDefaultBrowser", false);\n')
        self.log = open(os.path.join(self.profile, "stderr.txt"), "w+")
        self.process = subprocess.Popen(
            [FIREFOX, "--headless", "--no-remote", "--profile", self.profile,
             "--remote-debugging-port=0", "--width=1000", "--height=800"],
            stdout=subprocess.DEVNULL, stderr=self.log, start_new_session=True)
        def listening():
            self.log.seek(0)
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", self.log.read())
            return found and found.group(1)
        address = wait_for(listening, 60, "Firefox's WebDriver BiDi")
        self.socket = websocket.create_connection(address + "/session", timeout=60,
                                                  suppress_origin=True)
        self.next_id, self.events = 0, []
        self.call("session.new", capabilities={})
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        self.call("session.subscribe", events=["log.entryAdded"])

    def call(self, method, **params):
        self.next_id += 1
        ask = self.next_id
        self.socket.send(json.dumps({"id": ask, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == ask:
                if message.get("type") == "error":
                    raise AssertionError("%s: %s" % (method, message.get("message")))
                return message.get("result", {})
            if message.get("type") == "event":
                self.events.append(message)

    def open(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def evaluate(self, expression):
        result = self.call("script.evaluate", expression=wrapped(expression),
                           target={"context": self.context}, awaitPromise=True)
        if result.get("type") == "exception":
            raise AssertionError("%s: %s" % (expression, result["exceptionDetails"]["text"]))
        return json.loads(result["result"]["value"])

    def perform(self, actions):
        self.call("input.performActions", context=self.context, actions=actions)

    def errors(self):
        return [event["params"].get("text") for event in self.events
                if event.get("method") == "log.entryAdded" and event["params"].get("level") == "error"]

    def new_window(self):
        """A second window of the same browser, with its own context on the same connection."""
        window = Firefox.__new__(Firefox)
        window.__dict__ = dict(self.__dict__)
        window.context = self.call("browsingContext.create", type="window")["context"]
        window.call = self.call
        window.owner = self
        return window

    def close(self):
        if getattr(self, "owner", None):
            self.call("browsingContext.close", context=self.context)
            return
        try:
            self.call("browser.close")
            self.process.wait(timeout=20)
        except Exception:
            pass
        kill_group(self.process)
        self.log.close()
        shutil.rmtree(self.profile, ignore_errors=True)


def free_display():
    for number in range(90, 200):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number) and \
                not os.path.exists("/tmp/.X%d-lock" % number):
            return number
    raise AssertionError("no free X display")


class WebKit(Driven):
    """MiniBrowser needs a display: an Xvfb of its own. It has no console to listen to, so the
    test's server puts an error hook in the pages it serves (devtools.ERROR_HOOK)."""

    def __init__(self):
        self.display = ":%d" % free_display()
        self.xvfb = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp"], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, start_new_session=True)
        wait_for(lambda: os.path.exists("/tmp/.X11-unix/X" + self.display[1:]), 20, "Xvfb")
        import socket
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        environment = dict(os.environ, DISPLAY=self.display, WEBKIT_DISABLE_DMABUF_RENDERER="1")
        self.driver = subprocess.Popen([WEBKIT_DRIVER, "--port=%d" % port], env=environment,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                       start_new_session=True)
        self.base = "http://127.0.0.1:%d" % port
        wait_for(self.answering, 20, "WebKitWebDriver")
        options = {"binary": MINIBROWSER, "args": ["--automation"]}
        made = self.request("POST", "/session", {"capabilities": {"alwaysMatch": {
            "webkitgtk:browserOptions": options}}}, timeout=60)
        self.session = "/session/" + made["sessionId"]
        self.handle = self.request("GET", self.session + "/window")
        self.request("POST", self.session + "/window/rect", {"width": 1000, "height": 800})
        self.owner = None

    def answering(self):
        try:
            self.request("GET", "/status", timeout=2)
            return True
        except OSError:
            return False

    def request(self, method, path, body=None, timeout=60):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=timeout) as answer:
                return json.load(answer).get("value")
        except urllib.error.HTTPError as failure:
            raise AssertionError("%s %s: %s" % (method, path, failure.read()[:500]))

    def command(self, method, path, body=None):
        # Each window of the session is driven in turn.
        if self.current() != self.handle:
            self.request("POST", self.session + "/window", {"handle": self.handle})
            self.shared["current"] = self.handle
        return self.request(method, self.session + path, body)

    def current(self):
        self.__dict__.setdefault("shared", {"current": self.handle})
        return self.shared["current"]

    def open(self, url):
        self.command("POST", "/url", {"url": url})

    def evaluate(self, expression):
        script = ("var done = arguments[arguments.length - 1];"
                  + wrapped(expression) + ".then(v => done({value: v}),"
                  " e => done({error: String(e && e.stack || e)}));")
        answer = self.command("POST", "/execute/async", {"script": script, "args": []})
        if "error" in answer:
            raise AssertionError("%s: %s" % (expression, answer["error"]))
        return json.loads(answer["value"])

    def perform(self, actions):
        self.command("POST", "/actions", {"actions": actions})

    def errors(self):
        return self.evaluate("window.zfErrors || []")

    def new_window(self):
        self.current()
        handle = self.command("POST", "/window/new", {"type": "window"})["handle"]
        window = WebKit.__new__(WebKit)
        window.__dict__ = dict(self.__dict__)
        window.handle, window.owner = handle, self
        return window

    def close(self):
        if self.owner:
            self.command("DELETE", "/window")
            self.shared["current"] = None
            return
        try:
            self.request("DELETE", self.session, timeout=20)
        except Exception:
            pass
        kill_group(self.driver)
        # Asked to end, Xvfb removes its lock and socket, so the display number is free again.
        self.xvfb.terminate()
        try:
            self.xvfb.wait(timeout=10)
        except subprocess.TimeoutExpired:
            kill_group(self.xvfb)
