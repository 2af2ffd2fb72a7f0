// Playing in the browser without a mouse or keyboard: by touch alone on a phone-sized page
// (DevTools touch events, 844x390 CSS pixels at 3 device pixels each), and with a gamepad that
// the page reads through navigator.getGamepads (replaced by a stand-in pad the test plays).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  browserSuite, pageClose, consoleWatch, consoleFaults, lineWait, resourceLines, sleep, canvasBox, shot, expectPixels, GREEN,
  WHITE,
} from './browser.js';

const PHONE = { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true, isLandscape: true };

const web = browserSuite();

// The field's rectangle on the page: the canvas, less any bars the game letterboxes inside it.
async function fieldBox(page) {
  const box = await canvasBox(page);
  const width = Math.min(box.width, (box.height * 16) / 9), height = (width * 9) / 16;
  return { x: box.x + (box.width - width) / 2, y: box.y + (box.height - height) / 2, width, height };
}

async function fieldPoint(page, x, y) {
  const field = await fieldBox(page);
  return { x: field.x + (x * field.width) / 1280, y: field.y + (y * field.height) / 720 };
}

// The middle of an element of the page.
async function centreOf(page, selector) {
  return page.$eval(selector, (element) => {
    const r = element.getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  });
}

// A finger down, held (and dragged through `path`), then lifted: DevTools' own touch events.
async function touchHold(session, from, ms, path = []) {
  const point = (p) => ({ x: Math.round(p.x), y: Math.round(p.y), id: 1 });
  await session.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [point(from)] });
  let last = from;
  for (const to of path) {
    await sleep(30);
    await session.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [point(to)] });
    last = to;
  }
  await sleep(ms);
  await session.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  return last;
}

// The middle of the white centre in the field's middle band, in field pixels.
function centreX(image) {
  const sx = image.width / 1280;
  let sum = 0, count = 0;
  for (let y = Math.round(260 * sx); y < Math.round(460 * sx); y++) {
    for (let x = 0; x < image.width; x++) {
      const i = (y * image.width + x) * 4;
      if (WHITE(image.rgba[i], image.rgba[i + 1], image.rgba[i + 2])) { sum += x; count++; }
    }
  }
  return count ? sum / count / sx : -1;
}

// Screen pixels per field pixel squared: the phone shows the field at three device pixels per
// CSS pixel.
const scale = (image) => (image.width / 1280) ** 2;

// The middle of the follower's bright green within 150 px of the field's middle.
function followerAt(image) {
  const sx = image.width / 1280;
  let sumX = 0, sumY = 0, count = 0;
  for (let y = Math.round(210 * sx); y < Math.round(510 * sx); y++) {
    for (let x = Math.round(490 * sx); x < Math.round(790 * sx); x++) {
      const i = (y * image.width + x) * 4;
      if (GREEN(image.rgba[i], image.rgba[i + 1], image.rgba[i + 2])) { sumX += x; sumY += y; count++; }
    }
  }
  return count ? { x: sumX / count / sx, y: sumY / count / sx } : null;
}

// A shot of the field alone (the canvas may hold bars beside it).
async function fieldShot(page, name) {
  const image = await shot(page, name);
  const box = await canvasBox(page), field = await fieldBox(page);
  const s = image.width / box.width;
  const left = Math.round((field.x - box.x) * s), top = Math.round((field.y - box.y) * s);
  const width = Math.round(field.width * s), height = Math.round(field.height * s);
  const rgba = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; y++) {
    image.rgba.copy(rgba, y * width * 4, ((top + y) * image.width + left) * 4, ((top + y) * image.width + left + width) * 4);
  }
  return { name, width, height, rgba };
}

const PLAY_FREED = 13; // play's resource lines when it ends

test('a whole cycle by touch alone on a phone', async (t) => {
  const page = await web.browser.newPage();
  await page.emulate({ viewport: PHONE, userAgent: '' });
  const session = await page.target().createCDPSession();
  const watch = consoleWatch(page);
  await page.goto(web.server.url);
  await lineWait(watch, 'LOADED: res/font/upheaval.ttf', 0, 30);
  await page.waitForSelector('#overlay', { hidden: true, timeout: 5000 });

  await t.test('the controls sit beside the field, big enough for a thumb, inside the stage', async () => {
    const field = await fieldBox(page);
    for (const id of ['touch-spin-left', 'touch-spin-right', 'touch-pause']) {
      const r = await page.$eval(`#${id}`, (element) => {
        const b = element.getBoundingClientRect();
        return { x: b.x, y: b.y, width: b.width, height: b.height, inStage: !!element.closest('#stage') };
      });
      assert.ok(r.width >= 44 && r.height >= 44, `${id} is ${r.width}x${r.height} CSS px`);
      assert.ok(r.inStage, `${id} is inside the stage, so fullscreen keeps it`);
      assert.ok(r.x >= field.x + field.width - 0.5 || r.x + r.width <= field.x + 0.5,
        `${id} at x ${r.x}..${r.x + r.width} covers the field ${field.x}..${field.x + field.width}`);
      assert.ok(r.y >= 0 && r.y + r.height <= PHONE.height, `${id} on the screen`);
    }
  });

  // "Start" by a tap (a finger held as long as a tap lasts).
  await sleep(2800);
  let mark = watch.game.length;
  await touchHold(session, await fieldPoint(page, 640, 650), 150);
  await lineWait(watch, 'LOADED: res/mus/ethnica.ogg', mark, 10);
  // The pause button pauses and resumes.
  mark = watch.game.length;
  await touchHold(session, await centreOf(page, '#touch-pause'), 60);
  await sleep(300);
  await touchHold(session, await centreOf(page, '#touch-pause'), 60);
  await sleep(300);
  assert.deepEqual(watch.game.slice(mark).filter((text) => text === '???'), ['???', '???'], 'pause, then resume');

  // The spin pad carries the follower round; the thumb on it does not drag the centre. Then a
  // drag to the right on the left half steers the centre right; let go, it stops. (The help
  // text is up for under seven seconds: the pictures are taken now and read afterwards.)
  await sleep(1000); // a new follower fades in over its first second of play
  const play = await fieldShot(page, 'touch_play');
  await touchHold(session, await centreOf(page, '#touch-spin-left'), 300);
  await sleep(800);
  const spun = await fieldShot(page, 'touch_spun');
  const from = { x: 150, y: 250 };
  await touchHold(session, from, 800, [{ x: 180, y: 250 }, { x: 206, y: 250 }]);
  await sleep(300);
  const steered = await fieldShot(page, 'touch_steered');
  await sleep(400);
  const still = await fieldShot(page, 'touch_still');

  await t.test('taps and the spin pad did not pull the centre; the pad turned the follower', () => {
    expectPixels(play, [630, 350, 21, 21], WHITE, 30, 441 * scale(play), 'white centre where it started');
    expectPixels(spun, [630, 350, 21, 21], WHITE, 30, 441 * scale(spun), 'white centre still in the middle');
    const [a, b] = [followerAt(play), followerAt(spun)];
    assert.ok(a && b && Math.hypot(a.x - b.x, a.y - b.y) > 40,
      `the follower did not turn: at ${JSON.stringify(a)}, then ${JSON.stringify(b)}`);
  });
  await t.test('the drag steered the centre right and it stopped with the thumb', () => {
    const x = centreX(steered), x2 = centreX(still);
    assert.ok(x > 740, `the centre is at x ${x}`);
    assert.ok(Math.abs(x2 - x) < 4, `the centre drifted after the thumb lifted: ${x} then ${x2}`);
  });

  // Left alone the attackers win; "Menu" by a tap goes back to the menu.
  mark = watch.game.length;
  await resourceLines(watch, mark, PLAY_FREED + 4, 90);
  await lineWait(watch, 'LOADED: res/sfx/select.ogg', mark, 5);
  await sleep(600);
  mark = watch.game.length;
  await touchHold(session, await fieldPoint(page, 640, 600), 150);
  await lineWait(watch, 'LOADED: res/gfx/logo.png', mark, 10);

  assert.equal(await page.evaluate(() => window.scrollY), 0, 'the page scrolled');
  assert.deepEqual(await page.evaluate(() => [getComputedStyle(document.getElementById('canvas')).touchAction,
    getComputedStyle(document.body).userSelect]), ['none', 'none'], 'no panning, zooming or selecting');
  assert.deepEqual(consoleFaults(watch), [], 'WebGL errors, exceptions or aborts in the console');

  // Held upright, the page asks to turn the phone.
  assert.equal(await page.$eval('#turn', (element) => getComputedStyle(element).display), 'none');
  await page.setViewport({ ...PHONE, width: 390, height: 844, isLandscape: false });
  await sleep(200);
  assert.equal(await page.$eval('#turn', (element) => getComputedStyle(element).display), 'flex');
  await pageClose(page);
});

test('a desktop with a mouse shows no touch controls', async () => {
  const page = await web.browser.newPage();
  const watch = consoleWatch(page);
  await page.goto(web.server.url);
  await lineWait(watch, 'LOADED: res/font/upheaval.ttf', 0, 30);
  await page.mouse.click(200, 200);
  await sleep(200);
  assert.equal(await page.$('#touch'), null);
  assert.equal(await page.$eval('#turn', () => 'there').catch(() => 'none'), 'none');
  await pageClose(page);
});

test('a gamepad read through navigator.getGamepads steers and presses A', async () => {
  const page = await web.browser.newPage();
  // The stand-in pad, in the standard layout: the test sets its buttons and axes.
  await page.evaluateOnNewDocument(() => {
    const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
    const pad = { id: 'Stand-in pad', index: 0, connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
                  buttons, timestamp: 1 };
    navigator.getGamepads = () => [pad, null, null, null];
    window.standIn = {
      button(index, down) {
        buttons[index] = { pressed: down, touched: down, value: down ? 1 : 0 };
        pad.timestamp = performance.now();
      },
      axis(index, value) { pad.axes[index] = value; pad.timestamp = performance.now(); },
    };
  });
  const watch = consoleWatch(page);
  await page.goto(web.server.url);
  await lineWait(watch, 'GAMEPAD ADDED: ', 0, 30);
  await lineWait(watch, 'LOADED: res/font/upheaval.ttf', 0, 30);
  await page.mouse.move(640, 360);
  await sleep(2800);

  const press = async (index) => {
    await page.evaluate((i) => window.standIn.button(i, true), index);
    await sleep(150);
    await page.evaluate((i) => window.standIn.button(i, false), index);
  };
  let mark = watch.game.length;
  await press(0);
  await lineWait(watch, 'LOADED: res/mus/ethnica.ogg', mark, 10);
  await sleep(600);
  await page.evaluate(() => window.standIn.axis(0, 1));
  await sleep(400);
  await page.evaluate(() => window.standIn.axis(0, 0));
  await sleep(300);
  const x = centreX(await fieldShot(page, 'stand_in_steered'));
  assert.ok(x > 760, `the stand-in's stick steered the centre right: it is at x ${x}`);
  assert.equal(await page.$eval('#canvas', (canvas) => getComputedStyle(canvas).cursor), 'none',
    'the pointer hides while a pad steers');
  mark = watch.game.length;
  await press(9);
  await sleep(300);
  assert.deepEqual(watch.game.slice(mark).filter((text) => text === '???'), ['???'], 'Start pauses');
  assert.equal(await page.$('#touch'), null, 'a pad alone brings no touch controls');
  assert.deepEqual(consoleFaults(watch), []);
  await pageClose(page);
});
