// SPDX-License-Identifier: GPL-3.0-or-later
// "Play" shows the frames the native program's `play --frames` prints, each for its wait.
// The page's clock is Playwright's fake one, stepped one animation frame at a time: at every
// step the canvas must show the frame due by the native waits, whatever load the machine is
// under, and the effect must end exactly when the waits add up.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { art, control, expectSign, kEffects, kFonts, native, openPage } from './harness.mjs';

const kFrameMs = 16; // the fake clock's animation frame

async function nativeFrames(effect, font, text) {
    const lines = (await native(['play', '--effect', effect, '--font', font, '--frames', '--', text])).trim().split('\n');
    const end = lines.pop().replace(/^end /, '');
    let total = 0;
    const frames = lines.map((line) => ({ from: total, hex: line.slice(line.indexOf(' ') + 1), to: (total += parseInt(line, 10)) }));
    return { frames, end, total };
}

const cases = [
    { effect: 1, font: 1, text: 'HOLA' },
    { effect: 0, font: 0, text: 'Año 1' },
    { effect: 2, font: 3, text: 'SI' },
];

test('Play shows the native frames for their waits and ends when they are over', async (t) => {
    for (const { effect, font, text } of cases) {
        await t.test(`${kEffects[effect]}, ${kFonts[font]}, «${text}»`, async () => {
            const want = await nativeFrames(kEffects[effect], kFonts[font], text);
            const { page, close } = await openPage();
            await control(page, 'Opletra', font).click();
            await control(page, 'op_mostrar', effect).click();
            await control(page, 'Text1').fill(text);
            const before = await page.evaluate(() => window.__lumivelTest.painted());
            assert.notEqual(want.frames[0].hex, before, 'the first frame must tell that the effect started');

            // Installed, the fake clock still follows the real one; paused, it moves only when
            // stepped.
            await page.clock.install();
            await page.clock.pauseAt(await page.evaluate(() => Date.now() + 1000));
            const start = await page.evaluate(() => {
                // The time of the last animation frame: what the canvas shows was painted then.
                const request = window.requestAnimationFrame;
                window.requestAnimationFrame = (callback) =>
                    request((now) => {
                        window.__lastFrame = performance.now();
                        callback(now);
                    });
                window.__lastFrame = performance.now();
                return window.__lastFrame;
            });
            await control(page, 'Play').click();
            // Time stands still until stepped, so the effect starts at `start`.
            await expectSign(page, want.frames[0].hex, 'al empezar');

            let index = 0;
            for (;;) {
                await page.clock.runFor(kFrameMs);
                const seen = await page.evaluate(() => ({
                    at: window.__lastFrame,
                    hex: window.__lumivelTest.painted(),
                }));
                const at = seen.at - start;
                if (at >= want.total) {
                    break;
                }
                while (index + 1 < want.frames.length && want.frames[index + 1].from <= at) {
                    ++index;
                }
                assert.equal(
                    seen.hex,
                    want.frames[index].hex,
                    `a los ${at} ms debe verse el cuadro ${index} de ${want.frames.length}:\n${art(want.frames[index].hex)}\ny se ve\n${art(seen.hex ?? want.end)}`,
                );
            }
            assert.equal(index, want.frames.length - 1, 'cuadros mostrados');
            await expectSign(page, want.end, `al terminar, a los ${want.total} ms`);
            await close();
        });
    }
});
