#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds anemora_bench (RelWithDebInfo, into build/ or $ANEMORA_BUILD_DIR),
# writes 100,000 weather lines from the project's own packets, times each
# stage of the pipeline, then the whole process beside direwolf's
# decode_aprs on the same file.
#
# The whole-process run is `anemora_bench stream FILE` timed from start to
# exit: it reads the file line by line, makes each information field text
# and decodes it into the display model as `decode` does. Runs alternate,
# five of each; every figure printed is a median. Numbers are formatted in
# $ANEMORA_BENCH_LOCALE (it_IT.UTF-8 unless set), the program's home locale,
# whose grouping and decimal comma take the longest path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ANEMORA_BUILD_DIR:-$root/build}
locale=${ANEMORA_BENCH_LOCALE:-it_IT.UTF-8}
count=100000
runs=5

command -v decode_aprs >/dev/null || { echo "decode_aprs missing: apt-get install direwolf" >&2; exit 1; }
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target anemora_bench >/dev/null
bench=$build/tools/anemora_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/weather.txt

echo "$("$root/scripts/bench-lines.sh" "$file" "$count"), numbers in $locale"

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
run_bench() { env LC_ALL="$locale" "$bench" "$@"; }

for stage in parse decode intake; do : >"$work/$stage"; done
for ((r = 0; r < runs; r++)); do
    for stage in parse decode intake; do
        run_bench "$stage" "$file" | sed -n 's/.* lines, \([0-9.]*\) ns\/line$/\1/p' >>"$work/$stage"
    done
done
for stage in parse decode intake; do
    echo "$stage: $count lines, $(median <"$work/$stage") ns/line (median of $runs)"
done

seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.3f\n", ns / 1e9 }'
}
: >"$work/peer"; : >"$work/own"
for ((r = 0; r < runs; r++)); do
    seconds decode_aprs "$file" >>"$work/peer"
    seconds run_bench stream "$file" >>"$work/own"
done
peer=$(median <"$work/peer")
own=$(median <"$work/own")
echo "whole process: decode_aprs ${peer} s, anemora_bench stream ${own} s (medians of $runs)"
awk -v own="$own" -v peer="$peer" 'BEGIN { printf "ratio: %.3f of decode_aprs'"'"'s time\n", own / peer }'
