// The browser edition's tests: build/web served on a free port and driven in headless
// Chromium, each test file in turn, under node's own test runner.
//
//   node tests/browser/run.mjs [NAME...]     NAME picks test_NAME.mjs files (all without one)
//
// Without build/web (or without node_modules/) it skips with exit code 77, which CTest counts
// as skipped; LUMIVEL_BROWSER_REQUIRED=1 (make test-web) makes that a failure instead.
import { readdirSync, existsSync } from 'node:fs';
import path from 'node:path';
import { after } from 'node:test';
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
    .filter((name) => wanted.length === 0 || wanted.some((w) => name === `test_${w}.mjs` || name === w))
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

for (const name of files) {
    await import(pathToFileURL(path.join(here, name)).href);
}
