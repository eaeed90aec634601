// SPDX-License-Identifier: GPL-3.0-or-later
// The working message file kept in the browser's own storage (IndexedDB), so that closing
// the tab or a crash loses no message: {name, bytes, scratch, handle, savedAt}.
const DATABASE = 'simlumivel';
const STORE = 'trabajo';
const KEY = 'archivo';

let opening = null;

function database() {
    if (!opening) {
        opening = new Promise((resolve, reject) => {
            const request = indexedDB.open(DATABASE, 1);
            request.onupgradeneeded = () => request.result.createObjectStore(STORE);
            request.onsuccess = () => {
                const db = request.result;
                // Another tab upgrading or deleting the store must not wait for this one.
                db.onversionchange = () => {
                    db.close();
                    opening = null;
                };
                resolve(db);
            };
            request.onerror = () => reject(request.error);
        });
        opening.catch(() => {
            opening = null;
        });
    }
    return opening;
}

async function transaction(mode, work) {
    const db = await database();
    return new Promise((resolve, reject) => {
        const tx = db.transaction(STORE, mode);
        const request = work(tx.objectStore(STORE));
        tx.oncomplete = () => resolve(request ? request.result : undefined);
        tx.onerror = () => reject(tx.error);
        tx.onabort = () => reject(tx.error);
    });
}

export async function keep(record) {
    const entry = { ...record, savedAt: Date.now() };
    try {
        await transaction('readwrite', (store) => store.put(entry, KEY));
    } catch (error) {
        // A handle that cannot be stored (some browsers) must not cost the messages.
        if (entry.handle) {
            await transaction('readwrite', (store) => store.put({ ...entry, handle: null }, KEY));
        } else {
            throw error;
        }
    }
}

export async function kept() {
    return (await transaction('readonly', (store) => store.get(KEY))) ?? null;
}

export async function forget() {
    await transaction('readwrite', (store) => store.delete(KEY));
}
