#!/usr/bin/env bash
# installer-test.sh STEP CONFIG
# The x64 package in a fresh Wine prefix of the test's own. The steps run in
# this order (ctest orders them) and share the prefix:
#   prepare    make the prefix; record its registry and files (the baseline);
#              register the controls with regsvr32 from the program folder
#              the package installs into, record what that wrote (the
#              reference), undo it and check the prefix is back to the baseline
#   install    silent install: files, registration equal to the reference,
#              one entry in the installed programs, the viewer hosted from
#              the installed folder answers Ocx_Init
#   uninstall  silent uninstall, with run-time folders and files present:
#              registry and files back to the baseline
#   upgrade    an older package, then this one: one entry, this version,
#              registration equal to the reference; the older one is then
#              refused; uninstall back to the baseline
#   cleanup    stop the prefix's wineserver and remove the prefix
# CONFIG (written by installer/tests/CMakeLists.txt) sets repo, bin,
# deliverables, package, older_package, version, older_version,
# product_name, publisher, install_folder, clsid and state.
set -euo pipefail

step=$1
# shellcheck source=/dev/null
source "$2"

export VR_WINEPREFIX=$state/prefix
export WINEPREFIX=$VR_WINEPREFIX
wine_run=$repo/cmake/wine-run.sh
program_folder="$VR_WINEPREFIX/drive_c/Program Files/$install_folder"
program_folder_win="C:\\Program Files\\$install_folder"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

winpath() { # unix path -> Z:\...
    local p
    p=$(readlink -f "$1")
    echo "Z:${p//\//\\}"
}

wine() { # program args... ; output in $state/wine.out
    "$wine_run" "$@" >"$state/wine.out" 2>&1 </dev/null
}

# A registry key and everything below it as lines "[KEY]" and
# "[KEY]<TAB>name=value".
registry_lines() { # key
    wine reg export "$1" "$(winpath "$state")\\export.reg" /y || fail "reg export $1: $(cat "$state/wine.out")"
    # UTF-16 with CR LF; long values continue on lines ending in "\".
    iconv -f UTF-16 -t UTF-8 "$state/export.reg" | tr -d '\r' |
        sed -e ':a' -e '/\\$/N; s/\\\n  //; ta' |
        awk '/^Windows Registry Editor/ || /^$/ { next }
             /^\[/ { key = $0; print key; next }
             { print key "\t" $0 }'
    rm -f "$state/export.reg"
}

# The registry as sorted lines and the files of drive C as sorted
# "type path" lines, into $state/NAME.reg and NAME.files.
snapshot() {
    local name=$1
    { registry_lines 'HKEY_LOCAL_MACHINE\Software'; registry_lines 'HKEY_CURRENT_USER\Software'; } |
        LC_ALL=C sort >"$state/$name.reg"
    # Temporary folders change with every process.
    (cd "$VR_WINEPREFIX/drive_c" &&
        find . -mindepth 1 \( -path ./windows/temp -o -path './users/*/Temp' \
            -o -path './users/*/AppData/Local/Temp' \) -prune -o -printf '%y %p\n') |
        LC_ALL=C sort >"$state/$name.files"
}

# Only the installed programs list, as NAME.reg.
snapshot_programs() {
    registry_lines 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall' |
        LC_ALL=C sort >"$state/$1.reg"
}

# Lines added to and removed from the baseline, as "+line" and "-line".
delta() { # baseline now
    LC_ALL=C comm -13 "$1" "$2" | sed 's/^/+/'
    LC_ALL=C comm -23 "$1" "$2" | sed 's/^/-/'
}

expect_same() { # what expected actual
    if ! diff -u "$2" "$3" >"$state/diff.txt"; then
        cat "$state/diff.txt" >&2
        fail "$1"
    fi
}

# The Windows Installer service's own records of the products it installed
# (and the entry in the installed programs, checked on its own). Everything
# else an install writes is the controls' registration.
without_installer_records() {
    grep -v -E '^[+-]\[HKEY_LOCAL_MACHINE\\Software\\(Classes\\Installer|Microsoft\\Windows\\CurrentVersion\\(Installer|Uninstall))(\\|\])' || true
}

# The relative paths the package must install, from the build's list.
shipped_files() {
    local kind name
    while read -r kind name; do
        if [ "$kind" = folder ]; then
            (cd "$bin" && find "$name" -type f)
        else
            echo "$name"
        fi
    done <"$deliverables" | LC_ALL=C sort
}

check_installed_files() {
    [ -d "$program_folder" ] || fail "no program folder $program_folder"
    shipped_files >"$state/expected.files"
    (cd "$program_folder" && find . -type f -printf '%P\n') | LC_ALL=C sort >"$state/installed.files"
    expect_same "the program folder holds other files than the build ships" \
        "$state/expected.files" "$state/installed.files"
    local file
    while read -r file; do
        cmp -s "$bin/$file" "$program_folder/$file" || fail "$file differs from the build's"
    done <"$state/expected.files"
}

check_registration() { # snapshot name
    delta "$state/baseline.reg" "$state/$1.reg" | without_installer_records >"$state/$1.registration"
    expect_same "the installed registration differs from regsvr32's" \
        "$state/reference.registration" "$state/$1.registration"
}

# The entries of the installed programs list with our name.
program_entries() { # snapshot name
    grep -F -e "\"DisplayName\"=\"$product_name\"" "$state/$1.reg" |
        grep -E '^\[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\' |
        cut -f1 || true
}

check_one_entry() { # snapshot name, version
    local entries key
    entries=$(program_entries "$1")
    [ "$(printf '%s' "$entries" | grep -c .)" -eq 1 ] ||
        fail "expected one installed-programs entry for $product_name, found: ${entries:-none}"
    key=$entries
    grep -q -F -x -e "$key	\"DisplayVersion\"=\"$2\"" "$state/$1.reg" ||
        fail "$key does not show version $2"
    grep -q -F -x -e "$key	\"Publisher\"=\"$publisher\"" "$state/$1.reg" ||
        fail "$key does not show publisher $publisher"
}

# Empty containers the Windows Installer service makes the first time it
# installs anything, and keeps: Windows comes with them. Nothing of the
# product's is in them once it is removed.
installer_service_containers() {
    cat <<'LINES'
+[HKEY_LOCAL_MACHINE\Software\Classes\Installer]
+[HKEY_LOCAL_MACHINE\Software\Classes\Installer\Features]
+[HKEY_LOCAL_MACHINE\Software\Classes\Installer\Products]
+[HKEY_LOCAL_MACHINE\Software\Classes\Installer\UpgradeCodes]
+[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Installer\UpgradeCodes]
+[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Installer\UserData]
+[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18]
+[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18\Components]
+[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18\Products]
+d ./windows/Installer
LINES
}

check_back_to_baseline() { # snapshot name
    installer_service_containers >"$state/containers"
    { delta "$state/baseline.reg" "$state/$1.reg"; delta "$state/baseline.files" "$state/$1.files"; } |
        grep -v -x -F -f "$state/containers" >"$state/$1.left" || true
    [ ! -s "$state/$1.left" ] || { cat "$state/$1.left" >&2; fail "registry or files not back to the baseline"; }
}

# The persistent wineserver that cmake/wine-run.sh keeps for the prefix.
stop_wineserver() {
    local server=/usr/lib/wine/wineserver64
    [ -x "$server" ] || server=/usr/lib/wine/wineserver
    if [ -d "$VR_WINEPREFIX" ]; then
        "$server" -k >/dev/null 2>&1 || true
        "$server" -w >/dev/null 2>&1 || true
    fi
}

msiexec() { # what: /i or /x, package
    wine msiexec "$1" "$(winpath "$2")" /qn
}

host_viewer() {
    # A cache folder beside the installed DLL: the control removes it when it
    # is released, so its absence afterwards shows which copy answered.
    mkdir -p "$program_folder/tbi"
    echo probe >"$program_folder/tbi/probe.tbi"
    cat >"$state/page.txt" <<PAGE
timeout 60
window 714 586
create pane $clsid 0 0 714 586
call pane Ocx_Init "127.0.0.1:8080"
expect-hr 0
capture pane $(winpath "$state")\\installed-viewer.png
destroy pane
PAGE
    wine "$bin/pagehost.exe" "$(winpath "$state/page.txt")" ||
        fail "the page host could not use the installed viewer: $(cat "$state/wine.out")"
    cp "$state/wine.out" "$state/page.out"
    grep -q -F 'call pane.Ocx_Init("127.0.0.1:8080") -> 0x00000000' "$state/page.out" ||
        fail "Ocx_Init did not answer S_OK: $(cat "$state/page.out")"
    [ ! -e "$program_folder/tbi" ] ||
        fail "the viewer that answered was not the installed one (its tbi folder stayed)"
}

case $step in
prepare)
    [ -f "$package" ] || fail "no package $package"
    stop_wineserver
    rm -rf "$state"
    mkdir -p "$state"
    wine cmd /c exit || fail "no Wine prefix: $(cat "$state/wine.out")"
    snapshot baseline
    # regsvr32 from the folder the package installs into.
    shipped_files | while read -r file; do
        mkdir -p "$(dirname "$program_folder/$file")"
        cp "$bin/$file" "$program_folder/$file"
    done
    grep '^control ' "$deliverables" | cut -d' ' -f2- >"$state/controls"
    while read -r control; do
        wine regsvr32 /s "$program_folder_win\\$control" || fail "regsvr32 $control: $(cat "$state/wine.out")"
    done <"$state/controls"
    snapshot reference
    delta "$state/baseline.reg" "$state/reference.reg" >"$state/reference.registration"
    grep -q -F "InprocServer32]	@=\"${program_folder_win//\\/\\\\}\\\\" "$state/reference.registration" ||
        fail "regsvr32 wrote no class in the program folder"
    while read -r control; do
        wine regsvr32 /s /u "$program_folder_win\\$control" || fail "regsvr32 /u $control"
    done <"$state/controls"
    rm -rf "$program_folder"
    snapshot unregistered
    check_back_to_baseline unregistered
    ;;
install)
    msiexec /i "$package" || fail "silent install failed: $(cat "$state/wine.out")"
    snapshot installed
    check_installed_files
    check_registration installed
    check_one_entry installed "$version"
    host_viewer
    ;;
uninstall)
    # Run on its own (ctest --rerun-failed), it installs first.
    if [ ! -d "$program_folder" ]; then
        msiexec /i "$package" || fail "silent install failed: $(cat "$state/wine.out")"
    fi
    # What the controls make beside themselves at run time.
    mkdir -p "$program_folder/tbi" "$program_folder/DownloadImg" "$program_folder/SearchPicture"
    echo x >"$program_folder/tbi/127.0.0.1_12.tbi"
    echo x >"$program_folder/DownloadImg/s1.jpg"
    echo x >"$program_folder/SearchPicture/obj.jpg"
    echo x >"$program_folder/SearchPicture/mask.bin"
    echo x >"$program_folder/crash_12_20240101-101010.dmp"
    msiexec /x "$package" || fail "silent uninstall failed: $(cat "$state/wine.out")"
    snapshot uninstalled
    check_back_to_baseline uninstalled
    ;;
upgrade)
    msiexec /i "$older_package" || fail "installing the older package failed: $(cat "$state/wine.out")"
    snapshot_programs older
    check_one_entry older "$older_version"
    msiexec /i "$package" || fail "the upgrade failed: $(cat "$state/wine.out")"
    snapshot upgraded
    check_one_entry upgraded "$version"
    check_installed_files
    check_registration upgraded
    if msiexec /i "$older_package"; then
        fail "the older package installed over the newer one"
    fi
    snapshot_programs downgrade_refused
    check_one_entry downgrade_refused "$version"
    msiexec /x "$package" || fail "silent uninstall after the upgrade failed: $(cat "$state/wine.out")"
    snapshot upgraded_uninstalled
    check_back_to_baseline upgraded_uninstalled
    ;;
cleanup)
    stop_wineserver
    rm -rf "$VR_WINEPREFIX" "$VR_WINEPREFIX.lock"
    ;;
*)
    fail "unknown step $step"
    ;;
esac
echo "installer $step: ok"
