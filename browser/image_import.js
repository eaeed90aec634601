// SPDX-License-Identifier: GPL-3.0-or-later
// A picture file (chosen, dropped or pasted) decoded by the browser to its pixels and handed
// to the core, which turns it into the sign's picture by its own rule.
import { aviso, ajustesImportacion } from './dialogs.js';

export const IMAGE_FILTERS = ['Imágenes (*.png *.bmp *.gif *.jpg *.jpeg)'];
const KNOWN = /\.(png|bmp|gif|jpe?g|webp)$/i;

export function looksLikeImage(file) {
    return (file.type && file.type.startsWith('image/')) || KNOWN.test(file.name ?? '');
}

// The image's pixels, RGBA and not premultiplied: {width, height, rgba}.
async function decode(file) {
    const bitmap = await createImageBitmap(file, { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
    try {
        const canvas = document.createElement('canvas');
        canvas.width = bitmap.width;
        canvas.height = bitmap.height;
        const context = canvas.getContext('2d', { willReadFrequently: true });
        context.drawImage(bitmap, 0, 0);
        const { data } = context.getImageData(0, 0, bitmap.width, bitmap.height);
        return { width: bitmap.width, height: bitmap.height, rgba: new Uint8Array(data.buffer) };
    } finally {
        bitmap.close();
    }
}

function refuse(name, reason) {
    return aviso('Importar imagen', `No se pudo importar la imagen: ${reason}.\r\n${name}`);
}

// importImage(width, height, rgba, threshold, invert) reaches the core.
export async function importPicture(file, importImage) {
    const name = file.name || 'imagen';
    let image;
    try {
        image = await decode(file);
    } catch {
        await refuse(
            name,
            looksLikeImage(file)
                ? 'la imagen está dañada o incompleta'
                : 'no es una imagen en un formato conocido (PNG, BMP, GIF o JPEG)',
        );
        return false;
    }
    const settings = await ajustesImportacion();
    if (!settings) {
        return false;
    }
    try {
        importImage(image.width, image.height, image.rgba, settings.threshold, settings.invert);
    } catch {
        await refuse(name, 'la imagen es demasiado grande');
        return false;
    }
    return true;
}
