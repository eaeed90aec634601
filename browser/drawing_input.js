// SPDX-License-Identifier: GPL-3.0-or-later
// Pointer input on the sign (mouse, pen and touch alike) handed to the core in the sign's
// own pixels: press, move and release, with the button set the desktop passes (1 left,
// 2 right, 4 middle). The sign keeps the pointer while a button is held, so a drag that
// leaves it still reaches the core, as on the desktop.
const DOWN = 0;
const MOVE = 1;
const UP = 2;

// PointerEvent.button (0 left, 1 middle, 2 right) as a one-button set.
function buttonBit(button) {
    return { 0: 1, 1: 4, 2: 2 }[button] ?? 8;
}

// mouse(kind, buttons, x, y) reaches the core; canTakeInput() is false while something else
// runs.
export function attachDrawing(sign, mouse, canTakeInput) {
    const canvas = sign.canvas;
    let held = null; // the pointer holding the sign
    let pressed = 0; // the button that pressed it

    const send = (kind, buttons, event) => {
        if (!canTakeInput()) {
            return;
        }
        const { x, y } = sign.signPoint(event);
        mouse(kind, buttons, x, y);
    };

    canvas.addEventListener('pointerdown', (event) => {
        if (held !== null || !canTakeInput()) {
            return;
        }
        event.preventDefault();
        held = event.pointerId;
        canvas.setPointerCapture(event.pointerId);
        // A touch or a pen's tip is the left button.
        pressed = event.pointerType === 'mouse' ? buttonBit(event.button) : 1;
        send(DOWN, pressed, event);
    });

    canvas.addEventListener('pointermove', (event) => {
        if (held !== null && event.pointerId !== held) {
            return;
        }
        const buttons = event.pointerType === 'mouse' ? event.buttons : held !== null ? 1 : 0;
        // Every position the pointer passed through, not only the last one of a frame.
        const events = typeof event.getCoalescedEvents === 'function' ? event.getCoalescedEvents() : [];
        for (const each of events.length > 0 ? events : [event]) {
            send(MOVE, buttons, each);
        }
    });

    const release = (event) => {
        if (event.pointerId !== held) {
            return;
        }
        held = null;
        send(UP, pressed, event);
    };
    canvas.addEventListener('pointerup', release);
    canvas.addEventListener('pointercancel', release);
    canvas.addEventListener('lostpointercapture', (event) => {
        if (event.pointerId === held) {
            release(event);
        }
    });

    // The right button does nothing on the sign; no browser menu either.
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
}
