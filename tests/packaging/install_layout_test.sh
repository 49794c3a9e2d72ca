#!/bin/bash
# Installs the build into a scratch prefix and checks that every file is where the desktop
# looks for it.
set -euo pipefail
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
status=0
for file in bin/kalvora bin/kalvora-cli bin/kalvora-cli-qt \
            share/applications/kalvora.desktop \
            share/icons/hicolor/scalable/apps/kalvora.svg \
            share/mime/packages/kalvora.xml; do
    if [ ! -e "$prefix/$file" ]; then
        echo "missing after install: $file" >&2
        status=1
    fi
done
for program in kalvora kalvora-cli kalvora-cli-qt; do
    [ -x "$prefix/bin/$program" ] || { echo "not executable: bin/$program" >&2; status=1; }
done
exit $status
