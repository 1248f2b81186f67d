#!/bin/sh
# Remakes the manual's screenshots: one virtual screen with a window manager, then every
# shot script of this folder in turn.
#   tools/manual_shots/run.sh BUILD_DIR OUT_DIR      (OUT_DIR: usually docs/manual/images)
# Needs xvfb-run, openbox, xdotool, imagemagick and python3.
set -e
if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR OUT_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
exec xvfb-run -a -s "-screen 0 1024x720x24" sh -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    status=0
    for script in "$0"/*.py; do
        echo "== $script"
        python3 "$script" "$1" "$2" || status=1
    done
    kill $wm 2>/dev/null
    exit $status
' "$here" "$build" "$out"
