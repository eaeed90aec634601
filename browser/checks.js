// What the core finds before a message is sent, shown where the person is working: under
// Text1 the characters used of a record's 130 and the letters the font lacks, under the list
// buttons the columns a row or column effect cuts, an orange bar at the sign's edge where
// the cut falls, and in the status bar the transmission image against the sign's capacity.
const TEXT_LENGTH = 130;

export class Checks {
    constructor(root) {
        this.count = root.querySelector('[data-check="count"]');
        this.glyphs = root.querySelector('[data-check="glyphs"]');
        this.cut = root.querySelector('[data-check="cut"]');
        this.cutMark = root.querySelector('.marca-corte');
        this.usage = root.querySelector('[data-check="imageUsage"]');
        // The counter joins once Text1 first changes, so the window starts as designed.
        this.counting = false;
    }

    startCounting() {
        this.counting = true;
    }

    showLimits(state) {
        const limits = state.limits ?? {};
        const textMode = state.option1 === 1;
        let count = '';
        if (this.counting && textMode && state.texto) {
            if (typeof limits.count === 'number') {
                count = `${limits.count}/${TEXT_LENGTH}`;
            } else if (limits.count) {
                count = String(limits.count);
            }
        }
        setText(this.count, count);
        const glyphs = sentence(limits.glyphs);
        setText(this.glyphs, glyphs);
        this.glyphs.title = glyphs;
        const cut = sentence(limits.cut);
        setText(this.cut, cut);
        // The hidden words may run past the line; the tooltip keeps the whole sentence.
        this.cut.title = cut;
        this.cutMark.hidden = cut === '';
    }

    // usage: core.imageUsage(), or null with no message file open.
    showUsage(usage) {
        if (!usage || !usage.texto) {
            this.usage.hidden = true;
            return;
        }
        setText(this.usage, usage.texto);
        this.usage.classList.toggle('excedida', usage.bytes > usage.capacity);
        this.usage.hidden = false;
    }
}

function sentence(value) {
    if (!value) {
        return '';
    }
    return Array.isArray(value) ? value.join(' ') : String(value);
}

function setText(node, text) {
    if (node.textContent !== text) {
        node.textContent = text;
    }
}
