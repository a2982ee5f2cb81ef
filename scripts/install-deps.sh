#!/usr/bin/env bash
# Installs what building, testing and the demo need on a fresh Debian 12
# machine. Idempotent: packages already present are not fetched again.
set -euo pipefail

packages=(
    cmake make g++ pkg-config clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev
    libbenchmark-dev wine64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    mingw-w64-tools libwine-dev fonts-wqy-microhei libcpp-httplib-dev locales
    libjpeg62-turbo-dev chromium chromium-driver python3-selenium
    wixl msitools
)

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    sudo_if_needed apt-get update -q
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A Chinese UTF-8 locale lets Wine run a process under code page 936; a
# German one gives the number tests a locale whose decimal separator is ','.
for wanted in zh_CN de_DE; do
    if ! locale -a 2>/dev/null | grep -qi "^$wanted\.utf-\?8\$"; then
        sudo_if_needed sed -i "s/^# *\($wanted.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$wanted.UTF-8 UTF-8" /etc/locale.gen ||
            echo "$wanted.UTF-8 UTF-8" | sudo_if_needed tee -a /etc/locale.gen >/dev/null
        generate=1
    fi
done
if [ -n "${generate:-}" ]; then
    sudo_if_needed locale-gen >/dev/null
fi
