#!/usr/bin/env bash
# Builds Korvessa (a Windows program) on Debian with mingw-w64 and runs its tests under Wine.
#   ./build.sh        set up what is missing, then build both word sizes into build/out
#   ./build.sh test   the same, then run every test under Wine on a private headless display
# KORVESSA_DRIVER_PACKAGE=DIR takes the published driver package files from DIR.
set -euo pipefail

cd "$(dirname "$0")"
root=$PWD
build=$root/build
command=${1:-build}

packages=(cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest
          wine wine64 wine32:i386 xvfb)

missing_packages() {
    local package
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null | grep -q '^ii' || echo "$package"
    done
}

# Installs only what is missing; as another user than root it names the commands and stops.
set_up() {
    local missing
    missing=$(missing_packages | tr '\n' ' ')
    local need_i386=no
    dpkg --print-foreign-architectures | grep -qx i386 || need_i386=yes
    [ -z "$missing" ] && [ $need_i386 = no ] && return 0

    if [ "$(id -u)" -ne 0 ]; then
        echo "Korvessa's build needs these Debian packages: $missing" >&2
        echo "Run as root, then run this script again:" >&2
        [ $need_i386 = yes ] && echo "  dpkg --add-architecture i386" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    [ $need_i386 = yes ] && dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

build_programs() {
    # Passed on every run, empty included, so a package folder of an earlier run does not
    # linger in the cache: each run builds with the package it is given, or with stand-ins.
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-w64-mingw32.cmake" \
        "-DKORVESSA_DRIVER_PACKAGE=${KORVESSA_DRIVER_PACKAGE:-}" >/dev/null
    cmake --build "$build" -j "$(nproc)"
}

# Wine and the display for the tests. Nothing started here may share the test pipe: the
# server and the prefix's services start first, with their output sent elsewhere.
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko download prompts
xvfb_pid=

stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}

start_headless_display() {
    local display_file
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    local tries=0
    while [ ! -s "$display_file" ] && [ $tries -lt 100 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    export DISPLAY=":$(head -n 1 "$display_file")"
    rm -f "$display_file"
}

start_wine() {
    mkdir -p "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1 || true
    if [ -f "$WINEPREFIX/system.reg" ]; then
        wineboot </dev/null >/dev/null 2>&1
    else
        wineboot -i </dev/null >/dev/null 2>&1
    fi
    # Without a window manager on the headless display, Wine waits two seconds for each
    # managed window that is hidden; unmanaged windows close at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
}

run_tests() {
    trap stop_wine EXIT
    start_headless_display
    start_wine
    local status=0
    ctest --test-dir "$build" --output-on-failure --timeout 600 || status=$?
    stop_wine
    trap - EXIT
    return $status
}

case $command in
    build)
        set_up
        build_programs
        ;;
    test)
        set_up
        build_programs
        run_tests
        ;;
    *)
        echo "usage: $0 [test]" >&2
        exit 2
        ;;
esac
