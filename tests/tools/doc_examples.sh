#!/bin/sh
# Runs the examples of a documentation page and compares what they print with what
# the page shows. An example is a line "$ qbtool ..." in a fenced block; the lines
# after it, up to the next such line or the end of the block, are its output
# (standard output and standard error together). The examples run in order, in one
# empty folder, so that a later one can use the files an earlier one wrote.
#   doc_examples.sh QBTOOL PAGE.md
set -u
qbtool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
page=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/examples" "$work/run" "$work/config" "$work/cache"

awk -v dir="$work/examples" '
    /^```/ { inBlock = !inBlock; current = 0; next }
    inBlock && /^\$ qbtool / {
        current = ++n
        print substr($0, 3) > (dir "/" n ".cmd")
        printf "" > (dir "/" n ".out")
        next
    }
    inBlock && current { print >> (dir "/" current ".out") }
    END { print n + 0 > (dir "/count") }
' "$page"

count=$(cat "$work/examples/count")
if [ "$count" -eq 0 ]; then
    echo "FAIL: $page holds no examples"
    exit 1
fi

# Only the sample of the build tree is found: no configuration of the user's.
PATH=$(dirname "$qbtool"):$PATH
QUARRYBOOK_CONFIG_DIR=
XDG_CONFIG_HOME=$work/config
# Search indexes go to a cache of the run, never the user's.
XDG_CACHE_HOME=$work/cache
export PATH QUARRYBOOK_CONFIG_DIR XDG_CONFIG_HOME XDG_CACHE_HOME
unset DISPLAY WAYLAND_DISPLAY

fail=0
i=1
while [ "$i" -le "$count" ]; do
    command=$(cat "$work/examples/$i.cmd")
    (cd "$work/run" && sh -c "$command") >"$work/actual" 2>&1
    if ! diff -u "$work/examples/$i.out" "$work/actual" >"$work/diff"; then
        echo "FAIL: \$ $command"
        sed '1,2d' "$work/diff"
        fail=1
    fi
    i=$((i + 1))
done
[ $fail -eq 0 ] && echo "$count examples of $page ran as shown"
exit $fail
