// SPDX-License-Identifier: GPL-3.0-or-later
// The message file between the person's disk and the core's own files: the open and save
// dialogs the core asks for, files dropped on the page, the write back after a save (to
// the chosen file where the browser lets us, as a download otherwise), and the copy kept
// in the browser's storage after every change so that nothing is lost.
import { aviso, pedirNombre } from './dialogs.js';
import * as keeper from './keeper.js';

const MESSAGE_FILTERS = ['Mensajes del Lumivel|*.men'];

function sameBytes(a, b) {
    if (!a || !b || a.length !== b.length) {
        return false;
    }
    for (let i = 0; i < a.length; i++) {
        if (a[i] !== b[i]) {
            return false;
        }
    }
    return true;
}

// "Mensajes del Lumivel|*.men" or "Imágenes (*.png *.bmp)" -> {description, extensions}.
function parseFilters(filters) {
    const list = Array.isArray(filters) ? filters : filters ? [filters] : MESSAGE_FILTERS;
    return list
        .map((filter) => {
            const text = String(filter);
            const extensions = [...text.matchAll(/\*\.([A-Za-z0-9]+)/g)].map((m) => `.${m[1].toLowerCase()}`);
            const description = text.split('|')[0].replace(/\s*\(.*\)\s*$/, '').trim();
            return { description, extensions };
        })
        .filter((filter) => filter.extensions.length > 0);
}

function pickerTypes(filters) {
    return parseFilters(filters).map(({ description, extensions }) => {
        const images = extensions.every((ext) => /^\.(png|bmp|gif|jpe?g|webp)$/.test(ext));
        return { description, accept: { [images ? 'image/*' : 'application/octet-stream']: extensions } };
    });
}

// The pickers remember a folder per kind of file under an id of letters and digits.
function pickerId(memory) {
    const id = String(memory ?? 'mensajes').replace(/[^A-Za-z0-9_-]/g, '').slice(0, 32);
    return id || 'mensajes';
}

function isAbort(error) {
    return error && (error.name === 'AbortError' || error.name === 'NotAllowedError');
}

// One file chosen by the person: {name, file, handle} or null.
export async function pickFile(filters, memory) {
    if (typeof window.showOpenFilePicker === 'function') {
        try {
            const [handle] = await window.showOpenFilePicker({
                types: pickerTypes(filters),
                id: pickerId(memory),
                multiple: false,
            });
            return { name: handle.name, file: await handle.getFile(), handle };
        } catch (error) {
            if (isAbort(error)) {
                return null;
            }
            throw error;
        }
    }
    return new Promise((resolve) => {
        const input = document.createElement('input');
        input.type = 'file';
        input.accept = parseFilters(filters)
            .flatMap((filter) => filter.extensions)
            .join(',');
        input.addEventListener('change', () => {
            const file = input.files && input.files[0];
            resolve(file ? { name: file.name, file, handle: null } : null);
        });
        input.addEventListener('cancel', () => resolve(null));
        input.click();
    });
}

export function download(name, bytes) {
    const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    link.hidden = true;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

async function canWrite(handle) {
    if (!handle || typeof handle.createWritable !== 'function') {
        return false;
    }
    try {
        return (await handle.queryPermission({ mode: 'readwrite' })) === 'granted';
    } catch {
        return false;
    }
}

async function writeTo(handle, bytes) {
    const writable = await handle.createWritable();
    await writable.write(bytes);
    await writable.close();
}

export class Files {
    constructor() {
        this.core = null;
        this.opened = null; // {path, name, handle, bytes} given to the core to open
        this.pendingSave = null; // {path, name, handle} given to the core to save to
        // The open file: {path, name, handle, savedBytes}: savedBytes is what the real file
        // on the person's disk holds, null when it has none.
        this.current = null;
        this.dirty = false;
        this.writing = Promise.resolve();
    }

    attach(core) {
        this.core = core;
    }

    exists(path) {
        try {
            this.core.readFile(path);
            return true;
        } catch {
            return false;
        }
    }

    // A path under folder that no file of the core's holds yet, so that the core asks no
    // question the browser's dialog has already asked.
    freshPath(folder, name) {
        const clean = name.replace(/[\\/]/g, '_') || 'mensajes.men';
        let path = `${folder}/${clean}`;
        for (let n = 2; this.exists(path); n++) {
            path = `${folder}/${n}/${clean}`;
        }
        return path;
    }

    hooks() {
        return {
            openFile: (options) => this.openFile(options ?? {}),
            saveFile: (options) => this.saveFile(options ?? {}),
        };
    }

    async openFile({ filters, memory }) {
        let picked;
        try {
            picked = await pickFile(filters ?? MESSAGE_FILTERS, memory);
        } catch (error) {
            await aviso('Abrir', `No se pudo abrir el archivo: ${error.message}.`);
            return null;
        }
        if (!picked) {
            return null;
        }
        const bytes = new Uint8Array(await picked.file.arrayBuffer());
        return this.place(picked.name, bytes, picked.handle);
    }

    // onDisk: the bytes are what the person's file holds (not a copy kept here).
    place(name, bytes, handle, onDisk = true) {
        const path = this.freshPath('/abiertos', name);
        this.core.writeFile(path, bytes);
        this.opened = { path, name, handle, bytes: onDisk ? bytes : null };
        return path;
    }

    async saveFile({ filters, name, memory, defaultSuffix }) {
        const suggested = name ? String(name).split('/').pop() : 'mensajes.men';
        let handle = null;
        let chosen;
        if (typeof window.showSaveFilePicker === 'function') {
            try {
                handle = await window.showSaveFilePicker({
                    suggestedName: suggested,
                    types: pickerTypes(filters ?? MESSAGE_FILTERS),
                    id: pickerId(memory),
                });
            } catch (error) {
                if (isAbort(error)) {
                    return null;
                }
                throw error;
            }
            chosen = handle.name;
        } else {
            chosen = await pedirNombre('Guardar', 'Nombre del archivo:', suggested);
            if (!chosen) {
                return null;
            }
        }
        // A name typed without extension gets the dialog's own, as the desktop's dialog does.
        const suffix = defaultSuffix ?? 'men';
        if (suffix && !/\.[^./]+$/.test(chosen)) {
            chosen += `.${suffix}`;
        }
        const path = this.freshPath('/guardados', chosen);
        this.pendingSave = { path, name: chosen, handle };
        return path;
    }

    // Opens bytes from outside (a dropped file, a recovered one) as Abrir opens a file.
    async openBytes(name, bytes, handle, onDisk = true) {
        const path = this.place(name, bytes, handle, onDisk);
        await this.core.openPath(path);
    }

    // After every action that may have changed the open file.
    async afterAction() {
        const file = this.core.state().file;
        const opened = this.opened;
        const saved = this.pendingSave;
        this.opened = null;
        this.pendingSave = null;
        // The core may have saved and then gone on to another file (Abrir asks to save the
        // scratch messages first): what it saved goes out all the same.
        if (saved && this.exists(saved.path)) {
            const written = await this.writeOut(saved, this.core.readFile(saved.path));
            if (file && file.path === saved.path) {
                this.current = { path: file.path, name: saved.name, handle: saved.handle, savedBytes: written };
            }
        }
        if (!file || !file.path) {
            this.current = null;
            this.dirty = false;
            await this.forget();
            return;
        }
        const bytes = this.core.fileBytes() ?? new Uint8Array(0);
        if (opened && file.path === opened.path) {
            this.current = { path: file.path, name: opened.name, handle: opened.handle, savedBytes: opened.bytes };
        } else if (!this.current || this.current.path !== file.path) {
            this.current = { path: file.path, name: file.name, handle: null, savedBytes: null };
        }
        if (this.current.handle && !sameBytes(bytes, this.current.savedBytes) && (await canWrite(this.current.handle))) {
            // A file the person chose to save to takes every change at once, as on the desktop.
            if (await this.write(this.current, bytes)) {
                this.current.savedBytes = bytes;
            }
        }
        this.dirty = bytes.length > 0 && !sameBytes(bytes, this.current.savedBytes);
        if (this.dirty) {
            await this.keep(file, bytes);
        } else {
            await this.forget();
        }
    }

    // Bytes the core saved, to the file the person chose or as a download; resolves with
    // the bytes when they reached it, null otherwise.
    async writeOut(target, bytes) {
        if (!target.handle) {
            download(target.name, bytes);
            return bytes;
        }
        return (await this.write(target, bytes)) ? bytes : null;
    }

    async write(target, bytes) {
        const job = this.writing.then(async () => {
            try {
                await writeTo(target.handle, bytes);
                return true;
            } catch (error) {
                await aviso('Guardar', `No se pudo guardar el archivo «${target.name}»: ${error.message}.`, 'Critical');
                return false;
            }
        });
        this.writing = job.catch(() => false);
        return job;
    }

    async keep(file, bytes) {
        try {
            await keeper.keep({
                name: this.current.name ?? file.name,
                bytes,
                scratch: Boolean(file.scratch),
                handle: this.current.handle ?? null,
            });
        } catch {
            // Storage may be full or off (private windows): the page goes on without it.
        }
    }

    async forget() {
        try {
            await keeper.forget();
        } catch {
            // Nothing was kept.
        }
    }

    async kept() {
        try {
            return await keeper.kept();
        } catch {
            return null;
        }
    }
}
