#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the browser edition into build/web: the core compiled to WebAssembly with Debian's
# emscripten (build/web-core), the page's own files from browser/, the program's icon and the
# list of files the page keeps for offline use.
# `make web-build` runs it after installing emscripten and rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${JOBS:-$(nproc)}"
# emcc runs its JavaScript tools under node, and they load Debian's acorn from here.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
# Debian's emscripten ships its system libraries already built in /usr/share/emscripten/cache
# and freezes that cache (FROZEN_CACHE): nothing is compiled or written there on first use.
# So EM_CACHE stays unset: a cache folder of our own would start empty, and the frozen cache
# refuses to fill it.
unset EM_CACHE

# ---- The core in WebAssembly -------------------------------------------------------------
# Gives build/web-core/src/wasm/simlumivel-core.js and simlumivel-core.wasm.
emcmake cmake -S . -B build/web-core -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/web-core -j "$jobs"
# ---- end of the core ---------------------------------------------------------------------

core=build/web-core/src/wasm
for f in simlumivel-core.js simlumivel-core.wasm; do
    if [ ! -f "$core/$f" ]; then
        echo "build-web: falta $core/$f tras compilar el núcleo" >&2
        exit 1
    fi
done

# The page is put together aside and moved into place only once complete, so a build that
# fails leaves the last good page in build/web.
rm -rf build/web.new
mkdir -p build/web.new
cp -R browser/. build/web.new/
cp "$core/simlumivel-core.js" "$core/simlumivel-core.wasm" build/web.new/
# The program's icon has one home; the installed app also wants it in PNG sizes.
cp packaging/simlumivel.svg build/web.new/
for size in 192 512; do
    rsvg-convert -w "$size" -h "$size" packaging/simlumivel.svg -o "build/web.new/simlumivel-$size.png"
done
# Last: the list of every file above, for the service worker to cache.
node scripts/offline-files.mjs build/web.new
rm -rf build/web
mv build/web.new build/web
echo "build/web: $(du -sb build/web | cut -f1) bytes"
