// SPDX-License-Identifier: GPL-3.0-or-later
// Messages not yet saved to a file survive a reload: the page keeps them in IndexedDB and
// asks whether to recover them.
import { test } from 'node:test';
import { control, dialogButton, expectSign, idle, kWait, listIs, load, native, openPage, pick, press, text1Is } from './harness.mjs';

test('a reload offers the unsaved messages back: Sí recovers them, No discards them', async () => {
    const { page, close } = await openPage();
    await press(page, 'Opletra', 3);
    await control(page, 'Text1').fill('NO SE PIERDE');
    await press(page, 'ADICIONAR');
    await control(page, 'Text1').fill('NI ESTE');
    await press(page, 'ADICIONAR');
    await listIs(page, ['1', '2']);

    await load(page, () => page.reload());
    await dialogButton(page, 'Sí').click({ timeout: kWait });
    await idle(page);
    await listIs(page, ['1', '2']);
    await pick(page, 0);
    await text1Is(page, 'NO SE PIERDE');
    await expectSign(page, (await native(['render', '--font', 'negrita', '--format', 'hex', 'NO SE PIERDE'])).trim(), 'el mensaje recuperado');

    // Recovered and still unsaved: the next reload asks again.
    await load(page, () => page.reload());
    await dialogButton(page, 'No').click({ timeout: kWait });
    await idle(page);
    await listIs(page, []);
    await close();
});
