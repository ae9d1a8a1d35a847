#!/usr/bin/env bash
# Builds Korvessa (a Windows program) on Debian with mingw-w64 and runs it and its tests under
# Wine.
#   ./build.sh        set up what is missing, then build both word sizes into build/out
#   ./build.sh test   the same, then run every test under Wine on a private headless display
#   ./build.sh run    the same as build, then start Korvessa under Wine: on the current display,
#                     or without one on a private headless display, saving build/screenshot.png
#   ./build.sh bench  the same as build, then run every benchmark under Wine on a private
#                     headless display and print one line of figures for each
# KORVESSA_DRIVER_PACKAGE=DIR takes the published driver package files from DIR.
# KORVESSA_64BIT_ONLY=1 runs the tests and benchmarks as on a host that runs no 32-bit
# programs, whatever this host can run.
set -euo pipefail

cd "$(dirname "$0")"
root=$PWD
build=$root/build
command=${1:-build}

packages=(cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest
          wine wine64 wine32:i386 xvfb)
# What the headless run needs to find the window and take its picture.
[ "$command" = run ] && packages+=(x11-utils imagemagick)

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
    local toolchain=$root/cmake/i686-w64-mingw32.cmake
    # A build folder configured with another toolchain file, or none, keeps its compilers in
    # its cache: start it anew.
    if [ -f "$build/CMakeCache.txt" ] &&
        [ "$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt")" != "$toolchain" ]; then
        echo "The build folder was configured with another toolchain; configuring it anew."
        rm -rf "$build"
    fi
    # Passed on every run, empty included, so a package folder of an earlier run does not
    # linger in the cache: each run builds with the package it is given, or with stand-ins.
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        "-DKORVESSA_DRIVER_PACKAGE=${KORVESSA_DRIVER_PACKAGE:-}" >/dev/null
    cmake --build "$build" -j "$(nproc)"
}

# Some kernels run no 32-bit Linux programs, and the 32-bit Wine loader fails there with "Exec
# format error". The 64-bit loader runs the 64-bit programs all the same.
runs_32bit_programs() {
    [ "${KORVESSA_64BIT_ONLY:-}" != 1 ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

choose_wine() {
    if runs_32bit_programs; then
        host_runs_32bit=yes
        export KORVESSA_WINE=wine
    else
        host_runs_32bit=no
        export KORVESSA_WINE=/usr/lib/wine/wine64
        export WINELOADER=/usr/lib/wine/wine64
    fi
}

fail() {
    echo "build.sh: $*" >&2
    exit 1
}

# Wine and the display. Nothing started here may share the test pipe: the server and the
# prefix's services start first, with their output sent elsewhere.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko download prompts
xvfb_pid=

stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
    [ -d "$build/wineprefix32" ] && WINEPREFIX=$build/wineprefix32 wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}

start_headless_display() {
    local display_file
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    local tries=0
    while [ ! -s "$display_file" ] && [ $tries -lt 100 ]; do
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
        tries=$((tries + 1))
    done
    local display
    display=$(head -n 1 "$display_file")
    rm -f "$display_file"
    [ -n "$display" ] || fail "the headless display (Xvfb) did not start"
    export DISPLAY=":$display"
}

# Boots the prefix in $WINEPREFIX, creating it when it is missing.
start_wine() {
    mkdir -p "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1 || fail "the Wine server did not start"
    local boot=(-u)
    [ -f "$WINEPREFIX/system.reg" ] || boot=(-i)
    "$KORVESSA_WINE" wineboot "${boot[@]}" </dev/null >"$build/wineboot.log" 2>&1 ||
        fail "Wine could not boot the prefix $WINEPREFIX (with $KORVESSA_WINE; see $build/wineboot.log)"
}

# A fresh prefix for every run: a test killed half-way leaves nothing for the next run.
start_test_prefix() {
    rm -rf "$WINEPREFIX"
    start_wine
    # No window manager runs on the headless display, and Wine waits two seconds for one at
    # each managed window that is hidden; unmanaged windows close at once.
    "$KORVESSA_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
}

run_tests() {
    choose_wine
    trap stop_wine EXIT
    start_headless_display
    export WINEPREFIX=$build/wineprefix
    start_test_prefix
    # The end-to-end test runs once more as on 32-bit Windows, in a 32-bit prefix.
    if [ $host_runs_32bit = yes ]; then
        WINEPREFIX=$build/wineprefix32 WINEARCH=win32 start_test_prefix
    fi
    local exclude=()
    if [ $host_runs_32bit = no ]; then
        local left_out
        left_out=$(ctest --test-dir "$build" -N -L '^x86$' | sed -n 's/^ *Test *#[0-9]*: //p' | tr '\n' ' ')
        echo "This host runs no 32-bit programs (the 32-bit Wine loader does not start here, or" \
             "KORVESSA_64BIT_ONLY=1): left out the 32-bit tests ${left_out% }."
        exclude=(-LE '^x86$')
    fi
    local status=0
    # Several tests at a time load Wine heavily: the tests wait for what they expect and do not
    # time Wine, so a failure counts at once.
    ctest --test-dir "$build" --output-on-failure --no-tests=error --timeout 600 \
        -j "$(nproc)" "${exclude[@]}" || status=$?
    stop_wine
    trap - EXIT
    return $status
}

# Each benchmark program with its arguments; its last line of output is its summary.
benchmark_runs=(
    device_scan_benchmark
    startup_benchmark
    responsiveness_benchmark
    "program_size_benchmark build/out/Korvessa.exe"
    "program_size_benchmark build/out/KorvessaX64.exe")

# Runs one benchmark of one word size, adds its whole output to build/bench.log and prints its
# summary; fails when the benchmark fails or prints nothing.
run_benchmark() {
    local word_size=$1 program=$2
    shift 2
    local folder=$build/bin
    [ "$word_size" = x64 ] && folder=$build/x64/bin
    local output errors status=0
    output=$(mktemp)
    errors=$(mktemp)
    # Into files, not pipes: Wine's services would keep a pipe open. A benchmark that hangs
    # ends after ten minutes, as a test does.
    timeout 600 "$KORVESSA_WINE" "$folder/$program.exe" "$@" </dev/null >"$output" 2>"$errors" || status=$?
    { echo "== $program ($word_size)${*:+ $*}"; cat "$output" "$errors"; } | tr -d '\r' >>"$build/bench.log"
    local summary
    summary=$(tr -d '\r' <"$output" | sed -n '$p')
    rm -f "$output" "$errors"
    if [ $status -ne 0 ] || [ -z "$summary" ]; then
        printf '%-24s %s  FAILED (exit code %s; see build/bench.log)\n' "$program" "$word_size" "$status"
        return 1
    fi
    printf '%-24s %s  %s\n' "$program" "$word_size" "$summary"
}

run_benchmarks() {
    choose_wine
    trap stop_wine EXIT
    start_headless_display
    # A prefix of their own, so a test run's is never touched.
    export WINEPREFIX=$build/bench-prefix
    start_test_prefix
    local word_sizes=(x86 x64)
    if [ $host_runs_32bit = no ]; then
        word_sizes=(x64)
        local left_out
        left_out=$(printf '%s\n' "${benchmark_runs[@]%% *}" | uniq | paste -sd ' ')
        echo "This host runs no 32-bit programs (the 32-bit Wine loader does not start here, or" \
             "KORVESSA_64BIT_ONLY=1): left out the 32-bit benchmarks $left_out."
    fi
    : >"$build/bench.log"
    local word_size run status=0
    for word_size in "${word_sizes[@]}"; do
        for run in "${benchmark_runs[@]}"; do
            # shellcheck disable=SC2086
            run_benchmark "$word_size" $run || status=1
        done
    done
    stop_wine
    trap - EXIT
    return $status
}

# The caption of Korvessa's main window.
main_window_title() {
    sed -n 's/^CAPTION "\(Korvessa 2\.0[^"]*\)"$/\1/p' "$root/resources/ui.rc" | head -n 1
}

run_program() {
    choose_wine
    export WINEPREFIX=$build/run-prefix
    local program=$build/out/Korvessa.exe
    if [ $host_runs_32bit = no ]; then
        program=$build/x64/bin/Korvessa.exe
        echo "This host runs no 32-bit programs: starting the x64 test build of Korvessa instead."
    fi
    trap stop_wine EXIT
    local headless=no
    if [ -z "${DISPLAY:-}" ]; then
        headless=yes
        start_headless_display
    fi
    start_wine
    if [ $headless = no ]; then
        "$KORVESSA_WINE" "$program" </dev/null >"$build/run.log" 2>&1 || true
        return 0
    fi

    "$KORVESSA_WINE" "$program" </dev/null >"$build/run.log" 2>&1 &
    local title window="" tries=0
    title=$(main_window_title)
    while [ -z "$window" ] && [ $tries -lt 300 ]; do
        sleep 0.1
        window=$(xwininfo -name "$title" 2>/dev/null | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p' || true)
        tries=$((tries + 1))
    done
    [ -n "$window" ] || fail "Korvessa's main window did not appear (see $build/run.log)"
    sleep 2   # the list and the pictures are drawn after the window appears
    /usr/bin/import -window "$window" "$build/screenshot.png"
    echo "Korvessa ran on a headless display; its main window is in $build/screenshot.png"
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
    run)
        set_up
        build_programs
        run_program
        ;;
    bench)
        set_up
        build_programs
        run_benchmarks
        ;;
    *)
        echo "usage: $0 [build|run|test|bench]" >&2
        exit 2
        ;;
esac
