// SPDX-License-Identifier: GPL-3.0-or-later
// The sign drawn on its canvas, LED by LED, as the desktop window paints it: a ring (the
// outline of a circle with a thick pen, i.e. a filled disc) with a round dot in its centre,
// pixel for pixel without smoothing so that an LED's centre pixel has exactly its colour.
// Each look is worked out once per device pixel ratio into a small sprite of pixels that a
// repaint only copies into the frame, which goes to the canvas in one piece.
import { Led } from './core.js';

const BACKGROUND = 0xff000000; // black, opaque
const COLUMNS = 64;
const ROWS = 8;

function rgbOf(colour) {
    if (Array.isArray(colour)) {
        return colour;
    }
    if (typeof colour === 'string') {
        const hex = colour.replace('#', '');
        return [0, 2, 4].map((i) => parseInt(hex.substring(i, i + 2), 16));
    }
    return [colour.r, colour.g, colour.b];
}

function packed([r, g, b]) {
    // ImageData pixels read as little-endian 32-bit words: A B G R.
    return (0xff000000 | (b << 16) | (g << 8) | r) >>> 0;
}

// The pixels whose centres lie strictly inside the circle, relative to an origin pixel.
function discPixels(cx, cy, radius, colour, into) {
    const r2 = radius * radius;
    const reach = Math.ceil(radius) + 2;
    for (let dy = -reach; dy <= reach; dy++) {
        const y = dy + 0.5 - cy;
        for (let dx = -reach; dx <= reach; dx++) {
            const x = dx + 0.5 - cx;
            if (x * x + y * y < r2) {
                into.set(`${dx},${dy}`, colour);
            }
        }
    }
}

export class SignCanvas {
    constructor(canvas) {
        this.canvas = canvas;
        this.context = canvas.getContext('2d', { alpha: false });
        this.look = null;
        this.ratio = 0;
        this.sprites = new Map();
        this.placements = [];
        this.frame = null;
        this.words = null;
        this.shown = null; // the states last painted, to skip a repaint that changes nothing
        this.watchRatio();
    }

    // The look from core.look(); a new one is painted at the next paint().
    setLook(look) {
        this.look = look;
        this.overlaps = undefined;
        this.sprites.clear();
        this.placements = [];
        this.shown = null;
        this.size();
    }

    size() {
        const ratio = window.devicePixelRatio || 1;
        const width = this.look ? this.look.width : 775;
        const height = this.look ? this.look.height : 102;
        this.ratio = ratio;
        const deviceWidth = Math.round(width * ratio);
        const deviceHeight = Math.round(height * ratio);
        if (this.canvas.width !== deviceWidth || this.canvas.height !== deviceHeight) {
            this.canvas.width = deviceWidth;
            this.canvas.height = deviceHeight;
        }
        this.canvas.style.aspectRatio = `${width} / ${height}`;
        this.canvas.style.width = `${width}px`;
        this.sprites.clear();
        this.placements = [];
        this.overlaps = undefined;
        this.shown = null;
    }

    // A zoom or a move to a screen of another density changes the device pixel ratio.
    watchRatio() {
        const query = matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
        query.addEventListener(
            'change',
            () => {
                const last = this.shown;
                this.size();
                if (last) {
                    this.paint(last);
                }
                this.watchRatio();
            },
            { once: true },
        );
    }

    // The sprite of one LED kind for LEDs whose ring centre sits at (fx, fy) within its
    // device pixel: the pixels it covers, relative to that pixel, and their colours.
    sprite(kind, fx, fy) {
        const key = `${kind}|${fx.toFixed(5)}|${fy.toFixed(5)}`;
        let sprite = this.sprites.get(key);
        if (sprite) {
            return sprite;
        }
        const look = this.look[kind];
        const r = this.ratio;
        const pixels = new Map();
        discPixels(fx, fy, (look.radius + look.ringPen / 2) * r, packed(rgbOf(look.ring)), pixels);
        // An even pen puts its dot on the pixel corner at the centre, as the desktop does.
        const dotShift = look.dotPen % 2 === 0 ? -0.5 * r : 0;
        discPixels(fx + dotShift, fy + dotShift, (look.dotPen / 2) * r, packed(rgbOf(look.centre)), pixels);
        const count = pixels.size;
        sprite = { dx: new Int32Array(count), dy: new Int32Array(count), colour: new Uint32Array(count) };
        let i = 0;
        for (const [at, colour] of pixels) {
            const [dx, dy] = at.split(',').map(Number);
            sprite.dx[i] = dx;
            sprite.dy[i] = dy;
            sprite.colour[i] = colour;
            i++;
        }
        this.sprites.set(key, sprite);
        return sprite;
    }

    // LED i (column * 8 + row) of a kind (1 lit, 0 unlit) as frame word indexes and colours,
    // worked out once per look and size.
    placed(i, lit) {
        const slot = lit * COLUMNS * ROWS + i;
        let placed = this.placements[slot];
        if (placed) {
            return placed;
        }
        const column = Math.floor(i / ROWS);
        const row = i % ROWS;
        const e = this.look.escala;
        const r = this.ratio;
        const width = this.canvas.width;
        const height = this.canvas.height;
        // The ring's centre is the middle of the LED's centre pixel.
        const x = (2 * e + 4 * e * column + 0.5) * r;
        const y = (2 * e + 4 * e * row + 0.5) * r;
        const ox = Math.floor(x);
        const oy = Math.floor(y);
        const sprite = this.sprite(lit ? 'lit' : 'unlit', x - ox, y - oy);
        const index = [];
        const colour = [];
        for (let k = 0; k < sprite.colour.length; k++) {
            const px = ox + sprite.dx[k];
            const py = oy + sprite.dy[k];
            if (px >= 0 && px < width && py >= 0 && py < height) {
                index.push(py * width + px);
                colour.push(sprite.colour[k]);
            }
        }
        placed = { index: Int32Array.from(index), colour: Uint32Array.from(colour) };
        this.placements[slot] = placed;
        return placed;
    }

    // Whether any pixel belongs to two LEDs, so that painting one may cover another.
    overlapping() {
        if (this.overlaps === undefined) {
            const owner = new Int16Array(this.canvas.width * this.canvas.height).fill(-1);
            this.overlaps = false;
            for (let i = 0; i < COLUMNS * ROWS && !this.overlaps; i++) {
                for (const lit of [0, 1]) {
                    for (const at of this.placed(i, lit).index) {
                        if (owner[at] !== -1 && owner[at] !== i) {
                            this.overlaps = true;
                        }
                        owner[at] = i;
                    }
                }
            }
        }
        return this.overlaps;
    }

    // leds: 512 LED states, index column * 8 + row.
    paint(leds) {
        if (!this.look) {
            return;
        }
        if (this.shown && sameStates(this.shown, leds)) {
            return;
        }
        const width = this.canvas.width;
        const height = this.canvas.height;
        let previous = this.shown;
        if (!this.frame || this.frame.width !== width || this.frame.height !== height) {
            this.frame = new ImageData(width, height);
            this.words = new Uint32Array(this.frame.data.buffer);
            previous = null;
        }
        const words = this.words;
        // LEDs that do not reach into each other are painted again only where they changed.
        if (!previous || this.overlapping()) {
            words.fill(BACKGROUND);
            previous = null;
        }
        for (let i = 0; i < COLUMNS * ROWS; i++) {
            const state = leds[i];
            if (previous) {
                const before = previous[i];
                if (before === state) {
                    continue;
                }
                if (before !== Led.Blank) {
                    const { index } = this.placed(i, before === Led.Lit ? 1 : 0);
                    for (let k = 0; k < index.length; k++) {
                        words[index[k]] = BACKGROUND;
                    }
                }
            }
            if (state === Led.Blank) {
                continue;
            }
            const { index, colour } = this.placed(i, state === Led.Lit ? 1 : 0);
            for (let k = 0; k < index.length; k++) {
                words[index[k]] = colour[k];
            }
        }
        this.context.putImageData(this.frame, 0, 0);
        if (this.shown) {
            this.shown.set(leds);
        } else {
            this.shown = Uint8Array.from(leds);
        }
    }

    // Paints again whatever it shows (after the surface may have been lost).
    refresh() {
        const last = this.shown;
        this.shown = null;
        if (last) {
            this.paint(last);
        }
    }

    // A pointer position in the sign's own pixels.
    signPoint(event) {
        const box = this.canvas.getBoundingClientRect();
        const width = this.look ? this.look.width : 775;
        const height = this.look ? this.look.height : 102;
        return {
            x: ((event.clientX - box.left) * width) / box.width,
            y: ((event.clientY - box.top) * height) / box.height,
        };
    }
}

function sameStates(a, b) {
    if (a.length !== b.length) {
        return false;
    }
    for (let i = 0; i < a.length; i++) {
        if (a[i] !== b[i]) {
            return false;
        }
    }
    return true;
}
