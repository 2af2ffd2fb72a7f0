// The web build as players meet it: a tab hidden for half a minute and the mute button, in
// real time with real browser events.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  browserSuite, pageClose, canvasBox, consoleWatch, consoleFaults, lineWait, sleep, pointTo, click, key, shot, pixels, WHITE,
  audioState, audioWait, pauses, playStart, centreWait, differing,
} from './browser.js';

const HIDDEN_SECONDS = Number(process.env.GYREL_WEB_HIDDEN_SECONDS || 30);
const MENU_READY = 'LOADED: res/font/upheaval.ttf';

const web = browserSuite();

test('a hidden tab stops the game and its sound, and play comes back paused', async (t) => {
  const page = await web.browser.newPage();
  const watch = consoleWatch(page);
  await page.goto(web.server.url);
  await lineWait(watch, MENU_READY, 0, 30);
  await playStart(page, watch);
  await audioWait(page, 'running', 2);
  // After the tap below the last pointer is a finger, which steers nothing, so the centre
  // coasts to a stop wherever it is: let it reach the pointer first.
  await centreWait(page, 5);

  // Another tab in front for half a minute. Opening it hides the game already: back in
  // front, the game waits paused, and a tap on it resumes it (a touch screen has no P).
  let mark = watch.game.length;
  const other = await web.browser.newPage();
  await page.bringToFront();
  await sleep(300);
  assert.equal(pauses(watch, mark), 1, 'a new tab in front pauses play');
  const box = await canvasBox(page);
  await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
  await sleep(200);
  assert.equal(pauses(watch, mark), 2, 'a tap resumes it');
  mark = watch.game.length;
  const before = await shot(page, 'hidden_before');
  await other.bringToFront();
  assert.equal(await page.evaluate(() => document.visibilityState), 'hidden');
  await audioWait(page, 'suspended', 2);
  const framesHidden = await page.evaluate(() => window.gyrelFrames.count);
  await sleep(HIDDEN_SECONDS * 1000);
  assert.ok((await page.evaluate(() => window.gyrelFrames.count)) - framesHidden <= 1, 'frames drawn while hidden');
  await page.bringToFront();
  await pageClose(other);
  assert.equal(await page.evaluate(() => document.visibilityState), 'visible');
  await audioWait(page, 'running', 2);
  await sleep(1000);

  const back = await shot(page, 'hidden_back');
  const later = await sleep(500).then(() => shot(page, 'hidden_back_later'));
  await t.test('the same game, paused, nothing lost', () => {
    assert.deepEqual(watch.game.slice(mark).filter((text) => /^(LOADED|FREED): /.test(text)), [],
      'the scene changed while the player was away');
    assert.equal(pauses(watch, mark), 1, 'hiding pauses play once, printing ???');
    assert.equal(differing(back, later, [0, 0, 1280, 720]), 0, 'the game moved on while paused');
    assert.equal(differing(before, back, [0, 0, 320, 110]), 0, 'the score changed');
    // Half a minute replayed would have ended the help text (it fades out before the first
    // attacker) and the game; a few steps between the picture and the hiding are allowed.
    const help = [340, 260, 600, 200];
    const faint = (r, g, b) => g > 30 && g > 1.5 * r && g > 1.5 * b;
    const helpBefore = pixels(before, help, faint), helpBack = pixels(back, help, faint);
    assert.ok(helpBefore >= 1000 && helpBack >= 200, `help text: ${helpBefore} pixels before, ${helpBack} after`);
    assert.ok(pixels(back, [630, 350, 21, 21], WHITE) >= 30, 'the white centre is where it was');
  });

  // P resumes it too: the help text goes on fading.
  mark = watch.game.length;
  await key(page, 'p');
  await sleep(800);
  const resumed = await shot(page, 'hidden_resumed');
  assert.equal(pauses(watch, mark), 1);
  assert.ok(differing(back, resumed, [0, 0, 1280, 720]) > 0, 'P did not resume play');

  // A game the player paused stays paused through a hidden tab, and nothing is printed for it.
  mark = watch.game.length;
  await key(page, 'p');
  const other2 = await web.browser.newPage();
  await other2.bringToFront();
  await sleep(1500);
  await page.bringToFront();
  await pageClose(other2);
  await sleep(600);
  const stillPaused = await shot(page, 'hidden_player_paused');
  await sleep(500);
  assert.equal(differing(stillPaused, await shot(page, 'hidden_player_paused_later'), [0, 0, 1280, 720]), 0,
    'a game the player paused was resumed by the tab coming back');
  assert.equal(pauses(watch, mark), 1);
  await key(page, 'p');
  assert.equal(pauses(watch, mark), 2);
  assert.deepEqual(consoleFaults(watch), []);
  await pageClose(page);
});

test('the mute button silences everything, is remembered and gives the keys back', async () => {
  const page = await web.browser.newPage();
  const watch = consoleWatch(page);
  await page.goto(web.server.url);
  await lineWait(watch, MENU_READY, 0, 30);
  await playStart(page, watch);
  await audioWait(page, 'running', 2);
  const mute = await page.$('#mute');
  const box = await mute.boundingBox();
  assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= 1280 && box.y + box.height <= 720,
    'the button is on screen without scrolling');

  await mute.click();
  await audioWait(page, 'suspended', 1);
  assert.equal(await page.$eval('#mute', (b) => b.getAttribute('aria-pressed')), 'true');
  // The keys still reach the game: P pauses it and Space does not press the button again.
  let mark = watch.game.length;
  await key(page, ' ');
  await key(page, 'p');
  await sleep(200);
  assert.equal(pauses(watch, mark), 1, 'P after the click reached the game');
  assert.equal(await page.$eval('#mute', (b) => b.getAttribute('aria-pressed')), 'true', 'Space pressed the button');
  assert.equal(await audioState(page), 'suspended');

  // Coming back from another tab does not unmute.
  const other = await web.browser.newPage();
  await other.bringToFront();
  await sleep(300);
  await page.bringToFront();
  await pageClose(other);
  await sleep(500);
  assert.equal(await audioState(page), 'suspended', 'the tab coming back unmuted the game');
  await key(page, 'p');

  // The next visit starts muted, and a gesture does not unmute it.
  await page.reload();
  await lineWait(watch, MENU_READY, mark, 30);
  await sleep(300);
  assert.equal(await page.$eval('#mute', (b) => b.getAttribute('aria-pressed')), 'true');
  await pointTo(page, 640, 360);
  await click(page);
  await sleep(300);
  assert.equal(await audioState(page), 'suspended', 'a click unmuted a muted game');
  await (await page.$('#mute')).click();
  await audioWait(page, 'running', 1);
  assert.equal(await page.evaluate(() => localStorage.getItem('gyrel.muted')), '0');
  assert.deepEqual(consoleFaults(watch), []);
  await pageClose(page);
});
