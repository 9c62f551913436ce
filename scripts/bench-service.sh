#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Memory and CPU of anemorad beside the desktop program on one feed. Each runs
# on its own replay server, monitoring the demo station: its RSS is read once
# it is connected and idle, then after 10,000 reports of the station sent as
# fast as the server can, with the CPU time it took per line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ANEMORA_BUILD_DIR:-$root/build}
call=Q1ABC-13
count=10000
idle_seconds=5

ANEMORA_TARGETS="anemora anemorad aprs_replay_server" "$root/scripts/build.sh" >/dev/null

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A quiet start, then the flood.
{
  echo "$idle_seconds.0 # quiet"
  for i in $(seq 1 $count); do
    printf '0 %s>APN000,TCPIP*,qAC,T2DEMO:_12071201c212s%03dg007t048r000p002P001h76b10132\n' \
      "$call" $((i % 100))
  done
} >"$work/feed.txt"

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
# CPU time of the process's threads, in nanoseconds (the kernel's scheduler
# counts it finer than the clock ticks of /proc/PID/stat).
cpu_ns() {
  local total=0 task
  for task in /proc/"$1"/task/*; do
    total=$((total + $(cut -d' ' -f1 "$task/schedstat")))
  done
  echo "$total"
}

# run NAME COMMAND...: the program on a fresh server; prints its figures.
run() {
  local name=$1 port pid server
  shift
  port=$((20000 + RANDOM % 12000))
  : >"$work/$name.server"
  "$build/tools/aprs_replay_server" --port "$port" "$work/feed.txt" >"$work/$name.server" 2>&1 &
  server=$!
  pids+=("$server")
  until grep -q '^listening' "$work/$name.server"; do sleep 0.1; done
  "$@" "$call" "S:127.0.0.1:$port" 2>"$work/$name.err" &
  pid=$!
  pids+=("$pid")
  sleep $((idle_seconds - 2))
  local idle cpu_before
  idle=$(rss_kb "$pid")
  cpu_before=$(cpu_ns "$pid")
  # The flood is over when the program's CPU time stops growing.
  local last=-1 now
  sleep 2
  while now=$(cpu_ns "$pid") && [ "$now" != "$last" ]; do
    last=$now
    sleep 2
  done
  local flooded
  flooded=$(rss_kb "$pid")
  awk -v n="$name" -v i="$idle" -v f="$flooded" -v c=$((now - cpu_before)) -v lines=$count \
    'BEGIN { printf "%-8s RSS idle %6.1f MB, after %d reports %6.1f MB, CPU %6.1f us per line\n",
      n, i / 1024, lines, f / 1024, c / 1000 / lines }'
  kill "$pid" "$server"
}

mkdir -p "$work/desktop" "$work/service"
cp "$build/src/anemora" "$work/desktop/"
XDG_DATA_HOME="$work/desktop" QT_QPA_PLATFORM=offscreen run anemora "$work/desktop/anemora"
run anemorad "$build/src/anemorad" --config "$work/service" --log "$work/service"
