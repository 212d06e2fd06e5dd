#!/bin/sh
# The release archives (make dist), in dist/:
#   vemsul-<version>-linux-x86_64.tar.gz   engine, book builder, default book, manual page,
#                                          README and licences
#   vemsul-<version>-windows-x86_64.zip    the same for Windows, text files with CR-LF ends
# <version> is git describe's (the engine's version and the commit when nothing is tagged).
# The Linux programs are the build with only a compiler (SQLite compiled in) with the C++
# runtime linked in: they need nothing beyond the C library of any current Debian.
set -eu
cd "$(dirname "$0")/.."
eco=/usr/share/scid/data/scid.eco
motor=$(sed -n 's/.*"id name Vemsul \([0-9.]*\)".*/\1/p' src/uci/options.cpp)
version=$(git describe --tags --dirty 2> /dev/null || echo "$motor-g$(git describe --always --dirty)")
linux=vemsul-$version-linux-x86_64
windows=vemsul-$version-windows-x86_64
echo "Version $version"

make --no-print-directory directo DIRECTO=build-dist LDFLAGS_EXTRA="-static-libstdc++ -static-libgcc"
make --no-print-directory windows
build-dist/vemsul-libro -o build-dist/Book.db "$eco"

rm -rf dist/$linux dist/$windows dist/$linux.tar.gz dist/$windows.zip
mkdir -p dist/$linux/licences dist/$windows/licences
licencias() {  # $1: folder; the rest: name=file
    d=$1; shift
    for par in "$@"; do cp "${par#*=}" "$d/licences/${par%%=*}"; done
}

# Linux: the manual page names the book where make install puts it.
cp build-dist/vemsul build-dist/vemsul-libro build-dist/Book.db README.md dist/$linux/
sed 's|@CMAKE_INSTALL_FULL_DATADIR@|/usr/local/share|g' doc/vemsul.6.in > dist/$linux/vemsul.6
licencias dist/$linux fathom-LICENSE=third_party/fathom/LICENSE sqlite-PUBLIC-DOMAIN=third_party/sqlite/ORIGIN.md
tar -C dist -czf dist/$linux.tar.gz --owner=0 --group=0 $linux

# Windows: text files a plain editor opens (.txt, CR-LF).
cp build-windows/vemsul.exe build-windows/vemsul-libro.exe build-dist/Book.db dist/$windows/
licencias dist/$windows fathom-LICENSE.txt=third_party/fathom/LICENSE \
    sqlite-PUBLIC-DOMAIN.txt=third_party/sqlite/ORIGIN.md gaviota-LICENSE.txt=third_party/gaviota/license.txt \
    gaviota-LZF-LICENSE.txt=third_party/gaviota/src/compression/liblzf/LICENSE \
    mingw-w64-runtime.txt=/usr/share/doc/mingw-w64-x86-64-dev/copyright
cp README.md dist/$windows/README.txt
for f in dist/$windows/README.txt dist/$windows/licences/*; do
    sed 's/\r*$/\r/' "$f" > "$f.crlf" && mv "$f.crlf" "$f"
done
(cd dist && zip -qrX $windows.zip $windows)
rm -rf dist/$linux dist/$windows
ls -l dist/$linux.tar.gz dist/$windows.zip
