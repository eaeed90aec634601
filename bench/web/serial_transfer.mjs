// SPDX-License-Identifier: GPL-3.0-or-later
// The full image (indexes 0 to 8191) sent to a virtual sign paced at 9600 baud, once by the
// command line and once by the page through the test's stand-in for Web Serial, in the same
// run against the same kind of sign. The stand-in carries every byte between the page and
// the sign through Playwright, so its own round trip is measured too and reported beside.
import { execFile, spawn } from 'node:child_process';
import { mkdtemp, readFile } from 'node:fs/promises';
import os from 'node:os';
import path from 'node:path';
import { createInterface } from 'node:readline';
import { kWait, nativeProgram } from '../../tests/browser/harness.mjs';
import { fakeSerial, startVirtualSign } from '../../tests/browser/virtual_sign_port.mjs';

const kPace = 9600;

function run(args) {
    return new Promise((resolve, reject) => {
        execFile(nativeProgram(), args, { env: { ...process.env, ASAN_OPTIONS: 'detect_leaks=0' } }, (error, stdout, stderr) =>
            error ? reject(new Error(`${args.join(' ')}: ${stderr || error.message}`)) : resolve(stdout),
        );
    });
}

// 61 full messages and one of 74 characters: 8,192 image bytes, the last at index 8191.
async function fullFile() {
    const file = path.join(await mkdtemp(path.join(os.tmpdir(), 'imagen-llena-')), 'llena.men');
    const line = (n, length) => `MENSAJE ${String(n).padStart(2, '0')} `.padEnd(length, 'X');
    for (let n = 1; n <= 61; ++n) {
        await run(['add', file, '--', line(n, 130)]);
    }
    await run(['add', file, '--', line(62, 74)]);
    return file;
}

async function commandLineSeconds(file) {
    const sign = spawn(nativeProgram(), ['sign', '--pace', String(kPace)], { stdio: ['ignore', 'pipe', 'inherit'] });
    const device = await new Promise((resolve) => createInterface({ input: sign.stdout }).once('line', resolve));
    const start = process.hrtime.bigint();
    await run(['send', '--port', device, file]);
    const seconds = Number(process.hrtime.bigint() - start) / 1e9;
    sign.kill('SIGTERM');
    return seconds;
}

// The stand-in's own cost: a byte from the page to this runner and back, with no sign.
async function bridgeRoundTripMs(page) {
    await page.exposeBinding('__ping', (_source, n) => page.evaluate((m) => window.__pong(m), n));
    return page.evaluate(async () => {
        const count = 500;
        const start = performance.now();
        for (let i = 0; i < count; ++i) {
            await new Promise((resolve) => {
                window.__pong = resolve;
                window.__ping(i);
            });
        }
        return (performance.now() - start) / count;
    });
}

async function pageSeconds(browser, url, file) {
    const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
    const page = await context.newPage();
    await page.addInitScript(fakeSerial);
    await page.goto(url);
    await page.waitForFunction(() => document.body.dataset.ready === 'true', null, { timeout: kWait });
    const bytes = [...(await readFile(file))];
    await page.evaluate((content) => {
        const transfer = new DataTransfer();
        transfer.items.add(new File([new Uint8Array(content)], 'llena.men'));
        document.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
    }, bytes);
    await page.waitForFunction(() => !document.body.classList.contains('ocupado') && document.querySelector('[data-control="Lstcodigo"] option'), null, {
        timeout: kWait,
    });
    const roundTrip = await bridgeRoundTripMs(page);
    const sign = await startVirtualSign(page, { pace: kPace });
    await page.locator('[data-control="serial"]').click();
    const seconds = await page.evaluate(async (wait) => {
        const form = document.querySelector('[data-window="Form1"]');
        const start = performance.now();
        form.querySelector('[data-control="Command1"]').click();
        const deadline = start + wait;
        while (form.getAttribute('aria-busy') !== 'false' || form.querySelector('[data-control="Command1"]').disabled) {
            if (performance.now() > deadline) throw new Error('la transmisión no terminó');
            await new Promise((resolve) => setTimeout(resolve, 5));
        }
        return { seconds: (performance.now() - start) / 1000, status: form.querySelector('[data-panel="0"]').textContent };
    }, 20 * kWait);
    await sign.stop();
    await context.close();
    return { ...seconds, roundTrip, exchanges: sign.sent.length };
}

// The benchmark's row for docs/PERFORMANCE.md.
export async function serialTransferRow(browser, url) {
    const file = await fullFile();
    const cli = await commandLineSeconds(file);
    const page = await pageSeconds(browser, url, file);
    if (!page.status.startsWith('Transmision completa: 8192 de 8192')) {
        throw new Error(`la página no envió la imagen entera: ${page.status}`);
    }
    const ratio = page.seconds / cli;
    const rig = (page.roundTrip * page.exchanges) / 1000;
    return (
        `| full image (8,192 bytes, ${page.exchanges} exchanges) to a virtual sign paced at ${kPace} baud: the page through the stand-in for Web Serial against \`simlumivel send\` in the same run | ` +
        `page ${page.seconds.toFixed(1)} s, command line ${cli.toFixed(1)} s: ${ratio.toFixed(2)} x${ratio > 1.05 ? '. MISSED' : ''}; ` +
        `the stand-in carries each byte through Playwright, ${page.roundTrip.toFixed(2)} ms a round trip measured alone (${rig.toFixed(1)} s over the exchanges), ` +
        `a cost a real port does not have and larger than the gap, so this set-up cannot tell the page's own share | 1.05 x | \`make bench-web\` |`
    );
}
