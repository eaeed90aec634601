// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's panels: the open file (or the program's name), the LED under the pointer,
// and the date and time, which follow the clock.
const START_TEXT = 'Simulador de Lumivel Electronico';

function two(n) {
    return String(n).padStart(2, '0');
}

// The date and time as the desktop's status panels show them: 07/12/2026, 18:05.
export function clockTexts(now = new Date()) {
    return {
        date: `${two(now.getDate())}/${two(now.getMonth() + 1)}/${now.getFullYear()}`,
        time: `${two(now.getHours())}:${two(now.getMinutes())}`,
    };
}

export class StatusBar {
    constructor(root) {
        this.panels = [0, 1, 2, 3].map((i) => root.querySelector(`[data-panel="${i}"]`));
        this.tick();
        // Once a second, as the desktop's panels do; the minute shows within a second.
        setInterval(() => this.tick(), 1000);
    }

    tick() {
        const { date, time } = clockTexts();
        set(this.panels[2], date);
        set(this.panels[3], time);
    }

    show(state) {
        const file = state.file;
        let texto = START_TEXT;
        if (file && file.scratch) {
            texto = 'Mensajes sin guardar';
        } else if (file) {
            // The core's path is a folder of its own; the person knows the file by its name.
            texto = file.name || file.path;
        }
        set(this.panels[0], texto);
        this.panels[0].title = texto === START_TEXT ? '' : texto;
        set(this.panels[1], state.readout ?? '');
    }
}

function set(node, text) {
    if (node.textContent !== text) {
        node.textContent = text;
    }
}
