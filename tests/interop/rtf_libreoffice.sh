#!/bin/sh
# Reads every RTF file of the corpus with LibreOffice and with our reader
# (`qbtool rtf2txt`) and checks that both see the same text.
#
# Usage: rtf_libreoffice.sh QBTOOL [CORPUS_DIR]
# Needs soffice (libreoffice-writer) and python3. Text is compared after
# normalising what plain-text conversion does differently by design: blanks and
# line breaks (we put table cells on one line, LibreOffice one per line), list
# bullet shapes, and symbol-font characters, which LibreOffice exports as
# private-use code points where we give the Unicode character.
set -eu
qbtool=$1
corpus=${2:-$(dirname "$0")/../data/rtf}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

command -v soffice >/dev/null || { echo "soffice not found"; exit 1; }
cp "$corpus"/*.rtf "$work"/
(cd "$work" && HOME="$work" soffice --headless --convert-to txt:Text --outdir "$work/lo" ./*.rtf >/dev/null 2>&1)

pass=0
fail=0
for rtf in "$work"/*.rtf; do
    name=$(basename "$rtf" .rtf)
    # reader_*.rtf hold what our reader shows differently on purpose (hidden
    # text, SYMBOL fields, old-style list text); their .txt files are the check.
    case $name in reader_*) continue ;; esac
    if ! "$qbtool" rtf2txt "$rtf" >"$work/$name.ours" 2>"$work/$name.err"; then
        echo "FAIL $name: qbtool rtf2txt failed"; cat "$work/$name.err"
        fail=$((fail + 1)); continue
    fi
    if python3 - "$work/lo/$name.txt" "$work/$name.ours" <<'PY'
import re, sys
lo = open(sys.argv[1], encoding="utf-8-sig").read()
ours = open(sys.argv[2], encoding="utf-8").read()
def norm(t):
    t = re.sub("[\ufffc\u00ad\u200b-\u200f]", "", t)
    t = t.replace("\u2011", "-").replace("\u00a0", " ")
    t = re.sub("[\u25e6\u25aa\u2023\u25cf]", "\u2022", t)
    return " ".join(t.split())
a, b = norm(lo), norm(ours)
# A private-use character of LibreOffice's stands for any one character of ours.
pattern = "".join("." if "\ue000" <= c <= "\uf8ff" else re.escape(c) for c in a)
if not re.fullmatch(pattern, b):
    print("LibreOffice:", a[:2000])
    print("ours:       ", b[:2000])
    sys.exit(1)
PY
    then
        pass=$((pass + 1))
    else
        echo "FAIL $name"; fail=$((fail + 1))
    fi
done
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
