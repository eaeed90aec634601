// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the frames of an effect the core has worked out, each for its wait, on absolute
// deadlines: frame i is due at start + the waits before it. At most one frame is painted
// per animation frame; a late one skips to the frame that is due, so the effect never
// drifts from the sign's own timing.

// effect: {count, frame(i), waitMs(i)}; paint(leds) draws one frame.
// Returns {promise, stop}: promise resolves with the number of frames shown when stopped,
// or -1 when the effect ran to its end.
export function playFrames(effect, paint) {
    const deadlines = new Float64Array(effect.count + 1);
    let shown = -1; // index of the frame on the sign
    let finish;
    const promise = new Promise((resolve) => {
        finish = resolve;
    });

    if (effect.count <= 0) {
        finish(-1);
        return { promise, stop() {} };
    }

    const start = performance.now();
    deadlines[0] = start;
    for (let i = 0; i < effect.count; i++) {
        deadlines[i + 1] = deadlines[i] + Math.max(0, effect.waitMs(i));
    }

    // The last frame whose deadline has come, by binary search.
    const due = (now) => {
        let low = 0;
        let high = effect.count; // deadlines[count] is the end
        while (low < high) {
            const middle = (low + high + 1) >> 1;
            if (deadlines[middle] <= now) {
                low = middle;
            } else {
                high = middle - 1;
            }
        }
        return low;
    };

    let ended = false;
    const end = (result) => {
        if (!ended) {
            ended = true;
            finish(result);
        }
    };

    const show = (i) => {
        if (i !== shown) {
            paint(effect.frame(i));
            shown = i;
        }
    };

    const tick = (now) => {
        if (ended) {
            return;
        }
        const i = due(Math.max(now, performance.now()));
        if (i >= effect.count) {
            end(-1);
            return;
        }
        show(i);
        requestAnimationFrame(tick);
    };

    // The first frame goes up at once; the rest follow the animation frames.
    show(0);
    requestAnimationFrame(tick);

    return {
        promise,
        // Esc: the effect ends after the frame being shown.
        stop() {
            end(shown + 1);
        },
        get shown() {
            return shown + 1;
        },
    };
}
