// SPDX-License-Identifier: GPL-3.0-or-later
// "Enviar" in the page programs the project's virtual sign through a stand-in for Web
// Serial, with the link, outcomes and texts of the desktop's transmission window.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtemp } from 'node:fs/promises';
import os from 'node:os';
import path from 'node:path';
import {
    control, dialogButton, idle, kWait, listIs, load, native, openPage, press, windowControl,
} from './harness.mjs';
import { fakeSerial, noSerial, startVirtualSign } from './virtual_sign_port.mjs';

const MESSAGES = ['AB', 'HOLA MUNDO'];
const CONNECTION_FAILED = 'No se ha podido conectar con el Lumivel Electronico';

const form1 = (page, name, index) => windowControl(page, 'Form1', name, index);
const status = (page) => page.locator('[data-window="Form1"] [data-panel="0"]');
const title = (page) => page.locator('[data-window="Form1"] .form1-titulo');

async function addMessages(page, texts) {
    for (const texto of texts) {
        await press(page, 'Opletra', 1);
        await press(page, 'op_mostrar', 0);
        await control(page, 'Text1').fill(texto);
        await press(page, 'ADICIONAR');
    }
}

// The same messages written by the command line: its wire bytes, as the sign receives them.
async function expectedWire(texts) {
    const file = path.join(await mkdtemp(path.join(process.env.TMPDIR ?? os.tmpdir(), 'envio-')), 'semana.men');
    for (const texto of texts) {
        await native(['add', '--font', '5x7', '--effect', 'caminando', file, '--', texto]);
    }
    return (await native(['image', '--wire', file])).trim();
}

const ADVICE = 'El enlace con el Lumivel es lento';

// Whether the page advises on a slow line depends on the round trip this stand-in bridge
// happens to give, near the threshold under load: a test about something else closes the
// advice as it opens, before anything else can see it.
function closeAdvice(title) {
    new MutationObserver(() => {
        for (const box of document.querySelectorAll('dialog[open]')) {
            if (box.querySelector('.caja-titulo')?.textContent === title) {
                box.querySelector('.caja-botones button:last-child').click();
            }
        }
    }).observe(document, { childList: true, subtree: true });
}

// showAdvice: the advice for a slow line stays for the test; beforeLoad(page): more init scripts.
async function withSign(signOptions, run, { showAdvice = false, beforeLoad } = {}) {
    const { page, close } = await openPage({
        beforeLoad: async (p) => {
            await p.addInitScript(fakeSerial);
            if (!showAdvice) {
                await p.addInitScript(closeAdvice, ADVICE);
            }
            await beforeLoad?.(p);
        },
    });
    const sign = await startVirtualSign(page, signOptions);
    try {
        await run(page, sign);
    } finally {
        await sign.stop();
    }
    await close();
}

// The transfer is over once the window takes input again (Enviar enabled).
async function sendAndWait(page) {
    await form1(page, 'Command1').click();
    await transferEnded(page);
}

async function transferEnded(page) {
    await page.waitForFunction(
        () => {
            const form = document.querySelector('[data-window="Form1"]');
            return form.getAttribute('aria-busy') === 'false' && !form.querySelector('[data-control="Command1"]').disabled;
        },
        null,
        { timeout: kWait },
    );
}

// The one box open: its title and text; then it is closed (the transfer may go on).
async function expectBox(page, boxTitle, start) {
    const box = page.locator('dialog[open]');
    await box.waitFor({ timeout: kWait });
    assert.equal(await page.locator('dialog[open]').count(), 1, 'una sola caja');
    assert.equal(await box.locator('.caja-titulo').textContent(), boxTitle);
    const texto = await box.locator('.caja-texto').textContent();
    assert.ok(texto.startsWith(start), `la caja dice «${texto}»`);
    await dialogButton(page, 'Aceptar').click();
    await box.waitFor({ state: 'detached', timeout: kWait });
}

test('Enviar programs the sign byte for byte as the command line would, and the port is remembered', async () => {
    await withSign({}, async (page, sign) => {
        await addMessages(page, MESSAGES);
        await press(page, 'serial');
        assert.equal(await title(page).textContent(), 'Comunicacion Serial   Transmision de informacion  al Lumivel');
        assert.equal(await form1(page, 'SkinLabel1').textContent(), 'MENSAJES EN TOTAL      2');
        const wire = await expectedWire(MESSAGES);
        const imageBytes = wire.split(' ').length - 1 - 5; // less the request and one header
        assert.equal(await form1(page, 'SkinLabel2').textContent(), `${imageBytes - 1} Utilizados / 8191 Disponibles`);
        assert.equal(await status(page).textContent(), 'Programando el lumivel');

        await page.evaluate(() => (window.__staleOnOpen = [0x63, 0x41]));
        await sendAndWait(page);
        assert.equal(sign.wireHex(), wire, 'los bytes que recibe el letrero');
        const image = await sign.waitForImage();
        assert.deepEqual(image.map((m) => m.texto), MESSAGES);
        assert.equal(await status(page).textContent(), `Transmision completa: ${imageBytes} de ${imageBytes} bytes verificados.`);
        assert.equal(await title(page).textContent(), 'CONECCION EXITOSA !!!');
        assert.equal(await page.locator('dialog[open]').count(), 0, 'sin cajas');
        assert.equal(await form1(page, 'ProgressBar1').evaluate((bar) => bar.value === bar.max), true);
        const log = await page.evaluate(() => window.__serialLog);
        assert.deepEqual(log.opened, { baudRate: 9600, dataBits: 8, parity: 'none', stopBits: 1, flowControl: 'none', bufferSize: 1024 });
        assert.deepEqual(log.signals, { dataTerminalReady: true, requestToSend: false });
        assert.equal(log.closes, 1);
        assert.match(await page.locator('[data-check="portName"]').textContent(), /USB 1a86:7523/);

        // The next Enviar takes the port the browser remembers, and the messages as they are now.
        await addMessages(page, ['NUEVO']);
        await sendAndWait(page);
        assert.equal(await page.evaluate(() => window.__serialLog.requests), 1, 'el puerto se pidió una sola vez');
        assert.deepEqual((await sign.waitForImage(2)).map((m) => m.texto), [...MESSAGES, 'NUEVO']);
        assert.equal(await form1(page, 'SkinLabel1').textContent(), 'MENSAJES EN TOTAL      3');

        await form1(page, 'Command2').click();
        assert.equal(await page.locator('[data-window="Form1"]').isHidden(), true);
    });
});

// Every text the time label takes ('' when cleared), and every box opened (its title, and
// whether a transfer was going on), in order: what is shown for a moment is seen all the same.
function recordTimesAndBoxes() {
    window.__times = [];
    window.__boxes = [];
    const label = document.querySelector('[data-window="Form1"] [data-control="Tiempo"]');
    new MutationObserver((records) => {
        for (const record of records) {
            window.__times.push(record.addedNodes[0]?.textContent ?? '');
        }
    }).observe(label, { childList: true });
    new MutationObserver((records) => {
        for (const node of records.flatMap((record) => [...record.addedNodes])) {
            if (node.localName === 'dialog') {
                const busy = document.querySelector('[data-window="Form1"]').getAttribute('aria-busy') === 'true';
                window.__boxes.push(`${node.querySelector('.caja-titulo').textContent}${busy ? ' (enviando)' : ''}`);
            }
        }
    }).observe(document.body, { childList: true });
}

// The computer the page believes it runs on, for the advice's fix.
function onWindows() {
    Object.defineProperty(Navigator.prototype, 'platform', { get: () => 'Win32', configurable: true });
    Object.defineProperty(Navigator.prototype, 'userAgentData', { get: () => ({ platform: 'Windows' }), configurable: true });
}

const ESTIMATE = /^Tiempo estimado: (\d+ min )?\d+ s$/;
const LEFT = /^Quedan (\d+ min )?\d+ s$/;

// The sign holds every echo 16 ms, as a USB adapter does with its factory latency timer.
test('a slow adapter: the estimate, the time left, and the advice once for the port', async () => {
    await withSign({ fault: 'latency:16' }, async (page, sign) => {
        await addMessages(page, ['AB']);
        await press(page, 'serial');
        await page.evaluate(recordTimesAndBoxes);
        const times = () => page.evaluate(() => window.__times.splice(0));

        await form1(page, 'Command1').click();
        const box = page.locator('dialog[open]');
        await box.waitFor({ timeout: kWait });
        assert.equal(await box.locator('.caja-titulo').textContent(), ADVICE);
        const texto = await box.locator('.caja-texto').textContent();
        assert.match(texto, /WCH CH340/);
        assert.match(texto, /temporizador de latencia/);
        assert.match(texto, /Administrador de dispositivos/, 'el arreglo de Windows');
        await dialogButton(page, 'Aceptar').click();
        await page.waitForFunction(() => window.__times.some((t) => /^Quedan/.test(t)), null, { timeout: kWait });
        await transferEnded(page);
        assert.match(await status(page).textContent(), /^Transmision completa: (\d+) de \1 bytes verificados\.$/);
        assert.deepEqual((await sign.waitForImage()).map((m) => m.texto), ['AB']);
        const first = await times();
        assert.match(first[0], ESTIMATE, first.join(' | '));
        assert.ok(first.slice(1, -1).every((t) => LEFT.test(t)), first.join(' | '));
        assert.match(first.at(-1), ESTIMATE);
        assert.match(await form1(page, 'Tiempo').textContent(), ESTIMATE, 'lo que costó queda a la vista');

        // The same port in the same page: the label starts over, the advice is not repeated.
        await sendAndWait(page);
        await idle(page);
        const second = await times();
        assert.equal(second[0], '', 'la etiqueta se vacía al pulsar Enviar');
        assert.match(second[1], ESTIMATE, second.join(' | '));
        assert.ok(second.some((t) => LEFT.test(t)), second.join(' | '));
        assert.match(second.at(-1), ESTIMATE);
        assert.deepEqual(await page.evaluate(() => window.__boxes), [`${ADVICE} (enviando)`], 'un solo consejo, durante la transmisión');
        assert.match(await status(page).textContent(), /^Transmision completa: (\d+) de \1 bytes verificados\.$/);
        assert.deepEqual((await sign.waitForImage(2)).map((m) => m.texto), ['AB']);
    }, { showAdvice: true, beforeLoad: (p) => p.addInitScript(onWindows) });
});

test('the advice names the fix for Windows and Linux, and the general one elsewhere', async () => {
    const { page, close } = await openPage();
    const systems = await page.evaluate(async () => {
        const { adviceSystem } = await import(new URL('serial_port.js', location.href).href);
        const linux = 'Mozilla/5.0 (X11; Linux x86_64)';
        return [
            { userAgentData: { platform: 'Windows' }, platform: 'Win32' },
            { platform: 'Win32', userAgent: 'Mozilla/5.0 (Windows NT 10.0; Win64; x64)' },
            { userAgentData: { platform: 'Linux' }, platform: 'Linux x86_64', userAgent: linux },
            { userAgentData: { platform: '' }, platform: '', userAgent: linux },
            { userAgentData: { platform: 'Chrome OS' }, platform: 'Linux x86_64', userAgent: 'Mozilla/5.0 (X11; CrOS x86_64 14541.0.0)' },
            { platform: 'Linux x86_64', userAgent: 'Mozilla/5.0 (X11; CrOS x86_64 14541.0.0)' },
            { userAgentData: { platform: 'Android' }, platform: 'Linux armv8l', userAgent: 'Mozilla/5.0 (Linux; Android 10; K)' },
            { platform: 'Linux armv8l', userAgent: 'Mozilla/5.0 (Linux; Android 10; K)' },
            { userAgentData: { platform: 'macOS' }, platform: 'MacIntel' },
            {},
        ].map((nav) => adviceSystem(nav));
    });
    assert.deepEqual(systems, ['windows', 'windows', 'linux', 'linux', 'other', 'other', 'other', 'other', 'other', 'other']);
    await close();
});

const DATA_ERROR = { box: 'Error en la TX y RX de datos', start: 'Los datos que se han enviado no son los mismos' };
const FAULTS = [
    { fault: 'silent', box: '¡¡¡¡ Error en la Comunicacion !!!', start: CONNECTION_FAILED, summary: 'No se ha enviado nada.' },
    { fault: 'no-hello', box: '¡¡¡¡ Error en la Comunicacion !!!', start: CONNECTION_FAILED, summary: 'No se ha enviado nada.' },
    { fault: 'corrupt:4', ...DATA_ERROR, summary: /^Transmision completa con errores: \d+ de \d+ bytes verificados\.$/ },
    // The first unanswered byte is a differing echo, as in the window; then the silence.
    { fault: 'stop:12', first: DATA_ERROR, box: '¡¡¡¡ Error en la Comunicacion !!!', start: 'El Lumivel Electronico ha dejado de responder', summary: /^Transmision interrumpida: \d+ de \d+ bytes verificados\.$/ },
    { unplugAfter: 14, box: '¡¡¡¡ Error en la Comunicacion !!!', start: 'Se perdio el puerto USB 1a86:7523: el letrero se desconectó durante la transmisión', summary: /^Transmision interrumpida: \d+ de \d+ bytes verificados\.$/ },
];

for (const { fault, unplugAfter, first, box, start, summary } of FAULTS) {
    test(`a sign that fails (${fault ?? 'desenchufado'}) gives the window's outcome and text, once`, async () => {
        await withSign({ fault, unplugAfter }, async (page) => {
            await addMessages(page, MESSAGES);
            await press(page, 'serial');
            await form1(page, 'Command1').click();
            if (first) {
                await expectBox(page, first.box, first.start);
            }
            await expectBox(page, box, start);
            await idle(page);
            assert.equal(await page.locator('dialog[open]').count(), 0, 'ninguna caja más');
            const said = await status(page).textContent();
            if (typeof summary === 'string') assert.equal(said, summary);
            else assert.match(said, summary);
            assert.equal(await title(page).textContent(), fault === 'corrupt:4' ? 'CONECCION EXITOSA !!!' : 'Comunicacion Serial   Transmision de informacion  al Lumivel');
        });
    });
}

// Slow enough at 1200 baud (about 17 ms a byte) to act in the middle of the transfer.
const LONG = Array.from({ length: 6 }, (_, i) => `MENSAJE ${i + 1} DE LA SEMANA PARA LA TIENDA`);

test('Detener stops at a byte boundary and says how many bytes were verified', async () => {
    await withSign({ pace: 1200 }, async (page, sign) => {
        await addMessages(page, LONG);
        await press(page, 'serial');
        await form1(page, 'Command1').click();
        await page.waitForFunction(() => document.querySelector('[data-window="Form1"] [data-control="ProgressBar1"]').value > 20, null, {
            timeout: kWait,
        });
        assert.equal(await form1(page, 'Detener').isVisible(), true);
        await form1(page, 'Detener').click();
        const atStop = sign.sent.length;
        await page.waitForFunction(() => !document.querySelector('[data-window="Form1"] [data-control="Command1"]').disabled, null, {
            timeout: kWait,
        });
        // The byte on the line finishes; at most one header may follow it, nothing more.
        assert.ok(sign.sent.length - atStop <= 6, `${sign.sent.length - atStop} bytes tras Detener`);
        const said = await status(page).textContent();
        const [, verified] = said.match(/^Transmision interrumpida: (\d+) de \d+ bytes verificados\.$/) ?? [];
        assert.ok(verified !== undefined, said);
        assert.ok(Number(verified) > 20);
        assert.equal(await form1(page, 'Detener').isHidden(), true);
        assert.equal(await page.locator('dialog[open]').count(), 0, 'Detener no muestra caja');
    });
});

test('a reload in the middle of a transfer loses no message', async () => {
    await withSign({ pace: 1200 }, async (page) => {
        await addMessages(page, LONG);
        await listIs(page, ['1', '2', '3', '4', '5', '6']);
        await press(page, 'serial');
        await form1(page, 'Command1').click();
        await page.waitForFunction(() => document.querySelector('[data-window="Form1"] [data-control="ProgressBar1"]').value > 10, null, {
            timeout: kWait,
        });
        await load(page, () => page.reload());
        await dialogButton(page, 'Sí').click({ timeout: kWait });
        await idle(page);
        await listIs(page, ['1', '2', '3', '4', '5', '6']);
    });
});

test('a browser without Web Serial says which browsers have it and offers the file and the command line', async () => {
    const { page, close } = await openPage({ beforeLoad: (p) => p.addInitScript(noSerial) });
    await addMessages(page, MESSAGES);
    await press(page, 'serial');
    assert.match(await page.locator('[data-check="portName"]').textContent(), /no tiene acceso a puertos serie/);
    await form1(page, 'Command1').click();
    const box = page.locator('dialog[open]');
    await box.waitFor({ timeout: kWait });
    const texto = await box.locator('.caja-texto').textContent();
    assert.match(texto, /Google Chrome, Microsoft Edge u Opera/);
    assert.match(texto, /Firefox y Safari/);
    assert.match(await box.locator('[data-check="sendCommand"]').textContent(), /^simlumivel send --port \/dev\/ttyUSB0 ".+\.men"$/);
    const download = page.waitForEvent('download');
    await box.locator('[data-control="downloadFile"]').click();
    const saved = await download;
    assert.match(saved.suggestedFilename(), /\.men$/);
    await dialogButton(page, 'Aceptar').click();
    await idle(page);
    await close();
});
