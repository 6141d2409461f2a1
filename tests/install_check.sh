#!/bin/sh
# cmake --install puts the programs, the desktop entry, the icon and the
# AppStream metainfo in place, and the two files pass their validators.
set -e
build="$1"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/corvelxmem-batch share/applications/org.corvelxmem.corvelxmem.desktop \
         share/metainfo/org.corvelxmem.corvelxmem.metainfo.xml \
         share/icons/hicolor/scalable/apps/corvelxmem.svg share/corvelxmem/examples/queens8.corvel; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
if [ -f "$build/corvelxmem" ]; then [ -x "$prefix/bin/corvelxmem" ] || { echo "not installed: bin/corvelxmem"; exit 1; }; fi
desktop-file-validate "$prefix/share/applications/org.corvelxmem.corvelxmem.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.corvelxmem.corvelxmem.metainfo.xml" >/dev/null
"$prefix/bin/corvelxmem-batch" --version | grep -q '^corvelxmem-batch [0-9]'
