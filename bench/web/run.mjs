// SPDX-License-Identifier: GPL-3.0-or-later
// The browser edition's figures: keystroke to painted sign, page load to the first painted
// sign, and what a visitor downloads. Everything is measured inside the page with its own
// clock (performance.now()); Playwright only types and waits.
//
//   node bench/web/run.mjs [--write]     --write puts the figures into docs/PERFORMANCE.md
import { readdir, readFile, stat, writeFile } from 'node:fs/promises';
import os from 'node:os';
import path from 'node:path';
import { kWait, launchBrowser, repo, startServer, webDir } from '../../tests/browser/harness.mjs';
import { serialTransferRow } from './serial_transfer.mjs';

const kKeystrokes = 200;
const kLoads = 7;
const kSizeLimit = 1.5e6; // bytes: the page, its scripts and the wasm together

// Put into the page before its scripts: notes when each frame of the sign reaches the canvas
// and when each keystroke reached Text1, so the page itself is timed, not the driver.
const kProbe = `
window.__bench = { paints: [], inputs: [], firstSign: null };
(() => {
    const signCanvas = (canvas) =>
        canvas instanceof HTMLCanvasElement && canvas.closest('[data-control="Pic"]') !== null;
    const proto = CanvasRenderingContext2D.prototype;
    for (const name of ['putImageData', 'drawImage']) {
        const original = proto[name];
        proto[name] = function (...args) {
            const result = original.apply(this, args);
            if (signCanvas(this.canvas)) {
                const now = performance.now();
                window.__bench.paints.push(now);
                if (window.__bench.firstSign === null) window.__bench.firstSign = now;
            }
            return result;
        };
    }
    document.addEventListener('input', (event) => {
        if (event.target.matches && event.target.matches('[data-control="Text1"]')) {
            window.__bench.inputs.push(event.timeStamp);
        }
    }, true);
})();
`;

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = sorted.length >> 1;
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const ms = (value) => `${value.toFixed(value < 10 ? 2 : 0)} ms`;

async function newPage(browser, url) {
    const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
    const page = await context.newPage();
    await page.addInitScript(kProbe);
    await page.goto(url);
    await page.waitForFunction(() => window.__bench.firstSign !== null, null, { timeout: kWait });
    return { page, context };
}

// From navigation start (the page's time origin) to the end of the first paint of the sign.
async function loadTimes(browser, url) {
    const times = [];
    for (let i = 0; i < kLoads; ++i) {
        const { page, context } = await newPage(browser, url);
        times.push(
            await page.evaluate(() => ({
                sign: window.__bench.firstSign,
                wasm: performance.getEntriesByType('resource').find((e) => e.name.endsWith('.wasm'))?.responseEnd ?? NaN,
            })),
        );
        await context.close();
    }
    return times;
}

// Each keystroke changes the sign (a letter, then Backspace), so each must be painted.
async function keystrokeTimes(browser, url) {
    const { page, context } = await newPage(browser, url);
    const text1 = page.locator('[data-control="Text1"]');
    await text1.fill('HOLA ');
    await page.waitForFunction(() => window.__bench.inputs.length > 0, null, { timeout: kWait });
    const latencies = [];
    for (let i = 0; i < kKeystrokes; ++i) {
        const before = await page.evaluate(() => ({ inputs: window.__bench.inputs.length, paints: window.__bench.paints.length }));
        await text1.press(i % 2 === 0 ? String.fromCharCode(65 + ((i >> 1) % 26)) : 'Backspace');
        const latency = await page.evaluate(
            async ({ inputs, paints, wait }) => {
                const start = performance.now();
                while (window.__bench.inputs.length <= inputs || window.__bench.paints.length <= paints) {
                    if (performance.now() - start > wait) return null;
                    await new Promise(requestAnimationFrame);
                }
                return window.__bench.paints[paints] - window.__bench.inputs[inputs];
            },
            { ...before, wait: kWait },
        );
        if (latency === null) {
            throw new Error(`la tecla ${i + 1} no llegó a pintar el letrero`);
        }
        latencies.push(latency);
    }
    await context.close();
    return latencies;
}

async function sizes() {
    const files = await readdir(webDir, { recursive: true });
    let total = 0;
    let wasm = 0;
    for (const name of files) {
        const info = await stat(path.join(webDir, name));
        if (!info.isFile()) continue;
        total += info.size;
        if (name.endsWith('.wasm')) wasm += info.size;
    }
    return { total, wasm };
}

async function writeSection(rows) {
    const file = path.join(repo, 'docs', 'PERFORMANCE.md');
    const heading = '## Browser edition';
    const old = await readFile(file, 'utf8');
    const kept = old.includes(heading) ? old.slice(0, old.indexOf(heading)).trimEnd() : old.trimEnd();
    const section = [
        heading,
        '',
        `Regenerated by \`make bench-web\` on ${new Date().toISOString().slice(0, 10)} (${os.cpus().length} cores, headless ` +
            'Chromium, build/web served from 127.0.0.1).\nTimes are taken inside the page with `performance.now()`; ' +
            'the keystrokes are typed one after another, each waited for.',
        '',
        '| what | measured | target | command |',
        '|---|---|---|---|',
        ...rows,
    ].join('\n');
    await writeFile(file, `${kept}\n\n${section}\n`);
}

const server = await startServer();
const browser = await launchBrowser();
try {
    const { total, wasm } = await sizes();
    const keys = await keystrokeTimes(browser, server.url);
    const loads = await loadTimes(browser, server.url);
    const keyMedian = median(keys);
    const loadMedian = median(loads.map((load) => load.sign));
    const wasmMedian = median(loads.map((load) => load.wasm));
    const rows = [
        `| keystroke in Text1 to the sign painted on the canvas (input event to the end of the paint) | ${ms(keyMedian)} median of ${keys.length}; slowest ${ms(Math.max(...keys))}${keyMedian > 2 ? '. MISSED' : ''} | 2 ms median | \`make bench-web\` |`,
        `| page load to the first painted sign (navigation start, empty cache) | ${ms(loadMedian)} median of ${loads.length}; the wasm, compiled as it streams in, read to its end at ${ms(wasmMedian)}${loadMedian > 300 ? '. MISSED: the page\'s own modules and icons reach a loaded headless Chromium slowly even from 127.0.0.1' : ''} | 300 ms | \`make bench-web\` |`,
        `| build/web, everything a visitor downloads | ${(total / 1e6).toFixed(2)} MB (wasm ${(wasm / 1e6).toFixed(2)} MB) | under 1.5 MB | \`make bench-web\` |`,
        await serialTransferRow(browser, server.url),
    ];
    process.stdout.write(`${rows.join('\n')}\n`);
    if (process.argv.includes('--write')) {
        await writeSection(rows);
        process.stdout.write('docs/PERFORMANCE.md actualizado\n');
    }
    if (total >= kSizeLimit) {
        process.stderr.write(`build/web ocupa ${total} bytes: más de ${kSizeLimit}\n`);
        process.exitCode = 1;
    }
} finally {
    await browser.close();
    await server.close();
}
