// SPDX-License-Identifier: GPL-3.0-or-later
// What the browser tests share: the server on build/web, one headless Chromium, the native
// program the page is held against, and the sign read off the page's canvas.
import { execFile, spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import path from 'node:path';
import { createInterface } from 'node:readline';
import { fileURLToPath } from 'node:url';
import assert from 'node:assert/strict';

export const repo = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
export const webDir = path.join(repo, 'build', 'web');

// Bounds for waits on a condition: they only stop a hung run, and a loaded two-core machine
// is many times slower than an idle one.
export const kWait = 30_000;

// Starts scripts/serve-web.mjs on a free port; resolves once it prints its address.
export async function startServer(root = webDir) {
    const child = spawn(process.execPath, [path.join(repo, 'scripts', 'serve-web.mjs'), '--port', '0', '--root', root], {
        stdio: ['ignore', 'pipe', 'pipe'],
    });
    // Its line for people on standard error is kept for a failure report.
    let said = '';
    child.stderr.on('data', (chunk) => (said += chunk));
    const firstLine = new Promise((resolve, reject) => {
        createInterface({ input: child.stdout }).once('line', resolve);
        child.once('exit', (code) => reject(new Error(`serve-web.mjs terminó (${code}) sin dar su dirección: ${said}`)));
    });
    const url = await firstLine;
    assert.match(url, /^http:\/\/127\.0\.0\.1:\d+\/$/);
    return {
        url,
        close: () =>
            new Promise((resolve) => {
                child.once('exit', resolve);
                child.kill('SIGTERM');
            }),
    };
}

// Debian's Chromium, never a browser of Playwright's own; a fresh temporary profile each launch.
export async function launchBrowser() {
    const { chromium } = await import('playwright-core');
    return chromium.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync'],
    });
}

let shared = null;
// Errors each page reported, told with any failure of a wait on it.
const pageErrors = new WeakMap();
const errorsOf = (page) => {
    const errors = pageErrors.get(page) ?? [];
    return errors.length > 0 ? `\nerrores en la página: ${errors.join(' | ')}` : '';
};
export function setShared(value) {
    shared = value;
}

// Test-side helpers put into every page before its own scripts: they only read the page.
// The sign's LED centres are painted exactly in the lit or the unlit colour (the window's
// default colours), so one device pixel per LED tells its state.
const kPageHelpers = `
window.__lumivelTest = {
    canvas() {
        const pic = document.querySelector('[data-control="Pic"]');
        return pic instanceof HTMLCanvasElement ? pic : pic && pic.querySelector('canvas');
    },
    readSign() {
        const canvas = this.canvas();
        const box = canvas && canvas.getBoundingClientRect();
        if (!canvas || !canvas.width || !box.width) return null;
        const ratio = canvas.width / box.width;
        const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        const bytes = [];
        const odd = [];
        for (let c = 0; c < 64; ++c) {
            let byte = 0;
            for (let r = 0; r < 8; ++r) {
                const x = Math.floor((6 + 12 * c + 0.25) * ratio);
                const y = Math.floor((6 + 12 * r + 0.25) * ratio);
                const i = (y * canvas.width + x) * 4;
                const rgb = [data[i], data[i + 1], data[i + 2]];
                if (rgb.every((v) => v === 220)) byte |= 1 << r;
                else if (!rgb.every((v) => v === 80)) odd.push('(' + c + ',' + r + ') rgb(' + rgb + ')');
            }
            bytes.push(byte.toString(16).toUpperCase().padStart(2, '0'));
        }
        return { hex: bytes.join(' '), odd };
    },
    // A sign every LED of which is painted lit or unlit: the page has drawn it.
    painted() {
        const sign = this.readSign();
        return sign !== null && sign.odd.length === 0 ? sign.hex : null;
    },
};
`;

// A new page in a context of its own (its own storage), loaded and with the sign painted.
// beforeLoad(page, context) puts in what the page must find from its first script; url: the
// page of another server.
export async function openPage({ width = 1280, height = 800, scale = 1, beforeLoad, url } = {}) {
    assert.ok(shared, 'run.mjs starts the server and the browser');
    const context = await shared.browser.newContext({
        viewport: { width, height }, deviceScaleFactor: scale, acceptDownloads: true, locale: 'es-ES',
    });
    const page = await context.newPage();
    const errors = [];
    pageErrors.set(page, errors);
    page.on('pageerror', (error) => errors.push(error.message));
    // A failed load is reported with its address (the console's message has none); the icon
    // Chromium asks for on its own is not the page's.
    page.on('console', (message) => {
        if (message.type() === 'error' && !message.text().startsWith('Failed to load resource')) {
            errors.push(message.text());
        }
    });
    page.on('response', (response) => {
        if (response.status() >= 400 && new URL(response.url()).pathname !== '/favicon.ico') {
            errors.push(`${response.status()} ${response.url()}`);
        }
    });
    // The page may ask before it is left with unsaved work; a reload in a test means to leave.
    page.on('dialog', (dialog) => (dialog.type() === 'beforeunload' ? dialog.accept() : dialog.dismiss()));
    await page.addInitScript(kPageHelpers);
    await beforeLoad?.(page, context);
    await load(page, () => page.goto(url ?? shared.url));
    return {
        page,
        async close() {
            await context.close();
            assert.deepEqual(errors, [], 'errores en la página');
        },
    };
}

// Runs navigate (goto, reload) and waits for the sign's first paint.
export async function load(page, navigate) {
    await navigate();
    await page.waitForFunction(() => window.__lumivelTest.painted() !== null, null, { timeout: kWait });
}

// A control of the main window; windowControl for one of another window, which may reuse
// the main window's control names (Frame1, SkinLabel2, StatusBar1).
export function control(page, name, index) {
    const indexPart = index === undefined ? '' : `[data-index="${index}"]`;
    return page.locator(`[data-control="${name}"]${indexPart}:not([data-window] *)`);
}

export function windowControl(page, window, name, index) {
    const indexPart = index === undefined ? '' : `[data-index="${index}"]`;
    return page.locator(`[data-window="${window}"] [data-control="${name}"]${indexPart}`);
}

// The page holds input while the core works on an action (a file written, a question
// asked): a person waits for it, and so do the tests before the next click.
export async function idle(page) {
    await page.waitForFunction(
        () => !document.querySelector('[aria-busy="true"]') && !document.body.classList.contains('ocupado'),
        null,
        { timeout: kWait },
    );
}

// A click on a control, then the wait for the page to take input again.
export async function press(page, name, index) {
    await control(page, name, index).click();
    await idle(page);
}

// The native program: SIMLUMIVEL, or the Release or sanitizer build of this tree.
export function nativeProgram() {
    const built = ['release', 'test'].map((dir) => path.join(repo, 'build', dir, 'src', 'app', 'simlumivel'));
    return [process.env.SIMLUMIVEL, ...built].find((candidate) => candidate && existsSync(candidate)) ?? null;
}

// Runs the native program; resolves with its standard output.
export function native(args) {
    const program = nativeProgram();
    assert.ok(program, 'falta el programa nativo (make build, o SIMLUMIVEL=...)');
    // A sanitizer build reports Qt's caches as leaks at exit; the command-line tests run it so too.
    const env = { ...process.env, ASAN_OPTIONS: 'detect_leaks=0', QT_QPA_PLATFORM: 'offscreen' };
    return new Promise((resolve, reject) => {
        execFile(program, args, { encoding: 'utf8', env }, (error, stdout, stderr) =>
            error ? reject(new Error(`${args.join(' ')}: ${stderr || error.message}`)) : resolve(stdout),
        );
    });
}

export const kFonts = ['5x5', '5x7', '5x9', 'negrita'];
export const kEffects = ['caminando', 'porfila', 'porcolumna'];

// The 64 column bytes as the eight rows of '#' and '.', for failure reports.
export function art(hex) {
    const bytes = hex.split(' ').map((b) => parseInt(b, 16));
    const rows = [];
    for (let r = 0; r < 8; ++r) rows.push(bytes.map((b) => ((b >> r) & 1 ? '#' : '.')).join(''));
    return rows.join('\n');
}

// Waits until the canvas shows `hex` (64 column bytes); on time-out says what it shows.
export async function expectSign(page, hex, what) {
    try {
        await page.waitForFunction((want) => window.__lumivelTest.painted() === want, hex, { timeout: kWait });
    } catch {
        const seen = await page.evaluate(() => window.__lumivelTest.readSign());
        const odd = seen && seen.odd.length > 0 ? `\nLED de otro color: ${seen.odd.slice(0, 8).join(', ')}` : '';
        assert.fail(`${what}: el letrero muestra\n${seen ? art(seen.hex) : '(nada)'}\nen lugar de\n${art(hex)}${odd}${errorsOf(page)}`);
    }
}

// The open message box (the page's own, or a <dialog>) and one of its buttons.
export function dialogButton(page, name) {
    return page
        .locator('dialog[open], [role="dialog"]:visible, [role="alertdialog"]:visible')
        .getByRole('button', { name, exact: true });
}

// Picks entry i (from 0) of the list of message numbers as a person does: a click on it,
// which recalls it even when it is already the chosen one.
export async function pick(page, i) {
    await control(page, 'Lstcodigo').locator('option, [role="option"]').nth(i).click();
    await idle(page);
}

// Waits until seen(arg), run in the page, returns what is wanted; on time-out says what it saw.
async function waitSeen(page, what, seen, want) {
    try {
        await page.waitForFunction(`JSON.stringify((${seen})()) === ${JSON.stringify(JSON.stringify(want))}`, null, {
            timeout: kWait,
        });
    } catch {
        const last = await page.evaluate(seen);
        if (JSON.stringify(last) !== JSON.stringify(want)) {
            assert.fail(`${what}: se ve ${JSON.stringify(last)} en lugar de ${JSON.stringify(want)}${errorsOf(page)}`);
        }
    }
}

export const text1Is = (page, value) =>
    waitSeen(page, 'Text1', () => document.querySelector('[data-control="Text1"]').value, value);

// The list of message numbers, as its entries read.
export const listIs = (page, numbers) =>
    waitSeen(
        page,
        'Lstcodigo',
        () =>
            [...document.querySelector('[data-control="Lstcodigo"]').querySelectorAll('option, [role="option"]')].map((o) =>
                o.textContent.trim(),
            ),
        numbers,
    );
