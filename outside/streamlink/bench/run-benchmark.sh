#!/usr/bin/env bash
# Frames per second StreamLink.dll sustains under Wine (decoding, a draw
# function, presenting) at 704x576 and 1280x720, against the sample server's
# media service on 127.0.0.62. Needs build/native and build/win64 built.
#   outside/streamlink/bench/run-benchmark.sh [FRAMES] [RUNS]
set -euo pipefail
repo=$(cd "$(dirname "$0")/../../.." && pwd)
host=127.0.0.62
dir=$repo/build/win64/bench-streamlink
fixture=$repo/tests/sample-server-fixture.sh

"$fixture" start "$repo/build/native/server/sampleserver" "$dir" --listen "$host:8062"
trap '"$fixture" stop "$dir"' EXIT
data="Z:${dir//\//\\}\\data\\AstRP_1v2"
"$repo/cmake/wine-run.sh" "$repo/build/win64/bin/streamlink_benchmark.exe" "$host" "$data" "$@" \
    >"$dir/benchmark.out" 2>&1 || status=$?
cat "$dir/benchmark.out"
exit "${status:-0}"
