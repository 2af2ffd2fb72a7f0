// Shared by the browser tests and the web benchmark: serves build/web on 127.0.0.1, starts
// Debian's headless chromium (WebGL2 on SwiftShader) through puppeteer-core, keeps the page's
// console, and reads pixels back from screenshots.
import { createServer } from 'node:http';
import { before, after } from 'node:test';
import { readFile, mkdir, writeFile, stat } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { fileURLToPath } from 'node:url';
import assert from 'node:assert/strict';
import puppeteer from 'puppeteer-core';

export const ROOT = fileURLToPath(new URL('../../', import.meta.url));
export const SITE = process.env.GYREL_WEB_SITE || join(ROOT, 'build/web');
export const SHOTS = process.env.GYREL_WEB_SHOTS || join(ROOT, 'build/web-test');
const CHROMIUM = process.env.GYREL_CHROMIUM || '/usr/bin/chromium';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

// Closes a server with every connection a browser still holds open: a closing server otherwise
// waits for them, those of a page closed mid-download included.
function serverClose(server) {
  server.closeAllConnections();
  return new Promise((resolve) => server.close(resolve));
}

// A static server for the built page; the OS picks the port. Counts, by path, the bytes it
// sends and its answers (`whole`: 200 with the file, `unchanged`: 304). By default nothing may
// be kept (each test sees the build as it is); `host` answers as plain static hosts do:
// Last-Modified and an ETag on every file, no Cache-Control, and 304 Not Modified to a request
// whose copy is current.
export async function serve(root = SITE, { host = false } = {}) {
  const sent = {}, whole = {}, unchanged = {};
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(root, path === '/' ? 'index.html' : path);
    try {
      const body = await readFile(file);
      const headers = { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream' };
      if (host) {
        const { mtime } = await stat(file);
        const modified = new Date(Math.floor(mtime.getTime() / 1000) * 1000);
        headers['Last-Modified'] = modified.toUTCString();
        headers.ETag = `"${(modified.getTime() / 1000).toString(16)}-${body.length.toString(16)}"`;
        const since = Date.parse(request.headers['if-modified-since'] || '');
        if (request.headers['if-none-match'] ? request.headers['if-none-match'] === headers.ETag : since >= modified.getTime()) {
          response.writeHead(304, headers).end();
          unchanged[path] = (unchanged[path] || 0) + 1;
          return;
        }
      } else {
        headers['Cache-Control'] = 'no-store';
      }
      response.writeHead(200, { ...headers, 'Content-Length': body.length });
      response.end(body);
      sent[path] = (sent[path] || 0) + body.length;
      whole[path] = (whole[path] || 0) + 1;
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const counts = [sent, whole, unchanged];
  return {
    url: `http://127.0.0.1:${server.address().port}/`, sent, whole, unchanged,
    countsClear: () => { for (const count of counts) for (const path of Object.keys(count)) delete count[path]; },
    close: () => serverClose(server),
  };
}

// The page's one list of files (web/files.txt): each file's kind and its name beside the game.
export async function pageFiles() {
  const text = await readFile(join(ROOT, 'web/files.txt'), 'utf8');
  return text.split('\n').filter((line) => line.trim() && !line.startsWith('#'))
    .map((line) => { const [kind, path] = line.trim().split(/\s+/); return { kind, name: path.split('/').pop() }; });
}

// Closes a page, waiting at most 15 s. Puppeteer waits for the browser to report the page gone
// with no limit of its own; should that report never come, the file would run out of time with
// its checks done. A page left open goes when the file's browser is closed.
export async function pageClose(page) {
  let timer;
  const late = new Promise((resolve) => { timer = setTimeout(() => resolve(true), 15000); });
  const stuck = await Promise.race([page.close().then(() => false), late]);
  clearTimeout(timer);
  if (stuck) console.warn(`a page did not close within 15 s (${page.url()}); the browser closes it later`);
}

// Headless chromium as a player's browser would be: audio waits for a click or key press.
export async function browserLaunch(extraArgs = []) {
  return puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--autoplay-policy=user-gesture-required', '--hide-scrollbars', '--window-size=1280,720',
           ...extraArgs],
    defaultViewport: { width: 1280, height: 720 },
  });
}

// Every console line of the page, WebGL's own warnings included, and every uncaught error.
// The game's own standard output is `game`: the page prints it with console.log.
export function consoleWatch(page) {
  const watch = { lines: [], game: [], errors: [] };
  page.on('console', (message) => {
    watch.lines.push({ type: message.type(), text: message.text() });
    if (message.type() === 'log') watch.game.push(message.text());
  });
  page.on('pageerror', (error) => watch.errors.push(String(error)));
  return watch;
}

// Console lines that mean the run went wrong: WebGL errors, aborts, our page's failure notes.
export function consoleFaults(watch) {
  const bad = /WebGL|GL_INVALID|GL ERROR|Aborted|abort\(|exception|gyrel page:|RuntimeError/i;
  return [...watch.errors, ...watch.lines.filter((line) => bad.test(line.text)).map((line) => line.text)];
}

// Waits for the game to print a line holding `pattern` after its line `after`.
export async function lineWait(watch, pattern, after, seconds) {
  const deadline = Date.now() + seconds * 1000;
  for (;;) {
    const index = watch.game.findIndex((text, i) => i >= after && text.includes(pattern));
    if (index >= 0) return index;
    if (Date.now() > deadline) throw new Error(`no console line "${pattern}" within ${seconds} s`);
    await sleep(50);
  }
}

// The resource lines the game printed after its line `after`, once there are `count` of them.
export async function resourceLines(watch, after, count, seconds) {
  const deadline = Date.now() + seconds * 1000;
  for (;;) {
    const lines = watch.game.slice(after).filter((text) => /^(LOADED|FREED|FAILED): /.test(text));
    if (lines.length >= count || Date.now() > deadline) return lines;
    await sleep(50);
  }
}

// A static server whose folder can be swapped (a new version deployed at the same address) and
// that can go away and come back on the same port (the player goes offline and back online).
export async function serveSwitchable(root) {
  const state = { root };
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(state.root, path === '/' ? 'index.html' : path);
    try {
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
                                'Content-Length': body.length, 'Cache-Control': 'no-cache' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  const listen = (port) => new Promise((resolve) => server.listen(port, '127.0.0.1', resolve));
  const close = () => serverClose(server);
  await listen(0);
  const port = server.address().port;
  return { url: `http://127.0.0.1:${port}/`, state, offline: close, online: () => listen(port),
           close: () => (server.listening ? close() : undefined) };
}

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The canvas's place on the page: game pixels map to page pixels through it.
export async function canvasBox(page) {
  return page.$eval('#canvas', (canvas) => {
    const r = canvas.getBoundingClientRect();
    return { x: r.x, y: r.y, width: r.width, height: r.height };
  });
}

// Moves the pointer to a point given in the game's 1280x720 pixels.
export async function pointTo(page, x, y) {
  const box = await canvasBox(page);
  await page.mouse.move(box.x + (x * box.width) / 1280, box.y + (y * box.height) / 720, { steps: 4 });
}

// A press long enough for the game's fixed steps to see it (two steps for the button).
export async function click(page) {
  await page.mouse.down();
  await sleep(150);
  await page.mouse.up();
}

export async function key(page, name) {
  await page.keyboard.down(name);
  await sleep(100);
  await page.keyboard.up(name);
}

// Esc as a keyboard sends it: the browser leaves fullscreen only for a key with a native code.
export async function escapeKey(page) {
  const session = await page.createCDPSession();
  const key = { key: 'Escape', code: 'Escape', windowsVirtualKeyCode: 27, nativeVirtualKeyCode: 27 };
  await session.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', ...key });
  await sleep(100);
  await session.send('Input.dispatchKeyEvent', { type: 'keyUp', ...key });
  await session.detach();
}

// A screenshot of the canvas, saved under SHOTS, decoded in the page into RGBA bytes.
export async function shot(page, name) {
  const box = await canvasBox(page);
  const png = await page.screenshot({ clip: box, type: 'png' });
  return pngKeep(page, name, png);
}

// Saves a PNG screenshot under SHOTS and decodes it in the page into RGBA bytes.
export async function pngKeep(page, name, png) {
  await mkdir(SHOTS, { recursive: true });
  await writeFile(join(SHOTS, `${name}.png`), png);
  const decoded = await page.evaluate(async (base64) => {
    const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    const bitmap = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const data = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
    let binary = '';
    for (let i = 0; i < data.length; i += 0x8000) binary += String.fromCharCode(...data.subarray(i, i + 0x8000));
    return { width: bitmap.width, height: bitmap.height, rgba: btoa(binary) };
  }, Buffer.from(png).toString('base64'));
  return { name, width: decoded.width, height: decoded.height, rgba: Buffer.from(decoded.rgba, 'base64') };
}

export const GREEN = (r, g, b) => g > 242 && r > 51 && r < 102 && b > 51 && b < 102;
export const GREENISH = (r, g, b) => g > 76 && r < 0.6 * g && b < 0.6 * g;
export const WHITE = (r, g, b) => r > 216 && g > 216 && b > 216;
export const LIT = (r, g, b) => r + g + b > 76;

// Pixels of a region (game pixels, left, top, width, height) for which the test holds.
export function pixels(image, [left, top, width, height], test) {
  const sx = image.width / 1280, sy = image.height / 720;
  let count = 0;
  for (let y = Math.round(top * sy); y < Math.round((top + height) * sy); y++) {
    for (let x = Math.round(left * sx); x < Math.round((left + width) * sx); x++) {
      const i = (y * image.width + x) * 4;
      if (test(image.rgba[i], image.rgba[i + 1], image.rgba[i + 2])) count++;
    }
  }
  return count;
}

// The game's sound, as the page's audio context reports it: running, suspended or closed.
export const audioState = (page) => page.evaluate(() => Module.SDL2?.audioContext?.state);

export async function audioWait(page, state, seconds) {
  const deadline = Date.now() + seconds * 1000;
  while ((await audioState(page)) !== state) {
    if (Date.now() > deadline) throw new Error(`sound still ${await audioState(page)} after ${seconds} s, not ${state}`);
    await sleep(50);
  }
}

// How many times the game printed ??? (a pause or a resume) after its line `from`.
export const pauses = (watch, from) => watch.game.slice(from).filter((text) => text === '???').length;

// Waits until the white centre rests in the middle of the field, where the pointer left it
// (it starts there, but is pulled toward "Start" until the pointer comes back).
export async function centreWait(page, seconds) {
  const deadline = Date.now() + seconds * 1000;
  let image;
  while (pixels(image = await shot(page, 'centre_wait'), [630, 350, 21, 21], WHITE) < 30) {
    if (Date.now() > deadline) throw new Error(`the white centre is not in the middle after ${seconds} s (${image.name}.png)`);
    await sleep(50);
  }
}

// From the menu into play the way a player gets there: wait out the intro, click "Start".
// `to` moves the pointer to a point in the game's pixels.
export async function playStart(page, watch, to = (x, y) => pointTo(page, x, y)) {
  const mark = watch.game.length;
  await sleep(2800);
  await to(640, 650);
  await sleep(300);
  await click(page);
  await to(640, 360);
  await lineWait(watch, 'LOADED: res/mus/ethnica.ogg', mark, 10);
}

// Pixels that differ between two pictures in a region (game pixels, left, top, width, height).
export function differing(a, b, [left, top, width, height]) {
  const sx = a.width / 1280, sy = a.height / 720;
  let count = 0;
  for (let y = Math.round(top * sy); y < Math.round((top + height) * sy); y++) {
    for (let x = Math.round(left * sx); x < Math.round((left + width) * sx); x++) {
      const i = (y * a.width + x) * 4;
      if (a.rgba[i] !== b.rgba[i] || a.rgba[i + 1] !== b.rgba[i + 1] || a.rgba[i + 2] !== b.rgba[i + 2]) count++;
    }
  }
  return count;
}

// Fails with the count found, the region and the screenshot's name.
export function expectPixels(image, region, test, low, high, what) {
  const count = pixels(image, region, test);
  assert.ok(count >= low && count <= high,
    `${what}: ${count} pixels in [${region}] of ${image.name}.png, expected ${low} to ${high}`);
}

// One server of the build and one browser for a file's tests, closed after them: `web.server`
// and `web.browser` once the tests run.
export function browserSuite() {
  const web = { server: null, browser: null };
  before(async () => {
    web.server = await serve();
    web.browser = await browserLaunch();
  });
  after(async () => {
    await web.browser?.close();
    await web.server?.close();
  });
  return web;
}
