// The page's fullscreen button: it shows the stage (the canvas and any controls on it) alone on
// the screen, and Esc, or the browser's own way back, returns to the page. Where the page may
// not go fullscreen (a phone browser without it, a frame that does not allow it) there is no
// button. The game follows the canvas's new size by itself.
(function () {
  'use strict';
  const stage = document.getElementById('stage');
  const canvas = document.getElementById('canvas');
  const button = document.getElementById('fullscreen');
  const request = stage.requestFullscreen || stage.webkitRequestFullscreen;
  if (!request || !(document.fullscreenEnabled || document.webkitFullscreenEnabled)) return;
  button.hidden = false;

  button.addEventListener('click', () => {
    // Keys belong to the game: Space must not press the button again.
    canvas.focus();
    const pending = request.call(stage, { navigationUI: 'hide' });
    if (pending && pending.catch) pending.catch((error) => console.warn('Fullscreen refused: ' + error.message));
  });
  const changed = () => canvas.focus();
  document.addEventListener('fullscreenchange', changed);
  document.addEventListener('webkitfullscreenchange', changed);
})();
