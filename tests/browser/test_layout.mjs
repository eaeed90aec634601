// SPDX-License-Identifier: GPL-3.0-or-later
// The page at the usual window sizes: every control there, the sign whole, no sideways
// scrolling; the screenshots are left in TMPDIR to look at.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import os from 'node:os';
import path from 'node:path';
import { control, openPage } from './harness.mjs';

const kControls = [
    ...'Text1 Pic Lstcodigo ADICIONAR MODIFICAR ELIMINAR Play mayuscula lapiz goma pintura Bomba invertir abrir guardar nuevo'
        .split(' ').map((name) => [name]),
    ...[0, 1, 2, 3].map((i) => ['Opletra', i]), ...[0, 1, 2].map((i) => ['op_mostrar', i]), ['Option1', 0], ['Option1', 1],
];

test('the page fits 1280x800 and 800x600 with every control and the whole sign in view', async (t) => {
    for (const [width, height] of [[1280, 800], [800, 600]]) {
        await t.test(`${width}x${height}`, async () => {
            const { page, close } = await openPage({ width, height });
            await page.screenshot({ path: path.join(process.env.TMPDIR ?? os.tmpdir(), `simlumivel-${width}x${height}.png`) });
            const { scrollWidth, clientWidth } = await page.evaluate(() => ({
                scrollWidth: document.documentElement.scrollWidth,
                clientWidth: document.documentElement.clientWidth,
            }));
            assert.ok(scrollWidth <= clientWidth, `desplazamiento horizontal: ${scrollWidth} > ${clientWidth}`);
            for (const [name, index] of kControls) {
                assert.equal(await control(page, name, index).count(), 1, `${name}${index ?? ''} en la página`);
            }
            const sign = await control(page, 'Pic').boundingBox();
            assert.deepEqual([sign.width, sign.height], [775, 102], 'tamaño del letrero en píxeles CSS');
            assert.ok(sign.x >= 0 && sign.x + sign.width <= clientWidth, `el letrero se sale: x ${sign.x}`);
            await close();
        });
    }
});
