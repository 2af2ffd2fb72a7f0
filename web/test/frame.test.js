// The page around the game: inside a frame on another origin, after a lost WebGL context, and
// after an error once the game runs.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtemp, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import {
  browserSuite, pageClose, serveSwitchable, consoleWatch, consoleFaults, lineWait, sleep, key, escapeKey, shot, pixels, GREEN,
  pauses, playStart,
} from './browser.js';

const MENU_READY = 'LOADED: res/font/upheaval.ttf';

const web = browserSuite();

test('inside a frame on another site: a click starts play, P pauses it, fullscreen where the frame allows it', async () => {
  const parent = await mkdtemp(join(tmpdir(), 'gyrel-web-parent-'));
  await writeFile(join(parent, 'index.html'), `<!doctype html><title>Portal</title>
<body style="margin:0;background:#222"><p style="margin:0;height:40px;color:#fff">A portal page</p>
<iframe id="game" src="${web.server.url}" width="960" height="600"
  allow="fullscreen; gamepad; autoplay" style="border:0;margin-left:60px"></iframe></body>`);
  // Its server drops the browser's idle connections on closing rather than waiting them out.
  const host = await serveSwitchable(parent);
  try {
    const page = await web.browser.newPage();
    const watch = consoleWatch(page);
    await page.goto(host.url);
    const frameElement = await page.$('#game');
    const frame = await frameElement.contentFrame();
    const frameBox = await frameElement.boundingBox();
    const to = async (x, y) => {
      const box = await frame.$eval('#canvas', (c) => { const r = c.getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; });
      await page.mouse.move(frameBox.x + box[0] + (x * box[2]) / 1280, frameBox.y + box[1] + (y * box[3]) / 720, { steps: 4 });
    };
    await lineWait(watch, MENU_READY, 0, 30);
    await playStart(page, watch, to);
    const mark = watch.game.length;
    await key(page, 'p');
    await sleep(200);
    assert.equal(pauses(watch, mark), 1, 'P reached the game in the frame');
    assert.equal(page.url(), host.url, 'the parent page was navigated');

    // This frame allows fullscreen: its button shows the game's stage alone, Esc brings the
    // portal's page back.
    const button = await frame.$('#fullscreen');
    assert.ok(await button.isVisible(), 'no Fullscreen button in a frame that allows fullscreen');
    await button.click();
    await frame.waitForFunction(() => document.fullscreenElement?.id === 'stage', { timeout: 5000 });
    await escapeKey(page);
    await frame.waitForFunction(() => document.fullscreenElement === null, { timeout: 5000 });
    assert.equal(page.url(), host.url, 'the parent page was navigated');

    // A frame that does not allow it gets no button.
    await page.evaluate((url) => {
      const closed = document.createElement('iframe');
      closed.id = 'closed';
      closed.src = url;
      closed.allow = 'gamepad; autoplay';
      document.body.appendChild(closed);
    }, web.server.url);
    const closed = await (await page.waitForSelector('#closed')).contentFrame();
    await closed.waitForSelector('#canvas');
    await closed.waitForFunction(() => document.readyState === 'complete', { timeout: 30000 });
    assert.equal(await closed.evaluate(() => document.fullscreenEnabled), false);
    assert.equal(await closed.$eval('#fullscreen', (b) => b.hidden), true, 'a Fullscreen button that cannot work');
    assert.deepEqual(consoleFaults(watch), []);
    await pageClose(page);
  } finally {
    await host.close();
    await rm(parent, { recursive: true });
  }
});

test('a lost WebGL context brings the game back', async () => {
  const page = await web.browser.newPage();
  const watch = consoleWatch(page);
  await page.goto(web.server.url);
  await lineWait(watch, MENU_READY, 0, 30);
  const mark = watch.game.length;
  await page.evaluate(() => document.getElementById('canvas').getContext('webgl2')
    .getExtension('WEBGL_lose_context').loseContext());
  await page.waitForSelector('#overlay', { visible: true, timeout: 2000 });
  assert.match(await page.$eval('#message', (m) => m.textContent), /starts again/);
  await lineWait(watch, MENU_READY, mark, 30);
  // The menu fades in again ("Start" last).
  let green = 0;
  for (let tries = 0; tries < 40 && green < 200; tries++) {
    await sleep(250);
    green = pixels(await shot(page, 'context_restored_menu'), [560, 615, 160, 70], GREEN);
  }
  assert.ok(green >= 200, 'the menu is drawn again');
  await pageClose(page);
});

test('an error after start-up shows the page\'s message instead of a frozen canvas', async () => {
  const page = await web.browser.newPage();
  const watch = consoleWatch(page);
  await page.goto(web.server.url);
  await lineWait(watch, MENU_READY, 0, 30);
  await sleep(500);
  // The next frame's clear fails the way a broken driver call would.
  await page.evaluate(() => {
    const gl = document.getElementById('canvas').getContext('webgl2');
    gl.clear = () => { throw new Error('the driver gave up'); };
  });
  await page.waitForSelector('#overlay.failed', { visible: true, timeout: 3000 });
  assert.match(await page.$eval('#message', (m) => m.textContent), /Gyrel\+ stopped: .*the driver gave up/);
  await pageClose(page);
});
