// SPDX-License-Identifier: GPL-3.0-or-later
// The page after one visit: kept by its service worker and working with no server, a new
// build taking its place; installable as an app, and opening the .men files it is launched with.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { cp, mkdtemp, readFile, readdir, writeFile } from 'node:fs/promises';
import os from 'node:os';
import path from 'node:path';
import { promisify } from 'node:util';
import {
    control, dialogButton, expectSign, idle, kWait, listIs, load, native, openPage, pick, press, repo, startServer,
    text1Is, webDir,
} from './harness.mjs';

const temporary = (prefix) => mkdtemp(path.join(process.env.TMPDIR ?? os.tmpdir(), prefix));

// What offline_files.js of a built page says.
async function offlineList(root) {
    const text = await readFile(path.join(root, 'offline_files.js'), 'utf8');
    const version = JSON.parse(text.match(/OFFLINE_VERSION = (".*");/)[1]);
    const files = JSON.parse(text.match(/OFFLINE_FILES = (\[[^\]]*\]);/)[1]);
    return { cache: `simlumivel-${version}`, files };
}

// The caches in the page's origin and the paths the first one holds.
const cachesSeen = (page) =>
    page.evaluate(async () => {
        const names = await caches.keys();
        const held = names.length > 0 ? await (await caches.open(names[0])).keys() : [];
        return { names, paths: held.map((request) => new URL(request.url).pathname).sort() };
    });

test('after one visit the page works with its server stopped; a new build brings its worker and cache', async () => {
    // A copy of the built page, so that the test may build it anew.
    const root = path.join(await temporary('sin-red-'), 'web');
    await cp(webDir, root, { recursive: true });
    const server = await startServer(root);
    let stopped = false;
    const stop = async () => {
        if (!stopped) {
            stopped = true;
            await server.close();
        }
    };
    try {
        await offlineRun(root, server.url, stop);
    } finally {
        await stop();
    }
});

async function offlineRun(root, url, stop) {
    const { page, close } = await openPage({ url });
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: kWait });

    // Every file of the build is kept, and nothing else.
    const first = await offlineList(root);
    const onDisk = (await readdir(root, { recursive: true, withFileTypes: true }))
        .filter((entry) => entry.isFile())
        .map((entry) => path.relative(root, path.join(entry.parentPath, entry.name)))
        .filter((name) => !['offline_files.js', 'service_worker.js'].includes(name));
    assert.deepEqual(first.files.slice(1).sort(), onDisk.sort());
    const expected = ['/', ...onDisk.map((name) => `/${name}`)].sort();
    assert.deepEqual(await cachesSeen(page), { names: [first.cache], paths: expected });

    // Another build: a changed page, a new list; the worker checks for it on the next visit.
    const index = path.join(root, 'index.html');
    await writeFile(index, (await readFile(index, 'utf8')).replace('<title>SimLumivel 1.0', '<title>SimLumivel nueva'));
    await promisify(execFile)(process.execPath, [path.join(repo, 'scripts', 'offline-files.mjs'), root]);
    const second = await offlineList(root);
    assert.notEqual(second.cache, first.cache);
    // The new worker, once it has cached the new build and removed the old cache.
    await page.evaluate(async (wait) => {
        const registration = await navigator.serviceWorker.getRegistration();
        await registration.update();
        const worker = registration.installing ?? registration.waiting ?? registration.active;
        const activated = new Promise((resolve) => {
            const check = () => worker.state === 'activated' && resolve();
            worker.addEventListener('statechange', check);
            check();
        });
        const late = new Promise((_, reject) =>
            setTimeout(() => reject(new Error(`el trabajador nuevo sigue ${worker.state}`)), wait),
        );
        await Promise.race([activated, late]);
    }, kWait);
    assert.deepEqual((await cachesSeen(page)).names, [second.cache]);

    await stop();
    await assert.rejects(fetch(url), 'the server is stopped');
    await load(page, () => page.reload());
    assert.match(await page.title(), /^SimLumivel nueva/);
    await press(page, 'Opletra', 1);
    await control(page, 'Text1').fill('SIN RED');
    const hex = (await native(['render', '--font', '5x7', '--format', 'hex', 'SIN RED'])).trim();
    await expectSign(page, hex, 'el texto sin conexión');
    await close();
}

test('the manifest installs the app with its icon and opens .men files of the desktop type', async () => {
    const { page, close } = await openPage();
    const got = await page.evaluate(async () => {
        const response = await fetch(document.querySelector('link[rel="manifest"]').href);
        return { type: response.headers.get('content-type'), manifest: await response.json() };
    });
    assert.equal(got.type, 'application/manifest+json');
    const { manifest } = got;
    assert.equal(manifest.name, 'SimLumivel');
    assert.equal(manifest.lang, 'es');
    assert.deepEqual([manifest.start_url, manifest.scope, manifest.display], ['./', './', 'standalone']);

    // The icons are the program's: its SVG as packaged, and PNGs of the sizes they claim.
    const svg = manifest.icons.find((icon) => icon.type === 'image/svg+xml');
    const served = await page.evaluate(async (src) => (await fetch(src)).text(), svg.src);
    assert.equal(served, await readFile(path.join(repo, 'packaging', 'simlumivel.svg'), 'utf8'));
    for (const icon of manifest.icons.filter((entry) => entry.type === 'image/png')) {
        const size = await page.evaluate(async (src) => {
            const bitmap = await createImageBitmap(await (await fetch(src)).blob());
            return `${bitmap.width}x${bitmap.height}`;
        }, icon.src);
        assert.equal(size, icon.sizes, icon.src);
    }

    // The same file type as the desktop's.
    const mime = await readFile(path.join(repo, 'packaging', 'simlumivel-mensaje.xml'), 'utf8');
    const [, type] = mime.match(/mime-type type="([^"]+)"/);
    assert.match(mime, /<glob pattern="\*\.men"\/>/);
    assert.equal(manifest.file_handlers.length, 1);
    assert.deepEqual(manifest.file_handlers[0].accept, { [type]: ['.men'] });
    assert.equal(manifest.file_handlers[0].action, './');

    // Chromium's own reading: no error, and nothing against installing but the test's private profile.
    const cdp = await page.context().newCDPSession(page);
    assert.deepEqual((await cdp.send('Page.getAppManifest')).errors, []);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: kWait });
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors.filter((error) => error.errorId !== 'in-incognito'), []);
    await close();
});

// The browser's launch queue, replaced by one the test hands launches to.
const kLaunchQueue = `
Object.defineProperty(window, 'launchQueue', {
    configurable: true,
    value: { setConsumer(consumer) { window.__launch = consumer; } },
});
`;

test('a .men the app is launched with opens as Abrir opens it, once the page is free', async () => {
    const file = path.join(await temporary('lanzado-'), 'lanzado.men');
    await native(['add', '--font', '5x9', '--effect', 'porfila', file, '--', 'ABIERTO']);
    await native(['add', '--font', 'negrita', '--effect', 'caminando', file, '--', 'SEGUNDO']);
    const bytes = [...(await readFile(file))];

    const { page, close } = await openPage({ beforeLoad: (page) => page.addInitScript(kLaunchQueue) });
    await page.waitForFunction(() => typeof window.__launch === 'function', null, { timeout: kWait });
    // A launch that comes while a dialog holds the page waits for it to close.
    await page.locator('[data-menu="opacerdade"]').click();
    await page.evaluate((bytes) => {
        window.__read = false;
        const handle = {
            kind: 'file',
            name: 'lanzado.men',
            async getFile() {
                window.__read = true;
                return new File([new Uint8Array(bytes)], 'lanzado.men');
            },
        };
        window.__launch({ files: [handle] });
    }, bytes);
    await page.waitForFunction(() => window.__read, null, { timeout: kWait });
    await dialogButton(page, 'Volver').click();
    await idle(page);
    await listIs(page, ['1', '2']);
    await pick(page, 0);
    await text1Is(page, 'ABIERTO');
    const hex = (await native(['render', '--font', '5x9', '--format', 'hex', 'ABIERTO'])).trim();
    await expectSign(page, hex, 'el primer mensaje');
    const named = () => document.querySelector('[data-panel="0"]').textContent.includes('lanzado.men');
    await page.waitForFunction(named, null, { timeout: kWait });
    await close();
});
