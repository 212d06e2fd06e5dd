#!/bin/sh
# Checks for the Debian packages a task needs. As root it installs the missing ones with
# apt-get; otherwise it names them, with the command to run, and fails.
#   scripts/install-deps.sh run      building and running the engine
#   scripts/install-deps.sh install  that, and the ECO lines the default book is built from
#   scripts/install-deps.sh test     everything the tests use
set -eu

EJECUTAR="g++ gcc make cmake patch libsqlite3-dev"
INSTALAR="$EJECUTAR scid-data"
# stockfish is the reference move generator, scid-data's ECO file a realistic book, and the
# Gaviota library and tables are loaded by the tablebase tests.
PROBAR="$INSTALAR libgtest-dev sqlite3 libgaviotatb1 gaviotatb stockfish"

case "${1:-}" in
    run) tarea="Building and running Vemsul"; paquetes=$EJECUTAR ;;
    install) tarea="Installing Vemsul"; paquetes=$INSTALAR ;;
    test) tarea="Testing Vemsul"; paquetes=$PROBAR ;;
    *) echo "usage: $0 run|install|test" >&2; exit 2 ;;
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
