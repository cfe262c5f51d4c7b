// The viewer's controls while the show plays: the seek bar along the bottom edge (pause and play, elapsed and
// total time, a track to click or drag, a link to this moment, full screen), shown while the mouse moves and
// hidden after a while without; with ?rehearse, the rehearsal keys; and the screenshots that S asks for,
// offered as PNG downloads. index.html calls show() once the show plays and hide() when it stops; the show
// reports every frame drawn through frame().
const controls = (() => {
  const bar = document.getElementById('bar');
  const track = document.getElementById('track');
  const played = document.getElementById('played');
  const time = document.getElementById('time');
  const note = document.getElementById('note');
  const link = document.getElementById('link');
  const playButton = document.getElementById('play');
  const rehearse = new URLSearchParams(location.search).has('rehearse');
  const idleAfter = 2500;  // ms without the mouse moving before the bar hides (not while paused)

  // The rehearsal keys' virtual-key codes, by KeyboardEvent.key (letters in lower case).
  const rehearsalKeys = {
    ' ': 0x20, PageUp: 0x21, PageDown: 0x22, End: 0x23, Home: 0x24,
    ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28, s: 0x53, t: 0x54,
  };
  const toggles = new Set([0x20, 0x53, 0x54]);  // held down, these act once; jumps and steps repeat

  let active = false, length = 1, clock = 0, lastMove = 0, noteTimer = 0;
  let dragFraction = null;    // where the track is held, while it is
  let pendingFraction = null; // the drag's latest place, sought at the next animation frame

  const minutes = (seconds) =>
    `${Math.floor(seconds / 60)}:${String(Math.floor(seconds % 60)).padStart(2, '0')}`;

  function setIdle(idle) {
    bar.classList.toggle('idle', idle);
    document.body.classList.toggle('idle', idle);
  }

  function wake() {
    if (!active) return;
    lastMove = performance.now();
    setIdle(false);
  }

  function say(text) {
    note.textContent = text;
    clearTimeout(noteTimer);
    noteTimer = setTimeout(() => { note.textContent = ''; }, 2500);
  }

  // After every frame drawn: the bar follows the clock (or the held track), and hides when left be.
  function frame(demoClock, paused) {
    clock = demoClock;
    const shown = dragFraction === null ? clock : dragFraction * length;
    played.style.width = `${(100 * Math.min(shown / length, 1)).toFixed(2)}%`;
    const text = `${minutes(shown)} / ${minutes(length)}`;
    if (time.textContent !== text) time.textContent = text;
    if (bar.classList.contains('paused') !== paused) {
      bar.classList.toggle('paused', paused);
      playButton.title = paused ? 'Play' : 'Pause';
    }
    const leftBe = performance.now() - lastMove > idleAfter;
    if (leftBe && !paused && dragFraction === null && !bar.matches(':hover')) setIdle(true);
  }

  function fractionAt(event) {
    const box = track.getBoundingClientRect();
    return Math.min(Math.max((event.clientX - box.left) / box.width, 0), 1);
  }

  track.addEventListener('pointerdown', (event) => {
    if (event.button !== 0) return;
    track.setPointerCapture(event.pointerId);
    dragFraction = fractionAt(event);
    Module._velmora_seek(dragFraction * length);
  });
  // A drag seeks at most once an animation frame, to where the pointer is by then.
  track.addEventListener('pointermove', (event) => {
    if (dragFraction === null) return;
    dragFraction = fractionAt(event);
    if (pendingFraction === null) {
      requestAnimationFrame(() => {
        Module._velmora_seek(pendingFraction * length);
        pendingFraction = null;
      });
    }
    pendingFraction = dragFraction;
  });
  track.addEventListener('lostpointercapture', () => { dragFraction = null; });

  playButton.onclick = () => Module._velmora_toggle_pause();

  // This page's address with ?from= at the demo clock, its other parameters as they were.
  function momentLink() {
    const others = location.search.slice(1).split('&').filter((part) => part && part.split('=')[0] !== 'from');
    const query = [...others, `from=${clock.toFixed(3)}`].join('&');
    return `${location.origin}${location.pathname}?${query}${location.hash}`;
  }
  link.onpointerenter = link.onfocus = () => { link.href = momentLink(); };
  link.onclick = (event) => {
    event.preventDefault();
    link.href = momentLink();
    const copied = navigator.clipboard ? navigator.clipboard.writeText(link.href) : Promise.reject();
    copied.then(() => say('Link copied'), () => say('Right-click the link to copy it'));
  };

  document.getElementById('fullscreen').onclick = () =>
    document.fullscreenElement ? document.exitFullscreen() : document.documentElement.requestFullscreen();

  addEventListener('pointermove', wake);
  addEventListener('pointerdown', wake);
  // The rehearsal keys go to the show instead of scrolling the page or pressing the focused button.
  for (const type of ['keydown', 'keyup']) {
    addEventListener(type, (event) => {
      const code = rehearsalKeys[event.key.length === 1 ? event.key.toLowerCase() : event.key];
      if (!active || !rehearse || code === undefined || event.ctrlKey || event.altKey || event.metaKey) return;
      event.preventDefault();
      if (type === 'keydown' && !(event.repeat && toggles.has(code))) Module._velmora_command(code);
    });
  }

  // The picture's pixels (RGB, top row first) as a PNG download.
  function offerScreenshot(rgb, width, height, name) {
    const picture = document.createElement('canvas');
    picture.width = width;
    picture.height = height;
    const context = picture.getContext('2d');
    const image = context.createImageData(width, height);
    for (let from = 0, to = 0; from < rgb.length; from += 3, to += 4) {
      image.data.set(rgb.subarray(from, from + 3), to);
      image.data[to + 3] = 255;
    }
    context.putImageData(image, 0, 0);
    picture.toBlob((png) => {
      if (!png) { say('The screenshot could not be made'); return; }
      const download = document.createElement('a');
      download.href = URL.createObjectURL(png);
      download.download = name;
      download.click();
      setTimeout(() => URL.revokeObjectURL(download.href), 10000);
      say(`Saved ${name}`);
    }, 'image/png');
  }

  return {
    show() {
      length = Module._velmora_show_length();
      active = true;
      bar.hidden = false;
      wake();
    },
    hide() {
      active = false;
      bar.hidden = true;
      setIdle(false);
    },
    frame,
    offerScreenshot,
  };
})();
