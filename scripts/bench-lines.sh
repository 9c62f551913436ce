#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the decode benchmark's file to FILE: COUNT TNC2 lines (100,000
# unless given), the project's own weather packets over and over, and says
# how many packets and how many of them positionless.
# Usage: scripts/bench-lines.sh FILE [COUNT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
file=$1
count=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The weather reports among the demo feed's lines and the monitored frames of
# the AGWPE capture, as TNC2 lines: positionless "_" reports and position
# reports whose symbol is "_".
perl - "$root/resources/demo/feed.txt" "$root"/tests/data/agwpe/*.bin >"$work/packets.txt" <<'PERL'
use strict;
use warnings;
sub weather { my ($info) = @_; return $info =~ /^_/ || $info =~ /^[!=\/@;].*_/; }
for my $path (@ARGV) {
    open(my $in, '<:raw', $path) or die "$path: $!";
    local $/;
    my $bytes = <$in>;
    if ($path =~ /\.txt$/) {
        for my $row (split /\r?\n/, $bytes) {
            next if $row =~ /^;/;
            my (undef, $line) = split / /, $row, 2;
            next unless defined $line && $line =~ /^[^>]+>[^:]*:(.*)$/;
            print "$line\n" if weather($1);
        }
        next;
    }
    # AGWPE frames: 36-byte header (kind at 4, data length at 28), then the
    # data " 1:Fm SRC To DEST [Via DIGIS] <UI ...>[time]" CR, info, CR.
    for (my $at = 0; $at + 36 <= length $bytes;) {
        my $length = unpack('V', substr($bytes, $at + 28, 4));
        my $data = substr($bytes, $at + 36, $length);
        if (substr($bytes, $at + 4, 1) eq 'U'
            && $data =~ /Fm (\S+) To (\S+)(?: Via (\S+))? <[^\r]*\r([^\r]*)\r/) {
            my $path = defined $3 ? "$2,$3" : $2;
            print "$1>$path:$4\n" if weather($4);
        }
        $at += 36 + $length;
    }
}
PERL
total=$(wc -l <"$work/packets.txt")
[ "$total" -gt 0 ] || { echo "no weather packet found" >&2; exit 1; }
for ((i = 0; i < count; i += total)); do cat "$work/packets.txt"; done | head -n "$count" >"$file"
echo "$count lines from $total weather packets ($(grep -c '^[^:]*:_' "$file") positionless)"
