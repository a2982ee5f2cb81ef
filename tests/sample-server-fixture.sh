#!/usr/bin/env bash
# Starts or stops a sample server for a group of tests.
#   sample-server-fixture.sh start SERVER DIR --listen ADDR:PORT [--listen ...]
#   sample-server-fixture.sh stop DIR
# start regenerates DIR/data, truncates DIR/requests.log, writes the first
# address to DIR/address, and returns once every address accepts connections.
set -euo pipefail

command=$1
shift
case "$command" in
start)
    server=$1 dir=$2
    shift 2
    if [ -f "$dir/server.pid" ]; then
        kill "$(cat "$dir/server.pid")" 2>/dev/null || true
        rm -f "$dir/server.pid"
    fi
    rm -rf "$dir/data"
    mkdir -p "$dir"
    : >"$dir/requests.log"
    "$server" generate "$dir/data"
    "$server" --data "$dir/data" --log "$dir/requests.log" "$@" \
        >"$dir/server.out" 2>&1 </dev/null &
    echo $! >"$dir/server.pid"
    addresses=()
    while [ $# -gt 0 ]; do
        [ "$1" = --listen ] && addresses+=("$2")
        shift
    done
    echo "${addresses[0]}" >"$dir/address"
    for address in "${addresses[@]}"; do
        host=${address%:*} port=${address##*:}
        for _ in $(seq 1 100); do
            if (exec 3<>"/dev/tcp/$host/$port") 2>/dev/null; then
                continue 2
            fi
            if ! kill -0 "$(cat "$dir/server.pid")" 2>/dev/null; then
                echo "sample server exited:" >&2
                cat "$dir/server.out" >&2
                exit 1
            fi
            sleep 0.1
        done
        echo "sample server does not answer on $address" >&2
        exit 1
    done
    ;;
stop)
    dir=$1
    if [ -f "$dir/server.pid" ]; then
        pid=$(cat "$dir/server.pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        rm -f "$dir/server.pid"
    fi
    ;;
*)
    echo "usage: $0 start SERVER DIR --listen ADDR:PORT... | stop DIR" >&2
    exit 2
    ;;
esac
