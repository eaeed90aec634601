#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file carries an SPDX licence identifier within its first three lines (the
# program's licence unless the file says otherwise, as the metadata does).
#   scripts/spdx.sh          names each tracked source file without it and fails
#   scripts/spdx.sh --add    writes the identifier into those files (after a #! line)
set -euo pipefail
cd "$(dirname "$0")/.."

readonly ID="SPDX-License-Identifier: GPL-3.0-or-later"
readonly ANY_ID="SPDX-License-Identifier: "

# The comment that carries the identifier, by the file's kind; data files (skins, images,
# fixtures, JSON) are covered by debian/copyright's patterns instead.
comment_for() {
    case "$1" in
        *.cpp | *.hpp | *.hpp.in | *.js | *.mjs | *.css) ;;&
        *.css) echo "/* $ID */" ;;
        *.cpp | *.hpp | *.hpp.in | *.js | *.mjs) echo "// $ID" ;;
        *.sh | */CMakeLists.txt | CMakeLists.txt | *.cmake | Makefile | .ci/run) echo "# $ID" ;;
        *.html | *.qrc | *.xml) echo "<!-- $ID -->" ;;
    esac
}

missing=()
while IFS= read -r file; do
    comment=$(comment_for "$file")
    [ -n "$comment" ] || continue
    head -n 3 "$file" | grep -qF "$ANY_ID" || missing+=("$file")
done < <(git ls-files)

if [ "${1:-}" = "--add" ]; then
    for file in "${missing[@]}"; do
        comment=$(comment_for "$file")
        first=$(head -n 1 "$file")
        # A #! line, an XML declaration or a doctype has to stay first.
        case "$first" in
            '#!'* | '<?xml'* | '<!DOCTYPE'* | '<!doctype'*)
                { echo "$first"; echo "$comment"; tail -n +2 "$file"; } >"$file.spdx" ;;
            *) { echo "$comment"; cat "$file"; } >"$file.spdx" ;;
        esac
        chmod --reference="$file" "$file.spdx"
        mv "$file.spdx" "$file"
    done
    exit 0
fi

if [ "${#missing[@]}" -gt 0 ]; then
    printf 'Sin identificador SPDX: %s\n' "${missing[@]}" >&2
    exit 1
fi
