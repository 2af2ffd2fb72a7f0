// The installable offline copy: the manifest, the service worker's cache, a reload with no
// network, and a second version served from the same address replacing the first whole.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdtemp, readFile, readdir, rm, writeFile, cp } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { ROOT, serveSwitchable, browserLaunch, consoleWatch, consoleFaults, lineWait, sleep, pageFiles } from './browser.js';

const MENU_READY = 'LOADED: res/font/upheaval.ttf';

// Two builds of the game served in turn from one address: the real one, and a second whose
// files all differ (a comment, a custom wasm section, a trailing byte) under another name.
async function secondBuild(first, folder) {
  await cp(first, folder, { recursive: true });
  const build = (await readFile(join(first, 'sw.js'), 'utf8')).match(/const BUILD = '([^']+)'/)[1];
  const next = build + 'b';
  for (const name of ['index.html', 'sw.js']) {
    const text = await readFile(join(folder, name), 'utf8');
    await writeFile(join(folder, name), text.replaceAll(build, next));
  }
  await writeFile(join(folder, 'gyrel.js'), (await readFile(join(folder, 'gyrel.js'), 'utf8')) + '\n// second build\n');
  await writeFile(join(folder, 'life.js'), (await readFile(join(folder, 'life.js'), 'utf8')) + '\n// second build\n');
  const name = Buffer.from('second');
  const section = Buffer.concat([Buffer.from([0, name.length + 1 + 1, name.length]), name, Buffer.from([2])]);
  await writeFile(join(folder, 'gyrel.wasm'), Buffer.concat([await readFile(join(folder, 'gyrel.wasm')), section]));
  await writeFile(join(folder, 'gyrel.data'), Buffer.concat([await readFile(join(folder, 'gyrel.data')), Buffer.from([0])]));
  return { build, next };
}

const digest = (bytes) => createHash('sha256').update(bytes).digest('hex');

// What the offline copy holds: cache names, and each entry's path and the digest of its body.
async function cached(page) {
  const entries = await page.evaluate(async () => {
    const out = {};
    for (const name of await caches.keys()) {
      const cache = await caches.open(name);
      out[name] = [];
      for (const request of await cache.keys()) {
        const body = new Uint8Array(await (await cache.match(request)).arrayBuffer());
        const hash = Array.from(new Uint8Array(await crypto.subtle.digest('SHA-256', body)),
          (b) => b.toString(16).padStart(2, '0')).join('');
        out[name].push([new URL(request.url).pathname + new URL(request.url).search, hash]);
      }
    }
    return out;
  });
  return entries;
}

// What the offline copy of a build must hold: the page, and every file of the page's list that
// the page asks for, by the build's name where it asks so.
async function offlineFiles(build) {
  const files = await pageFiles();
  return ['/', ...files.filter((f) => f.kind === 'plain').map((f) => `/${f.name}`),
    ...files.filter((f) => f.kind === 'script' || f.kind === 'game').map((f) => `/${f.name}?v=${build}`)].sort();
}

async function cacheWait(page, name, paths) {
  // Only the names while the worker fills its cache; the bodies once it is done.
  const deadline = Date.now() + 30000;
  for (;;) {
    const names = await page.evaluate(() => caches.keys());
    const done = await page.evaluate(() => navigator.serviceWorker.getRegistration()
      .then((r) => r?.active?.state === 'activated' && !r.installing && !r.waiting));
    if (done && names.length === 1 && names[0] === name) break;
    if (Date.now() > deadline) {
      const state = await page.evaluate(async () => {
        const registration = await navigator.serviceWorker.getRegistration();
        return { page: document.querySelector('script[src^="life.js"]')?.src, installing: !!registration?.installing,
                 waiting: !!registration?.waiting, active: registration?.active?.state };
      });
      throw new Error(`the offline copy is ${JSON.stringify(names)}, not ${name}: ${JSON.stringify(state)}`);
    }
    await sleep(200);
  }
  const files = (await cached(page))[name];
  assert.deepEqual(files.map(([path]) => path).sort(), paths);
  return files;
}

test('installable, plays offline, and a new version replaces the old one whole', async (t) => {
  // Served from the zip a host would get.
  const work = await mkdtemp(join(tmpdir(), 'gyrel-web-life-'));
  await promisify(execFile)(join(ROOT, 'scripts/web'), ['--package'], { cwd: ROOT });
  const version = (await readFile(join(ROOT, 'build/web/CMakeCache.txt'), 'utf8')).match(/CMAKE_PROJECT_VERSION:STATIC=(.*)/)[1];
  await promisify(execFile)('unzip', ['-q', join(ROOT, `build/gyrel-web-${version}.zip`), '-d', work]);
  const first = join(work, `gyrel-web-${version}`);
  await t.test('the zip holds the page, its worker, manifest, icons and every licence', async () => {
    const files = await readdir(first);
    for (const name of ['index.html', 'life.js', 'sw.js', 'manifest.webmanifest', 'icon-192.png', 'icon-512.png',
      'gyrel.js', 'gyrel.wasm', 'gyrel.data']) assert.ok(files.includes(name), name);
    assert.deepEqual(files.sort(), [...(await pageFiles()).map((f) => f.name), 'licenses'].sort(),
      'the zip holds the page\'s list and the licences');
    const licences = await readdir(join(first, 'licenses'));
    assert.ok(licences.includes('gyrel.txt') && licences.includes('font.txt') && licences.includes('SDL2.txt'),
      licences.join(' '));
  });
  const second = join(work, 'second');
  const { build, next } = await secondBuild(first, second);
  const site = await serveSwitchable(first);
  // A browser of its own: a fresh profile, which is not incognito (no install there).
  const own = await browserLaunch();
  try {
    const page = await own.newPage();
    const watch = consoleWatch(page);
    await page.goto(site.url);
    await lineWait(watch, MENU_READY, 0, 30);

    const session = await page.createCDPSession();
    const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    const manifest = await session.send('Page.getAppManifest');
    assert.deepEqual(manifest.errors, []);
    assert.equal(JSON.parse(manifest.data).short_name, 'Gyrel+');

    const scripts = (await pageFiles()).filter((f) => f.kind === 'script').map((f) => `${site.url}${f.name}?v=${build}`);
    assert.deepEqual(await page.evaluate(() => [...document.scripts].map((s) => s.src)), [...scripts, `${site.url}gyrel.js?v=${build}`],
      'the page loads the scripts of its list, then the game');
    const firstFiles = await cacheWait(page, `gyrel-${build}`, await offlineFiles(build));
    for (const [path, hash] of firstFiles) {
      const file = path === '/' ? 'index.html' : path.slice(1).replace(/\?.*/, '');
      assert.equal(hash, digest(await readFile(join(first, file))), `cached ${path}`);
    }

    // Offline: the server is gone; a reload still reaches the menu.
    await site.offline();
    let mark = watch.game.length;
    await page.reload();
    await lineWait(watch, MENU_READY, mark, 30);
    assert.equal(watch.game[mark], 'LOADED: res/shader/textureQuad.vs');

    // The second version at the same address, online again: one visit moves everything over.
    site.state.root = second;
    await site.online();
    mark = watch.game.length;
    await page.reload();
    await lineWait(watch, MENU_READY, mark, 30);
    const secondFiles = await cacheWait(page, `gyrel-${next}`, await offlineFiles(next));
    for (const [path, hash] of secondFiles) {
      const file = path === '/' ? 'index.html' : path.slice(1).replace(/\?.*/, '');
      assert.equal(hash, digest(await readFile(join(second, file))), `cached ${path} is the second version's`);
    }
    // And offline again, the second version runs.
    await site.offline();
    mark = watch.game.length;
    await page.reload();
    await lineWait(watch, MENU_READY, mark, 30);
    assert.equal(await page.evaluate(() => [...document.scripts].map((s) => s.src).find((s) => s.includes('gyrel.js'))),
      `${site.url}gyrel.js?v=${next}`);
    assert.deepEqual(consoleFaults(watch), []);
  } finally {
    await own.close();
    await site.close();
    await rm(work, { recursive: true });
  }
});
