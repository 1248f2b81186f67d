#!/bin/sh
# Remakes the manual's screenshots: runs every *.py beside this script in one X session
# (Xvfb with a window manager and an accessibility bus).
#   tools/manual_shots/run.sh BUILD_DIR OUT_DIR
# Needs xvfb-run, openbox, dbus-run-session, at-spi2-core, imagemagick, xdotool and
# python3-pyatspi.
set -eu
if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR OUT_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- sh -c '
    here=$1 build=$2 out=$3
    openbox >/dev/null 2>&1 &
    wm=$!
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    bus=$!
    sleep 1
    status=0
    for script in "$here"/*.py; do
        case $(basename "$script") in _*) continue ;; esac # shared modules, not shot scripts
        echo "== $(basename "$script")"
        /usr/bin/python3 "$script" "$build" "$out" || status=1
    done
    kill $bus $wm 2>/dev/null || true
    exit $status
' run "$here" "$build" "$out"
