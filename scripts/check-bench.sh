#!/bin/sh
# The search signature: the node total of `<engine> bench` must equal the last `Bench:` line of
# the commit history. A change that alters how the engine searches or evaluates says so in its
# commit message; any other change must leave the total alone.
# Usage: scripts/check-bench.sh [engine]   (default build/vemsul)
set -eu
cd "$(dirname "$0")/.."
motor=${1:-build/vemsul}

if ! git rev-parse --git-dir > /dev/null 2>&1; then
    echo "bench signature: no git history here, not checked"
    exit 0
fi
esperado=$(git log --format=%B | sed -n 's/^Bench: *\([0-9][0-9]*\).*/\1/p' | head -n 1)
if [ -z "$esperado" ]; then
    echo "bench signature: no Bench: line in the history, not checked"
    exit 0
fi
obtenido=$("$motor" bench | tail -n 1 | cut -d ' ' -f 1)
if [ "$obtenido" != "$esperado" ]; then
    echo "bench signature: $motor counts $obtenido nodes, the last Bench: line says $esperado" >&2
    echo "(a commit that changes the search or the evaluation ends with Bench: $obtenido)" >&2
    exit 1
fi
echo "bench signature: $obtenido nodes, as the last Bench: line"
