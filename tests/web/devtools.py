"""Headless Chromium (WebGL 2 on SwiftShader) driven over the DevTools protocol on a pipe, for the web test and
the page's benchmarks: open a page, evaluate script in it, click and press keys as a person does."""
import json
import os
import subprocess
import time


def protocol_descriptors(read, write):
    """In the child: Chromium reads the protocol from descriptor 3 and writes it to 4 (copied out of the way
    first, since the pipe's own descriptors may be 3 or 4; dup2's copies stay open across exec)."""
    read, write = os.dup(read), os.dup(write)
    os.dup2(read, 3)
    os.dup2(write, 4)


class Browser:
    def __init__(self, profile, window="640,360", extra_flags=()):
        to_chrome_r, to_chrome_w = os.pipe()
        from_chrome_r, from_chrome_w = os.pipe()
        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
             "--remote-debugging-pipe", f"--window-size={window}", f"--user-data-dir={profile}", *extra_flags,
             "about:blank"],
            close_fds=False, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=lambda: protocol_descriptors(to_chrome_r, from_chrome_w))
        os.close(to_chrome_r)
        os.close(from_chrome_w)
        self.out = os.fdopen(to_chrome_w, "wb")
        self.inp = os.fdopen(from_chrome_r, "rb")
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
        while True:
            while b"\0" not in self.buffer:
                chunk = self.inp.read1(65536)
                if not chunk:
                    raise RuntimeError("Chromium closed its pipe")
                self.buffer += chunk
            raw, self.buffer = self.buffer.split(b"\0", 1)
            reply = json.loads(raw)
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})

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
        self.process.kill()
        self.process.wait()
