#!/bin/sh
# Writes the mark entry sheet of a sample test for three students, enters marks into
# the file as a spreadsheet program stores them, lets LibreOffice open and recalculate
# it (converting to CSV), and checks the totals and percentages it shows.
#
# Usage: marksheet_libreoffice.sh QBTOOL INI
# Needs soffice (libreoffice-calc) and python3.
set -eu
qbtool=$1
ini=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
command -v soffice >/dev/null || { echo "soffice not found"; exit 1; }
cd "$work"

# Q1 1 mark, Q2a 3, Q12 4, Q14b 2: 10 marks in all.
"$qbtool" new-doc --ini "$ini" Sample test.vqd Q1 Q2a Q12 Q14b
printf 'Smith,Anna,12/03/2011,F\r\nJones,Ben,01/07/2011,M\r\nPatel,Cara,,F\r\n' >class.ptx
"$qbtool" marksheet --ini "$ini" Sample test.vqd marks.xlsx --students class.ptx >/dev/null

# Marks E..H for rows 9 and 10; row 11 (Patel) has none yet.
python3 - marks.xlsx <<'PY'
import re, sys, zipfile
path = sys.argv[1]
marks = {9: [1, 3, 2, 0], 10: [0, 1, 4, 2]}
with zipfile.ZipFile(path) as z:
    parts = {n: z.read(n) for n in z.namelist()}
xml = parts["xl/worksheets/sheet1.xml"].decode()
for row, values in marks.items():
    cells = "".join(f'<c r="{col}{row}"><v>{v}</v></c>' for col, v in zip("EFGH", values))
    xml, n = re.subn(f'(<c r="D{row}"[^>]*>.*?</c>)', lambda m: m.group(1) + cells, xml, count=1)
    assert n == 1, row
parts["xl/worksheets/sheet1.xml"] = xml.encode()
with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
    for name, data in parts.items():
        z.writestr(name, data)
PY

HOME="$work" soffice --headless --convert-to csv --outdir "$work/lo" marks.xlsx >/dev/null 2>&1
python3 - lo/marks.csv <<'PY'
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding="utf-8")))
cell = lambda ref: rows[int(ref[1:]) - 1][ord(ref[0]) - ord("A")]
expected = {
    "B6": "10", "B7": "3",                        # marks for the test, students
    "E7": "33", "F7": "44", "G7": "50", "H7": "33",  # class % per question: 1/3, 4/9, 6/12, 2/6
    "I8": "Total", "J8": "%Correct",
    "I9": "6", "J9": "60", "I10": "7", "J10": "70",
    "I11": "0", "J11": "",                        # no marks yet: no percentage
}
bad = [f"{ref}: {cell(ref)!r}, expected {want!r}" for ref, want in expected.items() if cell(ref) != want]
for line in bad:
    print("FAIL", line)
if bad:
    sys.exit(1)
print("mark sheet recalculated by LibreOffice as expected")
PY
