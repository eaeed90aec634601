// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped on the page and pictures pasted into it: a message file (.men) opens as
// Abrir opens one, anything else is imported as a picture (which says so when it is none).
// with: {canTakeInput, dialogOpen, textBox, openMessageFile(file, handle), importFile(file)}
export function attachDropAndPaste(root, { canTakeInput, dialogOpen, textBox, openMessageFile, importFile }) {
    const letrero = root.querySelector('.letrero');
    const carriesFiles = (event) => event.dataTransfer && [...event.dataTransfer.types].includes('Files');
    document.addEventListener('dragover', (event) => {
        if (carriesFiles(event)) {
            event.preventDefault();
            event.dataTransfer.dropEffect = canTakeInput() ? 'copy' : 'none';
            letrero.classList.toggle('soltar', letrero.contains(event.target));
        }
    });
    document.addEventListener('dragleave', (event) => {
        if (!event.relatedTarget || !letrero.contains(event.relatedTarget)) {
            letrero.classList.remove('soltar');
        }
    });
    document.addEventListener('drop', (event) => {
        if (!carriesFiles(event)) {
            return;
        }
        event.preventDefault();
        letrero.classList.remove('soltar');
        const file = event.dataTransfer.files[0];
        if (!file || !canTakeInput() || dialogOpen()) {
            return;
        }
        // The handle must be asked for while the drop is handled.
        const item = event.dataTransfer.items && event.dataTransfer.items[0];
        const handle =
            item && typeof item.getAsFileSystemHandle === 'function' ? item.getAsFileSystemHandle() : null;
        if (/\.men$/i.test(file.name)) {
            Promise.resolve(handle)
                .catch(() => null)
                .then((found) => openMessageFile(file, found && found.kind === 'file' ? found : null));
        } else {
            importFile(file);
        }
    });
    document.addEventListener('paste', (event) => {
        if (!canTakeInput() || dialogOpen()) {
            return;
        }
        const data = event.clipboardData;
        const image = data && [...data.files].find((file) => file.type.startsWith('image/'));
        // Text pasted into Text1 stays text.
        if (!image || (event.target === textBox && data.getData('text/plain'))) {
            return;
        }
        event.preventDefault();
        importFile(image);
    });
}
