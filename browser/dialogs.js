// SPDX-License-Identifier: GPL-3.0-or-later
// Modal boxes as HTML dialogs. Each returns a Promise of the answer, so the core's hooks can
// wait for the person as the desktop's message boxes do.
import { Answer } from './core.js';

const CAPTIONS = new Map([
    [Answer.Ok, 'Aceptar'],
    [Answer.Cancel, 'Cancelar'],
    [Answer.Yes, 'Sí'],
    [Answer.No, 'No'],
]);

const BUTTON_SETS = {
    Ok: [Answer.Ok],
    OkCancel: [Answer.Ok, Answer.Cancel],
    YesNo: [Answer.Yes, Answer.No],
    YesNoCancel: [Answer.Yes, Answer.No, Answer.Cancel],
};

const ICON_SIGNS = { Critical: '✕', Question: '?', Exclamation: '!', Information: 'i' };

function element(tag, className, text) {
    const node = document.createElement(tag);
    if (className) {
        node.className = className;
    }
    if (text !== undefined) {
        node.textContent = text;
    }
    return node;
}

function answerOf(value) {
    if (typeof value === 'number') {
        return value;
    }
    return Answer[value] ?? null;
}

// What Esc answers: the box's way out, as the desktop's boxes close.
function escapeAnswer(buttons) {
    for (const answer of [Answer.Cancel, Answer.No, Answer.Ok]) {
        if (buttons.includes(answer)) {
            return answer;
        }
    }
    return buttons[buttons.length - 1];
}

// A dialog element with a title bar, shown modal; the caller fills its body.
// close(value) removes it and resolves the Promise with value.
export function openModal(title, build) {
    return new Promise((resolve) => {
        const dialog = element('dialog', 'caja');
        const heading = element('h2', 'caja-titulo', title ?? '');
        heading.id = `caja-${Math.random().toString(36).slice(2)}`;
        dialog.setAttribute('aria-labelledby', heading.id);
        dialog.append(heading);
        const returnFocus = document.activeElement;
        let done = false;
        const close = (value) => {
            if (done) {
                return;
            }
            done = true;
            dialog.close();
            dialog.remove();
            if (returnFocus && typeof returnFocus.focus === 'function' && returnFocus.isConnected) {
                returnFocus.focus({ preventScroll: true });
            }
            resolve(value);
        };
        const { onEscape, focus } = build(dialog, close) ?? {};
        dialog.addEventListener('cancel', (event) => {
            event.preventDefault();
            if (onEscape) {
                onEscape();
            }
        });
        document.body.append(dialog);
        dialog.showModal();
        if (focus) {
            focus.focus();
        }
    });
}

function buttonRow(dialog, entries) {
    const row = element('div', 'caja-botones');
    const made = entries.map(({ caption, onClick, isDefault }) => {
        const button = element('button', isDefault ? 'predeterminado' : '', caption);
        button.type = 'button';
        button.addEventListener('click', onClick);
        row.append(button);
        return button;
    });
    dialog.append(row);
    return made;
}

// The core's message boxes: {title, texto, buttons, icon, defaultAnswer} -> an Answer.
export function mensaje(box) {
    const buttons = BUTTON_SETS[box.buttons] ?? BUTTON_SETS.Ok;
    const wanted = answerOf(box.defaultAnswer);
    const byDefault = buttons.includes(wanted) ? wanted : buttons[0];
    return openModal(box.title, (dialog, close) => {
        dialog.setAttribute('role', box.icon === 'Critical' || box.icon === 'Exclamation' ? 'alertdialog' : 'dialog');
        const body = element('div', 'caja-cuerpo');
        const sign = ICON_SIGNS[box.icon];
        if (sign) {
            const icon = element('span', `caja-icono ${box.icon}`, sign);
            icon.setAttribute('aria-hidden', 'true');
            body.append(icon);
        }
        const texto = element('p', 'caja-texto', String(box.texto ?? '').replace(/\r\n|\r/g, '\n'));
        texto.id = `${dialog.getAttribute('aria-labelledby')}-texto`;
        dialog.setAttribute('aria-describedby', texto.id);
        body.append(texto);
        dialog.append(body);
        const made = buttonRow(
            dialog,
            buttons.map((answer) => ({
                caption: CAPTIONS.get(answer),
                isDefault: answer === byDefault,
                onClick: () => close(answer),
            })),
        );
        made.forEach((button, i) => {
            button.dataset.answer = Object.keys(Answer).find((name) => Answer[name] === buttons[i]);
        });
        return {
            focus: made[buttons.indexOf(byDefault)],
            onEscape: () => close(escapeAnswer(buttons)),
        };
    });
}

// A short notice with one button.
export function aviso(title, texto, icon = 'Exclamation') {
    return mensaje({ title, texto, buttons: 'Ok', icon, defaultAnswer: Answer.Ok });
}

// A file name for a browser without file pickers: the name, or null when cancelled.
export function pedirNombre(title, etiqueta, name) {
    return openModal(title, (dialog, close) => {
        const form = element('form', 'caja-campos');
        form.method = 'dialog';
        const label = element('label', '', etiqueta);
        const input = element('input');
        input.type = 'text';
        input.value = name ?? '';
        input.required = true;
        input.spellcheck = false;
        label.htmlFor = input.id = 'caja-nombre';
        form.append(label, input);
        dialog.append(form);
        const accept = () => {
            const value = input.value.trim();
            if (value) {
                close(value);
            } else {
                input.focus();
            }
        };
        form.addEventListener('submit', (event) => {
            event.preventDefault();
            accept();
        });
        buttonRow(dialog, [
            { caption: 'Aceptar', isDefault: true, onClick: accept },
            { caption: 'Cancelar', onClick: () => close(null) },
        ]);
        input.addEventListener('focus', () => {
            const dot = input.value.lastIndexOf('.');
            input.setSelectionRange(0, dot > 0 ? dot : input.value.length);
        });
        return { focus: input, onEscape: () => close(null) };
    });
}

// The brightness threshold and inversion of an imported picture: {threshold, invert} or null.
export function ajustesImportacion() {
    return openModal('Importar imagen', (dialog, close) => {
        dialog.dataset.dialog = 'importar';
        const form = element('form', 'caja-campos');
        const label = element('label', '', 'Umbral de brillo:');
        const slider = element('input');
        slider.type = 'range';
        slider.min = '0';
        slider.max = '255';
        slider.value = '128';
        slider.name = 'umbral';
        slider.setAttribute('aria-label', 'Umbral');
        label.htmlFor = slider.id = 'caja-umbral';
        const value = element('output', '', slider.value);
        value.htmlFor = slider.id;
        slider.addEventListener('input', () => {
            value.textContent = slider.value;
        });
        const invert = element('label', 'todo');
        const box = element('input');
        box.type = 'checkbox';
        box.name = 'invertir';
        invert.append(box, ' Invertir');
        form.append(label, slider, value, invert);
        dialog.append(form);
        const accept = () => close({ threshold: Number(slider.value), invert: box.checked });
        form.addEventListener('submit', (event) => {
            event.preventDefault();
            accept();
        });
        buttonRow(dialog, [
            { caption: 'Aceptar', isDefault: true, onClick: accept },
            { caption: 'Cancelar', onClick: () => close(null) },
        ]);
        return { focus: slider, onEscape: () => close(null) };
    });
}

// The About box.
export function acercaDe(version) {
    return openModal('Acerca de...', (dialog, close) => {
        dialog.dataset.dialog = 'acercade';
        const body = element('div', 'caja-cuerpo');
        const lines = element('div');
        lines.append(
            element('p', 'caja-texto', 'Simulador y Programador de Lumivel Electronico'),
            element('p', 'caja-texto', `SimLumivel ${version} - letreros de LEDs de 64 x 8`),
            element('p', 'caja-texto', 'Diseñado y escrito por el equipo SimLumivel'),
        );
        lines.firstChild.style.fontWeight = 'bold';
        body.append(lines);
        dialog.append(body);
        const [volver] = buttonRow(dialog, [{ caption: 'Volver', isDefault: true, onClick: () => close() }]);
        return { focus: volver, onEscape: () => close() };
    });
}
