// SPDX-License-Identifier: GPL-3.0-or-later
// "Texto a dibujo": a text drawn as a picture in one of the fonts, aligned on the sign. The
// core composes it and says what a text wider than the sign loses.
import { openModal } from './dialogs.js';

const FONTS = ['5 x 5', '5 x 7', '5 x 9', 'Negrita'];
const ALIGNMENTS = ['Izquierda', 'Centro', 'Derecha'];

function select(id, captions, chosen) {
    const list = document.createElement('select');
    list.id = id;
    captions.forEach((caption, i) => {
        const option = document.createElement('option');
        option.value = String(i);
        option.textContent = caption;
        list.append(option);
    });
    list.selectedIndex = chosen >= 0 && chosen < captions.length ? chosen : 0;
    return list;
}

function row(form, caption, control) {
    const label = document.createElement('label');
    label.textContent = caption;
    label.htmlFor = control.id;
    form.append(label, control, document.createElement('span'));
}

// cutOf(texto, font) -> the sentence about the cut ('' when none).
// Resolves {texto, font, alignment} on "Aceptar", null otherwise.
export function textoADibujo(texto, font, cutOf) {
    return openModal('Texto a dibujo', (dialog, close) => {
        dialog.dataset.dialog = 'textoADibujo';
        const form = document.createElement('form');
        form.className = 'caja-campos';
        const text = document.createElement('input');
        text.type = 'text';
        text.id = 'composerText';
        text.maxLength = 130;
        text.spellcheck = false;
        text.value = texto;
        const fonts = select('composerFont', FONTS, font);
        const alignments = select('composerAlignment', ALIGNMENTS, 0);
        row(form, 'Texto:', text);
        row(form, 'Letra:', fonts);
        row(form, 'Alineación:', alignments);
        const cut = document.createElement('p');
        cut.className = 'aviso todo';
        cut.dataset.check = 'composerCut';
        form.append(cut);
        dialog.append(form);
        const showCut = () => {
            cut.textContent = cutOf(text.value, fonts.selectedIndex);
        };
        text.addEventListener('input', showCut);
        fonts.addEventListener('change', showCut);
        showCut();
        const accept = () => close({ texto: text.value, font: fonts.selectedIndex, alignment: alignments.selectedIndex });
        form.addEventListener('submit', (event) => {
            event.preventDefault();
            accept();
        });
        const buttons = document.createElement('div');
        buttons.className = 'caja-botones';
        for (const [caption, onClick, isDefault] of [
            ['Aceptar', accept, true],
            ['Cancelar', () => close(null), false],
        ]) {
            const button = document.createElement('button');
            button.type = 'button';
            button.textContent = caption;
            if (isDefault) {
                button.className = 'predeterminado';
            }
            button.addEventListener('click', onClick);
            buttons.append(button);
        }
        dialog.append(buttons);
        return { focus: text, onEscape: () => close(null) };
    });
}
