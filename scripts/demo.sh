#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shows a live display with no radio and no internet: installs what is
# needed, builds, serves the bundled demo feed on 127.0.0.1 and starts the
# monitor on it. Extra
# arguments go to the replay server (see its --help), e.g. --speed 2.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ANEMORA_BUILD_DIR:-$root/build}
call=Q1ABC-13

"$root/scripts/install-deps.sh"
# Only what the demo runs, so a newcomer waits for the program, not its tests.
ANEMORA_TARGETS="anemora aprs_replay_server anemora_demo_log" "$root/scripts/build.sh"

tmp=$(mktemp -d)
server_pid=
stop_server() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$tmp"
}
trap stop_server EXIT

# The monitor holds ports in 16 signed bits, so the port is drawn below 32768
# rather than left to the system, whose free ports lie above it.
for _ in $(seq 1 20); do
  port=$((20000 + RANDOM % 12000))
  "$build/tools/aprs_replay_server" --port "$port" --loop "$@" \
    "$root/resources/demo/feed.txt" >"$tmp/out" 2>"$tmp/log" &
  server_pid=$!
  while ! grep -q '^listening' "$tmp/out" && kill -0 "$server_pid" 2>/dev/null; do
    sleep 0.1
  done
  if grep -q '^listening' "$tmp/out"; then
    break
  fi
  wait "$server_pid" || true
  server_pid=
done
if [ -z "$server_pid" ]; then
  cat "$tmp/log" >&2
  echo "demo: the replay server could not start" >&2
  exit 1
fi

# The demo keeps its own log, away from the user's, and starts it with a
# day of the station's reports so the trend window (F2) has a day to show.
export XDG_DATA_HOME="$tmp/data"
"$build/tools/anemora_demo_log" "$root/resources/demo/day.txt" "$XDG_DATA_HOME/Anemora" "$call"

echo "Replaying the demo feed on 127.0.0.1:$port; monitoring $call (F2: the day's trend)"
"$build/src/anemora" "$call" "S:127.0.0.1:$port"
