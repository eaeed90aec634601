// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls brought in line with the core's state: which options are chosen,
// which controls each mode enables, the tool that shows pressed, the list of messages and
// the text box.
export class View {
    constructor(root) {
        const one = (name) => root.querySelector(`[data-control="${name}"]`);
        const all = (name) => [...root.querySelectorAll(`[data-control="${name}"]`)];
        this.text1 = one('Text1');
        this.pic = one('Pic');
        this.list = one('Lstcodigo');
        this.option1 = all('Option1');
        this.opletra = all('Opletra');
        this.opMostrar = all('op_mostrar');
        this.lapiz = one('lapiz');
        this.goma = one('goma');
        this.wholeSign = ['pintura', 'Bomba', 'invertir'].map(one);
        this.mayuscula = one('mayuscula');
        this.undo = root.querySelector('[data-menu="undo"]');
        this.redo = root.querySelector('[data-menu="redo"]');
        this.shownList = null;
    }

    show(state) {
        const controls = state.controls ?? {};
        check(this.opletra, state.opletra);
        check(this.opMostrar, state.opMostrar);
        this.option1.forEach((button, i) => {
            button.setAttribute('aria-pressed', String(state.option1 === i));
        });
        const texto = controls.texto !== false;
        this.text1.disabled = !texto;
        for (const option of [...this.opletra, ...this.opMostrar]) {
            option.disabled = !texto;
        }
        this.lapiz.disabled = !controls.lapiz;
        this.goma.disabled = !controls.goma;
        const drawing = state.option1 === 0;
        this.lapiz.setAttribute('aria-pressed', String(drawing && state.tool === 'lapiz'));
        this.goma.setAttribute('aria-pressed', String(drawing && state.tool === 'goma'));
        for (const button of this.wholeSign) {
            button.disabled = !controls.wholeSignTools;
        }
        this.mayuscula.disabled = controls.mayuscula === false;
        this.undo.disabled = !state.canUndo;
        this.redo.disabled = !state.canRedo;
        this.showList(state.lstcodigo ?? [], state.selected);
        this.showText(state.texto ?? '');
        // A screen reader says what the sign shows.
        const shown = state.option1 === 0 ? 'Gráfico' : state.texto ?? '';
        if (this.pic.getAttribute('aria-description') !== shown) {
            this.pic.setAttribute('aria-description', shown);
        }
    }

    showList(entries, selected) {
        const key = entries.join('\n');
        if (this.shownList !== key) {
            const options = entries.map((entry, i) => {
                const option = document.createElement('option');
                option.textContent = entry;
                option.value = String(i);
                return option;
            });
            this.list.replaceChildren(...options);
            this.shownList = key;
        }
        const index = typeof selected === 'number' ? selected : -1;
        if (this.list.selectedIndex !== index) {
            this.list.selectedIndex = index;
        }
    }

    // The core's text back in the box; where the core changed what was typed (a character
    // the sign's code page lacks becomes "?"), the caret stays after the same character.
    showText(texto) {
        const box = this.text1;
        if (box.value === texto) {
            return;
        }
        const focused = document.activeElement === box;
        const caret = box.selectionStart ?? box.value.length;
        const before = [...box.value.slice(0, caret)].length;
        box.value = texto;
        if (focused) {
            const at = Math.min(before, texto.length);
            box.setSelectionRange(at, at);
        }
    }
}

function check(options, index) {
    options.forEach((option, i) => {
        option.checked = index === i;
    });
}
