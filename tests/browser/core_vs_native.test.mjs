// SPDX-License-Identifier: GPL-3.0-or-later
// The WebAssembly core against the native command line on the same inputs: what the sign
// shows for a text, an effect's frames and waits, the bytes of a message file after the
// same edits, and the transmission image. Run under Node, no browser needed.
//   LUMIVEL_WEB_DIR  the built page (default build/web)
//   SIMLUMIVEL       the native executable (default build/release/src/app/simlumivel)
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const webDir = path.resolve(process.env.LUMIVEL_WEB_DIR ?? path.join(root, 'build/web'));
const native = process.env.SIMLUMIVEL ?? path.join(root, 'build/release/src/app/simlumivel');

// emscripten's ES module looks for these CommonJS names when it runs under Node.
globalThis.require = createRequire(import.meta.url);
globalThis.__dirname = webDir;
const { loadCore, Led } = await import(path.join(webDir, 'core.js'));

const boxes = [];
const hooks = {
    mensaje: async (box) => {
        boxes.push(box);
        return box.defaultAnswer;
    },
    openFile: async () => null,
    saveFile: async () => null,
    chooseColor: async () => null,
};
const core = await loadCore(hooks, {
    wasmBinary: fs.readFileSync(path.join(webDir, 'simlumivel-core.wasm')),
});

const run = (...args) => execFileSync(native, args, { encoding: 'utf8' });
const hex = (bytes) =>
    Array.from(bytes, (b) => b.toString(16).toUpperCase().padStart(2, '0')).join(' ');

function shownHex(states) {
    const columns = [];
    for (let c = 0; c < 64; c++) {
        let byte = 0;
        for (let r = 0; r < 8; r++) {
            if (states[c * 8 + r] === Led.Lit) {
                byte |= 1 << r;
            }
        }
        columns.push(byte);
    }
    return hex(columns);
}

const fonts = ['5x5', '5x7', '5x9', 'negrita'];
const effects = ['caminando', 'porfila', 'porcolumna'];
const texts = ['LED LUMIVEL', 'Oferta 2x1 ¡HOY!', 'ñandú € 中'];

function compose(fontIndex, effectIndex, texto) {
    core.click('Option1', 1);
    core.click('Opletra', fontIndex);
    core.click('op_mostrar', effectIndex);
    return core.setText(texto);
}

test('typing shows what render shows, in the four fonts', () => {
    fonts.forEach((font, index) => {
        for (const texto of texts) {
            compose(index, 0, texto);
            const expected = run('render', '--font', font, '--format', 'hex', '--', texto).trim();
            assert.equal(shownHex(core.leds()), expected, `${font}: ${texto}`);
        }
    });
});

test('an effect gives the frames and waits of play --frames', async () => {
    for (let e = 0; e < effects.length; e++) {
        compose(e % 4, e, 'HOLA 2026');
        const effect = await core.effect('Play');
        const lines = run('play', '--effect', effects[e], '--font', fonts[e % 4], '--frames', '--',
                          'HOLA 2026').trim().split('\n');
        const end = lines.pop();
        assert.equal(effect.count, lines.length, effects[e]);
        for (let i = 0; i < effect.count; i++) {
            const [ms, ...columns] = lines[i].split(' ');
            assert.equal(effect.waitMs(i), Number(ms), `${effects[e]} wait ${i}`);
            assert.equal(shownHex(effect.frame(i)), columns.join(' '), `${effects[e]} frame ${i}`);
        }
        effect.end(-1);
        assert.equal(`end ${shownHex(core.leds())}`, end, `${effects[e]} end`);
    }
});

test('the same edits write the same message file and transmission image', async () => {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'lumivel-web-'));
    const file = path.join(folder, 'semana.men');
    core.writeFile('/abiertos/semana.men', new Uint8Array());
    await core.openPath('/abiertos/semana.men');

    compose(1, 1, 'LUNES');
    await core.action('ADICIONAR');
    run('add', '--font', '5x7', '--effect', 'porfila', file, '--', 'LUNES');

    compose(3, 2, 'MARTES ñ');
    await core.action('ADICIONAR');
    run('add', '--font', 'negrita', '--effect', 'porcolumna', file, '--', 'MARTES ñ');

    core.click('Option1', 0);
    core.mouse(0, 1, 6, 6);
    core.mouse(1, 1, 18, 18);
    core.mouse(2, 0, 18, 18);
    await core.action('ADICIONAR');
    const picture = '01' + '02' + '00'.repeat(62);
    run('add', '--picture', picture, file);

    await core.action('Lstcodigo', 0);
    compose(0, 0, 'LUNES Y MIERCOLES');
    await core.action('MODIFICAR');
    run('modify', '--font', '5x5', '--effect', 'caminando', file, '1', '--', 'LUNES Y MIERCOLES');

    await core.action('Lstcodigo', 1);
    await core.action('ELIMINAR');
    run('delete', file, '2');

   
    assert.deepEqual(core.state().lstcodigo, ['1', '2']);
    assert.deepEqual(Buffer.from(core.fileBytes()), fs.readFileSync(file));
    assert.equal(hex(core.transmissionImage()), run('image', file).trim());
    assert.deepEqual(boxes, []);
    fs.rmSync(folder, { recursive: true });
});

test('a message box of the core reaches the page and waits for it', async () => {
    core.click('Option1', 1);
    await core.action('MODIFICAR'); // nothing selected
    assert.equal(boxes.length, 1);
    assert.equal(boxes[0].title, 'No se ha seleccionado');
    boxes.length = 0;
});
