#!/usr/bin/env bash
# compare-text.sh EXPECTED ACTUAL [HINT]
# Passes when both files hold the same text; otherwise shows the difference
# and the hint (how to bring EXPECTED up to date).
set -uo pipefail
if diff -u "$1" "$2"; then
    exit 0
fi
echo "$1 differs from $2. ${3:-}" >&2
exit 1
