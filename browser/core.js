// SPDX-License-Identifier: GPL-3.0-or-later
// The program's core compiled to WebAssembly: every rule the page follows (fonts,
// composition, effects, drawing, message files, checks) runs there, as in the window and
// on the command line. This module only carries values across.
//
// Calls that may show a message box or a file dialog return a Promise: the core waits for
// the page's answer (Asyncify), so one runs at a time and the page holds input meanwhile.
import createModule from './simlumivel-core.js';

export const Answer = Object.freeze({ Ok: 0, Cancel: 1, Yes: 2, No: 3 });

// LED states in leds() and effect frames.
export const Led = Object.freeze({ Blank: 0, Unlit: 1, Lit: 2 });

// hooks: the page's dialogs, each returning a Promise.
//   mensaje({title, texto, buttons: 'Ok'|'YesNo'|'YesNoCancel'|'OkCancel',
//            icon: 'None'|'Critical'|'Question'|'Exclamation'|'Information', defaultAnswer})
//     -> an Answer
//   openFile({title, filters, memory}) -> a path in the core's files (see writeFile), or null
//   saveFile({title, filters, name, memory}) -> a path the core may write, or null
//   chooseColor([r, g, b]) -> [r, g, b] or null
//   serial: the line to the sign (SerialLine.hooks() of serial_port.js)
//   transfer: {connected(), maximum(n), progress(i), dataError(box), stopRequested(),
//              measured({estimate, advice, command}), timeLeft(caption)}: called during send;
//     advice and command are boxes or null, command shown after a Yes to advice
// options: extra settings for the module (a test under Node passes wasmBinary).
export async function loadCore(hooks, options = {}) {
    const module = await createModule({ ...options, lumivelHooks: withFolders(hooks, () => module) });
    const core = new Core(module);
    core.refresh(core.fn.start());
    return core;
}

// A path the page picks for the core to save into gets its folder made first.
function withFolders(hooks, moduleOf) {
    return {
        ...hooks,
        saveFile: async (options) => {
            const path = await hooks.saveFile(options);
            if (path) {
                moduleOf().FS.mkdirTree(path.substring(0, path.lastIndexOf('/')) || '/');
            }
            return path;
        },
    };
}

class Core {
    constructor(module) {
        this.m = module;
        const sync = (name, ret, args) => module.cwrap(name, ret, args);
        const async = (name, ret, args) => module.cwrap(name, ret, args, { async: true });
        this.fn = {
            start: sync('lv_start', 'string', []),
            state: sync('lv_state', 'string', []),
            setText: sync('lv_set_text', 'string', ['string']),
            control: sync('lv_control', 'string', ['string', 'number']),
            mouse: sync('lv_mouse', 'string', ['number', 'number', 'number', 'number']),
            leds: sync('lv_leds', 'number', []),
            look: sync('lv_look', 'string', []),
            effect: async('lv_effect', 'number', ['string']),
            frame: sync('lv_effect_frame', 'number', ['number']),
            frameWait: sync('lv_effect_wait', 'number', ['number']),
            effectEnd: sync('lv_effect_end', 'string', ['number']),
            action: async('lv_action', 'string', ['string', 'number']),
            fileBytes: sync('lv_file_bytes', 'number', []),
            fileSize: sync('lv_file_size', 'number', []),
            imageSize: sync('lv_image_size', 'number', []),
            openPath: async('lv_open_path', 'string', ['string']),
            importImage: sync('lv_import', 'string', ['number', 'number', 'number', 'number', 'number']),
            textPicture: sync('lv_text_picture', 'string', ['string', 'number', 'number']),
            textCut: sync('lv_text_cut', 'string', ['string', 'number']),
            transferPanel: sync('lv_transfer_panel', 'string', []),
            send: async('lv_send', 'string', ['string', 'number', 'string']),
        };
        this.busy = false;
    }

    refresh(json) {
        this.current = JSON.parse(json);
        return this.current;
    }

    // What the controls show: texto, option1, opletra, opMostrar, tool ('lapiz'|'goma'),
    // controls {texto, lapiz, goma, wholeSignTools, mayuscula}, lstcodigo [..], selected,
    // file (null with none open) {path, name, scratch, totalmensajes, imageBytes,
    // imageUsage ("2.140 de 8.191 bytes"), imageTooBig}, limits {count, glyphs, cut} (empty
    // strings when there is nothing to say), readout, canUndo, canRedo, colour [r, g, b].
    state() {
        return this.current;
    }

    // 64 x 8 LED states, index column * 8 + row (see Led); a view into the core's memory,
    // valid until the next call.
    leds() {
        const pointer = this.fn.leds(); // a call may grow memory: the view is made after it
        return new Uint8Array(this.m.HEAPU8.buffer, pointer, 512);
    }

    // How an LED is painted: {width, height, escala, lit: {ring, centre, radius, ringPen,
    // dotPen}, unlit: {...}}; LED (c, r) is centred at (2e + 4e c, 2e + 4e r), e = escala.
    look() {
        return JSON.parse(this.fn.look());
    }

    setText(texto) {
        return this.refresh(this.fn.setText(texto));
    }

    // A click on a control by its name (Opletra, op_mostrar, Option1 take the index):
    // mayuscula, lapiz, goma, pintura, Bomba, invertir, refrescar, deshacer, rehacer.
    click(control, index = 0) {
        return this.refresh(this.fn.control(control, index));
    }

    // Pointer on the sign, in sign pixels (775 x 102). kind: 0 down, 1 move, 2 up.
    mouse(kind, buttons, x, y) {
        return this.refresh(this.fn.mouse(kind, buttons, x, y));
    }

    // Runs an effect ('Play', 'SimularTodo', 'Reloj') in the core and gives its frames:
    // {count, frame(i) -> LED states shown during wait i, waitMs(i), end(stoppedAfter)}.
    // end(-1) keeps what the whole effect left; end(n) what it leaves when stopped after n
    // waits (Esc). Until end() is called nothing else may be called.
    async effect(name) {
        const count = await this.fn.effect(name);
        this.refresh(this.fn.state());
        return {
            count,
            frame: (i) => {
                const pointer = this.fn.frame(i);
                return new Uint8Array(this.m.HEAPU8.buffer, pointer, 512);
            },
            waitMs: (i) => this.fn.frameWait(i),
            end: (stoppedAfter) => this.refresh(this.fn.effectEnd(stoppedAfter)),
        };
    }

    // ADICIONAR, MODIFICAR, ELIMINAR, Lstcodigo (index), abrir, guardar, nuevo, and color
    // (the colour window's option index 0..6; 6 asks hooks.chooseColor): each with the
    // window's message boxes.
    async action(name, index = 0) {
        return this.refresh(await this.fn.action(name, index));
    }

    // Opens a file already put into the core's files (writeFile): a drop, a recovered
    // working file. Asks about unsaved scratch messages first, as Abrir does.
    async openPath(path) {
        return this.refresh(await this.fn.openPath(path));
    }

    // "Texto a dibujo": what the text would lose ({columns, cut}), and the picture put on
    // the sign as a drawing step (alignment 0 left, 1 centre, 2 right).
    textCut(texto, fontIndex) {
        return JSON.parse(this.fn.textCut(texto, fontIndex));
    }

    textToPicture(texto, fontIndex, alignment) {
        return this.refresh(this.fn.textPicture(texto, fontIndex, alignment));
    }

    // The transmission window's labels from the messages as they are now:
    // {messages, size: {texto, toolTip}, ready}.
    transferPanel() {
        return JSON.parse(this.fn.transferPanel());
    }

    // "Enviar" over hooks.serial (the port the person chose, named portName, of USB vendor
    // usbVendorId or -1), following it through hooks.transfer; `system` ("linux", "windows",
    // other) picks where the advice for a slow line says to fix it. Resolves with {outcome,
    // status, connected, verified, estimate, box}. Nothing else may be called until it resolves.
    async send(portName, usbVendorId = -1, system = 'other') {
        return JSON.parse(await this.fn.send(portName, usbVendorId, system));
    }

    // The core's own files (an in-memory file system): where opened and saved files live.
    writeFile(path, bytes) {
        const folder = path.substring(0, path.lastIndexOf('/'));
        if (folder) {
            this.m.FS.mkdirTree(folder);
        }
        this.m.FS.writeFile(path, bytes);
    }

    readFile(path) {
        return this.m.FS.readFile(path);
    }

    // The open message file's bytes (a copy), or null with none open.
    fileBytes() {
        return this.copyOut(this.fn.fileSize());
    }

    // The transmission image of the open file's active messages as the sign receives it,
    // or null when it cannot be sent.
    transmissionImage() {
        return this.copyOut(this.fn.imageSize());
    }

    // What the last call left in the core's outgoing bytes, `size` of them (-1: nothing).
    copyOut(size) {
        if (size < 0) {
            return null;
        }
        const pointer = this.fn.fileBytes();
        return new Uint8Array(this.m.HEAPU8.buffer, pointer, size).slice();
    }

    // A picture from image pixels (RGBA, not premultiplied) by the core's import rule.
    importImage(width, height, rgba, threshold, invert) {
        const pointer = this.m._malloc(rgba.length);
        try {
            this.m.HEAPU8.set(rgba, pointer);
            return this.refresh(this.fn.importImage(width, height, pointer, threshold, invert ? 1 : 0));
        } finally {
            this.m._free(pointer);
        }
    }
}
