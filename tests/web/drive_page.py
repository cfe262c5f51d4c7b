#!/usr/bin/env python3
"""Uses the page as a person would, in headless Chromium driven over the DevTools protocol, and prints what it
saw, one "name value" line each.

    drive_page.py MODE URL PROFILE_DIR

play      (URL: the page) clicks "Start" and lets the show play until the music is 8 s in: ready, bar_on_card (the seek bar showed on
          the title card), clock and music (seconds). Then the seek bar, with real clicks: seek_target (the clock
          under the click at 3/4 of the track), seek_landed (the first frame after it), seek_next (the one after),
          seek_clock and seek_music (a second on); paused (the pause button stopped the show), paused_clock and
          paused_later (30 frames apart), link (the "link to this moment" address), resumed_clock (after play),
          largest_step (the largest step between two samples of the sound meanwhile, with a sine for music);
          shown_covered and hidden_covered (points of the picture a control covers just after the mouse moved
          over it, and once the bar hid: hid_after seconds later). Last Escape: ended and ended_clock.
rehearse  (URL: the page with ?rehearse&silent&autostart) the keys: page_up_from and page_up_to (the frames
          before and after Page Up); paused, paused_clock, paused_later (Space, and 30 frames on); step_up and
          step_down (Up then Down while paused, each the clock's change); overlay_changed (bytes of the top-left
          corner that T changed); screenshot (the file S downloaded: name and WIDTHxHEIGHT) and picture (the
          picture's size).
instant   (URL: a ?time= render) covered: points of the picture some element covers.
"""
import os
import struct
import sys
import time

from devtools import Browser

# Every frame drawn, by its demo clock, in window.drawnClocks.
RECORD_FRAMES = """(() => {
  window.drawnClocks = [];
  const shown = Module.onFrame;
  Module.onFrame = (clock, paused) => { shown(clock, paused); drawnClocks.push(clock); };
})()"""

# How many of 11 x 11 points over the canvas, edges included, show some other element on top.
COVERED = """(() => {
  const box = canvas.getBoundingClientRect();
  let covered = 0;
  for (let i = 0; i <= 10; ++i) {
    for (let j = 0; j <= 10; ++j) {
      const x = box.left + (box.width - 1) * i / 10, y = box.top + (box.height - 1) * j / 10;
      if (document.elementFromPoint(x, y) !== canvas) ++covered;
    }
  }
  return covered;
})()"""

# cornerChanged(): how many bytes (RGBA) of the canvas's top-left corner, 160 x 80 pixels where the overlay
# goes, differ from the corner as it was when this ran.
CORNER = """(() => {
  const copy = document.createElement('canvas');
  copy.width = 160;
  copy.height = 80;
  const context = copy.getContext('2d');
  const corner = () => {
    context.drawImage(canvas, 0, 0);
    return context.getImageData(0, 0, 160, 80).data;
  };
  const before = corner();
  window.cornerChanged = () => corner().reduce((changed, value, i) => changed + (value !== before[i]), 0);
})()"""

# The music swapped for a 440 Hz sine of amplitude 0.5 (each source started from now on plays it) and a meter
# on the sound's way out that keeps the largest step between two samples in a row, reset as it is read
# (largestStep()): the sine's own is 0.031; a level that jumps instead of fading makes one of 0.1 or more.
STEP_METER = """(async () => {
  const audio = Module.audio, context = audio.context;
  const sine = context.createBuffer(1, context.sampleRate * 240, context.sampleRate);
  const samples = sine.getChannelData(0);
  for (let i = 0; i < samples.length; ++i) samples[i] = 0.5 * Math.sin(2 * Math.PI * 440 * i / context.sampleRate);
  audio.buffer = sine;
  const meter = `registerProcessor('steps', class extends AudioWorkletProcessor {
    constructor() {
      super();
      this.largest = 0;
      this.port.onmessage = () => { this.port.postMessage(this.largest); this.largest = 0; };
    }
    process([input]) {
      const samples = input[0] || new Float32Array(128);
      if (currentFrame !== this.next) this.last = samples[0];  // after a quantum the output skipped
      for (const value of samples) {
        this.largest = Math.max(this.largest, Math.abs(value - this.last));
        this.last = value;
      }
      this.next = currentFrame + samples.length;
      return true;
    }
  });`;
  await context.audioWorklet.addModule(URL.createObjectURL(new Blob([meter], { type: 'text/javascript' })));
  const node = new AudioWorkletNode(context, 'steps');
  audio.gain.connect(node);
  node.connect(context.destination);
  window.largestStep = () => new Promise((resolve) => {
    node.port.onmessage = (event) => resolve(event.data);
    node.port.postMessage(0);
  });
})()"""

CLOCK = "Module._velmora_demo_clock()"


def report(name, value):
    print(name, value, flush=True)


def jump_after(browser, seen, seconds=5):
    """The frames before, at and after the first jump of the clock (more than a second) after the first `seen`
    frames."""
    found = browser.wait_for(f"""drawnClocks.slice({seen - 1}).some((c, i, a) =>
        i > 0 && i + 1 < a.length && Math.abs(c - a[i - 1]) > 1)""", seconds)
    if not found:
        return None, None, None
    clocks = browser.evaluate(f"drawnClocks.slice({seen - 1})")
    at = next(i for i in range(1, len(clocks)) if abs(clocks[i] - clocks[i - 1]) > 1)
    return clocks[at - 1], clocks[at], clocks[at + 1]


def frames_later(browser, count, seconds=30):
    """Waits until `count` more frames have been drawn."""
    browser.wait_for(f"drawnClocks.length >= {browser.evaluate('drawnClocks.length') + count}", seconds)


def sound_later(browser, seconds):
    """Waits until the page's sound has played `seconds` more (its audio clock, which load does not slow)."""
    start = browser.evaluate("Module.audio.context.currentTime")
    browser.wait_for(f"Module.audio.context.currentTime >= {start} + {seconds}", seconds + 10)


def pause_and_hold(browser, pause):
    """Pauses (pause: the action that does it) and reads the clock twice, 30 frames apart."""
    pause()
    report("paused", int(browser.wait_for("Module._velmora_paused()", 5)))
    frames_later(browser, 2)
    report("paused_clock", browser.evaluate(CLOCK))
    frames_later(browser, 30)
    report("paused_later", browser.evaluate(CLOCK))


def play(browser, url):
    browser.open(url)
    ready = browser.wait_for("document.body.dataset.state === 'ready'", 60)
    report("ready", int(ready))
    if not ready:
        return
    report("bar_on_card", int(browser.evaluate("document.getElementById('bar').checkVisibility()")))
    # A real click on the button: the gesture that lets the page start its sound.
    browser.click(*browser.centre("#start"))
    browser.wait_for("document.body.dataset.state === 'playing'", 60)
    browser.evaluate(RECORD_FRAMES)
    browser.wait_for("Module._velmora_music_seconds() >= 8", 30)
    report("clock", browser.evaluate(CLOCK))
    report("music", browser.evaluate("Module._velmora_music_seconds()"))

    # From a first seek on the sound is the sine; the seek bar's seek, pause and play must not click in it.
    browser.evaluate(STEP_METER)
    seen = browser.evaluate("drawnClocks.length")
    browser.evaluate("Module._velmora_seek(100)")
    jump_after(browser, seen)
    sound_later(browser, 0.3)  # the seek's fade over before the meter starts
    browser.evaluate("largestStep()")

    # A click at 3/4 of the track, on a whole pixel: the clock under it is where the show must land.
    width = browser.evaluate("innerWidth")
    browser.move(width / 2, 10)
    box = browser.evaluate("(() => { const r = track.getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()")
    x = round(box[0] + 0.75 * box[2])
    report("seek_target", (x - box[0]) / box[2] * browser.evaluate("Module._velmora_show_length()"))
    seen = browser.evaluate("drawnClocks.length")
    browser.click(x, box[1] + box[3] / 2)
    _, landed, following = jump_after(browser, seen)
    report("seek_landed", landed)
    report("seek_next", following)
    browser.wait_for(f"{CLOCK} > {landed or 0} + 1", 5)
    report("seek_clock", browser.evaluate(CLOCK))
    report("seek_music", browser.evaluate("Module._velmora_music_seconds()"))

    pause_and_hold(browser, lambda: browser.click(*browser.centre("#play")))
    browser.click(*browser.centre("#link"))
    report("link", browser.evaluate("document.getElementById('link').href"))
    paused_at = browser.evaluate(CLOCK)
    browser.click(*browser.centre("#play"))
    browser.wait_for(f"{CLOCK} > {paused_at} + 0.5", 10)
    report("resumed_clock", browser.evaluate(CLOCK))
    sound_later(browser, 0.3)  # the play's fade in measured whole
    report("largest_step", browser.evaluate("largestStep()"))

    # The sound taken away: the audio context suspended and kept from running again for two seconds. The clock
    # plays on; once the context runs again the music goes on from where the show has got to, not from where
    # the sound stopped (the music position against the page's own clock, whatever the frame rate).
    music_now = "[Module._velmora_music_seconds(), performance.now() / 1000]"
    browser.evaluate("(() => { const c = Module.audio.context; c.ownResume = c.resume; "
                     "c.resume = () => Promise.resolve(); c.suspend(); })()")
    browser.wait_for("Module.audio.context.state === 'suspended'", 5)
    lost_clock = browser.evaluate(CLOCK)
    lost_music, lost_at = browser.evaluate(music_now)
    time.sleep(2)
    report("silent_advance", browser.evaluate(CLOCK) - lost_clock)
    browser.evaluate("(() => { const c = Module.audio.context; c.resume = c.ownResume; c.resume(); })()")
    report("sound_back", int(browser.wait_for("Module.audio.context.state === 'running'", 5)))
    time.sleep(1)
    back_music, back_at = browser.evaluate(music_now)
    report("music_lag", (back_at - lost_at) - (back_music - lost_music))

    # The mouse moves over the picture, away from the bar, and then rests.
    browser.move(width / 2, 20)
    report("shown_covered", browser.evaluate(COVERED))
    moved = time.time()
    browser.wait_for(f"{COVERED} === 0", 8)
    report("hid_after", round(time.time() - moved, 2))
    report("hidden_covered", browser.evaluate(COVERED))

    browser.press("Escape", "Escape", 27)
    ended = browser.wait_for("document.body.dataset.state === 'ended'", 30)
    report("ended", int(ended))
    report("ended_clock", browser.evaluate(CLOCK))


def png_size(path):
    with open(path, "rb") as png:
        header = png.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n":
        return "not-a-png"
    return "%dx%d" % struct.unpack(">II", header[16:24])


def rehearse(browser, url, downloads):
    browser.open(url, downloads=downloads)
    if not browser.wait_for("document.body.dataset.state === 'playing'", 60):
        report("playing", 0)
        return
    browser.evaluate(RECORD_FRAMES)
    browser.wait_for("drawnClocks.length > 3", 10)

    seen = browser.evaluate("drawnClocks.length")
    browser.press("PageUp", "PageUp", 33)
    before, landed, _ = jump_after(browser, seen)
    report("page_up_from", before)
    report("page_up_to", landed)

    pause_and_hold(browser, lambda: browser.press(" ", "Space", 32))
    for name, key, virtual_key in (("step_up", "ArrowUp", 38), ("step_down", "ArrowDown", 40)):
        clock = browser.evaluate(CLOCK)
        browser.press(key, key, virtual_key)
        browser.wait_for(f"{CLOCK} !== {clock}", 5)
        report(name, browser.evaluate(CLOCK) - clock)

    browser.evaluate(CORNER)
    browser.press("t", "KeyT", 84)
    browser.wait_for("cornerChanged() > 100", 5)
    report("overlay_changed", browser.evaluate("cornerChanged()"))

    name = "velmora-%.3f.png" % browser.evaluate(CLOCK)
    browser.press("s", "KeyS", 83)
    path = os.path.join(downloads, name)
    deadline = time.time() + 10
    while time.time() < deadline and not os.path.exists(path):
        time.sleep(0.1)
    report("screenshot", f"{name} {png_size(path)}" if os.path.exists(path) else "none")
    report("picture", "%dx%d" % tuple(browser.evaluate("pictureSize()")))


def instant(browser, url):
    browser.open(url)
    drawn = browser.wait_for("document.body.dataset.state === 'drawn'", 60)
    report("covered", browser.evaluate(COVERED) if drawn else "not-drawn")


def main():
    mode, url, profile = sys.argv[1:4]
    browser = Browser(profile)
    try:
        if mode == "play":
            play(browser, url)
        elif mode == "rehearse":
            downloads = os.path.join(profile, "downloads")
            os.makedirs(downloads, exist_ok=True)
            rehearse(browser, url, downloads)
        else:
            instant(browser, url)
    except RuntimeError as error:
        print(f"drive_page: {error}", file=sys.stderr)
        return 1
    finally:
        browser.close()
    return 0


sys.exit(main())
