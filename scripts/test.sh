#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, then builds and runs every test three ways: the
# normal build, the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded libFuzzer run of each fuzz target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

echo "== licensing: every file states its copyright and licence"
reuse --root "$root" lint

echo "== normal build and tests"
ANEMORA_BUILD_DIR="$root/build" "$root/scripts/build.sh"
ctest --test-dir "$root/build" --output-on-failure -LE 'bench|fuzz'

echo "== sanitizer build and tests"
ANEMORA_BUILD_DIR="$root/build-asan" "$root/scripts/build.sh" -DANEMORA_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -LE 'bench|fuzz'

echo "== fuzz targets"
CXX=clang++ CC=clang ANEMORA_BUILD_DIR="$root/build-fuzz" "$root/scripts/build.sh" \
  -DANEMORA_FUZZ=ON -DANEMORA_BUILD_TESTS=OFF
ctest --test-dir "$root/build-fuzz" --output-on-failure -L fuzz
