#!/usr/bin/env bash
# check-tables.sh WINE_RUN TOOL LIBRARY EXPECTED OUTPUT
# Writes the tables of LIBRARY with the tool under Wine and compares them
# with the expected text.
set -euo pipefail
wine_run=$1 tool=$2 library=$3 expected=$4 output=$5
rm -f "$output"
"$wine_run" "$tool" "Z:$library" sample "Z:$output"
exec "$(dirname "$0")/../../compare-text.sh" "$expected" "$output"
