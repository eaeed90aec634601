// SPDX-License-Identifier: GPL-3.0-or-later
// A message file the installed app is opened with (a double click on a .men, "Abrir con"):
// it opens as a dropped one does. The browser holds each launch until a consumer is set, and
// a launch may come to an open window that is busy (a dialog, an effect): it waits its turn.
// with: {canTakeInput, dialogOpen, openMessageFile(file, handle)}
import { aviso } from './dialogs.js';

// Resolves once free() holds; the page's busy state shows in the body's class and its dialogs.
function whenFree(free) {
    if (free()) {
        return Promise.resolve();
    }
    return new Promise((resolve) => {
        const observer = new MutationObserver(() => {
            if (free()) {
                observer.disconnect();
                resolve();
            }
        });
        observer.observe(document.body, {
            subtree: true,
            childList: true,
            attributes: true,
            attributeFilter: ['class', 'open'],
        });
    });
}

export function openLaunchedFiles({ canTakeInput, dialogOpen, openMessageFile }) {
    if (!('launchQueue' in window)) {
        return;
    }
    // One launch after another: two at once would find the page free together.
    let turn = Promise.resolve();
    window.launchQueue.setConsumer((params) => {
        // The page holds one message file: the first of those chosen.
        const handle = (params.files ?? []).find((item) => item.kind === 'file' && /\.men$/i.test(item.name));
        if (!handle) {
            return;
        }
        turn = turn.then(async () => {
            try {
                const file = await handle.getFile();
                await whenFree(() => canTakeInput() && !dialogOpen());
                await openMessageFile(file, handle);
            } catch (error) {
                await aviso('Abrir', `No se pudo abrir el archivo «${handle.name}»: ${error.message ?? error}.`);
            }
        });
    });
}
