#!/bin/sh
# Exports a test of the sample's questions as RTF (`qbtool export`), has LibreOffice
# convert that file to PDF, and checks that every question starts on the same page
# there as in our own PDF of the test (`qbtool print`).
#
# Usage: print_libreoffice.sh QBTOOL SAMPLE_INI
# Needs soffice (libreoffice-writer), pdftotext (poppler-utils) and python3.
set -eu
qbtool=$1
ini=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

command -v soffice >/dev/null || { echo "soffice not found"; exit 1; }
command -v pdftotext >/dev/null || { echo "pdftotext not found"; exit 1; }
ids=$(grep -o 'question texts/q[0-9a-z]*' "$(dirname "$0")/../../data/sample/library.qbs" |
    sed 's|question texts/q|Q|')
# shellcheck disable=SC2086
"$qbtool" new-doc --ini "$ini" Sample "$work/test.vqd" $ids
"$qbtool" print --ini "$ini" Sample "$work/test.vqd" "$work/ours.pdf" >/dev/null 2>&1
"$qbtool" export --ini "$ini" Sample "$work/test.vqd" "$work/test.rtf" 2>/dev/null
(cd "$work" && HOME="$work" soffice --headless --convert-to pdf --outdir "$work/lo" test.rtf \
    >/dev/null 2>&1)

python3 - "$work/ours.pdf" "$work/lo/test.pdf" <<'PY'
import re, subprocess, sys

def pages(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    count = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    return [subprocess.run(["pdftotext", "-f", str(p), "-l", str(p), pdf, "-"],
                           capture_output=True, text=True).stdout for p in range(1, count + 1)]

def starts(texts):
    # The page of each question: its number in front of its first word.
    found = {}
    for page, text in enumerate(texts, 1):
        for m in re.finditer(r"^(\d+)\.\s?([A-Za-z(])", text, re.M):
            found.setdefault(int(m.group(1)), page)
    return found

ours, lo = pages(sys.argv[1]), pages(sys.argv[2])
a, b = starts(ours), starts(lo)
if not a:
    sys.exit("no question numbers found in our PDF")
bad = [n for n in sorted(a) if b.get(n) != a[n]]
for n in bad:
    print(f"FAIL question {n}: page {a[n]} in ours, {b.get(n)} in LibreOffice's")
print(f"{len(a) - len(bad)} of {len(a)} questions on the same page; "
      f"{len(ours)} pages ours, {len(lo)} LibreOffice's")
sys.exit(1 if bad else 0)
PY
