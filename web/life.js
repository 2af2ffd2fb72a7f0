// Visibility and pause: a hidden page (another tab, a minimised window, a locked phone) pauses
// play, and a tap on the game resumes it, as P does on a keyboard. The game decides what a
// pause means; the page only tells it.
(function () {
  'use strict';
  const canvas = document.getElementById('canvas');

  // The game's functions exist once its runtime has started (see load.js).
  let game = null;
  window.addEventListener('gyrel-ready', (event) => { game = event.detail; });
  function tell(name) {
    if (!game || typeof game[name] !== 'function') return;
    try { game[name](); } catch (error) { console.warn('gyrel page: ' + name + ': ' + error.message); }
  }

  // Hidden: the browser gives no more frames, and play waits paused for the player.
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') tell('_gyrel_page_hidden');
  });

  canvas.addEventListener('pointerdown', (event) => {
    if (event.pointerType === 'touch' || event.pointerType === 'pen') tell('_gyrel_tap_resume');
  });
})();
