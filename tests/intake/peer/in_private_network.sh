#!/bin/sh
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a private network namespace with only loopback up, so a
# peer that binds every interface is reachable from nowhere else. Missing
# tools fail the test: it must never pass by not running.
set -eu
for tool in unshare ip direwolf gen_packets; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "peer test: '$tool' is missing; scripts/install-deps.sh installs it" >&2
    exit 1
  fi
done
if [ "$(id -u)" -eq 0 ]; then
  exec unshare --net -- sh -c 'ip link set lo up && exec "$@"' sh "$@"
fi
exec unshare --net --map-root-user -- sh -c 'ip link set lo up && exec "$@"' sh "$@"
