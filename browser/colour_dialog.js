// SPDX-License-Identifier: GPL-3.0-or-later
// "Configuracion de Colores": the LED colour window's seven choices, six ready colours and
// one of the person's own. It answers which option was chosen, and for the seventh the
// colour, which the core asks for when it takes that option.
import { openModal } from './dialogs.js';

const CHOICES = [
    { name: 'Blanco', rgb: [220, 220, 220] },
    { name: 'Azul', rgb: [100, 100, 255] },
    { name: 'Rojo', rgb: [225, 0, 0] },
    { name: 'Verde', rgb: [0, 225, 0] },
    { name: 'Naranja', rgb: [255, 128, 64] },
    { name: 'Amarillo', rgb: [225, 225, 0] },
];
const OWN_SAMPLE = [100, 100, 100];

function css([r, g, b]) {
    return `rgb(${r} ${g} ${b})`;
}

function hex(rgb) {
    return `#${rgb.map((c) => c.toString(16).padStart(2, '0')).join('')}`;
}

function fromHex(text) {
    return [1, 3, 5].map((i) => parseInt(text.substring(i, i + 2), 16));
}

function paintSample(sample, rgb) {
    sample.style.setProperty('--centro', css(rgb));
    // The ring is a darker disc of the same colour, as on the sign.
    sample.style.setProperty('--anillo', `color-mix(in srgb, ${css(rgb)} 71%, black)`);
}

// {index, rgb} of the option chosen on "Aceptar", or null (Cancelar, Esc, nothing chosen).
export function elegirColor(current) {
    return openModal('Configuracion de Colores', (dialog, close) => {
        dialog.dataset.dialog = 'colores';
        let chosen = null;
        let index = -1;
        const row = document.createElement('div');
        row.className = 'colores-fila';
        const frame = document.createElement('fieldset');
        frame.className = 'colores';
        const legend = document.createElement('legend');
        legend.textContent = 'Seleccion de Colores';
        frame.append(legend);

        const own = document.createElement('input');
        own.type = 'color';
        own.value = hex(current ?? [220, 220, 220]);
        own.setAttribute('aria-label', 'Otro color');

        const options = [...CHOICES, { name: 'Otro color', rgb: null }].map((choice, k) => {
            const label = document.createElement('label');
            const sample = document.createElement('span');
            sample.className = 'muestra';
            sample.setAttribute('aria-hidden', 'true');
            paintSample(sample, choice.rgb ?? OWN_SAMPLE);
            const radio = document.createElement('input');
            radio.type = 'radio';
            radio.name = 'color';
            radio.value = String(k);
            radio.dataset.index = String(k);
            radio.setAttribute('aria-label', choice.name);
            label.title = choice.name;
            label.append(sample, radio);
            frame.append(label);
            radio.addEventListener('change', () => {
                index = k;
                if (choice.rgb) {
                    chosen = choice.rgb;
                } else {
                    chosen = fromHex(own.value);
                    paintSample(options[6].sample, chosen);
                    try {
                        own.showPicker();
                    } catch {
                        own.focus();
                    }
                }
            });
            return { sample, radio, label };
        });
        own.addEventListener('input', () => {
            chosen = fromHex(own.value);
            index = 6;
            options[6].radio.checked = true;
            paintSample(options[6].sample, chosen);
        });
        options[6].label.append(own);

        const buttons = document.createElement('div');
        buttons.className = 'colores-botones';
        const aceptar = document.createElement('button');
        aceptar.type = 'button';
        aceptar.textContent = 'Aceptar';
        aceptar.className = 'predeterminado';
        aceptar.addEventListener('click', () => close(index < 0 ? null : { index, rgb: chosen }));
        const cancelar = document.createElement('button');
        cancelar.type = 'button';
        cancelar.textContent = 'Cancelar';
        cancelar.addEventListener('click', () => close(null));
        buttons.append(aceptar, cancelar);
        buttons.classList.add('caja-botones');
        row.append(frame, buttons);
        dialog.append(row);
        return { focus: aceptar, onEscape: () => close(null) };
    });
}

// The colour of the person's own choice alone, when the core asks for it outside the window.
export function otroColor(current) {
    return openModal('Otro color', (dialog, close) => {
        const body = document.createElement('div');
        body.className = 'caja-campos';
        const label = document.createElement('label');
        label.textContent = 'Color de los LEDs encendidos:';
        const input = document.createElement('input');
        input.type = 'color';
        input.value = hex(current ?? [220, 220, 220]);
        label.htmlFor = input.id = 'caja-otro-color';
        body.append(label, input);
        const buttons = document.createElement('div');
        buttons.className = 'caja-botones';
        const aceptar = document.createElement('button');
        aceptar.type = 'button';
        aceptar.className = 'predeterminado';
        aceptar.textContent = 'Aceptar';
        aceptar.addEventListener('click', () => close(fromHex(input.value)));
        const cancelar = document.createElement('button');
        cancelar.type = 'button';
        cancelar.textContent = 'Cancelar';
        cancelar.addEventListener('click', () => close(null));
        buttons.append(aceptar, cancelar);
        dialog.append(body, buttons);
        return { focus: input, onEscape: () => close(null) };
    });
}
