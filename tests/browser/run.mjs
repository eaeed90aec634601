// SPDX-License-Identifier: GPL-3.0-or-later
// The browser edition's tests: build/web served on a free port and driven in headless
// Chromium, each test file in turn, under node's own test runner.
//
//   node tests/browser/run.mjs [NAME...]     NAME picks test_NAME.mjs files (all without one)
//
// The *.test.mjs files beside it need no browser: `node --test` runs them, each in a process of
// its own (the core's module, loaded under Node, turns any unhandled rejection into an exit).
//
// Without build/web (or without node_modules/) it skips with exit code 77, which CTest counts
// as skipped; LUMIVEL_BROWSER_REQUIRED=1 (make test-web) makes that a failure instead.
import { readdirSync, existsSync } from 'node:fs';
import path from 'node:path';
import { after, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { launchBrowser, nativeProgram, repo, setShared, startServer, webDir } from './harness.mjs';

const here = path.join(repo, 'tests', 'browser');

function missing(why) {
    const required = process.env.LUMIVEL_BROWSER_REQUIRED === '1';
    process.stderr.write(`${required ? 'Error' : 'Se omiten las pruebas del navegador'}: ${why}\n`);
    process.exit(required ? 1 : 77);
}

if (!existsSync(path.join(webDir, 'index.html')) || !existsSync(path.join(webDir, 'simlumivel-core.wasm'))) {
    missing('build/web no tiene la página y el núcleo (index.html, simlumivel-core.wasm): make web-build');
}
if (!existsSync(path.join(repo, 'node_modules', 'playwright-core'))) {
    missing('falta playwright-core en node_modules/ (make browser-deps)');
}
if (nativeProgram() === null) {
    missing('falta el programa nativo (make build, o SIMLUMIVEL=...)');
}

const wanted = process.argv.slice(2);
const files = readdirSync(here)
    .filter((name) => /^test_.*\.mjs$/.test(name))
    .filter((name) => wanted.length === 0 || wanted.some((w) => [`test_${w}.mjs`, w].includes(name)))
    .sort();
if (files.length === 0) {
    missing(`ningún archivo de pruebas coincide con ${wanted.join(' ')}`);
}

const server = await startServer();
const browser = await launchBrowser();
setShared({ browser, url: server.url });
after(async () => {
    await browser.close();
    await server.close();
});

// The runner ends once it has no test left to run, which could happen between two imports
// (a file's own top-level await lets its tests finish first): this first test holds the rest
// back until every file has been loaded, and fails with the reason if one cannot be.
let loaded;
const allLoaded = new Promise((resolve) => (loaded = resolve));
test('every test file loads', () => allLoaded);
try {
    for (const name of files) {
        await import(pathToFileURL(path.join(here, name)).href);
    }
    loaded();
} catch (error) {
    loaded(Promise.reject(error));
}
