// "Play" shows the frames the native program's `play --frames` prints, each for its wait.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { art, control, expectSign, kEffects, kFonts, kWait, native, openPage } from './harness.mjs';

// Wraps the core's effect (the page keeps its core in window.lumivel) to log what the page's
// pacer asks of it, and samples the canvas at every animation frame, until the effect ends.
function record() {
    const core = window.lumivel?.core ?? window.lumivel;
    if (typeof core?.effect !== 'function') {
        throw new Error('la página no deja ver su núcleo en window.lumivel');
    }
    const hexOf = (leds) => {
        const bytes = [];
        for (let c = 0; c < 64; ++c) {
            let byte = 0;
            for (let r = 0; r < 8; ++r) byte |= leds[c * 8 + r] === 2 ? 1 << r : 0;
            bytes.push(byte.toString(16).toUpperCase().padStart(2, '0'));
        }
        return bytes.join(' ');
    };
    const log = { count: null, frames: {}, waits: {}, order: [], shown: [], start: null, end: null };
    window.__effectLog = log;
    const sample = () => {
        const hex = window.__lumivelTest.painted();
        if (hex !== null && hex !== log.shown.at(-1)) log.shown.push(hex);
        if (log.end === null) requestAnimationFrame(sample);
    };
    sample();
    const effect = core.effect;
    core.effect = async function (name) {
        const frames = await effect.call(this, name);
        core.effect = effect;
        log.count = frames.count;
        return {
            ...frames,
            frame(i) {
                const leds = frames.frame(i);
                log.start ??= performance.now();
                log.frames[i] = hexOf(leds);
                log.order.push(i);
                return leds;
            },
            waitMs(i) {
                log.waits[i] = frames.waitMs(i);
                return log.waits[i];
            },
            end(stoppedAfter) {
                log.end = performance.now();
                return frames.end(stoppedAfter);
            },
        };
    };
}

const cases = [
    { effect: 1, font: 1, text: 'HOLA' },
    { effect: 0, font: 0, text: 'Año 1' },
    { effect: 2, font: 3, text: 'SI' },
];

test('Play shows the native frames with their waits', async (t) => {
    const { page, close } = await openPage();
    for (const { effect, font, text } of cases) {
        await t.test(`${kEffects[effect]}, ${kFonts[font]}, «${text}»`, async () => {
            const lines = (
                await native(['play', '--effect', kEffects[effect], '--font', kFonts[font], '--frames', '--', text])
            )
                .trim()
                .split('\n');
            const endHex = lines.pop().replace(/^end /, '');
            const want = lines.map((line) => {
                const [, ms, hex] = line.match(/^(\d+) (.*)$/);
                return { ms: Number(ms), hex };
            });

            await control(page, 'Opletra', font).click();
            await control(page, 'op_mostrar', effect).click();
            await control(page, 'Text1').fill(text);
            const before = await page.evaluate(() => window.__lumivelTest.painted());
            await page.evaluate(record);
            await control(page, 'Play').click();
            await page.waitForFunction(() => window.__effectLog.end !== null, null, {
                timeout: kWait + want.reduce((sum, f) => sum + f.ms, 0),
            });
            const log = await page.evaluate(() => window.__effectLog);

            assert.equal(log.count, want.length, 'número de esperas');
            assert.deepEqual([...new Set(log.order)], [...want.keys()], 'los cuadros, en orden y todos');
            for (const [i, frame] of want.entries()) {
                assert.equal(log.waits[i], frame.ms, `espera ${i}`);
                assert.equal(log.frames[i], frame.hex, `cuadro ${i}:\n${art(log.frames[i] ?? frame.hex)}\nen lugar de\n${art(frame.hex)}`);
            }
            // The sign keeps the effect's time: the waits never run short.
            const total = want.reduce((sum, f) => sum + f.ms, 0);
            assert.ok(log.end - log.start >= total - 2 * want.length, `duró ${log.end - log.start} ms de ${total}`);
            // What the canvas showed came in the effect's order, and nothing else did.
            const shown = log.shown.filter((hex, i) => !(i === 0 && hex === before));
            let next = 0;
            for (const hex of shown) {
                while (next < want.length && want[next].hex !== hex) ++next;
                if (next === want.length && hex === endHex) continue;
                assert.ok(next < want.length, `el letrero mostró fuera de orden\n${art(hex)}`);
            }
            await expectSign(page, endHex, 'al terminar');
        });
    }
    await close();
});
