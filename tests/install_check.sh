#!/bin/sh
# cmake --install puts the programs, man pages, documentation, desktop entry, file type, icons and AppStream
# metainfo in place; the files pass their validators and the file type maps a listing.
set -e
build="$1"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/corvelxmem-batch share/applications/org.corvelxmem.corvelxmem.desktop \
         share/metainfo/org.corvelxmem.corvelxmem.metainfo.xml share/mime/packages/corvelxmem.xml \
         share/icons/hicolor/scalable/apps/corvelxmem.svg share/icons/hicolor/16x16/apps/corvelxmem.png \
         share/icons/hicolor/256x256/apps/corvelxmem.png share/man/man1/corvelxmem-batch.1.gz \
         share/doc/corvelxmem/README.md share/doc/corvelxmem/copyright share/doc/corvelxmem/changelog.Debian.gz \
         share/doc/corvelxmem/examples/queens8.corvel; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
if [ -f "$build/corvelxmem" ]; then
  [ -x "$prefix/bin/corvelxmem" ] && [ -f "$prefix/share/man/man1/corvelxmem.1.gz" ] ||
    { echo "not installed: bin/corvelxmem or its man page"; exit 1; }
fi
desktop-file-validate "$prefix/share/applications/org.corvelxmem.corvelxmem.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.corvelxmem.corvelxmem.metainfo.xml" >/dev/null
for page in "$prefix"/share/man/man1/*.1.gz; do
  warn=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warn" ] || { echo "$page: $warn"; exit 1; }
done
update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || { echo "update-mime-database failed"; exit 1; }
grep -qx 'text/x-corvel-listing:\*\.corvel' "$prefix/share/mime/globs" ||
  { echo "*.corvel is not mapped to text/x-corvel-listing"; exit 1; }
grep -qx 'text/x-corvel-listing text/plain' "$prefix/share/mime/subclasses" ||
  { echo "text/x-corvel-listing is not a kind of text/plain"; exit 1; }
"$prefix/bin/corvelxmem-batch" --version | grep -q '^corvelxmem-batch [0-9]'
