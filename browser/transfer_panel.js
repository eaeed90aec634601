// SPDX-License-Identifier: GPL-3.0-or-later
// The transmission window (Form1): shows what will be sent, and "Enviar" runs the core's
// link over the port the browser gives (serial_port.js). Modeless, like the window; while a
// transfer runs the page takes no other input.
import { Answer } from './core.js';
import { aviso, mensaje, openModal } from './dialogs.js';
import { download } from './files.js';
import { adviceSystem, hasWebSerial, SerialLine } from './serial_port.js';
import { clockTexts } from './status_bar.js';

const BROWSERS = 'Google Chrome, Microsoft Edge u Opera';

// A window moved by its title bar, as the person moves a window off what it covers.
function movableBy(handle, element) {
    handle.addEventListener('pointerdown', (event) => {
        const box = element.getBoundingClientRect();
        const dx = event.clientX - box.left;
        const dy = event.clientY - box.top;
        handle.setPointerCapture(event.pointerId);
        const move = (moved) => {
            element.style.left = `${Math.max(0, moved.clientX - dx)}px`;
            element.style.top = `${Math.max(0, moved.clientY - dy)}px`;
            element.style.bottom = 'auto';
        };
        handle.addEventListener('pointermove', move);
        handle.addEventListener('pointerup', () => handle.removeEventListener('pointermove', move), { once: true });
    });
}

export class TransferWindow {
    // core(): the loaded core; exclusive(work): runs work holding the page's input;
    // fileName(): the open file's name; onClose(): redraws the main window's sign.
    constructor(element, { core, exclusive, fileName, onClose }) {
        this.element = element;
        this.core = core;
        this.exclusive = exclusive;
        this.fileName = fileName;
        this.onClose = onClose;
        this.line = new SerialLine();
        this.transferring = false;
        this.stopRequested = false;
        this.boxes = Promise.resolve();
        this.clock = null;
        const find = (name, index) =>
            element.querySelector(`[data-control="${name}"]${index === undefined ? '' : `[data-index="${index}"]`}`);
        this.title = element.querySelector('.form1-titulo');
        this.label1 = find('SkinLabel1');
        this.label2 = find('SkinLabel2');
        this.progress = find('ProgressBar1');
        this.enviar = find('Command1');
        this.cancelar = find('Command2');
        this.detener = find('Detener');
        this.otherPort = find('otherPort');
        this.time = find('Tiempo');
        this.frame = find('Frame1');
        this.portLabel = element.querySelector('[data-check="portName"]');
        this.panels = [0, 1, 2].map((i) => element.querySelector(`[data-panel="${i}"]`));
        this.enviar.addEventListener('click', () => this.send());
        this.cancelar.addEventListener('click', () => this.close());
        this.detener.addEventListener('click', () => {
            this.stopRequested = true;
        });
        this.otherPort.addEventListener('click', () => this.chooseOtherPort());
        movableBy(this.title, element);
        // Back from the main window, where the messages may have changed; not at every move
        // of the focus between the window's own controls.
        element.addEventListener('focusin', (event) => {
            if (!element.contains(event.relatedTarget)) {
                this.refresh();
            }
        });
        element.addEventListener('keydown', (event) => {
            if (event.key === 'Escape' && !this.transferring) {
                this.close();
            }
        });
        window.addEventListener('beforeunload', (event) => {
            if (this.transferring) {
                event.preventDefault();
                event.returnValue = '';
            }
        });
    }

    // The core's hooks for the line and the transfer.
    hooks() {
        return {
            serial: this.line.hooks(),
            transfer: {
                connected: () => this.setTitle(this.texts.connectedTitle),
                maximum: (totaldatos) => {
                    this.progress.max = Math.max(totaldatos, 1);
                    this.progress.value = 0;
                },
                progress: (i) => {
                    this.progress.value = i;
                },
                dataError: (box) => this.showBox(box),
                // Once per transfer, before the first image byte; the core decides whether
                // this port still needs the advice.
                measured: ({ estimate, advice, command }) => {
                    this.time.textContent = estimate;
                    if (advice) {
                        this.showBox(advice, (answer) => {
                            if (command && answer === Answer.Yes) {
                                return mensaje(command);
                            }
                        });
                    }
                },
                timeLeft: (caption) => {
                    this.time.textContent = caption;
                },
                stopRequested: () => this.stopRequested,
            },
        };
    }

    get shown() {
        return !this.element.hidden;
    }

    // Shows the window, or brings it forward if it is already shown.
    async open() {
        if (!this.shown) {
            this.element.hidden = false;
            this.texts = this.core().transferPanel();
            this.setTitle(this.texts.title);
            this.panels[0].textContent = this.texts.programming;
            this.progress.max = 100;
            this.progress.value = 0;
            this.tick();
            this.clock = setInterval(() => this.tick(), 1000);
            this.refresh();
            await this.showRememberedPort();
        }
        this.enviar.focus();
    }

    close() {
        if (this.transferring || !this.shown) {
            return;
        }
        this.element.hidden = true;
        clearInterval(this.clock);
        this.onClose();
    }

    setTitle(texto) {
        this.title.textContent = texto;
    }

    tick() {
        const { date, time } = clockTexts();
        this.panels[1].textContent = date;
        this.panels[2].textContent = time;
    }

    // The labels follow the messages while nothing is being sent.
    refresh() {
        if (!this.shown || this.transferring) {
            return;
        }
        this.texts = this.core().transferPanel();
        this.label1.textContent = this.texts.messages;
        this.label2.textContent = this.texts.size.texto;
        this.label2.title = this.texts.size.toolTip;
    }

    async showRememberedPort() {
        if (!hasWebSerial()) {
            this.portLabel.textContent = 'este navegador no tiene acceso a puertos serie';
            this.otherPort.disabled = true;
            return;
        }
        const allowed = await navigator.serial.getPorts();
        if (allowed.length > 0) {
            this.line.port = allowed[0];
            this.portLabel.textContent = this.line.name();
        }
    }

    chooseOtherPort() {
        if (this.transferring || !hasWebSerial()) {
            return;
        }
        return this.line.choose(true).then((port) => {
            if (port) {
                this.portLabel.textContent = this.line.name();
            }
        });
    }

    // Boxes raised while another is open wait their turn; a box that leads to another
    // (onAnswer returns its Promise) holds the queue until that one is closed too.
    showBox(box, onAnswer) {
        this.boxes = this.boxes.then(() => mensaje(box)).then((answer) => onAnswer?.(answer));
        return this.boxes;
    }

    send() {
        if (this.transferring) {
            return;
        }
        if (!hasWebSerial()) {
            return this.exclusive(() => this.explainNoSerial());
        }
        return this.exclusive(async () => {
            let port;
            try {
                port = this.line.port ?? (await this.line.choose());
            } catch (error) {
                await aviso('Comunicacion Serial', `El navegador no dejó elegir un puerto: ${error.message ?? error}.`);
                return;
            }
            if (!port) {
                return;
            }
            this.portLabel.textContent = this.line.name();
            await this.transfer();
        });
    }

    // The core builds the image from the messages as they are at this moment.
    async transfer() {
        this.running(true);
        this.panels[0].textContent = this.texts.programming;
        this.time.textContent = '';
        let result;
        try {
            result = await this.core().send(this.line.name(), this.line.vendorId(), adviceSystem());
        } finally {
            this.running(false);
        }
        this.panels[0].textContent = result.status;
        // What it cost stays in view; a transfer that never measured the line says nothing.
        this.time.textContent = result.estimate ?? '';
        if (!result.connected) {
            this.setTitle(this.texts.title);
        }
        this.refresh();
        if (result.box) {
            this.showBox(result.box);
        }
        await this.boxes;
    }

    running(on) {
        this.transferring = on;
        this.stopRequested = false;
        this.enviar.disabled = on;
        this.cancelar.disabled = on;
        this.otherPort.disabled = on;
        this.frame.disabled = on;
        this.detener.hidden = !on;
        this.element.setAttribute('aria-busy', on ? 'true' : 'false');
        if (on) {
            this.detener.focus();
        }
    }

    // Firefox, Safari or a page not served securely: the file and the command line instead.
    explainNoSerial() {
        const bytes = this.core().fileBytes();
        const name = this.fileName() || 'mensajes.men';
        return openModal('Comunicacion Serial', (dialog, close) => {
            dialog.classList.add('sin-serie');
            const texto = document.createElement('p');
            texto.className = 'caja-texto';
            texto.textContent =
                'Este navegador no puede usar el puerto serie, así que no puede programar el Lumivel desde esta página. ' +
                `Ábrala con ${BROWSERS} en un ordenador con Windows, macOS, Linux o ChromeOS, servida por HTTPS ` +
                'o desde este mismo equipo (localhost); Firefox y Safari no tienen esta función.\n\n' +
                'También puede descargar el archivo de mensajes y enviarlo con el programa de escritorio:';
            const command = document.createElement('code');
            command.dataset.check = 'sendCommand';
            command.textContent = `simlumivel send --port /dev/ttyUSB0 "${name}"`;
            const row = document.createElement('div');
            row.className = 'caja-botones';
            const get = document.createElement('button');
            get.type = 'button';
            get.dataset.control = 'downloadFile';
            get.textContent = `Descargar ${name}`;
            get.disabled = bytes === null;
            get.title = bytes === null ? 'No hay ningún archivo de mensajes abierto' : '';
            get.addEventListener('click', () => download(name, bytes));
            const ok = document.createElement('button');
            ok.type = 'button';
            ok.className = 'predeterminado';
            ok.textContent = 'Aceptar';
            ok.addEventListener('click', () => close());
            row.append(get, ok);
            dialog.append(texto, command, row);
            return { focus: bytes === null ? ok : get, onEscape: () => close() };
        });
    }
}
