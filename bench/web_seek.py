#!/usr/bin/env python3
"""The seek bar's latency in the page: from a real click on the track (its pointerdown's time stamp) to the
frame that lands there drawn into the canvas (the show's frame function back and the GPU done with it), for
a jump back from 200 s to 20 s of demo clock, the page at 1280 x 720, playing with music and paused, RUNS
times each; with the time a frame takes while playing near either clock, for comparison.

    web_seek.py URL PROFILE_DIR RUNS   (URL: the page; bench/web_seek.sh serves it)
"""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from devtools import Browser  # noqa: E402

# landings: [latency, the landing frame's own time] in ms, for every click; frames: [ms since the frame before,
# demo clock] of every frame. The landing waits for its pixels: a pixel read back (with no pack buffer bound,
# so that the read is a synchronous one) returns only once the GPU has drawn everything before it.
MEASURE = """(() => {
  window.landings = [];
  window.frames = [];
  let clickedAt = null, last = performance.now();
  track.addEventListener('pointerdown', (event) => { clickedAt = event.timeStamp; }, { capture: true });
  const gl = canvas.getContext('webgl2');  // the show's own context
  const pixel = new Uint8Array(4);
  const shown = Module.onFrame;
  Module.onFrame = (clock, paused) => {
    shown(clock, paused);
    const landed = clickedAt !== null && clock < 100;
    if (landed) {
      const pack = gl.getParameter(gl.PIXEL_PACK_BUFFER_BINDING);
      gl.bindBuffer(gl.PIXEL_PACK_BUFFER, null);
      gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
      gl.bindBuffer(gl.PIXEL_PACK_BUFFER, pack);
    }
    const now = performance.now();
    if (landed) {
      landings.push([now - clickedAt, now - last]);
      clickedAt = null;
    }
    frames.push([now - last, clock]);
    last = now;
  };
})()"""

# The median time of the frames drawn while playing between two demo clocks, and how many there were.
FRAME_TIME = """((from, to) => {
  const times = frames.filter(([, clock], i) => i > 0 && clock > from && clock < to && frames[i - 1][1] > from)
                      .map(([ms]) => ms).sort((a, b) => a - b);
  return [times[times.length >> 1], times.length];
})"""

CLOCK = "Module._velmora_demo_clock()"


def main():
    url, profile, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    browser = Browser(profile, window="1280,720", extra_flags=["--autoplay-policy=no-user-gesture-required"])
    try:
        browser.open("about:blank")
        browser.call("Emulation.setDeviceMetricsOverride", width=1280, height=720, deviceScaleFactor=1, mobile=False)
        browser.call("Page.navigate", url=f"{url}?rehearse&autostart&from=200")
        if not browser.wait_for("document.body.dataset.state === 'playing'", 120):
            sys.exit("web_seek: the show did not start")
        browser.evaluate(MEASURE)
        picture = browser.evaluate("pictureSize()")
        left, top, width, height = browser.evaluate(
            "(() => { const r = track.getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()")
        x = left + width * 20 / browser.evaluate("Module._velmora_show_length()")
        for state in ("playing", "paused"):
            if state == "paused":
                browser.evaluate("Module._velmora_toggle_pause()")
                browser.wait_for("Module._velmora_paused()", 10)
            results = []
            for run in range(runs):
                browser.evaluate("Module._velmora_seek(200)")
                browser.wait_for(f"{CLOCK} > 199", 10)
                time.sleep(1)
                browser.move(x, top + height / 2)
                browser.wait_for("!bar.classList.contains('idle')", 5)
                landed = browser.evaluate("landings.length")
                browser.click(x, top + height / 2)
                if not browser.wait_for(f"landings.length > {landed}", 20):
                    sys.exit(f"web_seek: no landing after the click ({state}, run {run + 1})")
                results.append(browser.evaluate("landings[landings.length - 1]"))
            latencies = sorted(round(r[0], 1) for r in results)
            frames = sorted(round(r[1], 1) for r in results)
            print(f"{picture[0]} x {picture[1]}, {state}: click to frame drawn {statistics.median(latencies):.1f} ms "
                  f"median (runs: {' '.join(map(str, latencies))}); the landing frame itself "
                  f"{statistics.median(frames):.1f} ms median")
            if state == "playing":
                time.sleep(6)  # on from the last landing near 20 s
                for low, high in ((200.2, 203), (20.5, 40)):
                    median, count = browser.evaluate(f"{FRAME_TIME}({low}, {high})")
                    print(f"  a frame while playing from {low:.0f} s: {median:.1f} ms (median of {count})")
    finally:
        browser.close()


main()
