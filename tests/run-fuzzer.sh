#!/usr/bin/env bash
# Runs one libFuzzer target for a while; fails on any crash or sanitizer report.
#   run-fuzzer.sh FUZZER CORPUS_DIR SEED_DIR SECONDS
set -euo pipefail
fuzzer=$1 corpus=$2 seeds=$3 seconds=$4
mkdir -p "$corpus"
if [ -n "$seeds" ] && [ -d "$seeds" ]; then
    cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
fi
artifacts="$corpus.artifacts"
mkdir -p "$artifacts"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus"
