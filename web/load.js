// Loading and errors: checks for WebGL2, downloads the game with a loading bar, makes the
// game's Module, and owns the overlay over the canvas, which shows the bar, then any message
// the player must read (a failure, or the game starting again after the browser took the
// graphics away). The other scripts meet the game through one event on window:
//   gyrel-ready  the game's runtime has started and its main is about to run; `detail` is
//                the Module, whose exported functions exist from now on.
(function () {
  'use strict';
  const canvas = document.getElementById('canvas');
  const overlay = document.getElementById('overlay');
  const fill = document.getElementById('fill');
  const message = document.getElementById('message');
  // Every file is asked for by this build's name, as this script was, so no cache can hand
  // over another build's.
  const BUILD = new URL(document.currentScript.src).search;
  let failed = false;

  function overlayShow(text, failure) {
    overlay.hidden = false;
    overlay.classList.toggle('failed', failure);
    message.textContent = text;
  }

  function fail(text) {
    if (failed) return;
    failed = true;
    overlayShow(text, true);
    console.error('gyrel page: ' + text);
  }

  function progress(fraction) {
    if (failed) return;
    const percent = Math.floor(fraction * 100);
    fill.style.width = percent + '%';
    overlayShow('Loading ' + percent + ' %', false);
  }

  if (!document.createElement('canvas').getContext('webgl2')) {
    fail('Gyrel+ needs WebGL2, which this browser does not offer or has turned off. ' +
         'Try a current Firefox, Chromium or Safari with hardware acceleration enabled.');
    return;
  }

  // The wasm and the resource package are fetched here, so the bar shows the bytes of both.
  const FILES = ['gyrel.wasm', 'gyrel.data'];
  const loaded = {}, totals = {};
  function report() {
    // Until every size is known a share of one file's size would later shrink: the bar waits.
    if (!FILES.every((name) => name in totals)) return;
    let done = 0, total = 0;
    for (const name of FILES) {
      done += loaded[name] || 0;
      total += totals[name] || 0;
    }
    if (total > 0) progress(Math.min(done / total, 1));
  }

  async function download(name) {
    const response = await fetch(name + BUILD);
    if (!response.ok) throw new Error(name + ': ' + response.status + ' ' + response.statusText);
    totals[name] = Number(response.headers.get('Content-Length')) || 0;
    if (!response.body) return response.arrayBuffer();
    const reader = response.body.getReader();
    const parts = [];
    let size = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      parts.push(value);
      size += value.length;
      loaded[name] = size;
      if (size > totals[name]) totals[name] = size;
      report();
    }
    const bytes = new Uint8Array(size);
    let at = 0;
    for (const part of parts) { bytes.set(part, at); at += part.length; }
    return bytes.buffer;
  }

  window.gyrelFrames = { first: 0, count: 0 };
  window.Module = {
    canvas: canvas,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    setStatus: () => {},
    // SDL listens for keys on the canvas rather than the whole page.
    preRun: [() => { ENV.SDL_EMSCRIPTEN_KEYBOARD_ELEMENT = '#canvas'; }],
    onRuntimeInitialized: () => {
      progress(1);
      overlay.hidden = true;
      window.dispatchEvent(new CustomEvent('gyrel-ready', { detail: window.Module }));
    },
    // Frame counts for the benchmark: when the first frame was drawn, and how many since.
    postMainLoop: () => {
      const frames = window.gyrelFrames;
      if (!frames.first) frames.first = performance.now();
      frames.count++;
    },
    onAbort: (what) => fail('Gyrel+ stopped: ' + what),
    onExit: (status) => {
      if (status === 0) return;
      fail((window.gyrelFrames.count ? 'Gyrel+ stopped' : 'Gyrel+ could not start') + ' (exit status ' + status + '); the console says why.');
    },
  };
  window.addEventListener('error', (event) => fail('Gyrel+ stopped: ' + event.message));

  // Phones drop the WebGL context of a page left in the background. The game's textures and
  // shaders went with it, so the page starts the game again, once it is in view.
  canvas.addEventListener('webglcontextlost', () => {
    overlayShow('The browser took the graphics away; Gyrel+ starts again.', false);
    console.warn('Gyrel+: the graphics context was lost; reloading');
    if (document.visibilityState === 'visible') setTimeout(() => location.reload(), 1000);
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'visible') location.reload();
    });
  });

  Promise.all(FILES.map(download)).then(([wasm, data]) => {
    Module.wasmBinary = wasm;
    Module.getPreloadedPackage = () => data;
    const script = document.createElement('script');
    script.src = 'gyrel.js' + BUILD;
    script.onerror = () => fail('Gyrel+ could not be loaded: gyrel.js is missing.');
    document.body.appendChild(script);
  }).catch((error) => fail('Gyrel+ could not be loaded: ' + error.message));
})();
