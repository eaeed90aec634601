// SPDX-License-Identifier: GPL-3.0-or-later
// Typing into Text1 redraws the sign as the native program composes the same text.
import { test } from 'node:test';
import { control, expectSign, kFonts, native, openPage } from './harness.mjs';

const render = async (font, text) =>
    (await native(['render', '--font', font, '--format', 'hex', '--', text])).trim();

test('Text1 redraws the sign in each font as the native program does', async (t) => {
    const texts = [
        'HOLA MUNDO 0123456789',
        'ñandú ¿qué? ¡ya! 25° 3€',
        // Outside Windows-1252: each shows as "?" (the emoji is two UTF-16 units).
        'Ωμέγα → ✓ 😀 ok',
        '-x "comillas" <b>&amp;</b>',
    ];
    const { page, close } = await openPage();
    for (const [index, font] of kFonts.entries()) {
        await control(page, 'Opletra', index).click();
        for (const text of texts) {
            await t.test(`${font}: ${text}`, async () => {
                await control(page, 'Text1').fill(text);
                await expectSign(page, await render(font, text), `${font} «${text}»`);
            });
        }
    }
    await close();
});

test('every keystroke redraws the sign, on a screen of two device pixels per pixel too', async (t) => {
    for (const scale of [1, 2]) {
        await t.test(`devicePixelRatio ${scale}`, async () => {
            const { page, close } = await openPage({ scale });
            await control(page, 'Opletra', 1).click();
            const text1 = control(page, 'Text1');
            await text1.fill('');
            let typed = '';
            for (const key of 'Año 7') {
                await text1.pressSequentially(key);
                typed += key;
                await expectSign(page, await render('5x7', typed), `tras teclear «${typed}»`);
            }
            await text1.press('Backspace');
            await expectSign(page, await render('5x7', 'Año '), 'tras borrar una letra');
            await close();
        });
    }
});
