#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that a CalcTool answering many lines does not grow: its peak resident size after
# 100,000 lines may exceed that after 1,000 lines by no more than a small allowance. The lines
# cycle through assignments, definitions, recursion and errors under a fixed set of names, so a
# state that grows with the line count is a leak, not data. (Runaway recursion is left out: each
# such line takes a good part of a second.)
# Usage: tests/calctool/memory_growth.sh [CALCTOOL] [ALLOWANCE_KIB]
set -euo pipefail

calctool="${1:-build/bin/CalcTool}"
allowance_kib="${2:-2048}"
empty='<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict/></plist>'
statements=(
    'x = 5'
    'y = x * 2 + last'
    'f(a) = a^2 + x'
    'g(a, b) = f(a) - b'
    'g(3, 4) + f(2)'
    'fact(n) = if(n, n * fact(n - 1), 1)'
    'fact(20)'
    '2 * -3'
    '((((((((((1))))))))))'
    'sin(pi / 4) + sqrt(2) + 0xFF + 50%'
    'f(1, 2)'
    'undefined + 1'
    'z = 1 / 0'
)

# Peak resident size in KiB of a CalcTool answering the given number of lines.
peak_kib() {
    local lines="$1" input
    input=$(mktemp)
    for ((i = 0; i < lines; ++i)); do
        printf '%s\n' "${statements[i % ${#statements[@]}]}"
    done >"$input"
    /usr/bin/time -f '%M' -o "$input.rss" "$calctool" "$empty" "$empty" <"$input" >/dev/null
    cat "$input.rss"
    rm -f "$input" "$input.rss"
}

small=$(peak_kib 1000)
large=$(peak_kib 100000)
echo "CalcTool peak resident size: ${small} KiB after 1,000 lines, ${large} KiB after 100,000"
if ((large > small + allowance_kib)); then
    echo "CalcTool grew by $((large - small)) KiB (allowed: $allowance_kib KiB)" >&2
    exit 1
fi
