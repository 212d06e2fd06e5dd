#!/bin/sh
# Installs the Debian packages the engine and its tests need, when they are missing.
# As root it runs apt-get; otherwise it prints the command to run and fails.
set -eu

PAQUETES="g++ make cmake libgtest-dev libsqlite3-dev sqlite3 libgaviotatb1 gaviotatb stockfish scid-data"

faltan=""
for p in $PAQUETES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        faltan="$faltan $p"
    fi
done

[ -z "$faltan" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages:$faltan"
    echo "Install them with:"
    echo "    sudo apt-get update && sudo apt-get install -y$faltan"
    exit 1
fi

echo "Installing:$faltan"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq $faltan
