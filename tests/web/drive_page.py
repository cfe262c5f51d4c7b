#!/usr/bin/env python3
"""Plays the page as a person would, in headless Chromium driven over the DevTools protocol (on a pipe):
clicks "Start", lets the show play, presses Escape, and prints what it saw, one "name value" line each:
ready (the title card came), clock and music (seconds, after playing), ended (the title card came back
after Escape) and ended_clock.

    drive_page.py URL PLAY_SECONDS PROFILE_DIR
"""
import json
import os
import subprocess
import sys
import time


def protocol_descriptors(read, write):
    """In the child: Chromium reads the protocol from descriptor 3 and writes it to 4 (copied out of the way
    first, since the pipe's own descriptors may be 3 or 4; dup2's copies stay open across exec)."""
    read, write = os.dup(read), os.dup(write)
    os.dup2(read, 3)
    os.dup2(write, 4)


class Browser:
    def __init__(self, profile):
        to_chrome_r, to_chrome_w = os.pipe()
        from_chrome_r, from_chrome_w = os.pipe()
        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
             "--remote-debugging-pipe", "--window-size=640,360", f"--user-data-dir={profile}", "about:blank"],
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

    def open(self, url):
        target = self.call("Target.createTarget", url=url)["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]

    def evaluate(self, expression):
        return self.call("Runtime.evaluate", expression=expression, returnByValue=True)["result"].get("value")

    def wait_for(self, expression, seconds):
        deadline = time.time() + seconds
        while time.time() < deadline:
            if self.evaluate(expression):
                return True
            time.sleep(0.25)
        return False

    def close(self):
        self.process.kill()
        self.process.wait()


def main():
    url, play_seconds, profile = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    browser = Browser(profile)
    try:
        browser.open(url)
        ready = browser.wait_for("document.body.dataset.state === 'ready'", 60)
        print("ready", int(ready))
        if not ready:
            return
        # A real click on the button: the gesture that lets the page start its sound.
        box = browser.evaluate("(() => { const r = document.getElementById('start').getBoundingClientRect();"
                               " return [r.x + r.width / 2, r.y + r.height / 2]; })()")
        for kind in ("mousePressed", "mouseReleased"):
            browser.call("Input.dispatchMouseEvent", type=kind, x=box[0], y=box[1], button="left", clickCount=1)
        browser.wait_for("document.body.dataset.state === 'playing'", 60)
        time.sleep(play_seconds)
        print("clock", browser.evaluate("Module._velmora_demo_clock()"))
        print("music", browser.evaluate("Module._velmora_music_seconds()"))
        for kind in ("keyDown", "keyUp"):
            browser.call("Input.dispatchKeyEvent", type=kind, key="Escape", code="Escape", windowsVirtualKeyCode=27)
        ended = browser.wait_for("document.body.dataset.state === 'ended'", 30)
        print("ended", int(ended))
        print("ended_clock", browser.evaluate("Module._velmora_demo_clock()"))
    finally:
        browser.close()


main()
