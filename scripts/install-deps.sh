#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need, or the
# packages named as arguments (tools that only one target uses).
# Idempotent: only missing packages are installed.
set -euo pipefail

default_packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev
    qt6-qpa-plugins qt6-translations-l10n fonts-liberation libgif-dev
    nlohmann-json3-dev
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
