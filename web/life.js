// The page's side of the game's life in a browser: sound that follows the tab and the mute
// button, a hidden page pausing play, a tap resuming it, a lost WebGL context, page buttons
// that hand the keys back to the game, and the offline copy (sw.js). Loaded before the game.
(function () {
  'use strict';
  const canvas = document.getElementById('canvas');
  const mute = document.getElementById('mute');
  const MUTE_KEY = 'gyrel.muted';

  // Storage may be refused (a sandboxed frame, private modes): the mute then lasts one visit.
  function stored(name) {
    try { return window.localStorage.getItem(name); } catch { return null; }
  }
  function store(name, value) {
    try { window.localStorage.setItem(name, value); } catch { /* one visit only */ }
  }

  // The game's one audio context is made here and handed to SDL (it takes one it finds), so
  // only this page resumes it: after a gesture, when shown and not muted.
  let audio = null;
  try {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (Context) audio = new Context();
  } catch (error) {
    console.warn('Gyrel+: no sound: ' + error.message);
  }
  window.Module = window.Module || {};
  if (audio) window.Module.SDL2 = { audioContext: audio };

  let muted = stored(MUTE_KEY) === '1';
  let reloadWanted = false;
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
    // Browsers let sound start only from a gesture; any gesture on the page may start it.
    for (const type of ['pointerdown', 'keydown', 'touchend']) {
      document.addEventListener(type, audioApply, { capture: true });
    }
  }

  function muteShow() {
    if (!mute) return;
    mute.setAttribute('aria-pressed', String(muted));
    mute.title = muted ? 'Sound off: press to turn it on' : 'Sound on: press to mute';
  }
  if (mute) {
    mute.addEventListener('click', () => {
      muted = !muted;
      store(MUTE_KEY, muted ? '1' : '0');
      muteShow();
      audioApply();
    });
  }
  muteShow();

  // The game's functions exist once its runtime has started, and none after it stopped.
  function game(name) {
    const Module = window.Module;
    if (!Module || !Module.calledRun || typeof Module[name] !== 'function') return;
    try { Module[name](); } catch (error) { console.warn('gyrel page: ' + name + ': ' + error.message); }
  }

  // Hidden: the browser gives no more frames, sound stops, and play waits paused for the player.
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') game('_gyrel_page_hidden');
    audioApply();
    if (document.visibilityState === 'visible' && reloadWanted) location.reload();
  });

  // A tap on the game resumes a paused game, as P does on a keyboard.
  if (canvas) {
    canvas.addEventListener('pointerdown', (event) => {
      if (event.pointerType === 'touch' || event.pointerType === 'pen') game('_gyrel_tap_resume');
    });
  }

  // A page button never keeps the keys: pressing it leaves the focus on the game, so Space,
  // the arrows and P still reach the game and never press the button again.
  document.addEventListener('mousedown', (event) => {
    if (event.target.closest && event.target.closest('button')) event.preventDefault();
  }, { capture: true });
  document.addEventListener('click', (event) => {
    if (canvas && event.target.closest && event.target.closest('button')) canvas.focus();
  });

  // Phones drop the WebGL context of a page left in the background. The game's textures and
  // shaders went with it, so the page starts the game again, once it is in view.
  if (canvas) {
    canvas.addEventListener('webglcontextlost', () => {
      const overlay = document.getElementById('overlay');
      const message = document.getElementById('message');
      if (overlay && message) {
        overlay.hidden = false;
        message.textContent = 'The browser took the graphics away; Gyrel+ starts again.';
      }
      console.warn('Gyrel+: the graphics context was lost; reloading');
      reloadWanted = true;
      if (document.visibilityState === 'visible') setTimeout(() => location.reload(), 1000);
    });
  }

  // The offline copy; a page served without one (file://, plain http elsewhere) plays as before.
  // It is registered once the game runs, so its downloads never slow the first start.
  function offlineRegister() {
    if (!window.Module.calledRun) { setTimeout(offlineRegister, 250); return; }
    // Every visit asks for a new version: a browser whose last check failed (offline) may not
    // look again by itself, and a check still failing from then is answered by a later one.
    function check(registration, tries) {
      registration.update().catch((error) => {
        if (tries > 0) setTimeout(() => check(registration, tries - 1), 5000);
        else console.info('Gyrel+: no new version found: ' + error.message);
      });
    }
    const repeat = Boolean(navigator.serviceWorker.controller);
    navigator.serviceWorker.register('sw.js').then((registration) => { if (repeat) check(registration, 3); }, (error) => {
      console.warn('Gyrel+: no offline copy: ' + error.message);
    });
  }
  if ('serviceWorker' in navigator && window.isSecureContext) offlineRegister();
})();
