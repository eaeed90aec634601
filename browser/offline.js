// SPDX-License-Identifier: GPL-3.0-or-later
// The page kept for use without a network by service_worker.js. Where no worker can be
// registered (a page opened from file://, an older browser) the page works as before, online.
export function keepOffline() {
    if (!('serviceWorker' in navigator)) {
        return;
    }
    const register = () =>
        navigator.serviceWorker.register('service_worker.js').catch((error) => {
            console.warn(`SimLumivel no quedará disponible sin conexión: ${error.message ?? error}`);
        });
    // The worker fetches every file again: not while the page itself is loading.
    if (document.readyState === 'complete') {
        register();
    } else {
        window.addEventListener('load', register, { once: true });
    }
}
