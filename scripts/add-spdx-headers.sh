#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Puts the two-line copyright and licence header at the top of every source,
# script and CMake file of the tree that lacks it, in the file's own comment
# syntax (after a "#!" line). Files that cannot hold a comment are covered by
# .reuse/dep5 instead. Running it again changes nothing.
# Usage: scripts/add-spdx-headers.sh [TREE]   (default: this repository)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

# REUSE-IgnoreStart
copyright='SPDX-FileCopyrightText: 2026 Anemora developers'
licence='SPDX-License-Identifier: GPL-3.0-or-later'
# REUSE-IgnoreEnd

# Tracked and new files in a clone; every file in an exported tree.
list_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard
  else
    find . -path ./.git -prune -o -path './build*' -prune -o -path ./.cache -prune \
      -o -type f -printf '%P\0'
  fi
}

# The comment opener for a file, or nothing when it takes no header.
comment_for() {
  case $1 in
    *.cpp | *.h) echo '//' ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake) echo '#' ;;
    *.sh | *.supp | .ci/* | .clang-format | .gitignore) echo '#' ;;
    *) if head -c 2 "$1" | grep -q '^#!'; then echo '#'; fi ;;
  esac
}

changed=0
while IFS= read -r -d '' file; do
  [ -f "$file" ] || continue
  mark=$(comment_for "$file")
  [ -n "$mark" ] || continue
  if head -n 5 "$file" | grep -q 'SPDX-License-Identifier:'; then
    continue
  fi
  tmp=$(mktemp)
  {
    if head -c 2 "$file" | grep -q '^#!'; then
      head -n 1 "$file"
      printf '%s %s\n%s %s\n' "$mark" "$copyright" "$mark" "$licence"
      tail -n +2 "$file"
    else
      printf '%s %s\n%s %s\n\n' "$mark" "$copyright" "$mark" "$licence"
      cat "$file"
    fi
  } >"$tmp"
  # Keeps the file's mode (scripts stay executable).
  cat "$tmp" >"$file"
  rm -f "$tmp"
  changed=$((changed + 1))
done < <(list_files)
echo "add-spdx-headers: $changed file(s) given a header"
