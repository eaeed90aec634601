// The sign drawn on its canvas, LED by LED, as the desktop window paints it: a ring (the
// outline of a circle with a thick pen, i.e. a filled disc) with a round dot in its centre,
// pixel for pixel without smoothing so that an LED's centre pixel has exactly its colour.
// Each look is worked out once per device pixel ratio into small sprites that a repaint
// only copies.
import { Led } from './core.js';

const BACKGROUND = '#000';
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

// The pixels of width x height whose centres lie strictly inside the circle.
function fillDisc(pixels, width, height, cx, cy, radius, rgb) {
    const r2 = radius * radius;
    for (let row = 0; row < height; row++) {
        const dy = row + 0.5 - cy;
        for (let col = 0; col < width; col++) {
            const dx = col + 0.5 - cx;
            if (dx * dx + dy * dy < r2) {
                const at = (row * width + col) * 4;
                pixels[at] = rgb[0];
                pixels[at + 1] = rgb[1];
                pixels[at + 2] = rgb[2];
                pixels[at + 3] = 255;
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
        this.shown = null; // the states last painted, to skip a repaint that changes nothing
        this.watchRatio();
    }

    // The look from core.look(); a new one is painted at the next paint().
    setLook(look) {
        this.look = look;
        this.sprites.clear();
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
        this.context.imageSmoothingEnabled = false;
        this.sprites.clear();
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

    // The sprite of one LED kind for LEDs whose ring centre sits at this fraction of a
    // device pixel; origin is the device pixel holding the ring's centre.
    sprite(kind, fx, fy) {
        const key = `${kind}|${fx.toFixed(5)}|${fy.toFixed(5)}`;
        let sprite = this.sprites.get(key);
        if (sprite) {
            return sprite;
        }
        const look = this.look[kind];
        const r = this.ratio;
        const ringRadius = (look.radius + look.ringPen / 2) * r;
        const dotRadius = (look.dotPen / 2) * r;
        // An even pen puts its dot on the pixel corner at the centre, as the desktop does.
        const dotShift = look.dotPen % 2 === 0 ? -0.5 * r : 0;
        const margin = Math.ceil(Math.max(ringRadius, dotRadius + Math.abs(dotShift))) + 2;
        const side = 2 * margin + 1;
        const pixels = new Uint8ClampedArray(side * side * 4);
        const cx = margin + fx;
        const cy = margin + fy;
        fillDisc(pixels, side, side, cx, cy, ringRadius, rgbOf(look.ring));
        fillDisc(pixels, side, side, cx + dotShift, cy + dotShift, dotRadius, rgbOf(look.centre));
        const image = document.createElement('canvas');
        image.width = side;
        image.height = side;
        image.getContext('2d').putImageData(new ImageData(pixels, side, side), 0, 0);
        sprite = { image, margin };
        this.sprites.set(key, sprite);
        return sprite;
    }

    // leds: 512 LED states, index column * 8 + row.
    paint(leds) {
        if (!this.look) {
            return;
        }
        if (this.shown && sameStates(this.shown, leds)) {
            return;
        }
        const context = this.context;
        context.fillStyle = BACKGROUND;
        context.fillRect(0, 0, this.canvas.width, this.canvas.height);
        const e = this.look.escala;
        const r = this.ratio;
        for (let column = 0; column < COLUMNS; column++) {
            for (let row = 0; row < ROWS; row++) {
                const state = leds[column * ROWS + row];
                if (state === Led.Blank) {
                    continue;
                }
                const kind = state === Led.Lit ? 'lit' : 'unlit';
                // The ring's centre is the middle of the LED's centre pixel.
                const x = (2 * e + 4 * e * column + 0.5) * r;
                const y = (2 * e + 4 * e * row + 0.5) * r;
                const ox = Math.floor(x);
                const oy = Math.floor(y);
                const sprite = this.sprite(kind, x - ox, y - oy);
                context.drawImage(sprite.image, ox - sprite.margin, oy - sprite.margin);
            }
        }
        this.shown = Uint8Array.from(leds);
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
