// The page at any screen: the canvas takes the largest 16:9 rectangle of the room the page gives
// it, on whole device pixels, with a drawing buffer of its CSS size times the device pixel ratio;
// the game letterboxes inside it and the pointer lands where things are drawn; the fullscreen
// button shows the stage alone and Esc brings the page back. Real browser input throughout.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  browserSuite, pageClose, consoleWatch, consoleFaults, lineWait, sleep, pointTo, click, shot, pngKeep, pixels, escapeKey,
  GREEN, WHITE, LIT,
} from './browser.js';

const DESKTOP = { width: 1920, height: 1080, deviceScaleFactor: 1 };
const PHONE = { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const START = [560, 615, 160, 70]; // the menu's "Start", in field pixels

const web = browserSuite();

// Where the stage and canvas are (CSS pixels), the canvas's drawing buffer, and the fullscreen state.
async function layout(page) {
  return page.evaluate(() => {
    const box = (id) => {
      const r = document.getElementById(id).getBoundingClientRect();
      return { x: r.x, y: r.y, width: r.width, height: r.height };
    };
    const canvas = document.getElementById('canvas');
    return { stage: box('stage'), canvas: box('canvas'), button: box('fullscreen'),
             buffer: { width: canvas.width, height: canvas.height }, ratio: devicePixelRatio,
             view: { width: innerWidth, height: innerHeight }, fullscreen: document.fullscreenElement?.id ?? null };
  });
}

const bufferFits = (l) => Math.abs(l.buffer.width - l.canvas.width * l.ratio) <= 1 &&
  Math.abs(l.buffer.height - l.canvas.height * l.ratio) <= 1;

// The game follows a new canvas size on its next frame: waits for it, up to three seconds.
async function settledLayout(page) {
  const deadline = Date.now() + 3000;
  for (;;) {
    const l = await layout(page);
    if (bufferFits(l) || Date.now() > deadline) return l;
    await sleep(50);
  }
}

// The largest 16:9 rectangle of the stage, centred on whole device pixels, drawn at full density.
function expectSharpFit(l, what) {
  const c = l.canvas, s = l.stage;
  const size = `${c.width}x${c.height} canvas in a ${s.width}x${s.height} stage`;
  const width = Math.min(s.width, (s.height * 16) / 9), height = Math.min(s.height, (s.width * 9) / 16);
  assert.ok(Math.abs(c.width - width) <= 1 && Math.abs(c.height - height) <= 1, `${what}: not the largest 16:9, ${size}`);
  assert.ok(Math.abs(c.x - s.x - (s.width - c.width) / 2) <= 1 && Math.abs(c.y - s.y - (s.height - c.height) / 2) <= 1,
    `${what}: not centred, ${size} at ${c.x},${c.y}`);
  for (const edge of [c.x, c.y, c.width, c.height]) {
    assert.equal(edge * l.ratio, Math.round(edge * l.ratio), `${what}: canvas edge ${edge} between device pixels`);
  }
  assert.ok(bufferFits(l),
    `${what}: drawing buffer ${l.buffer.width}x${l.buffer.height} for ${size} at ratio ${l.ratio}`);
}

// Pixel counts scaled back to the field's 1280x720, so one range holds at every size.
function expectFieldPixels(image, region, testFn, low, high, what) {
  const count = pixels(image, region, testFn) / ((image.width / 1280) * (image.height / 720));
  assert.ok(count >= low && count <= high,
    `${what}: ${Math.round(count)} field pixels in [${region}] of ${image.name}.png, expected ${low} to ${high}`);
}

// The menu whole: logo, green "Start" and credits where the scale puts them.
function expectMenu(image) {
  expectFieldPixels(image, [440, 60, 400, 400], LIT, 20000, 160000, 'logo');
  expectFieldPixels(image, START, GREEN, 200, 6000, 'green Start');
  expectFieldPixels(image, [15, 625, 480, 90], GREEN, 400, 20000, 'green credits');
}

// Pixels of an image, in a rectangle given in its own pixels, for which the test holds.
function count(image, [left, top, width, height], testFn) {
  let n = 0;
  for (let y = Math.round(top); y < Math.round(top + height); y++) {
    for (let x = Math.round(left); x < Math.round(left + width); x++) {
      const i = (y * image.width + x) * 4;
      if (testFn(image.rgba[i], image.rgba[i + 1], image.rgba[i + 2])) n++;
    }
  }
  return n;
}

// The whole page as shown, less the touch controls: on a touch screen they sit in the bars by
// design (touch.test.js checks them), and the game itself must draw nothing there.
async function pageShot(page, name) {
  const touchShown = (shown) => page.evaluate((visibility) => {
    const touch = document.getElementById('touch');
    if (touch) touch.style.visibility = visibility;
  }, shown ? '' : 'hidden');
  await touchShown(false);
  const image = await pngKeep(page, name, await page.screenshot({ type: 'png' }));
  await touchShown(true);
  return image;
}

// Nothing drawn on the stage beside the canvas: the bars are black.
function expectBlackBars(image, l, what) {
  const c = l.canvas, s = l.stage;
  const bars = [[s.x, s.y, c.x - s.x, s.height], [c.x + c.width, s.y, s.x + s.width - c.x - c.width, s.height],
    [s.x, s.y, s.width, c.y - s.y], [s.x, c.y + c.height, s.width, s.y + s.height - c.y - c.height]];
  for (const bar of bars.filter(([, , w, h]) => w >= 1 && h >= 1)) {
    assert.equal(count(image, bar.map((v) => v * l.ratio), LIT), 0, `${what}: something drawn in the bar [${bar}]`);
  }
}

async function menuOpen(viewport) {
  const page = await web.browser.newPage();
  await page.setViewport(viewport);
  const watch = consoleWatch(page);
  await page.goto(web.server.url);
  await lineWait(watch, 'LOADED: res/font/upheaval.ttf', 0, 30);
  await page.waitForSelector('#overlay', { hidden: true, timeout: 5000 });
  await pointTo(page, 100, 100);
  await sleep(2800); // the intro: the logo fades in before "Start" shows
  return { page, watch };
}

// Hovering turns "Start" white where it is drawn: the pointer maps to the field as the picture does.
// The hover shows at the next steps; a busy machine may take a while to run them, so it is looked
// for over up to 5 s.
async function expectStartUnderPointer(page, name) {
  await pointTo(page, 640, 650);
  const deadline = Date.now() + 5000;
  let hover;
  do {
    await sleep(400);
    hover = await shot(page, name);
  } while (pixels(hover, START, WHITE) === 0 && Date.now() < deadline);
  expectFieldPixels(hover, START, WHITE, 200, 6000, 'white Start under the pointer');
  expectFieldPixels(hover, START, GREEN, 0, 0, 'no green Start under the pointer');
}

for (const [name, viewport] of [['desktop', DESKTOP], ['phone', PHONE]]) {
  test(`${name} ${viewport.width}x${viewport.height} at ratio ${viewport.deviceScaleFactor}: sharp, whole, ` +
       'letterboxed; fullscreen and Esc; a click on the scaled Start starts play', async (t) => {
    const { page, watch } = await menuOpen(viewport);

    await t.test('on the page: the largest 16:9 under the bar, sharp, the menu whole, the bars black', async () => {
      const l = await settledLayout(page);
      assert.equal(l.fullscreen, null);
      assert.deepEqual([l.stage.x, l.stage.y, l.stage.width], [0, 0, l.view.width], 'the stage takes the page width');
      assert.ok(l.button.y + l.button.height <= l.view.height, 'the fullscreen button shows without scrolling');
      expectSharpFit(l, 'page');
      const whole = await pageShot(page, `screen_${name}_page`);
      expectBlackBars(whole, l, 'page');
      expectMenu(await shot(page, `screen_${name}_menu`));
    });

    await t.test('the fullscreen button shows the stage alone on the screen, the game fills it', async () => {
      await page.click('#fullscreen');
      await page.waitForFunction(() => document.fullscreenElement?.id === 'stage', { timeout: 5000 });
      assert.equal(await page.evaluate(() => document.activeElement?.id), 'canvas', 'keys go to the game');
      await pointTo(page, 100, 100);
      const l = await settledLayout(page);
      assert.deepEqual([l.stage.x, l.stage.y, l.stage.width, l.stage.height], [0, 0, l.view.width, l.view.height]);
      expectSharpFit(l, 'fullscreen');
      await sleep(200);
      const whole = await pageShot(page, `screen_${name}_fullscreen`);
      expectBlackBars(whole, l, 'fullscreen');
      expectMenu(await shot(page, `screen_${name}_fullscreen_menu`));
      await expectStartUnderPointer(page, `screen_${name}_fullscreen_hover`);
    });

    await t.test('Esc brings the page back at its own size', async () => {
      await escapeKey(page);
      await page.waitForFunction(() => document.fullscreenElement === null, { timeout: 5000 });
      await pointTo(page, 100, 100);
      const l = await settledLayout(page);
      assert.ok(l.stage.height < l.view.height, 'the stage is back above the bar');
      assert.equal(await page.evaluate(() => document.activeElement?.id), 'canvas', 'keys still go to the game');
      expectSharpFit(l, 'back on the page');
    });

    await t.test('a click on the scaled Start starts play', async () => {
      await expectStartUnderPointer(page, `screen_${name}_hover`);
      const mark = watch.game.length;
      await click(page);
      await lineWait(watch, 'LOADED: res/mus/ethnica.ogg', mark, 10);
    });

    assert.deepEqual(consoleFaults(watch), [], 'WebGL errors, exceptions or aborts in the console');
    await pageClose(page);
  });
}

test('a canvas stretched over a wide stage: the game draws its own bars and the pointer lands on Start', async () => {
  // What a browser without container units gets, and a canvas resized by the page with no
  // window resize: the game must follow and letterbox inside the canvas.
  const { page, watch } = await menuOpen(DESKTOP);
  await page.addStyleTag({ content: '#canvas { left: 0 !important; top: 0 !important; width: 100% !important; height: 100% !important; }' });
  const l = await settledLayout(page);
  assert.deepEqual([l.canvas.width, l.canvas.height], [l.stage.width, l.stage.height]);
  assert.ok(bufferFits(l), `drawing buffer ${l.buffer.width}x${l.buffer.height} for a ${l.canvas.width}x${l.canvas.height} canvas`);
  // The field is as high as the canvas, so narrower: black columns on each side.
  const scale = l.canvas.height / 720, bar = Math.floor((l.canvas.width - 1280 * scale) / 2);
  assert.ok(bar >= 30, `a bar of ${bar} pixels`);
  const inField = ([left, top, width, height]) => [bar + left * scale, top * scale, width * scale, height * scale];
  const fieldPixels = (image, region, testFn) => count(image, inField(region), testFn) / (scale * scale);
  await sleep(200);
  const image = await shot(page, 'screen_stretched');
  assert.equal(count(image, [0, 0, bar - 1, l.canvas.height], LIT), 0, 'left bar');
  assert.equal(count(image, [l.canvas.width - bar + 1, 0, bar - 1, l.canvas.height], LIT), 0, 'right bar');
  assert.ok(fieldPixels(image, START, GREEN) >= 200, 'green Start in its place inside the bars');
  await page.mouse.move(bar + 640 * scale, 650 * scale, { steps: 4 });
  await sleep(400);
  const hover = await shot(page, 'screen_stretched_hover');
  assert.ok(fieldPixels(hover, START, WHITE) >= 200 && fieldPixels(hover, START, GREEN) === 0, 'white Start under the pointer');
  const mark = watch.game.length;
  await click(page);
  await lineWait(watch, 'LOADED: res/mus/ethnica.ogg', mark, 10);
  assert.deepEqual(consoleFaults(watch), []);
  await pageClose(page);
});
