// Sound and mute: the game's sound follows the tab (silent while hidden) and the mute button,
// which the page remembers for the next visit. Browsers let sound start only after a gesture.
(function () {
  'use strict';
  const mute = document.getElementById('mute');
  const MUTE_KEY = 'gyrel.muted';

  // Storage may be refused (a sandboxed frame, private modes): the mute then lasts one visit.
  function stored(name) {
    try { return window.localStorage.getItem(name); } catch { return null; }
  }
  function store(name, value) {
    try { window.localStorage.setItem(name, value); } catch { /* one visit only */ }
  }

  // The game's one audio context is made here and handed to SDL as the game starts (SDL takes
  // one it finds in Module.SDL2), so only this page resumes it: after a gesture, when shown
  // and not muted.
  let audio = null;
  try {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (Context) audio = new Context();
  } catch (error) {
    console.warn('Gyrel+: no sound: ' + error.message);
  }
  if (audio) window.addEventListener('gyrel-ready', (event) => { event.detail.SDL2 = { audioContext: audio }; });

  let muted = stored(MUTE_KEY) === '1';
  const audible = () => !muted && document.visibilityState === 'visible';

  function audioApply() {
    if (!audio || audio.state === 'closed') return;
    if (audible()) {
      if (audio.state !== 'running') audio.resume().catch(() => {});
    } else if (audio.state === 'running') {
      audio.suspend().catch(() => {});
    }
  }
  if (audio) {
    audio.addEventListener('statechange', audioApply);
    document.addEventListener('visibilitychange', audioApply);
    // Any gesture on the page may start it.
    for (const type of ['pointerdown', 'keydown', 'touchend']) {
      document.addEventListener(type, audioApply, { capture: true });
    }
  }

  function muteShow() {
    mute.setAttribute('aria-pressed', String(muted));
    mute.title = muted ? 'Sound off: press to turn it on' : 'Sound on: press to mute';
  }
  mute.addEventListener('click', () => {
    muted = !muted;
    store(MUTE_KEY, muted ? '1' : '0');
    muteShow();
    audioApply();
  });
  muteShow();
})();
