#!/usr/bin/env bash
# Removes what `make install` installed, from the list it kept (paths under
# the prefix; DESTDIR, if the install had one, must be given again), and then
# the game's own folders once they are empty. Shared folders (icons, man
# pages) stay, even when nothing else is in them.
set -euo pipefail
LIST=${1:?usage: uninstall.sh INSTALLED_FILES_LIST}
if [ ! -f "$LIST" ]; then
    echo "uninstall: $LIST not found; nothing was installed from this build folder" >&2
    exit 1
fi
folders=()
while IFS= read -r file || [ -n "$file" ]; do
    [ -n "$file" ] || continue
    file=${DESTDIR:-}$file
    if [ -e "$file" ] || [ -L "$file" ]; then
        rm -f -- "$file"
        echo "removed $file"
    fi
    dir=$(dirname -- "$file")
    [ "$(basename -- "$dir")" = orbivore ] && folders+=("$dir")
done <"$LIST"
for dir in "${folders[@]}"; do
    [ -d "$dir" ] && rmdir --ignore-fail-on-non-empty -- "$dir"
done
rm -f -- "$LIST"
