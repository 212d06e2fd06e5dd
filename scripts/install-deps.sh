#!/bin/sh
# Checks for the Debian packages a task needs. As root it installs the missing ones with
# apt-get; otherwise it names them, with the command to run, and fails.
#   scripts/install-deps.sh run      building and running the engine
#   scripts/install-deps.sh install  that, and the ECO lines the default book is built from
#   scripts/install-deps.sh test     everything the tests use
#   scripts/install-deps.sh windows|test-windows|dist   the Windows build, its tests, the archives
set -eu

EJECUTAR="g++ gcc make cmake patch libsqlite3-dev"
INSTALAR="$EJECUTAR scid-data"
# stockfish is the reference move generator, scid-data's ECO file a realistic book, and the
# Gaviota library and tables are loaded by the tablebase tests.
PROBAR="$INSTALAR libgtest-dev sqlite3 libgaviotatb1 gaviotatb stockfish"
# The Windows cross-build, its run under Wine (with the 3-piece tables) and the archives.
WINDOWS="g++ make g++-mingw-w64-x86-64-posix"
PROBAR_WINDOWS="$WINDOWS wine gaviotatb scid-data"
DIST="$WINDOWS $INSTALAR zip"

case "${1:-}" in
    run) tarea="Building and running Vemsul"; paquetes=$EJECUTAR ;;
    install) tarea="Installing Vemsul"; paquetes=$INSTALAR ;;
    test) tarea="Testing Vemsul"; paquetes=$PROBAR ;;
    windows) tarea="Building Vemsul for Windows"; paquetes=$WINDOWS ;;
    test-windows) tarea="Testing Vemsul's Windows build"; paquetes=$PROBAR_WINDOWS ;;
    dist) tarea="Making Vemsul's release archives"; paquetes=$DIST ;;
    *) echo "usage: $0 run|install|test|windows|test-windows|dist" >&2; exit 2 ;;
esac

if ! command -v dpkg-query > /dev/null 2>&1; then
    echo "Not a Debian system: packages not checked ($tarea needs:$paquetes)" >&2
    exit 0
fi

faltan=""
for p in $paquetes; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        faltan="$faltan $p"
    fi
done

[ -z "$faltan" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "$tarea needs these missing Debian packages:$faltan" >&2
    echo "Install them with:" >&2
    echo "    sudo apt-get update && sudo apt-get install -y$faltan" >&2
    exit 1
fi

echo "Installing:$faltan"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq $faltan
