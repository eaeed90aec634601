#!/usr/bin/env node
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes DIR/offline_files.js: every file of the built page for the service worker to cache,
// and a version drawn from their contents, so that each build that changes a file brings a
// new worker (the browser compares the scripts it imports) and a cache of its own.
//
//   node scripts/offline-files.mjs DIR        (scripts/build-web.sh runs it on build/web)
import { createHash } from 'node:crypto';
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';

const kOutput = 'offline_files.js';
// The worker's own scripts are kept by the browser itself, not in the cache.
const kNotCached = new Set([kOutput, 'service_worker.js']);

const dir = process.argv[2];
if (!dir) {
    process.stderr.write('uso: offline-files.mjs CARPETA\n');
    process.exit(2);
}

const files = readdirSync(dir, { recursive: true, withFileTypes: true })
    .filter((entry) => entry.isFile())
    .map((entry) => path.relative(dir, path.join(entry.parentPath ?? entry.path, entry.name)).split(path.sep).join('/'))
    .filter((name) => name !== kOutput)
    .sort();
const hash = createHash('sha256');
for (const name of files) {
    hash.update(`${name}\0`).update(readFileSync(path.join(dir, name))).update('\0');
}
// "./" is the page as the address bar and start_url name it.
const cached = ['./', ...files.filter((name) => !kNotCached.has(name))];
writeFileSync(
    path.join(dir, kOutput),
    '// Written by scripts/offline-files.mjs for service_worker.js: do not edit.\n' +
        `self.OFFLINE_VERSION = ${JSON.stringify(hash.digest('hex').slice(0, 16))};\n` +
        `self.OFFLINE_FILES = ${JSON.stringify(cached, null, 1)};\n`,
);
