#!/bin/sh
# LibreOffice Writer opens what our RTF writer produces with the same text,
# formatting, tables, pictures and footer.
#
#   rtf_writer_libreoffice.sh QB_RTF_TESTS
#
# QB_RTF_TESTS is the qb_rtf_tests executable: its RtfWriterSamples test writes
# the documents and, beside each, a .expect file saying what LibreOffice must see
# (format in tests/output/rtf/rtf_writer_samples_test.cpp). Needs soffice
# (libreoffice-writer) and pdfimages, pdfinfo, pdftotext (poppler-utils).
set -u

tests=${1:?usage: $0 QB_RTF_TESTS}
for tool in soffice pdfimages pdfinfo pdftotext; do
    command -v "$tool" >/dev/null 2>&1 || { echo "missing: $tool" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
# A profile of our own, so that a running LibreOffice or a shared one does not interfere.
export HOME="$work/home"
mkdir -p "$HOME" "$work/ours" "$work/lo"

if ! QT_QPA_PLATFORM=offscreen QB_RTF_WRITER_SAMPLES="$work/ours" \
    "$tests" --gtest_filter='RtfWriterSamples.*' >"$work/samples.log" 2>&1; then
    cat "$work/samples.log"
    echo "FAIL: could not write the samples" >&2
    exit 1
fi

convert() { # format outdir files...
    format=$1 outdir=$2
    shift 2
    soffice --headless --norestore --convert-to "$format" --outdir "$outdir" "$@" \
        >>"$work/soffice.log" 2>&1
}
convert 'txt:Text (encoded):UTF8' "$work/lo" "$work"/ours/*.rtf
convert fodt "$work/lo" "$work"/ours/*.rtf
convert pdf "$work/lo" "$work"/ours/*.rtf

# Text as a list of words: line breaks, tabs, non-breaking spaces and the byte
# order mark do not matter, only what is read; nor the bullet shapes LibreOffice's
# plain text gives the levels of a list.
words() {
    sed -e 's/^\xef\xbb\xbf//' -e 's/\xc2\xa0/ /g' -e 's/\xe2\x97\xa6/\xe2\x80\xa2/g' \
        -e 's/\xe2\x96\xaa/\xe2\x80\xa2/g' | tr -s ' \t\r\n\f' '\n\n\n\n\n' | sed '/^$/d'
}

failures=0
fail() {
    echo "FAIL: $1: $2"
    failures=$((failures + 1))
}

for expect in "$work"/ours/*.expect; do
    name=$(basename "$expect" .expect)
    txt="$work/lo/$name.txt" fodt="$work/lo/$name.fodt" pdf="$work/lo/$name.pdf"
    if [ ! -s "$txt" ] || [ ! -s "$fodt" ] || [ ! -s "$pdf" ]; then
        fail "$name" "LibreOffice did not open it"
        continue
    fi
    words <"$txt" >"$work/$name.got"
    while IFS= read -r line; do
        key=${line%%: *}
        value=${line#*: }
        case $key in
        words)
            printf '%s\n' "$value" | words >"$work/$name.want"
            diff "$work/$name.want" "$work/$name.got" >"$work/$name.diff" ||
                fail "$name" "text differs: $(head -c 400 "$work/$name.diff")"
            ;;
        fodt)
            grep -F -q -- "$value" "$fodt" || fail "$name" "no $value in LibreOffice's document"
            ;;
        images)
            got=$(pdfimages -list "$pdf" 2>/dev/null | tail -n +3 | wc -l)
            [ "$got" -eq "$value" ] || fail "$name" "$got pictures, not $value"
            ;;
        pages)
            got=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
            [ "$got" = "$value" ] || fail "$name" "$got pages, not $value"
            ;;
        pdftext)
            pdftotext "$pdf" - 2>/dev/null | grep -F -q -- "$value" ||
                fail "$name" "the printed pages do not show $value"
            ;;
        esac
    done <"$expect"
    echo "checked: $name"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all LibreOffice checks passed"
