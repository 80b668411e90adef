#!/bin/sh
# What the user waits for, measured on a real display server: starts Xvfb on
# a free display, runs bench_waits there and prints its table.
#
#   bench/waits.sh [build folder] [runs] [starts|actions]   (defaults: build, 9, both)
#
# The display is the first free one from 99, or from KZT_BENCH_DISPLAY when
# it is set (several benchmarks at once on one machine).
#
# Needs Debian's xvfb package (Xvfb) and the built bench_waits.
set -eu
build=${1:-build}
runs=${2:-9}
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "waits.sh: Xvfb is missing: apt-get install xvfb" >&2
    exit 2
fi
if [ ! -x "$build/bench/bench_waits" ]; then
    echo "waits.sh: $build/bench/bench_waits is missing: build it first" >&2
    echo "  cmake --build $build --target bench_waits" >&2
    exit 2
fi
display=${KZT_BENCH_DISPLAY:-99}
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT INT TERM
i=0
while [ ! -e "/tmp/.X11-unix/X$display" ]; do
    i=$((i + 1))
    if [ "$i" -gt 50 ]; then
        echo "waits.sh: Xvfb did not start on :$display" >&2
        exit 1
    fi
    sleep 0.1
done
# Qt wants a private runtime folder; one of its own when none is set.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT INT TERM
fi
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "$#" -ge 2 ]; then shift 2; else shift "$#"; fi
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$build/bench/bench_waits" "$runs" "$@"
