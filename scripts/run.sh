#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds, and starts the monitor with the given
# arguments (for example: Q1ABC-13 S:rotate.aprs2.net:14580).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exec "${ANEMORA_BUILD_DIR:-$root/build}/src/anemora" "$@"
