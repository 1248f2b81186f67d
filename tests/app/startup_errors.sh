#!/bin/sh
# Start-up failures: the message on standard error and a non-zero exit before any
# window exists (no display here, so no error box either).
#   startup_errors.sh QUARRYBOOK SAMPLE_CONFIG_DIR
set -u
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
sample=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail=0

expect() { # expect MESSAGE CONFIG_DIR ARGS... (runs $run, the program unless set)
    message=$1 dir=$2
    shift 2
    QUARRYBOOK_CONFIG_DIR=$dir "${run:-$program}" "$@" >"$work/out" 2>"$work/err"
    status=$?
    if [ $status -eq 0 ] || ! grep -qxF "$message" "$work/err"; then
        echo "FAIL ($*): status $status, stderr: $(cat "$work/err")"
        fail=1
    fi
}

expect "Could not open library text file" "$sample" NoSuchSubject
# The second line names the subject, the file and the folders searched up to it.
mkdir "$work/empty"
cd "$sample" || exit 1
expect "Subject \"NoSuchSubject\" is not listed in $sample/vantor32.ini (looked for \"vantor32.ini\" in $work/empty, $sample)." \
    "$work/empty" NoSuchSubject
cd "$work" || exit 1
expect "Data file has not been specified" "$sample"
# A test document with no subject named in the vantor.ini beside vantor32.ini.
printf '[Auto]\n' >"$work/vantor.ini"
: >"$work/vantor32.ini"
expect "Data file has not been specified" "$work" "$work/test.VQD"
rm "$work/vantor.ini" "$work/vantor32.ini"

text=$sample/texts.dat
printf '[Broken]\nTextFilename=%s\n' "$text" >"$work/vantor32.ini"
expect "Could not open library data file" "$work" Broken

printf '[Broken]\nTextFilename=%s\nLibFilename=%s/missing.dat\n' "$text" "$work" \
    >"$work/vantor32.ini"
expect "Could not open library data file" "$work" Broken

# The sample library with its version raised to 12 (first bytes: tag 2, version).
{ printf '\002\014'; tail -c +3 "$sample/library.dat"; } >"$work/bad.dat"
printf '[Broken]\nTextFilename=%s\nLibFilename=%s/bad.dat\n' "$text" "$work" \
    >"$work/vantor32.ini"
expect "Incorrect library version" "$work" Broken

# A copy of the program outside the build tree, as an installed one is, never looks
# into the build tree.
mkdir "$work/bin" "$work/home"
cp "$program" "$work/bin/quarrybook"
cd "$work/empty" || exit 1
saved_home=$HOME
HOME=$work/home run=$work/bin/quarrybook
export HOME
unset XDG_CONFIG_HOME
expect "Could not open library text file" "" NoSuchSubject
HOME=$saved_home run=
cd "$work" || exit 1
build=$(cd "$sample/../.." && pwd)
if grep -qF "$build" "$work/err"; then
    echo "FAIL (outside the build tree): looked into $build: $(cat "$work/err")"
    fail=1
fi

# With a platform that has no screen the message still ends the program, not a box
# nobody can close.
QT_QPA_PLATFORM=offscreen QUARRYBOOK_CONFIG_DIR=$sample timeout 60 "$program" NoSuchSubject \
    >"$work/out" 2>"$work/err"
status=$?
if [ $status -ne 1 ] || ! grep -qxF "Could not open library text file" "$work/err"; then
    echo "FAIL (offscreen): status $status, stderr: $(cat "$work/err")"
    fail=1
fi
exit $fail
