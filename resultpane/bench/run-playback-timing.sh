#!/usr/bin/env bash
# The playback panel's timings under Wine (overlay cost, frames a second at
# 1920x1080, first frame after Ocx_ViewResultEx, double-click to event),
# against a sample server on 127.0.0.123. Needs build/native and build/win64.
#   resultpane/bench/run-playback-timing.sh
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
host=127.0.0.123
dir=$repo/build/win64/bench-playback
fixture=$repo/tests/sample-server-fixture.sh

"$fixture" start "$repo/build/native/server/sampleserver" "$dir" --listen "$host:8123"
trap '"$fixture" stop "$dir"' EXIT
data="Z:${dir//\//\\}\\data\\AstRP_1v2"
"$repo/cmake/wine-run.sh" "$repo/build/win64/bin/playback_timing.exe" "$host:8123" "$data" \
    >"$dir/timing.out" 2>&1 || status=$?
cat "$dir/timing.out"
exit "${status:-0}"
