#!/bin/sh
# Our writer gives back what it read: each RTF file of the corpus, read and written
# again by `qbtool rtf-roundtrip`, reads in LibreOffice with the same paragraphs
# and text as the original does.
#
# Usage: rtf_roundtrip_libreoffice.sh QBTOOL [CORPUS_DIR]
# Needs soffice (libreoffice-writer) and python3. Paragraphs are compared after
# collapsing blanks (list markers are followed by a tab in one, blanks in the
# other) and with a private-use character of the original, which is how
# LibreOffice shows a Symbol-font byte, standing for any one character of ours.
# A SYMBOL field's character LibreOffice gives as the font's byte, and we (as the
# character it shows) in Unicode; and an old-style marker (\pntext) whose paragraph
# is in no list LibreOffice drops, where we keep it as text. Those paragraphs are
# listed in KNOWN below. Empty paragraphs are left out of the comparison: LibreOffice
# makes one of a page break that starts a paragraph ({\page}Text), which we read
# and write as that paragraph's page break before (\pagebb).
set -eu
qbtool=$1
corpus=${2:-$(dirname "$0")/../data/rtf}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

command -v soffice >/dev/null || { echo "soffice not found"; exit 1; }
mkdir -p "$work/in" "$work/out" "$work/lo_in" "$work/lo_out"
cp "$corpus"/*.rtf "$work/in/"
for rtf in "$work"/in/*.rtf; do
    "$qbtool" rtf-roundtrip "$rtf" "$work/out/$(basename "$rtf")" 2>"$work/err" ||
        { echo "FAIL $(basename "$rtf"): qbtool rtf-roundtrip failed"; cat "$work/err"; exit 1; }
done
export HOME="$work/home"
for side in in out; do
    soffice -env:UserInstallation="file://$work/profile" --headless --norestore \
        --convert-to 'txt:Text (encoded):UTF8' --outdir "$work/lo_$side" "$work/$side"/*.rtf \
        >>"$work/soffice.log" 2>&1
done

python3 - "$work/lo_in" "$work/lo_out" <<'PY'
import os, re, sys
def paragraphs(path):
    text = open(path, encoding="utf-8-sig").read()
    text = re.sub("[\u00ad\u200b-\u200f\ufffc]", "", text).replace("\u00a0", " ")
    lines = [" ".join(line.split()) for line in text.split("\n")]
    return [line for line in lines if line]
def same(original, ours):
    pattern = "".join("." if "\ue000" <= c <= "\uf8ff" else re.escape(c) for c in original)
    return re.fullmatch(pattern, ours) is not None
KNOWN = {("reader_specials.txt", 2), ("reader_specials.txt", 3)}
failed = 0
names = sorted(n for n in os.listdir(sys.argv[1]) if n.endswith(".txt"))
for name in names:
    a = paragraphs(os.path.join(sys.argv[1], name))
    path = os.path.join(sys.argv[2], name)
    if not os.path.exists(path):
        print("FAIL", name, ": LibreOffice could not read our RTF"); failed += 1; continue
    b = paragraphs(path)
    bad = [i for i in range(max(len(a), len(b)))
           if (name, i + 1) not in KNOWN
           and (i >= len(a) or i >= len(b) or not same(a[i], b[i]))]
    if bad:
        failed += 1
        i = bad[0]
        print("FAIL", name, "paragraph", i + 1)
        print("  original:", a[i] if i < len(a) else "(none)")
        print("  ours:    ", b[i] if i < len(b) else "(none)")
    else:
        print("ok  ", name)
print(len(names) - failed, "passed,", failed, "failed")
sys.exit(1 if failed else 0)
PY
