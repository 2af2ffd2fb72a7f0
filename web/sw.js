// The offline copy of the game. One cache per build, named by the game's version and a digest
// of the build's files, so a visit never mixes the js, wasm and data of two builds: the page
// asks for them with the build in the query, and only the cache of that build answers.
'use strict';
const BUILD = '@GYREL_BUILD@';
const CACHE = 'gyrel-' + BUILD;
const PREFIX = 'gyrel-';
// The build writes in the page's files from its list: those asked for with the build's name,
// and those asked for by their own name.
const STAMPED = '@GYREL_STAMPED@'.split(' ').map((name) => name + '?v=' + BUILD);
const PLAIN = ['./', ...'@GYREL_PLAIN@'.split(' ')];

// addAll stores every file or none: a download cut off half way leaves the old build in charge.
self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    // The stamped files are this build's alone, so the browser's own cache may answer for them;
    // the others keep their names from build to build, so the server is asked whether the
    // browser's copy is still current (a 304 sends no body again).
    await cache.addAll([...PLAIN.map((url) => new Request(url, { cache: 'no-cache' })), ...STAMPED]);
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith(PREFIX) && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

// The page comes from the network whenever there is one, so a new build is found on the next
// online visit; its files come from this build's cache, or the network for another build.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  if (request.mode === 'navigate') {
    event.respondWith((async () => {
      try {
        return await fetch(request);
      } catch (error) {
        const cache = await caches.open(CACHE);
        const page = await cache.match('./');
        if (page) return page;
        throw error;
      }
    })());
    return;
  }
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    return (await cache.match(request)) || fetch(request);
  })());
});
