// SPDX-License-Identifier: GPL-3.0-or-later
// The working file an earlier visit left in the browser without saving it to a file:
// offered before any work, as the desktop offers the scratch messages of a killed run.
import { Answer } from './core.js';
import { mensaje } from './dialogs.js';

function when(ms) {
    const d = new Date(ms);
    const two = (n) => String(n).padStart(2, '0');
    return `${two(d.getDate())}/${two(d.getMonth() + 1)}/${d.getFullYear()} ${two(d.getHours())}:${two(d.getMinutes())}`;
}

// The record to open again, or null (none, or the person discards it).
export async function askRecovery(files) {
    const record = await files.kept();
    if (!record || !record.bytes || record.bytes.length === 0) {
        return null;
    }
    // A scratch file's name is the core's, not one the person gave.
    const of = record.scratch || !record.name ? '' : `«${record.name}», `;
    const answer = await mensaje({
        title: 'Mensajes sin guardar',
        texto:
            'Hay mensajes de una sesión anterior que no se guardaron en un archivo ' +
            `(${of}${when(record.savedAt)}).\r\n¿Desea recuperarlos?\r\n\r\n` +
            'Sí: recuperarlos para guardarlos con un nombre.\r\nNo: descartarlos.',
        buttons: 'YesNo',
        icon: 'Question',
        defaultAnswer: Answer.Yes,
    });
    if (answer !== Answer.Yes) {
        await files.forget();
        return null;
    }
    return record;
}
