// Touch controls for phones and tablets. They play the game through a gamepad of their own,
// added to what navigator.getGamepads() reports, so the game steers and spins exactly as with
// a real pad: a drag on the left half of the screen is the left stick, the two pads on the
// right are the shoulder buttons, the pause button is Start. Taps on "Start" and "Menu" reach
// the canvas itself. Nothing shows on a desktop with a mouse until the first touch.
(function () {
  'use strict';
  const stage = document.getElementById('stage');
  if (!stage || !window.navigator) return;

  // The W3C standard layout, which SDL maps like any standard pad.
  const BUTTON_COUNT = 17;
  const LEFT_SHOULDER = 4, RIGHT_SHOULDER = 5, START = 9;
  // A drag this many CSS pixels from where the thumb came down is a full tilt.
  const STICK_RADIUS = 56;
  // A press must last two of the game's 16 ms steps to be seen.
  const PRESS_MS = 120;

  const buttons = [];
  for (let i = 0; i < BUTTON_COUNT; i++) buttons.push({ pressed: false, touched: false, value: 0 });
  const pad = {
    // SDL finds a controller mapping by the pad's name; a name starting "Touch controls" is
    // mapped another way (Start is not b9), so this one keeps to SDL's standard mapping.
    id: 'On-screen pad',
    index: -1,
    connected: true,
    mapping: 'standard',
    axes: [0, 0, 0, 0],
    buttons: buttons,
    timestamp: 0,
    vibrationActuator: null,
  };

  const pageGetGamepads = navigator.getGamepads ? navigator.getGamepads.bind(navigator) : () => [];
  function withTouchPad() {
    const list = Array.from(pageGetGamepads() || []);
    if (pad.index >= 0) {
      while (list.length <= pad.index) list.push(null);
      list[pad.index] = pad;
    }
    return list;
  }

  function changed() { pad.timestamp = performance.now(); }

  function buttonSet(index, down) {
    const button = buttons[index];
    if (button.pressed === down) return;
    button.pressed = down;
    button.touched = down;
    button.value = down ? 1 : 0;
    changed();
  }

  // The pad appears with the first touch (a desktop with a mouse never gets one).
  let layer = null;
  function plug() {
    if (pad.index >= 0) return;
    const taken = Array.from(pageGetGamepads() || []);
    let index = taken.findIndex((other) => !other);
    if (index < 0) index = taken.length;
    pad.index = index;
    changed();
    navigator.getGamepads = withTouchPad;
    const event = new Event('gamepadconnected');
    event.gamepad = pad;
    window.dispatchEvent(event);
  }

  function element(tag, id, label, parent) {
    const made = document.createElement(tag);
    made.id = id;
    if (label) made.setAttribute('aria-label', label);
    parent.appendChild(made);
    return made;
  }

  const STYLE = `
    html.touch, html.touch body { overflow: hidden; overscroll-behavior: none; -webkit-user-select: none;
      user-select: none; -webkit-touch-callout: none; -webkit-tap-highlight-color: transparent; }
    html.touch #stage, html.touch #canvas { touch-action: none; }
    #touch { position: fixed; inset: 0; pointer-events: none; z-index: 2; }
    #touch button { position: absolute; pointer-events: auto; touch-action: none; box-sizing: border-box;
      width: 64px; height: 64px; padding: 0; border-radius: 50%; border: 2px solid rgba(255,255,255,.5);
      background: rgba(255,255,255,.08); color: rgba(255,255,255,.85); font: 32px/1 system-ui, sans-serif; }
    #touch button.held { background: rgba(76,242,102,.35); border-color: #4cf266; }
    #touch-pause { left: calc(env(safe-area-inset-left) + 8px); top: calc(env(safe-area-inset-top) + 8px);
      width: 48px !important; height: 48px !important; border-radius: 12px !important; font-size: 16px !important; }
    #touch-spin-left { right: calc(env(safe-area-inset-right) + 6px); bottom: calc(env(safe-area-inset-bottom) + 100px); }
    #touch-spin-right { right: calc(env(safe-area-inset-right) + 6px); bottom: calc(env(safe-area-inset-bottom) + 20px); }
    #touch-stick { position: absolute; display: none; width: 112px; height: 112px; margin: -58px 0 0 -58px;
      border-radius: 50%; border: 2px solid rgba(255,255,255,.3); }
    #touch-stick.on { display: block; }
    #touch-knob { position: absolute; left: 34px; top: 34px; width: 44px; height: 44px; border-radius: 50%;
      background: rgba(255,255,255,.3); }
    #turn { position: fixed; inset: 0; z-index: 3; display: none; align-items: center; justify-content: center;
      padding: 24px; background: #0b0d10; color: #c8ccd2; font: 20px/1.4 system-ui, sans-serif; text-align: center; }
    @media (orientation: portrait) { html.touch #turn { display: flex; } }
  `;

  function show() {
    if (layer) return;
    const style = document.createElement('style');
    style.textContent = STYLE;
    document.head.appendChild(style);
    document.documentElement.classList.add('touch');
    element('div', 'turn', null, stage).textContent = 'Turn your device sideways to play.';
    layer = element('div', 'touch', null, stage);
    const ring = element('div', 'touch-stick', null, layer);
    const knob = element('div', 'touch-knob', null, ring);
    const pause = element('button', 'touch-pause', 'Pause', layer);
    const spinLeft = element('button', 'touch-spin-left', 'Spin one way', layer);
    const spinRight = element('button', 'touch-spin-right', 'Spin the other way', layer);
    pause.textContent = '\u275a\u275a';
    spinLeft.textContent = '\u21ba';
    spinRight.textContent = '\u21bb';

    function hold(control, index) {
      const fingers = new Set();
      control.addEventListener('touchstart', (event) => {
        event.preventDefault();
        for (const touch of event.changedTouches) fingers.add(touch.identifier);
        control.classList.add('held');
        buttonSet(index, true);
      }, { passive: false });
      const lift = (event) => {
        event.preventDefault();
        for (const touch of event.changedTouches) fingers.delete(touch.identifier);
        if (fingers.size) return;
        control.classList.remove('held');
        buttonSet(index, false);
      };
      control.addEventListener('touchend', lift, { passive: false });
      control.addEventListener('touchcancel', lift, { passive: false });
    }
    hold(spinLeft, LEFT_SHOULDER);
    hold(spinRight, RIGHT_SHOULDER);
    pause.addEventListener('touchstart', (event) => {
      event.preventDefault();
      pause.classList.add('held');
      buttonSet(START, true);
      setTimeout(() => { buttonSet(START, false); pause.classList.remove('held'); }, PRESS_MS);
    }, { passive: false });

    // The stick: a thumb that comes down on the left half steers while it stays down, by how
    // far and which way it has been dragged; the ring shows where it started.
    let stickFinger = null, originX = 0, originY = 0;
    function stickSet(x, y) {
      let dx = (x - originX) / STICK_RADIUS, dy = (y - originY) / STICK_RADIUS;
      const length = Math.hypot(dx, dy);
      if (length > 1) { dx /= length; dy /= length; }
      pad.axes[0] = dx;
      pad.axes[1] = dy;
      changed();
      knob.style.transform = 'translate(' + dx * STICK_RADIUS + 'px,' + dy * STICK_RADIUS + 'px)';
    }
    stage.addEventListener('touchstart', (event) => {
      for (const touch of event.changedTouches) {
        if (stickFinger !== null || touch.target.closest('#touch button')) continue;
        const box = stage.getBoundingClientRect();
        if (touch.clientX - box.left > box.width / 2) continue;
        stickFinger = touch.identifier;
        originX = touch.clientX;
        originY = touch.clientY;
        ring.style.left = originX + 'px';
        ring.style.top = originY + 'px';
        ring.classList.add('on');
        stickSet(originX, originY);
      }
    }, { passive: true });
    stage.addEventListener('touchmove', (event) => {
      for (const touch of event.changedTouches) {
        if (touch.identifier === stickFinger) stickSet(touch.clientX, touch.clientY);
      }
      // No scrolling or zooming of the page under a thumb that plays.
      if (event.cancelable) event.preventDefault();
    }, { passive: false });
    const stickLift = (event) => {
      for (const touch of event.changedTouches) {
        if (touch.identifier !== stickFinger) continue;
        stickFinger = null;
        ring.classList.remove('on');
        stickSet(originX, originY);
      }
    };
    stage.addEventListener('touchend', stickLift, { passive: true });
    stage.addEventListener('touchcancel', stickLift, { passive: true });
  }

  function start() {
    show();
    plug();
  }
  // A touch-first device shows the controls at once; any other, from its first touch on.
  if (window.matchMedia && window.matchMedia('(pointer: coarse)').matches && 'ontouchstart' in window) start();
  window.addEventListener('touchstart', start, { capture: true, passive: true });
  // The long-press menu of a phone would cover the game.
  stage.addEventListener('contextmenu', (event) => event.preventDefault());
})();
