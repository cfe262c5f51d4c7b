"""Headless Chromium (WebGL 2 on SwiftShader) driven over the DevTools protocol on a pipe, for the web test and
the page's benchmarks: open a page, evaluate script in it, click and press keys as a person does."""
import json
import os
import select
import signal
import subprocess
import time


def protocol_descriptors(read, write):
    """In the child: Chromium reads the protocol from descriptor 3 and writes it to 4 (copied out of the way
    first, since the pipe's own descriptors may be 3 or 4; dup2's copies stay open across exec)."""
    read, write = os.dup(read), os.dup(write)
    os.dup2(read, 3)
    os.dup2(write, 4)


def session_running(session):
    """Whether some process of the session is alive (not merely waiting to be reaped)."""
    for entry in os.listdir("/proc"):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except (OSError, IndexError):
            continue
        if fields[0] != "Z" and int(fields[3]) == session:
            return True
    return False


class Browser:
    """Chromium runs as the leader of a session of its own, so that close() stops its helper processes too. A
    call that Chromium does not answer within `reply_seconds` raises RuntimeError."""

    def __init__(self, profile, window="640,360", extra_flags=(), reply_seconds=60):
        to_chrome_r, to_chrome_w = os.pipe()
        from_chrome_r, from_chrome_w = os.pipe()
        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
             "--remote-debugging-pipe", f"--window-size={window}", f"--user-data-dir={profile}", *extra_flags,
             "about:blank"],
            close_fds=False, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True, preexec_fn=lambda: protocol_descriptors(to_chrome_r, from_chrome_w))
        os.close(to_chrome_r)
        os.close(from_chrome_w)
        self.out = os.fdopen(to_chrome_w, "wb")
        self.inp = from_chrome_r
        self.reply_seconds = reply_seconds
        self.next_id = 0
        self.buffer = b""
        self.session = None

    def call(self, method, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if self.session:
            message["sessionId"] = self.session
        self.out.write(json.dumps(message).encode() + b"\0")
        self.out.flush()
        deadline = time.monotonic() + self.reply_seconds
        while True:
            reply = json.loads(self.next_message(method, deadline))
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})

    def next_message(self, method, deadline):
        """The next message on the pipe, waiting for it until the deadline."""
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.inp], [], [], left)[0]:
                raise RuntimeError(f"Chromium did not answer {method} within {self.reply_seconds:g} s")
            chunk = os.read(self.inp, 65536)
            if not chunk:
                raise RuntimeError(f"Chromium closed its pipe (waiting for {method})")
            self.buffer += chunk
        raw, self.buffer = self.buffer.split(b"\0", 1)
        return raw

    def open(self, url, downloads=None):
        """Opens URL in a new tab; its downloads, if a folder is given, are saved there without asking."""
        if downloads:
            self.call("Browser.setDownloadBehavior", behavior="allow", downloadPath=downloads)
        target = self.call("Target.createTarget", url=url)["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]

    def evaluate(self, expression):
        """The expression's value (a promise's, once it settles)."""
        reply = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        return reply["result"].get("value")

    def wait_for(self, expression, seconds):
        deadline = time.time() + seconds
        while time.time() < deadline:
            if self.evaluate(expression):
                return True
            time.sleep(0.05)
        return False

    def move(self, x, y):
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)

    def click(self, x, y):
        self.move(x, y)
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def centre(self, selector):
        """The middle of the element's box, in the page's CSS pixels."""
        return self.evaluate(f"(() => {{ const r = document.querySelector('{selector}').getBoundingClientRect();"
                             " return [r.x + r.width / 2, r.y + r.height / 2]; })()")

    def press(self, key, code, virtual_key):
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code, windowsVirtualKeyCode=virtual_key)

    def close(self):
        """Kills every process of this Chromium and waits (up to 10 s) until none is left running."""
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()
        self.out.close()
        os.close(self.inp)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and session_running(self.process.pid):
            time.sleep(0.05)
