#!/bin/sh
# Search speed of two engine binaries measured side by side: their `bench` runs alternate (A B,
# B A, A B, ...) so that both meet the same machine load, and the median nodes per second of
# each is given, with the median and range of the per-round ratio B/A. The node totals must agree: the same search, only faster or slower.
#   bench/nps.sh [engine-a [engine-b [rounds]]]
set -eu
cd "$(dirname "$0")/.."
a=${1:-build/vemsul}
b=${2:-build-opt/vemsul}
rondas=${3:-5}

medir() { "$1" bench | tail -n 1; }
mediana() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

: > /tmp/nps_a.$$
: > /tmp/nps_b.$$
: > /tmp/nps_r.$$
i=1
while [ "$i" -le "$rondas" ]; do
    if [ $((i % 2)) -eq 1 ]; then la=$(medir "$a"); lb=$(medir "$b"); else lb=$(medir "$b"); la=$(medir "$a"); fi
    echo "round $i: A $la | B $lb"
    [ "${la%% *}" = "${lb%% *}" ] || { echo "node totals differ" >&2; exit 1; }
    echo "$la" | awk '{ print $3 }' >> /tmp/nps_a.$$
    echo "$lb" | awk '{ print $3 }' >> /tmp/nps_b.$$
    echo "$la $lb" | awk '{ printf "%.4f\n", $7 / $3 }' >> /tmp/nps_r.$$
    i=$((i + 1))
done
ma=$(mediana < /tmp/nps_a.$$)
mb=$(mediana < /tmp/nps_b.$$)
echo "A $a: median $ma nps"
echo "B $b: median $mb nps"
sort -n /tmp/nps_r.$$ | awk '{ r[NR] = $1 } END { m = (NR % 2) ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2
    printf "B/A per round: median %.3f, range %.3f .. %.3f\n", m, r[1], r[NR] }'
rm -f /tmp/nps_a.$$ /tmp/nps_b.$$ /tmp/nps_r.$$
