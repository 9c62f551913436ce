#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ (or $ANEMORA_BUILD_DIR) with two jobs:
# everything, or only the targets named in $ANEMORA_TARGETS.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ANEMORA_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
# shellcheck disable=SC2086 # one word a target
cmake --build "$build" -j2 ${ANEMORA_TARGETS:+--target $ANEMORA_TARGETS}
