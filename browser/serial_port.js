// SPDX-License-Identifier: GPL-3.0-or-later
// The serial line to the sign through the browser's Web Serial. The core's port
// (src/wasm/web_serial_port.cpp) calls hooks() for every write and every wait for an echo;
// the link itself (request, headers, echoes, time-outs) runs in the core.

// The sign's line: 9600 baud, 8 data bits, no parity, one stop bit, no flow control.
const LINE = { baudRate: 9600, dataBits: 8, parity: 'none', stopBits: 1, flowControl: 'none', bufferSize: 1024 };

// Web Serial is offered only to pages served over HTTPS or from this computer.
export function hasWebSerial() {
    return window.isSecureContext && 'serial' in navigator && typeof navigator.serial.requestPort === 'function';
}

function hex4(value) {
    return value.toString(16).padStart(4, '0');
}

// How the page names a port: its USB identifiers where the browser gives them.
export function portName(port) {
    const info = port?.getInfo?.() ?? {};
    if (info.usbVendorId !== undefined) {
        return `USB ${hex4(info.usbVendorId)}:${hex4(info.usbProductId ?? 0)}`;
    }
    return 'serie elegido';
}

// The adapter's USB vendor id, which names its chip in the advice for a slow line; -1 when
// the browser does not say (a port that is not USB).
export function usbVendorId(port) {
    const id = port?.getInfo?.()?.usbVendorId;
    return Number.isInteger(id) ? id : -1;
}

// Where the advice for a slow line says to set the adapter's latency timer: 'windows',
// 'linux' or 'other'. ChromeOS and Android may report Linux, but their people have neither
// the Device Manager nor a terminal with /sys, so they get the general advice.
export function adviceSystem(nav = navigator) {
    const agent = nav.userAgent ?? '';
    const platform = nav.userAgentData?.platform || nav.platform || agent;
    if (/android|\bcros\b|chrome ?os/i.test(`${platform} ${agent}`)) {
        return 'other';
    }
    if (/^win|windows/i.test(platform)) {
        return 'windows';
    }
    return /linux/i.test(platform) ? 'linux' : 'other';
}

function reasonOf(error) {
    switch (error?.name) {
        case 'InvalidStateError':
            return 'ya está abierto en otra pestaña o programa';
        case 'NetworkError':
            return 'el sistema no permite abrirlo (¿lo usa otro programa?)';
        case 'NotFoundError':
            return 'ya no está conectado';
        default:
            return error?.message || String(error);
    }
}

export class SerialLine {
    constructor() {
        this.port = null;
        this.reader = null;
        this.writer = null;
        this.pending = [];
        this.waiting = null; // the wait() in progress: () => void wakes it
        this.lostLine = false;
        this.reading = Promise.resolve();
        navigator.serial?.addEventListener?.('disconnect', (event) => {
            if (event.target === this.port) {
                this.markLost();
            }
        });
    }

    // The port the browser already allowed this page, else the one the person picks now;
    // null when the person closes the browser's list. `ask` always shows the list.
    async choose(ask = false) {
        if (!ask) {
            const allowed = await navigator.serial.getPorts();
            if (allowed.length > 0) {
                this.port = allowed[0];
                return this.port;
            }
        }
        try {
            this.port = await navigator.serial.requestPort();
        } catch (error) {
            if (error?.name === 'NotFoundError' || error?.name === 'AbortError') {
                return null;
            }
            throw error;
        }
        return this.port;
    }

    name() {
        return portName(this.port);
    }

    vendorId() {
        return usbVendorId(this.port);
    }

    markLost() {
        this.lostLine = true;
        this.wake();
    }

    wake() {
        const waiting = this.waiting;
        this.waiting = null;
        waiting?.();
    }

    bytesWaiting() {
        return this.pending.reduce((sum, chunk) => sum + chunk.length, 0);
    }

    async readLoop(reader) {
        try {
            for (;;) {
                const { value, done } = await reader.read();
                if (done) {
                    return;
                }
                if (value && value.length > 0) {
                    this.pending.push(value);
                    this.wake();
                }
            }
        } catch {
            // Closing cancels the read without an error; anything else is the line gone.
            if (this.reader === reader) {
                this.markLost();
            }
        }
    }

    hooks() {
        return {
            open: () => this.open(),
            close: () => this.close(),
            write: (bytes) => this.write(bytes),
            wait: (timeoutMs) => this.wait(timeoutMs),
            take: (capacity) => this.take(capacity),
            discard: () => {
                this.pending = [];
            },
            lost: () => this.lostLine,
        };
    }

    async open() {
        this.lostLine = false;
        this.pending = [];
        try {
            await this.port.open(LINE);
        } catch (error) {
            return reasonOf(error);
        }
        try {
            await this.port.setSignals({ dataTerminalReady: true, requestToSend: false });
        } catch {
            // Some adapters have no control lines; the sign does not need them.
        }
        this.writer = this.port.writable.getWriter();
        this.reader = this.port.readable.getReader();
        this.reading = this.readLoop(this.reader);
        return '';
    }

    async write(bytes) {
        if (this.lostLine) {
            // The core names a lost line itself; any reason will do.
            return 'desconectado';
        }
        try {
            await this.writer.write(bytes);
            return '';
        } catch (error) {
            this.markLost();
            return reasonOf(error);
        }
    }

    // Resolves with the bytes waiting as soon as there are any, or 0 after timeoutMs.
    wait(timeoutMs) {
        if (this.pending.length > 0 || this.lostLine) {
            return Promise.resolve(this.bytesWaiting());
        }
        return new Promise((resolve) => {
            const timer = setTimeout(() => {
                this.waiting = null;
                resolve(0);
            }, timeoutMs);
            this.waiting = () => {
                clearTimeout(timer);
                resolve(this.bytesWaiting());
            };
        });
    }

    take(capacity) {
        const all = new Uint8Array(this.bytesWaiting());
        let at = 0;
        for (const chunk of this.pending) {
            all.set(chunk, at);
            at += chunk.length;
        }
        this.pending = capacity < all.length ? [all.subarray(capacity)] : [];
        return all.subarray(0, Math.min(capacity, all.length));
    }

    async close() {
        const { reader, writer } = this;
        this.reader = null;
        this.writer = null;
        this.wake();
        try {
            await reader?.cancel();
        } catch {
            // A lost line has nothing left to cancel.
        }
        reader?.releaseLock();
        await this.reading;
        try {
            writer?.releaseLock();
            await this.port.close();
        } catch {
            // Closing a port that is gone fails; it is closed all the same.
        }
    }
}
