// The offline copy: registers the worker (sw.js) once the game has started, so its downloads
// never slow the first start. A page served without one (file://, plain http elsewhere) plays
// as before.
(function () {
  'use strict';
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;

  // Every visit asks for a new version: a browser whose last check failed (offline) may not
  // look again by itself, and a check still failing from then is answered by a later one.
  function check(registration, tries) {
    registration.update().catch((error) => {
      if (tries > 0) setTimeout(() => check(registration, tries - 1), 5000);
      else console.info('Gyrel+: no new version found: ' + error.message);
    });
  }

  window.addEventListener('gyrel-ready', () => {
    const repeat = Boolean(navigator.serviceWorker.controller);
    navigator.serviceWorker.register('sw.js').then((registration) => { if (repeat) check(registration, 3); }, (error) => {
      console.warn('Gyrel+: no offline copy: ' + error.message);
    });
  }, { once: true });
})();
