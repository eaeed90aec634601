// SPDX-License-Identifier: GPL-3.0-or-later
// What the core finds before a message is sent, shown where the person is working: under
// Text1 the characters used of a record's 130 and the letters the font lacks, under the list
// buttons the columns a row or column effect cuts, an orange bar at the sign's edge where
// the cut falls, and in the status bar the transmission image against the sign's capacity.
export class Checks {
    constructor(root) {
        this.count = root.querySelector('[data-check="count"]');
        this.glyphs = root.querySelector('[data-check="glyphs"]');
        this.cut = root.querySelector('[data-check="cut"]');
        this.cutMark = root.querySelector('.marca-corte');
        this.usage = root.querySelector('[data-check="imageUsage"]');
    }

    // The core words every check (empty when there is nothing to say).
    showLimits(state) {
        const limits = state.limits ?? {};
        setText(this.count, sentence(limits.count));
        const glyphs = sentence(limits.glyphs);
        setText(this.glyphs, glyphs);
        this.glyphs.title = glyphs;
        const cut = sentence(limits.cut);
        setText(this.cut, cut);
        // The hidden words may run past the line; the tooltip keeps the whole sentence.
        this.cut.title = cut;
        this.cutMark.hidden = cut === '';
    }

    // file: the open message file of the state, or null with none open.
    showUsage(file) {
        if (!file || !file.imageUsage) {
            this.usage.hidden = true;
            return;
        }
        setText(this.usage, file.imageUsage);
        this.usage.classList.toggle('excedida', Boolean(file.imageTooBig));
        this.usage.hidden = false;
    }
}

function sentence(value) {
    if (value === undefined || value === null || value === '') {
        return '';
    }
    return Array.isArray(value) ? value.join(' ') : String(value);
}

function setText(node, text) {
    if (node.textContent !== text) {
        node.textContent = text;
    }
}
