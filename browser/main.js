// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and wiring of the main window: the core runs every rule; this page shows its
// state, passes the person's input on and answers the core's questions.
import { Answer, loadCore } from './core.js';
import { Checks } from './checks.js';
import { elegirColor, otroColor } from './colour_dialog.js';
import { acercaDe, aviso, mensaje } from './dialogs.js';
import { attachDrawing } from './drawing_input.js';
import { attachDropAndPaste } from './drop_paste.js';
import { Files, pickFile } from './files.js';
import { IMAGE_FILTERS, importPicture } from './image_import.js';
import { openLaunchedFiles } from './launch_files.js';
import { attachMenu } from './menu.js';
import { keepOffline } from './offline.js';
import { playFrames } from './pacer.js';
import { askRecovery } from './recovery.js';
import { SignCanvas } from './sign_canvas.js';
import { StatusBar } from './status_bar.js';
import { textoADibujo } from './text_picture_dialog.js';
import { TransferWindow } from './transfer_panel.js';
import { View } from './view.js';

const VERSION = '1.0';

const root = document.getElementById('ventana');
const files = new Files();
let ownColour = null; // the colour window's seventh choice, for the core's question
const transferWindow = new TransferWindow(document.querySelector('[data-window="Form1"]'), {
    core: () => core,
    exclusive: (work) => exclusive(work),
    // Scratch messages have the core's working name, not one the person gave.
    fileName: () => {
        const file = core.state().file;
        return file && !file.scratch ? (files.current?.name ?? file.name) : null;
    },
    onClose: () => {
        sign.refresh();
        render();
    },
});
const hooks = {
    mensaje: (box) => mensaje(box),
    chooseColor: (rgb) => {
        const chosen = ownColour;
        ownColour = null;
        return chosen ? Promise.resolve(chosen) : otroColor(rgb);
    },
    ...files.hooks(),
    ...transferWindow.hooks(),
};

let core = null;
let sign = null;
let view = null;
let checks = null;
let statusBar = null;
let shownColour = null;
let busy = false; // an action of the core (maybe waiting for a dialog) or an effect runs
let playing = null; // the effect on the sign, while it plays

function canTakeInput() {
    return core !== null && !busy;
}

// Everything the window shows, from the core's state.
function render() {
    const state = core.state();
    const colour = JSON.stringify(state.colour ?? null);
    if (colour !== shownColour) {
        shownColour = colour;
        sign.setLook(core.look());
    }
    view.show(state);
    checks.showLimits(state);
    statusBar.show(state);
    sign.paint(core.leds());
    checks.showUsage(state.file);
}

async function exclusive(work) {
    if (!canTakeInput()) {
        return;
    }
    busy = true;
    document.body.classList.add('ocupado');
    try {
        await work();
    } catch (error) {
        console.error(error);
        await aviso('SimLumivel', `No se pudo completar la orden: ${error.message ?? error}.`, 'Critical');
    } finally {
        busy = false;
        document.body.classList.remove('ocupado');
        render();
    }
}

// An action of the core that may change the message file: afterwards the file is written
// back where the person keeps it and kept in the browser.
async function runAction(name, index = 0) {
    await core.action(name, index);
    render();
    await files.afterAction();
    transferWindow.refresh();
}

function act(name, index = 0) {
    return exclusive(() => runAction(name, index));
}

// Changes to a named file that only this browser holds (it could not write them back) are
// offered for saving before another file takes its place; the core asks itself about
// scratch messages.
async function leaveUnsaved() {
    const file = core.state().file;
    if (!files.dirty || !file || file.scratch) {
        return true;
    }
    const answer = await mensaje({
        title: 'Cambios sin guardar',
        texto:
            `Los cambios de «${files.current?.name ?? file.name}» solo están en este navegador.\r\n` +
            '¿Desea guardarlos en un archivo antes?',
        buttons: 'YesNoCancel',
        icon: 'Question',
        defaultAnswer: Answer.Yes,
    });
    if (answer === Answer.Yes) {
        await runAction('guardar');
        return !files.dirty;
    }
    return answer === Answer.No;
}

function switchFile(name) {
    return exclusive(async () => {
        if (await leaveUnsaved()) {
            await runAction(name);
        }
    });
}

function click(control, index = 0) {
    if (!canTakeInput()) {
        return;
    }
    core.click(control, index);
    render();
}

// Undo and redo may step the message file back too.
function history(control) {
    return exclusive(async () => {
        core.click(control);
        render();
        await files.afterAction();
    });
}

function play(name) {
    return exclusive(async () => {
        const effect = await core.effect(name);
        let result = -1;
        if (effect.count > 0) {
            const focused = document.activeElement;
            root.inert = true;
            document.querySelector('.reproduciendo').hidden = false;
            try {
                playing = playFrames(effect, (leds) => sign.paint(leds));
                result = await playing.promise;
            } finally {
                playing = null;
                root.inert = false;
                document.querySelector('.reproduciendo').hidden = true;
                if (focused && focused !== document.body && focused.isConnected) {
                    focused.focus({ preventScroll: true });
                }
            }
        }
        effect.end(result);
        render();
    });
}

async function importInside(file) {
    await importPicture(file, (width, height, rgba, threshold, invert) => {
        // A picture is drawn in the drawing mode; the switch clears the sign as a click on it does.
        if (core.state().option1 !== 0) {
            core.click('Option1', 0);
        }
        core.importImage(width, height, rgba, threshold, invert);
    });
    render();
}

function importFile(file) {
    return exclusive(() => importInside(file));
}

function chooseImage() {
    return exclusive(async () => {
        const picked = await pickFile(IMAGE_FILTERS, 'imagenes');
        if (picked) {
            await importInside(picked.file);
        }
    });
}

function openMessageFile(file, handle) {
    return exclusive(async () => {
        if (!(await leaveUnsaved())) {
            return;
        }
        const bytes = new Uint8Array(await file.arrayBuffer());
        await files.openBytes(file.name, bytes, handle);
        render();
        await files.afterAction();
    });
}

const COMMANDS = {
    nuevo: () => switchFile('nuevo'),
    abrir: () => switchFile('abrir'),
    guardar: () => act('guardar'),
    ADICIONAR: () => act('ADICIONAR'),
    ELIMINAR: () => act('ELIMINAR'),
    MODIFICAR: () => act('MODIFICAR'),
    configurar: () =>
        exclusive(async () => {
            const choice = await elegirColor(core.state().colour);
            if (choice) {
                ownColour = choice.index === 6 ? choice.rgb : null;
                await core.action('color', choice.index);
                ownColour = null;
            }
        }),
    Play: () => play('Play'),
    Reloj: () => play('Reloj'),
    serial: () => canTakeInput() && transferWindow.open(),
    lapiz: () => click('lapiz'),
    goma: () => click('goma'),
    pintura: () => click('pintura'),
    Bomba: () => click('Bomba'),
    invertir: () => click('invertir'),
    mayuscula: () => click('mayuscula'),
    refrescar: () => {
        click('refrescar');
        sign.refresh();
    },
};

const MENU = {
    opnuevo: COMMANDS.nuevo,
    opabrir: COMMANDS.abrir,
    opguardar: COMMANDS.guardar,
    importImage: chooseImage,
    undo: () => history('deshacer'),
    redo: () => history('rehacer'),
    optexto: () => click('Option1', 1),
    opgrafico: () => click('Option1', 0),
    textToPicture: () =>
        exclusive(async () => {
            const state = core.state();
            const chosen = await textoADibujo(state.option1 === 1 ? state.texto : '', state.opletra, (texto, font) =>
                texto ? core.textCut(texto, font).cut : '',
            );
            if (chosen) {
                core.textToPicture(chosen.texto, chosen.font, chosen.alignment);
            }
        }),
    opconfiguracion: COMMANDS.configurar,
    opsimular: COMMANDS.Play,
    openviar: COMMANDS.serial,
    opreloj: COMMANDS.Reloj,
    playAll: () => play('SimularTodo'),
    opacerdade: () => exclusive(() => acercaDe(VERSION)),
};

function wireControls() {
    for (const button of root.querySelectorAll('.toolbar [data-control]')) {
        const name = button.dataset.control;
        // A click on a tool leaves the focus where the typing is.
        button.addEventListener('mousedown', (event) => event.preventDefault());
        if (name === 'Option1') {
            button.addEventListener('click', () => click('Option1', Number(button.dataset.index)));
        } else {
            button.addEventListener('click', () => COMMANDS[name]());
        }
    }
    for (const name of ['ADICIONAR', 'ELIMINAR', 'MODIFICAR']) {
        root.querySelector(`[data-control="${name}"]`).addEventListener('click', COMMANDS[name]);
    }
    for (const name of ['Opletra', 'op_mostrar']) {
        for (const option of root.querySelectorAll(`input[data-control="${name}"]`)) {
            // A click on the chosen option runs its handler too, as in the window.
            option.addEventListener('click', () => click(name, Number(option.dataset.index)));
        }
    }
    wireText();
    wireList();
    attachMenu(root.querySelector('.menubar'), (name) => MENU[name]?.());
    attachDrawing(
        sign,
        (kind, buttons, x, y) => {
            core.mouse(kind, buttons, x, y);
            render();
        },
        canTakeInput,
    );
}

function wireText() {
    const text1 = view.text1;
    const changed = () => {
        if (!canTakeInput()) {
            view.showText(core.state().texto ?? '');
            return;
        }
        core.setText(text1.value);
        render();
    };
    text1.addEventListener('input', (event) => {
        if (!event.isComposing) {
            changed();
        }
    });
    text1.addEventListener('compositionend', changed);
}

function wireList() {
    const list = view.list;
    // A click on the entry already chosen recalls it again, as the window's list does.
    let changedByPress = false;
    list.addEventListener('pointerdown', () => {
        changedByPress = false;
    });
    list.addEventListener('change', () => {
        changedByPress = true;
        if (list.selectedIndex >= 0) {
            act('Lstcodigo', list.selectedIndex);
        }
    });
    list.addEventListener('click', (event) => {
        const option = event.target.closest && event.target.closest('option');
        if (option && !changedByPress) {
            act('Lstcodigo', option.index);
        }
        changedByPress = false;
    });
}

function dialogOpen() {
    return document.querySelector('dialog[open]') !== null;
}

function wireKeys() {
    document.addEventListener('keydown', (event) => {
        if (playing) {
            event.preventDefault();
            if (event.key === 'Escape') {
                playing.stop();
            }
            return;
        }
        if (!canTakeInput() || dialogOpen()) {
            return;
        }
        const ctrl = event.ctrlKey || event.metaKey;
        const key = event.key.toLowerCase();
        const inText = event.target === view.text1;
        const run = (command) => {
            event.preventDefault();
            command();
        };
        if (event.key === 'F5' && !ctrl) {
            run(COMMANDS.Play);
        } else if (ctrl && !event.altKey && key === 'o') {
            run(COMMANDS.abrir);
        } else if (ctrl && !event.altKey && key === 's') {
            run(COMMANDS.guardar);
        } else if (ctrl && !inText && ((key === 'z' && event.shiftKey) || key === 'y')) {
            // Text1 keeps its own undo keys.
            run(() => core.state().canRedo && MENU.redo());
        } else if (ctrl && !inText && key === 'z') {
            run(() => core.state().canUndo && MENU.undo());
        }
    });
}

// Messages an earlier visit did not save to a file are offered before any work.
async function offerRecovery() {
    const record = await askRecovery(files);
    if (!record) {
        return;
    }
    const name = record.scratch || !record.name ? 'mensajes recuperados.men' : record.name;
    await exclusive(async () => {
        await files.openBytes(name, record.bytes, record.handle ?? null, false);
        render();
        await files.afterAction();
    });
}

async function start() {
    const notice = document.querySelector('.arranque');
    try {
        core = await loadCore(hooks);
    } catch (error) {
        console.error(error);
        notice.textContent = `No se pudo cargar el simulador en este navegador: ${error.message ?? error}.`;
        return;
    }
    files.attach(core);
    sign = new SignCanvas(root.querySelector('[data-control="Pic"]'));
    view = new View(root);
    checks = new Checks(root);
    statusBar = new StatusBar(root);
    wireControls();
    wireKeys();
    attachDropAndPaste(root, { canTakeInput, dialogOpen, textBox: view.text1, openMessageFile, importFile });
    window.addEventListener('beforeunload', (event) => {
        if (files.dirty) {
            event.preventDefault();
            event.returnValue = '';
        }
    });
    render();
    notice.hidden = true;
    root.removeAttribute('aria-busy');
    document.body.dataset.ready = 'true';
    await offerRecovery();
    openLaunchedFiles({ canTakeInput, dialogOpen, openMessageFile });
}

start();
keepOffline();
