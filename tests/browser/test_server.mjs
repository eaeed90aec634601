// SPDX-License-Identifier: GPL-3.0-or-later
// scripts/serve-web.mjs hands out the files of its folder with their types, and nothing else.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdir, mkdtemp, symlink, writeFile } from 'node:fs/promises';
import { request } from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { startServer } from './harness.mjs';

// A raw request: fetch() would tidy "/../" away before sending it.
const get = (url, pathname, method = 'GET') =>
    new Promise((resolve, reject) => {
        const req = request(new URL(url), { method, path: pathname }, (res) => {
            let body = '';
            res.on('data', (chunk) => (body += chunk));
            res.on('end', () => resolve({ status: res.statusCode, headers: res.headers, body }));
        });
        req.on('error', reject).end();
    });

test('the server gives each file its type, no listings and nothing outside its folder', async () => {
    const top = await mkdtemp(path.join(process.env.TMPDIR ?? os.tmpdir(), 'serve-'));
    const root = path.join(top, 'web');
    await mkdir(path.join(root, 'sub'), { recursive: true });
    await mkdir(path.join(root, 'empty'));
    await writeFile(path.join(top, 'secret.txt'), 'secret');
    await symlink(path.join(top, 'secret.txt'), path.join(root, 'link.txt'));
    const types = {
        'index.html': 'text/html', 'a.js': 'text/javascript', 'b.mjs': 'text/javascript', 'c.wasm': 'application/wasm',
        'd.webmanifest': 'application/manifest+json', 'e.svg': 'image/svg+xml', 'f.css': 'text/css',
    };
    for (const name of Object.keys(types)) await writeFile(path.join(root, name), name);
    await writeFile(path.join(root, 'sub', 'index.html'), 'sub');

    const server = await startServer(root);
    for (const [name, type] of Object.entries(types)) {
        const got = await get(server.url, `/${name}`);
        assert.equal(got.body, name);
        assert.equal(got.headers['content-type'].split(';')[0], type, name);
        assert.equal(got.headers['cache-control'], 'no-cache', name);
    }
    assert.equal((await get(server.url, '/')).body, 'index.html');
    assert.equal((await get(server.url, '/sub/')).body, 'sub');
    assert.equal((await get(server.url, '/sub')).headers.location, '/sub/');
    for (const [pathname, status] of [
        ['/../secret.txt', 400], ['/%2e%2e/secret.txt', 400], ['/sub/..%2f..%2fsecret.txt', 400],
        ['/%00', 400], ['/%zz', 400], ['/link.txt', 404], ['/empty/', 404], ['/missing.js', 404],
    ]) {
        const got = await get(server.url, pathname);
        assert.equal(got.status, status, pathname);
        assert.doesNotMatch(got.body, /secret/, pathname);
    }
    assert.equal((await get(server.url, '/', 'POST')).status, 405);
    await server.close();
});
