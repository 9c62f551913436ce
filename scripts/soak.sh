#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The long fault soak: the program's core, reconnecting by itself, against a
# loopback server that stalls, closes, resets, refuses, cuts a line short,
# sends garbage and drips bytes with a report in flight at each, 10,000
# faults unless a count is given; the summary counts what was lost.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
faults=${1:-10000}
"$root/scripts/install-deps.sh"
ANEMORA_TARGETS=tst_link_soak "$root/scripts/build.sh"
ANEMORA_SOAK_FAULTS=$faults QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=7200000 \
  "${ANEMORA_BUILD_DIR:-$root/build}/tests/tst_link_soak" -maxwarnings 0 | grep -E '^faults survived|^(FAIL|Totals)'
