#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages the build, the tests and the program need, or the
# packages named as arguments (tools that only one target uses).
# With --npm instead: the JavaScript tools of package-lock.json (the browser tests'), into
# node_modules/, again only when they are missing or the lock file has changed.
# Idempotent: only missing packages are installed.
set -euo pipefail

if [ "${1:-}" = "--npm" ]; then
    cd "$(dirname "$0")/.."
    # npm writes its own copy of the lock it installed; it differs from package-lock.json in
    # form, so a copy of ours says which lock node_modules/ holds.
    stamp=node_modules/.simlumivel-package-lock.json
    if [ -f "$stamp" ] && cmp -s package-lock.json "$stamp"; then
        exit 0
    fi
    if ! command -v npm >/dev/null 2>&1 || ! command -v node >/dev/null 2>&1; then
        echo "Faltan node y npm (Node.js 20 o posterior): instale Node.js con npm." >&2
        exit 1
    fi
    if [ "$(node -p 'process.versions.node.split(".")[0]')" -lt 20 ]; then
        echo "Las pruebas del navegador necesitan Node.js 20 o posterior; hay $(node --version)." >&2
        exit 1
    fi
    echo "Instalando las herramientas de JavaScript de package-lock.json en node_modules/"
    # The tests drive Debian's Chromium; no browser of Playwright's own is ever fetched.
    PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --ignore-scripts --loglevel=error
    cp package-lock.json "$stamp"
    exit 0
fi

default_packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev
    qt6-qpa-plugins qt6-translations-l10n fonts-liberation libgif-dev
    nlohmann-json3-dev dpkg-dev
    xvfb xauth xdotool x11-apps imagemagick
)
if [ $# -gt 0 ]; then
    packages=("$@")
else
    packages=("${default_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Instalando paquetes que faltan: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    run=()
elif command -v sudo >/dev/null 2>&1; then
    run=(sudo)
else
    echo "Faltan paquetes (${missing[*]}) y no hay permisos de administrador:" >&2
    echo "ejecute como root: apt-get install ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -qq
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
