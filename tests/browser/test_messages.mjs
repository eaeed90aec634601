// SPDX-License-Identifier: GPL-3.0-or-later
// A session of the list buttons ends in the same message file as the same session on the
// command line, byte for byte.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtemp, readFile } from 'node:fs/promises';
import os from 'node:os';
import path from 'node:path';
import { control, dialogButton, expectSign, idle, kWait, listIs, native, openPage, pick, press, text1Is } from './harness.mjs';

// Chromium's own save picker gives up at once without a person to answer it: this one stands
// in for it and keeps every file the page writes through it.
function fakePicker() {
    window.__written = [];
    window.showSaveFilePicker = async ({ suggestedName }) => ({
        kind: 'file',
        name: suggestedName,
        queryPermission: async () => 'granted',
        createWritable: async () => {
            let bytes = [];
            return { write: async (data) => (bytes = Array.from(data)), close: async () => window.__written.push(bytes) };
        },
    });
}

const written = async (page, count) => {
    await page.waitForFunction((n) => window.__written.length === n, count, { timeout: kWait });
    return Buffer.from(await page.evaluate(() => window.__written.at(-1)));
};

async function sameFile(saved, file) {
    const expected = await readFile(file);
    assert.equal(saved.length, expected.length, 'tamaño del archivo guardado');
    assert.ok(saved.equals(expected), 'el archivo guardado difiere del de la línea de órdenes');
}

async function compose(page, { font, effect, text }) {
    await control(page, 'Opletra', font).click();
    await control(page, 'op_mostrar', effect).click();
    await control(page, 'Text1').fill(text);
}

// LED (c, r) is 12 CSS pixels a side, centred at (6 + 12c, 6 + 12r).
async function clickLed(page, column, row) {
    const box = await control(page, 'Pic').boundingBox();
    await page.mouse.click(box.x + 6 + 12 * column, box.y + 6 + 12 * row);
}

test('ADICIONAR, MODIFICAR, ELIMINAR and recall, saved, equal the same session of the command line', async () => {
    const folder = await mkdtemp(path.join(process.env.TMPDIR ?? os.tmpdir(), 'sesion-'));
    const file = path.join(folder, 'linea.men');
    // Two LEDs drawn with the pencil, then the whole sign inverted.
    const picture = Array.from({ length: 64 }, (_, c) => (c === 3 ? 0xfb : c === 10 ? 0xdf : 0xff));
    const pictureHex = picture.map((b) => b.toString(16).toUpperCase().padStart(2, '0'));

    await native(['add', '--font', '5x7', '--effect', 'porfila', file, '--', 'HOLA MUNDO']);
    await native(['add', '--font', 'negrita', '--effect', 'porcolumna', file, '--', '¡OFERTA! 50 €']);
    await native(['add', '--font', '5x5', '--effect', 'caminando', file, '--', 'ADIÓS']);
    await native(['add', '--picture', pictureHex.join(''), file]);
    await native(['modify', '--font', '5x9', '--effect', 'porfila', file, '1', '--', 'HOLA MUNDO CRUEL']);
    await native(['delete', file, '2']);

    const { page, close } = await openPage();
    await compose(page, { font: 1, effect: 1, text: 'HOLA MUNDO' });
    await press(page, 'ADICIONAR');
    await listIs(page, ['1']);
    await compose(page, { font: 3, effect: 2, text: '¡OFERTA! 50 €' });
    await press(page, 'ADICIONAR');
    await listIs(page, ['1', '2']);
    await compose(page, { font: 0, effect: 0, text: 'ADIÓS' });
    await press(page, 'ADICIONAR');
    await listIs(page, ['1', '2', '3']);

    await press(page, 'Option1', 0);
    await clickLed(page, 3, 2);
    await clickLed(page, 10, 5);
    await press(page, 'invertir');
    await expectSign(page, pictureHex.join(' '), 'el dibujo');
    await press(page, 'ADICIONAR');
    await listIs(page, ['1', '2', '3', '4']);

    await press(page, 'Option1', 1);
    await pick(page, 0);
    await text1Is(page, 'HOLA MUNDO');
    await press(page, 'Opletra', 2);
    await control(page, 'Text1').fill('HOLA MUNDO CRUEL');
    await press(page, 'MODIFICAR');
    await pick(page, 1);
    await text1Is(page, '¡OFERTA! 50 €');
    await press(page, 'ELIMINAR');
    await listIs(page, ['1', '2', '3']);
    // The renumbered second message is the old third.
    await pick(page, 1);
    await text1Is(page, 'ADIÓS');

    await page.evaluate(fakePicker);
    await press(page, 'guardar');
    await sameFile(await written(page, 1), file);
    // The chosen file then takes every change at once.
    await control(page, 'Text1').fill('OTRO');
    await press(page, 'ADICIONAR');
    await native(['add', '--font', '5x5', '--effect', 'caminando', file, '--', 'OTRO']);
    await sameFile(await written(page, 2), file);
    await close();
});

test('without a file picker the page asks for a name and saves as a download', async () => {
    const file = path.join(await mkdtemp(path.join(process.env.TMPDIR ?? os.tmpdir(), 'descarga-')), 'linea.men');
    await native(['add', '--font', '5x9', '--effect', 'porcolumna', file, '--', 'UNO SOLO']);
    const { page, close } = await openPage();
    await page.evaluate(() => delete window.showSaveFilePicker);
    await compose(page, { font: 2, effect: 2, text: 'UNO SOLO' });
    await press(page, 'ADICIONAR');
    const download = page.waitForEvent('download', { timeout: kWait });
    await control(page, 'guardar').click();
    await page.locator('dialog[open] input[type="text"]').fill('pagina');
    await dialogButton(page, 'Aceptar').click();
    assert.equal((await download).suggestedFilename(), 'pagina.men');
    await sameFile(await readFile(await (await download).path()), file);
    await close();
});
