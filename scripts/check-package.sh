#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The checks a distribution runs on the package: lintian on the .deb, then, on the files it
# installs, AppStream's and the desktop entry's validators and man's warnings, and the
# unpacked program itself.
set -euo pipefail

deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

# Warnings fail too; every accepted finding is overridden, with its reason, in the package.
lintian --fail-on error,warning --display-info "$deb"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$root"/usr/share/applications/*.desktop
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$root"/usr/share/man/man1/simlumivel.1.gz 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
    echo "$warnings" >&2
    exit 1
fi
"$root"/usr/bin/simlumivel render HOLA >/dev/null
echo "Paquete comprobado: $deb"
