// The web build's figures: bytes transferred on a first visit, time from navigation to the
// first menu frame on a first visit and on a repeat visit served by the offline copy, and
// frames per second during play, in headless chromium with SwiftShader. Medians of RUNS; each
// run is a fresh profile. The server answers as plain static hosts do (Last-Modified and ETag,
// no Cache-Control, 304 to a current copy), so the offline copy filling its cache finds the
// files the page just downloaded in the browser's cache: each big file is sent once.
import { statSync } from 'node:fs';
import { join } from 'node:path';
import { serve, browserLaunch, lineWait, consoleWatch, sleep, pointTo, click, pageFiles, SITE } from '../test/browser.js';

const RUNS = Number(process.env.GYREL_WEB_BENCH_RUNS || 3);
const PLAY_SECONDS = 5;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const server = await serve(undefined, { host: true });
// The offline copy is complete with the page and every file of the list but its worker.
const cachedCount = (await pageFiles()).filter((file) => file.kind !== 'worker').length;
const browser = await browserLaunch();
const runs = [];
try {
  for (let run = 0; run < RUNS; run++) {
    server.countsClear();
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const watch = consoleWatch(page);
    await page.goto(server.url);
    await page.waitForFunction(() => window.gyrelFrames?.first > 0, { timeout: 30000, polling: 20 });
    const first = await page.evaluate(() => window.gyrelFrames.first);
    // The repeat visit: once the offline copy is complete, a new tab of the same profile.
    await page.waitForFunction(async (count) => {
      const names = await caches.keys();
      return names.length === 1 && (await (await caches.open(names[0])).keys()).length === count;
    }, { timeout: 60000, polling: 200 }, cachedCount);
    // The first visit's bytes, the offline copy's own downloads included.
    const bytes = { ...server.sent };
    const answers = { whole: { ...server.whole }, unchanged: { ...server.unchanged } };
    const again = await context.newPage();
    await again.goto(server.url);
    await again.waitForFunction(() => window.gyrelFrames?.first > 0, { timeout: 30000, polling: 20 });
    const repeat = await again.evaluate(() => window.gyrelFrames.first);
    await again.close();
    // Into play: wait out the intro, click "Start", leave the pointer on the centre.
    await sleep(2800);
    await pointTo(page, 640, 650);
    await sleep(300);
    await click(page);
    await pointTo(page, 640, 360);
    await lineWait(watch, 'LOADED: res/mus/ethnica.ogg', 0, 10);
    await sleep(1000);
    const before = await page.evaluate(() => [window.gyrelFrames.count, performance.now()]);
    await sleep(PLAY_SECONDS * 1000);
    const after = await page.evaluate(() => [window.gyrelFrames.count, performance.now()]);
    const fps = ((after[0] - before[0]) * 1000) / (after[1] - before[1]);
    runs.push({ first, repeat, fps, bytes, answers });
    await context.close();
  }
} finally {
  await browser.close();
  await server.close();
}

const { bytes, answers } = runs[0];
const total = Object.values(bytes).reduce((a, b) => a + b, 0);
const paths = [...new Set([...Object.keys(bytes), ...Object.keys(answers.unchanged)])];
for (const name of paths) {
  const size = bytes[name] || 0;
  const whole = statSync(join(SITE, name === '/' ? 'index.html' : name)).size;
  console.log(`web bytes ${name.padEnd(22)} ${String(size).padStart(8)} (${(size / whole).toFixed(2)} times the file; ` +
              `sent ${answers.whole[name] || 0}, not modified ${answers.unchanged[name] || 0})`);
}
console.log(`web bytes total        ${total} (${(total / 1e6).toFixed(2)} MB)`);
// The game's big files must come down once a first visit, whatever fills the offline copy.
const big = (await pageFiles()).filter((file) => file.kind === 'game').map((file) => `/${file.name}`);
const twice = runs.flatMap((run) => big.filter((name) => run.answers.whole[name] !== 1).map((name) => `${name} x${run.answers.whole[name] || 0}`));
console.log(`web big files sent     ${twice.length ? 'NOT once: ' + twice.join(', ') : 'once each in every run'} (${big.join(' ')})`);
console.log(`web first menu frame   ${median(runs.map((r) => r.first)).toFixed(0)} ms after navigation ` +
            `(runs: ${runs.map((r) => r.first.toFixed(0)).join(', ')})`);
console.log(`web repeat visit        ${median(runs.map((r) => r.repeat)).toFixed(0)} ms to the first menu frame, ` +
            `served by the offline copy (runs: ${runs.map((r) => r.repeat.toFixed(0)).join(', ')})`);
console.log(`web play fps           ${median(runs.map((r) => r.fps)).toFixed(1)} ` +
            `(runs: ${runs.map((r) => r.fps.toFixed(1)).join(', ')})`);
