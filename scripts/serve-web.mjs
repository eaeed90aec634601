#!/usr/bin/env node
// SPDX-License-Identifier: GPL-3.0-or-later
// Serves the browser edition (build/web) on 127.0.0.1 only: files, no listings, nothing
// outside the folder. WebAssembly needs its own MIME type to be compiled while it downloads,
// and modules are refused without a JavaScript one, hence the explicit table.
//
//   node scripts/serve-web.mjs [--port N] [--root DIR]
//
// The port also comes from SIMLUMIVEL_WEB_PORT; 0 takes any free one. The first line on
// standard output is the address listened on ("http://127.0.0.1:PORT/"), for the tests that
// start it; a person reads the line on standard error.
import { createReadStream } from 'node:fs';
import { realpath, stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const kDefaultPort = 8631;
const kHost = '127.0.0.1';

const kTypes = new Map([
    ['.html', 'text/html; charset=utf-8'],
    ['.js', 'text/javascript; charset=utf-8'],
    ['.mjs', 'text/javascript; charset=utf-8'],
    ['.css', 'text/css; charset=utf-8'],
    ['.json', 'application/json'],
    ['.webmanifest', 'application/manifest+json'],
    ['.wasm', 'application/wasm'],
    ['.svg', 'image/svg+xml'],
    ['.png', 'image/png'],
    ['.gif', 'image/gif'],
    ['.jpg', 'image/jpeg'],
    ['.jpeg', 'image/jpeg'],
    ['.ico', 'image/x-icon'],
    ['.txt', 'text/plain; charset=utf-8'],
    ['.men', 'application/octet-stream'],
]);

function fail(message) {
    process.stderr.write(`serve-web: ${message}\n`);
    process.exit(2);
}

function parseArguments(argv) {
    const repo = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
    const options = { root: path.join(repo, 'build', 'web'), port: process.env.SIMLUMIVEL_WEB_PORT };
    for (let i = 0; i < argv.length; ++i) {
        const [name, inline] = argv[i].split(/=(.*)/s, 2);
        const value = () => inline ?? argv[++i];
        if (name === '--port') {
            options.port = value();
        } else if (name === '--root') {
            options.root = path.resolve(value() ?? '');
        } else if (name === '--help' || name === '-h') {
            process.stdout.write('uso: serve-web.mjs [--port N] [--root CARPETA]\n');
            process.exit(0);
        } else {
            fail(`argumento desconocido: ${argv[i]}`);
        }
    }
    const text = options.port === undefined || options.port === '' ? String(kDefaultPort) : String(options.port);
    if (!/^\d{1,5}$/.test(text) || Number(text) > 65535) {
        fail(`puerto no válido: ${text} (0 a 65535; 0 toma uno libre)`);
    }
    options.port = Number(text);
    return options;
}

// The file a request names, or an HTTP status. Every step that could leave the root is
// refused rather than normalised: "..", encoded slashes, NUL bytes, and links that point out.
async function resolveRequest(root, rawUrl) {
    const pathname = rawUrl.split(/[?#]/, 1)[0];
    let decoded;
    try {
        decoded = decodeURIComponent(pathname);
    } catch {
        return { status: 400 };
    }
    if (!decoded.startsWith('/') || decoded.includes('\0') || decoded.includes('\\')) {
        return { status: 400 };
    }
    const segments = decoded.split('/');
    if (segments.some((segment) => segment === '..') || /%2f/i.test(pathname)) {
        return { status: 400 };
    }
    let file = path.join(root, ...segments);
    let info;
    try {
        info = await stat(file);
        if (info.isDirectory()) {
            // A folder serves its index page and is never listed; without its final slash the
            // page's relative addresses would point at the parent, hence the redirect.
            if (!pathname.endsWith('/')) {
                return { status: 301, location: `${pathname.replace(/^\/+/, '/')}/` };
            }
            file = path.join(file, 'index.html');
            info = await stat(file);
        }
        const real = await realpath(file);
        if (real !== root && !real.startsWith(root + path.sep)) {
            return { status: 404 };
        }
    } catch {
        return { status: 404 };
    }
    if (!info.isFile()) {
        return { status: 404 };
    }
    return { status: 200, file, size: info.size };
}

function reply(response, status, headers = {}) {
    const body = `${status}\n`;
    response.writeHead(status, {
        'Content-Type': 'text/plain; charset=utf-8',
        'Content-Length': Buffer.byteLength(body),
        'Cache-Control': 'no-cache',
        ...headers,
    });
    response.end(body);
}

async function main() {
    const options = parseArguments(process.argv.slice(2));
    let root;
    try {
        root = await realpath(options.root);
        if (!(await stat(root)).isDirectory()) {
            throw new Error('no es una carpeta');
        }
    } catch {
        fail(`no existe la carpeta ${options.root} (make web-build la crea)`);
    }

    const server = createServer(async (request, response) => {
        if (request.method !== 'GET' && request.method !== 'HEAD') {
            reply(response, 405, { Allow: 'GET, HEAD' });
            return;
        }
        const found = await resolveRequest(root, request.url ?? '/');
        if (found.status !== 200) {
            reply(response, found.status, found.location ? { Location: found.location } : {});
            return;
        }
        const type = kTypes.get(path.extname(found.file).toLowerCase()) ?? 'application/octet-stream';
        response.writeHead(200, {
            'Content-Type': type,
            'Content-Length': found.size,
            'Cache-Control': 'no-cache',
            'X-Content-Type-Options': 'nosniff',
        });
        if (request.method === 'HEAD') {
            response.end();
            return;
        }
        const stream = createReadStream(found.file);
        stream.on('error', () => response.destroy());
        stream.pipe(response);
    });

    server.on('error', (error) => {
        if (error.code === 'EADDRINUSE') {
            fail(`el puerto ${options.port} ya está en uso (otro puerto: --port N, o 0 para uno libre)`);
        }
        fail(`no se puede escuchar en ${kHost}:${options.port}: ${error.message}`);
    });
    server.listen(options.port, kHost, () => {
        const address = `http://${kHost}:${server.address().port}/`;
        process.stdout.write(`${address}\n`);
        process.stderr.write(`SimLumivel en el navegador: ${address}\nCtrl+C lo detiene.\n`);
    });

    const stop = () => {
        server.close();
        server.closeAllConnections();
    };
    process.on('SIGINT', stop);
    process.on('SIGTERM', stop);
}

await main();
