// The web build played in headless chromium with real browser input: loading, the menu, a
// hover and a click on "Start", play, pause, the attackers' win, the results and back to the
// menu; then the page without WebGL.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { copyFile, mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import {
  browserSuite, pageClose, serve, browserLaunch, consoleWatch, consoleFaults, lineWait, resourceLines, sleep, canvasBox,
  pointTo, click, key, shot, expectPixels, GREEN, GREENISH, WHITE, LIT, SITE, pageFiles,
} from './browser.js';

const START_LINES = [
  'LOADED: res/shader/textureQuad.vs',
  'LOADED: res/shader/textureQuad.fs',
  'SDL2 VIDEO LOADED',
  'SDL2 TIMER LOADED',
  'SDL_image LOADED',
  'SDL_ttf LOADED',
  'SDL_mixer LOADED',
  'COMPILE SUCCESS: Shader #N',
  'COMPILE SUCCESS: Shader #N',
];
const MENU_LOAD = ['LOADED: Shader #0', 'LOADED: res/gfx/logo.png', 'LOADED: res/sfx/hover.ogg',
  'LOADED: res/sfx/select.ogg', 'LOADED: res/font/upheaval.ttf', 'LOADED: res/font/upheaval.ttf'];
const PLAY_RESOURCES = ['Shader #0', 'res/gfx/player.png', 'res/gfx/follower.png', 'res/gfx/enemy.png',
  'res/gfx/particle.png', 'res/gfx/warning.png', 'res/sfx/collide.ogg', 'res/sfx/level.ogg',
  'res/sfx/hurt.ogg', 'res/sfx/warning.ogg', 'res/mus/ethnica.ogg', 'res/font/upheaval.ttf',
  'res/font/upheaval.ttf'];
const RESULTS_RESOURCES = ['Shader #0', 'res/sfx/hover.ogg', 'res/sfx/select.ogg', 'res/font/upheaval.ttf'];
const freed = (lines) => lines.map((line) => line.replace('LOADED: ', 'FREED: '));

const web = browserSuite();

test('menu, play, pause, results and back to the menu, with real browser input', async (t) => {
  const page = await web.browser.newPage();
  const watch = consoleWatch(page);

  // The loading bar climbs to 100 % and the overlay gives way to the game.
  const percents = [];
  await page.exposeFunction('gyrelPercent', (text) => percents.push(text));
  await page.evaluateOnNewDocument(() => {
    document.addEventListener('DOMContentLoaded', () => {
      const message = document.getElementById('message');
      new MutationObserver(() => window.gyrelPercent(message.textContent))
        .observe(message, { childList: true, characterData: true, subtree: true });
    });
  });
  await page.goto(web.server.url);
  assert.equal(await page.title(), 'Gyrel+');
  await lineWait(watch, 'LOADED: res/font/upheaval.ttf', 0, 30);
  await page.waitForSelector('#overlay', { hidden: true, timeout: 5000 });
  assert.ok(percents.includes('Loading 100 %'), `the bar showed ${percents.join(', ')}`);
  const numbers = percents.map((text) => Number(text.match(/\d+/)?.[0]));
  assert.deepEqual(numbers, [...numbers].sort((a, b) => a - b), 'the percentage never goes back');

  await t.test('start-up lines in order', () => {
    const start = watch.game.slice(0, START_LINES.length + MENU_LOAD.length)
      .map((text) => text.replace(/^(COMPILE SUCCESS: Shader #)\d+$/, '$1N'));
    assert.deepEqual(start, [...START_LINES, ...MENU_LOAD]);
  });

  // The intro: the logo fades in before "Start" and the credits show.
  await pointTo(page, 100, 100);
  await sleep(2800);
  const menu = await shot(page, 'menu');
  await t.test('menu picture: logo, green Start, green credits', () => {
    expectPixels(menu, [440, 60, 400, 400], LIT, 20000, 160000, 'logo');
    expectPixels(menu, [560, 615, 160, 70], GREEN, 200, 6000, 'green Start');
    expectPixels(menu, [15, 625, 480, 90], GREEN, 400, 20000, 'green credits');
  });

  // Hovering turns "Start" white; the click starts play and lets the browser's audio run.
  await pointTo(page, 640, 650);
  await sleep(400);
  const hover = await shot(page, 'menu_hover');
  expectPixels(hover, [560, 615, 160, 70], WHITE, 200, 6000, 'white Start under the pointer');
  expectPixels(hover, [560, 615, 160, 70], GREEN, 0, 0, 'no green Start under the pointer');
  let mark = watch.game.length;
  await click(page);
  await pointTo(page, 640, 360);
  const toPlay = [...freed(MENU_LOAD), ...PLAY_RESOURCES.map((name) => `LOADED: ${name}`)];
  assert.deepEqual(await resourceLines(watch, mark, toPlay.length, 10), toPlay);
  assert.equal(await page.evaluate(() => Module.SDL2?.audioContext?.state), 'running',
    'sound plays once the player has clicked');

  await sleep(1200);
  const play = await shot(page, 'play');
  await t.test('play picture: white centre, follower, score, level, help text', () => {
    expectPixels(play, [630, 350, 21, 21], WHITE, 30, 441, 'white centre');
    expectPixels(play, [500, 220, 280, 280], GREEN, 20, 3000, 'green follower near the centre');
    expectPixels(play, [10, 10, 60, 70], GREEN, 40, 3000, 'score 0');
    expectPixels(play, [1180, 10, 90, 70], WHITE, 40, 3000, 'x1');
    expectPixels(play, [340, 260, 600, 200], GREENISH, 1000, 60000, 'help text');
  });

  // P pauses and P resumes, each press printing ???.
  mark = watch.game.length;
  await key(page, 'p');
  await sleep(300);
  await key(page, 'p');
  await sleep(300);
  assert.deepEqual(watch.game.slice(mark).filter((text) => text === '???'),
    ['???', '???']);

  // With the pointer left on the centre the attackers win.
  mark = watch.game.length;
  const toResults = [...PLAY_RESOURCES.map((name) => `FREED: ${name}`),
    ...RESULTS_RESOURCES.map((name) => `LOADED: ${name}`)];
  assert.deepEqual(await resourceLines(watch, mark, toResults.length, 90), toResults);
  await sleep(600);
  const results = await shot(page, 'results');
  await t.test('results picture: Your Score and Menu', () => {
    expectPixels(results, [320, 155, 640, 90], GREEN, 400, 20000, 'Your Score');
    expectPixels(results, [540, 560, 200, 80], GREEN, 200, 6000, 'Menu');
    expectPixels(results, [0, 300, 1280, 100], LIT, 0, 0, 'nothing else on the results screen');
  });

  // Space goes back to the menu, and the page does not scroll for it.
  mark = watch.game.length;
  await key(page, ' ');
  const toMenu = [...RESULTS_RESOURCES.map((name) => `FREED: ${name}`), ...MENU_LOAD];
  assert.deepEqual(await resourceLines(watch, mark, toMenu.length, 10), toMenu);
  assert.equal(await page.evaluate(() => window.scrollY), 0, 'Space scrolled the page');
  await sleep(2800);
  const again = await shot(page, 'menu_again');
  expectPixels(again, [560, 615, 160, 70], GREEN, 200, 6000, 'green Start again');

  assert.deepEqual(consoleFaults(watch), [], 'WebGL errors, exceptions or aborts in the console');
  await pageClose(page);
});

test('in a window smaller than the canvas the picture scales down and the pointer follows', async () => {
  const page = await web.browser.newPage();
  await page.setViewport({ width: 800, height: 600 });
  const watch = consoleWatch(page);
  await page.goto(web.server.url);
  await lineWait(watch, 'LOADED: res/font/upheaval.ttf', 0, 30);
  const box = await canvasBox(page);
  assert.deepEqual([box.width, box.height], [800, 450], 'the canvas keeps 16:9 inside the window');
  assert.deepEqual(await page.$eval('#canvas', (canvas) => [canvas.width, canvas.height]), [800, 450],
    'the game draws as many pixels as the canvas shows');
  await sleep(2800);
  await pointTo(page, 640, 650);
  await sleep(400);
  const hover = await shot(page, 'small_window_hover');
  expectPixels(hover, [560, 615, 160, 70], WHITE, 80, 3000, 'white Start under the scaled pointer');
  expectPixels(hover, [560, 615, 160, 70], GREEN, 0, 0, 'no green Start under the scaled pointer');
  assert.deepEqual(consoleFaults(watch), []);
  await pageClose(page);
});

test('a download that fails shows a message, not a blank page', async () => {
  const partial = await mkdtemp(join(tmpdir(), 'gyrel-web-'));
  for (const { name } of await pageFiles()) {
    if (name !== 'gyrel.data') await copyFile(join(SITE, name), join(partial, name));
  }
  const broken = await serve(partial);
  try {
    const page = await web.browser.newPage();
    await page.goto(broken.url);
    await page.waitForSelector('#overlay.failed', { visible: true, timeout: 10000 });
    assert.match(await page.$eval('#message', (element) => element.textContent), /could not be loaded: gyrel\.data: 404/);
    await pageClose(page);
  } finally {
    await broken.close();
    await rm(partial, { recursive: true });
  }
});

test('without WebGL the page says so instead of showing a blank canvas', async () => {
  const plain = await browserLaunch(['--disable-webgl']);
  try {
    const page = await plain.newPage();
    const watch = consoleWatch(page);
    await page.goto(web.server.url);
    await page.waitForSelector('#overlay.failed', { visible: true, timeout: 10000 });
    const text = await page.$eval('#message', (element) => element.textContent);
    assert.match(text, /needs WebGL2/);
    await shot(page, 'no_webgl');
    assert.equal(watch.game.some((text) => text.startsWith('SDL2 VIDEO')), false,
      'the game must not start without WebGL');
  } finally {
    await plain.close();
  }
});
