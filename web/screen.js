// The game's screen on the page: the canvas keeps the keys, and the Fullscreen button shows the
// stage (the canvas and any controls on it) alone on the screen; Esc, or the browser's own way
// back, returns to the page. Where the page may not go fullscreen (a phone browser without it,
// a frame that does not allow it) there is no button. The game follows the canvas's new size
// by itself.
(function () {
  'use strict';
  const stage = document.getElementById('stage');
  const canvas = document.getElementById('canvas');
  const button = document.getElementById('fullscreen');

  // Keys reach the game while the canvas has focus, and it takes the focus back whenever the
  // page could have moved it: the game starting, a click on it, a page button, fullscreen.
  const gameFocus = () => canvas.focus();
  window.addEventListener('gyrel-ready', gameFocus);
  canvas.addEventListener('mousedown', gameFocus);
  // A page button never keeps the keys: pressing it leaves the focus on the game, so Space,
  // the arrows and P still reach the game and never press the button again.
  document.addEventListener('mousedown', (event) => {
    if (event.target.closest && event.target.closest('button')) event.preventDefault();
  }, { capture: true });
  document.addEventListener('click', (event) => {
    if (event.target.closest && event.target.closest('button')) gameFocus();
  });
  document.addEventListener('fullscreenchange', gameFocus);
  document.addEventListener('webkitfullscreenchange', gameFocus);
  // Space and the arrows play; they must not scroll the page.
  const GAME_KEYS = [' ', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight'];
  canvas.addEventListener('keydown', (event) => {
    if (GAME_KEYS.includes(event.key)) event.preventDefault();
  });

  const request = stage.requestFullscreen || stage.webkitRequestFullscreen;
  if (!request || !(document.fullscreenEnabled || document.webkitFullscreenEnabled)) return;
  button.hidden = false;
  button.addEventListener('click', () => {
    const pending = request.call(stage, { navigationUI: 'hide' });
    if (pending && pending.catch) pending.catch((error) => console.warn('Fullscreen refused: ' + error.message));
  });
})();
