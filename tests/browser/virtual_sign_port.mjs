// SPDX-License-Identifier: GPL-3.0-or-later
// A serial port for the page with the project's own virtual sign at the other end: the
// test puts a stand-in for navigator.serial into the page (fakeSerial), whose bytes this
// runner carries to `simlumivel sign` on its pseudo-terminal and back.
import { spawn } from 'node:child_process';
import { closeSync, openSync, writeSync } from 'node:fs';
import { createInterface } from 'node:readline';
import tty from 'node:tty';
import assert from 'node:assert/strict';
import { kWait, nativeProgram } from './harness.mjs';

// In the page, before its scripts: navigator.serial with one USB adapter, which the page
// gets from requestPort() the first time and from getPorts() after that. Written bytes go
// to window.__toSign (the runner's binding); the runner hands echoes to __fromSign.
export function fakeSerial() {
    const serial = new EventTarget();
    const granted = [];
    window.__serialLog = { requests: 0, opened: null, signals: null, closes: 0 };
    class FakePort extends EventTarget {
        constructor() {
            super();
            this.readable = null;
            this.writable = null;
            this.controller = null;
        }
        getInfo() {
            return { usbVendorId: 0x1a86, usbProductId: 0x7523 };
        }
        async open(options) {
            if (this.readable) {
                throw new DOMException('The port is already open.', 'InvalidStateError');
            }
            window.__serialLog.opened = options;
            this.readable = new ReadableStream({ start: (controller) => (this.controller = controller) });
            // A line that chattered before the transfer: what waits must not pass for the answer.
            if (window.__staleOnOpen) {
                this.controller.enqueue(new Uint8Array(window.__staleOnOpen));
            }
            this.writable = new WritableStream({
                write: (chunk) => {
                    if (this.lost) {
                        throw new DOMException('The device has been lost.', 'NetworkError');
                    }
                    window.__toSign(Array.from(chunk));
                },
            });
        }
        async setSignals(signals) {
            window.__serialLog.signals = signals;
        }
        async close() {
            if (this.readable?.locked || this.writable?.locked) {
                throw new DOMException('The port has locked streams.', 'InvalidStateError');
            }
            this.readable = null;
            this.writable = null;
            this.controller = null;
            window.__serialLog.closes += 1;
        }
        unplug() {
            this.lost = true;
            this.controller?.error(new DOMException('The device has been lost.', 'NetworkError'));
            const event = new Event('disconnect');
            Object.defineProperty(event, 'target', { value: this });
            serial.dispatchEvent(event);
        }
    }
    const port = new FakePort();
    window.__fromSign = (bytes) => {
        if (!port.lost) {
            port.controller?.enqueue(new Uint8Array(bytes));
        }
    };
    window.__unplug = () => port.unplug();
    serial.getPorts = async () => granted.slice();
    serial.requestPort = async () => {
        window.__serialLog.requests += 1;
        if (!granted.includes(port)) {
            granted.push(port);
        }
        return port;
    };
    Object.defineProperty(Navigator.prototype, 'serial', { get: () => serial, configurable: true });
}

// The page as Firefox or Safari shows it: no navigator.serial at all.
export function noSerial() {
    delete Navigator.prototype.serial;
}

// `simlumivel sign [--fault F] [--pace B]` bridged to the page. sent: every byte the sign
// received; images: the messages of each image it completed (its JSON lines).
// unplugAfter: after that many bytes the page's port is lost and nothing more is carried.
export async function startVirtualSign(page, { fault, pace, unplugAfter } = {}) {
    const args = ['sign'];
    if (fault) args.push('--fault', fault);
    if (pace) args.push('--pace', String(pace));
    const child = spawn(nativeProgram(), args, {
        stdio: ['ignore', 'pipe', 'pipe'],
        env: { ...process.env, ASAN_OPTIONS: 'detect_leaks=0' },
    });
    const lines = createInterface({ input: child.stdout });
    const devicePath = await new Promise((resolve, reject) => {
        lines.once('line', resolve);
        child.once('exit', (code) => reject(new Error(`simlumivel sign terminó (${code})`)));
    });
    const images = [];
    let messages = [];
    // The sign prints an image's messages one per line as it completes them, together.
    lines.on('line', (line) => {
        messages.push(JSON.parse(line));
        setImmediate(() => {
            if (messages.length > 0) {
                images.push(messages);
                messages = [];
            }
        });
    });
    const fd = openSync(devicePath, 'r+');
    const input = new tty.ReadStream(fd);
    const sent = [];
    let unplugged = false;
    input.on('data', (chunk) => {
        if (!unplugged) {
            page.evaluate((bytes) => window.__fromSign(bytes), Array.from(chunk)).catch(() => {});
        }
    });
    await page.exposeBinding('__toSign', (_source, bytes) => {
        if (unplugged) return;
        for (const byte of bytes) {
            sent.push(byte);
            writeSync(fd, Buffer.from([byte]));
            if (unplugAfter !== undefined && sent.length === unplugAfter) {
                unplugged = true;
                page.evaluate(() => window.__unplug()).catch(() => {});
                return;
            }
        }
    });
    return {
        sent,
        images,
        wireHex: () => sent.map((b) => b.toString(16).toUpperCase().padStart(2, '0')).join(' '),
        async waitForImage(count = 1) {
            const deadline = Date.now() + kWait;
            while (images.length < count) {
                assert.ok(Date.now() < deadline, 'el letrero virtual no completó la imagen');
                await new Promise((resolve) => setTimeout(resolve, 20));
            }
            return images[count - 1];
        },
        async stop() {
            input.destroy();
            try {
                closeSync(fd);
            } catch {
                // The stream closed it already.
            }
            const exited = new Promise((resolve) => child.once('exit', resolve));
            child.kill('SIGTERM');
            await exited;
        },
    };
}
