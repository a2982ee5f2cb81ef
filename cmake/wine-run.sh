#!/usr/bin/env bash
# Runs a Windows program under wine64 in the build's private Wine prefix.
#
# ctest uses this as CMAKE_CROSSCOMPILING_EMULATOR. It creates the prefix on
# first use (headless null graphics driver, Chinese UI fonts mapped), keeps one
# persistent wineserver per prefix with its stdio detached (otherwise ctest
# waits on Wine's inherited pipes), and then execs the program.
#
# Environment:
#   VR_WINEPREFIX  prefix to use (default: <repo>/build/wineprefix)
#   WINEDEBUG      passed through; defaults to -all to keep test output clean
#   VR_WINE_TRANSIENT=1  for build steps: start no persistent wineserver, and
#                  when this run started the server, wait until it has gone.
#                  Wine creates sockets in the wineserver, so a server left
#                  by the build would serve later test runs from the build's
#                  network namespace instead of the tests' own.
set -euo pipefail
# A step that fails before the program starts says which, instead of leaving
# ctest an empty failure.
trap 'echo "wine-run.sh: line $LINENO failed (exit $?): $BASH_COMMAND" >&2' ERR

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(dirname "$here")
export WINEPREFIX=${VR_WINEPREFIX:-$repo/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver

mkdir -p "$(dirname "$WINEPREFIX")"

setup_prefix() {
    rm -rf "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree=" "$WINE" wineboot -i >/dev/null 2>&1 </dev/null 9>&- || true
    "$WINESERVER" -w 9>&-
    local reg
    reg=$(mktemp --suffix=.reg)
    # regedit reads UTF-16 files; the Chinese font names need it.
    iconv -f UTF-8 -t UTF-16 >"$reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="null"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"宋体"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"新宋体"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Micro Hei"
"微软雅黑"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
    "$WINE" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1 </dev/null 9>&-
    # Chinese text in Arial (the frame dialogs' title font) falls back to the
    # Chinese UI font, as it does on a Chinese Windows.
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v Arial /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f \
        >/dev/null 2>&1 </dev/null 9>&-
    "$WINESERVER" -w 9>&-
    rm -f "$reg"
    touch "$WINEPREFIX/.vr-ready"
}

# Unix path -> Z: path without starting Wine (winepath would cost a process).
winepath_of() {
    local p
    p=$(readlink -f "$1")
    echo "Z:${p//\//\\}"
}

started=""
{
    flock 9
    if [ ! -f "$WINEPREFIX/.vr-ready" ]; then
        setup_prefix
    fi
    # Wine makes its sockets in the wineserver: a server left running by a
    # run in another network namespace would put this program's connections
    # there. Such a server is stopped first.
    netns=$(readlink /proc/self/ns/net 2>/dev/null || echo unknown)
    if [ -f "$WINEPREFIX.netns" ] && [ "$(cat "$WINEPREFIX.netns")" != "$netns" ]; then
        "$WINESERVER" -k >/dev/null 2>&1 </dev/null 9>&- || true
        "$WINESERVER" -w >/dev/null 2>&1 </dev/null 9>&- || true
    fi
    echo "$netns" >"$WINEPREFIX.netns"
    # Every Wine process started here must not inherit the lock descriptor:
    # the persistent wineserver would otherwise hold the lock for minutes.
    # Exit code 0 means a new server was started.
    if [ "${VR_WINE_TRANSIENT:-}" = 1 ]; then
        if "$WINESERVER" -p1 >/dev/null 2>&1 </dev/null 9>&-; then
            started=1
        fi
    elif "$WINESERVER" -p300 >/dev/null 2>&1 </dev/null 9>&-; then
        # A new persistent server: warm it up once.
        "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null 9>&- || true
    fi
} 9>"$WINEPREFIX.lock"

if [ -z "$started" ]; then
    exec "$WINE" "$@" 9>&-
fi
status=0
"$WINE" "$@" 9>&- || status=$?
"$WINESERVER" -w 9>&-
exit "$status"
