// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the page working without a network: every file of the build is cached when the
// worker installs and served from that cache first. offline_files.js, written by each build,
// names the files and the build, so a new build brings a new worker with a cache of its own.
importScripts('offline_files.js');

const PREFIX = 'simlumivel-';
const CACHE = PREFIX + self.OFFLINE_VERSION;

self.addEventListener('install', (event) => {
    event.waitUntil(
        (async () => {
            const cache = await caches.open(CACHE);
            // Past the HTTP cache: a host may still hold the last build's files there.
            await cache.addAll(self.OFFLINE_FILES.map((file) => new Request(file, { cache: 'reload' })));
            // An open page has loaded all its files at start, so it may go over to a new build at once.
            await self.skipWaiting();
        })(),
    );
});

self.addEventListener('activate', (event) => {
    event.waitUntil(
        (async () => {
            for (const name of await caches.keys()) {
                if (name.startsWith(PREFIX) && name !== CACHE) {
                    await caches.delete(name);
                }
            }
            // The page of the first visit is served from here too, without a reload.
            await self.clients.claim();
        })(),
    );
});

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) {
        return;
    }
    event.respondWith(
        (async () => {
            // A launch or a bookmark may add a query to the page's address. Looked up by name,
            // not opened: opening would make the cache again once a newer worker removed it.
            const cached = await caches.match(request, { cacheName: CACHE, ignoreSearch: request.mode === 'navigate' });
            return cached ?? fetch(request);
        })(),
    );
});
