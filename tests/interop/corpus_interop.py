#!/usr/bin/env python3
"""Compares our printing of each corpus RTF (`qbtool rtf2pdf`) with LibreOffice's
PDF of it (the expectations in tests/data/corpus), checks the round trip through our
writer with LibreOffice's reading, and times both conversions of the long paper.
Prints a table and exits non-zero when a target is missed.

Usage: corpus_interop.py QBTOOL [CORPUS_DIR]   (needs soffice and poppler-utils)
"""
import difflib
import re
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

LONG_PAPER = "exam_paper_lo"
TARGET_SAME_PAGE = 0.97
TARGET_SPEED = 0.3
PROFILE = "-env:UserInstallation=file:///tmp/lo-interop-corpus"
# Leaders, rules and bullets are drawn by each side in its own way; they are not words,
# nor part of the words they touch ("=......W" is "=" and "W").
NOT_A_WORD = re.compile(r"^[\W_]+$")
LEADER = re.compile(r"[._\-\u2026]{3,}")


def words(text):
    return [w for w in LEADER.sub(" ", text).split() if not NOT_A_WORD.match(w)]


def paged_words(pages):
    """(word, page) for every word of a list of page texts."""
    return [(w, p) for p, text in enumerate(pages, 1) for w in words(text)]


def pdf_pages(pdf):
    info = subprocess.run(["pdfinfo", str(pdf)], capture_output=True, text=True, check=True).stdout
    count = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    whole = subprocess.run(["pdftotext", "-layout", str(pdf), "-"], capture_output=True, text=True,
                           check=True).stdout
    pages = whole.split("\f")[:count]
    return pages + [""] * (count - len(pages))


def image_count(pdf):
    rows = subprocess.run(["pdfimages", "-list", str(pdf)], capture_output=True, text=True,
                          check=True).stdout.splitlines()[2:]
    return sum(1 for row in rows if row.split()[2] == "image")


def soffice(args, cwd):
    subprocess.run(["soffice", PROFILE, "--headless", *args], cwd=cwd, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def compare(expected_pages, our_pages):
    """Share of LibreOffice's words that we print on the same page, and share of words
    in the same order in the whole text."""
    lo, ours = paged_words(expected_pages), paged_words(our_pages)
    matcher = difflib.SequenceMatcher(None, [w for w, _ in lo], [w for w, _ in ours])
    same_page = matched = 0
    for a, b, size in matcher.get_matching_blocks():
        matched += size
        same_page += sum(1 for i in range(size) if lo[a + i][1] == ours[b + i][1])
    return same_page, matched, len(lo), max(len(lo), len(ours))


def first_difference(a, b):
    if a is None or b is None:
        return " (no text)"
    i = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
    return f" (word {i}: {' '.join(a[i:i + 6])!r} against {' '.join(b[i:i + 6])!r})"


def text_of(path):
    return words(path.read_text(encoding="utf-8", errors="replace")) if path.exists() else None


def main():
    qbtool = Path(sys.argv[1]).resolve()
    corpus = Path(sys.argv[2] if len(sys.argv) > 2 else
                  Path(__file__).resolve().parents[1] / "data" / "corpus").resolve()
    for tool in ("soffice", "pdftotext", "pdfimages", "pdfinfo"):
        if not shutil.which(tool):
            sys.exit(f"{tool} not found (packages libreoffice-writer, poppler-utils)")
    names = sorted(p.stem for p in corpus.glob("*.rtf"))
    if not names:
        sys.exit(f"no RTF files in {corpus}")
    work = Path(tempfile.mkdtemp(prefix="interop-corpus-"))
    try:
        return run(qbtool, corpus, names, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def run(qbtool, corpus, names, work):
    ours, trip, txt = work / "ours", work / "trip", work / "txt"
    for d in (ours, trip, txt):
        d.mkdir()
    our_seconds = {}
    for name in names:
        start = time.monotonic()
        subprocess.run([str(qbtool), "rtf2pdf", str(corpus / f"{name}.rtf"), str(ours / f"{name}.pdf")],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        our_seconds[name] = time.monotonic() - start
        subprocess.run([str(qbtool), "rtf-roundtrip", str(corpus / f"{name}.rtf"),
                        str(trip / f"{name}.trip.rtf")], check=True, stderr=subprocess.DEVNULL)
        shutil.copy(corpus / f"{name}.rtf", trip / f"{name}.rtf")

    # LibreOffice's reading of the originals and of our round trips; this first start
    # also warms its profile, so that the timing below is of the conversion alone.
    soffice(["--convert-to", "txt:Text (encoded):UTF8", "--outdir", str(txt),
             *map(str, sorted(trip.glob("*.rtf")))], work)
    lo_seconds = None
    if LONG_PAPER in names:
        start = time.monotonic()
        soffice(["--convert-to", "pdf", "--outdir", str(work / "lo"), str(corpus / f"{LONG_PAPER}.rtf")], work)
        lo_seconds = time.monotonic() - start

    failures = []
    rows, totals = [], [0, 0, 0, 0, 0]
    for name in names:
        expect = dict(line.split() for line in (corpus / f"{name}.expect").read_text().splitlines()
                      if line and not line.startswith("#"))
        lo_pages, lo_images = int(expect["pages"]), int(expect["images"])
        expected = (corpus / f"{name}.pages.txt").read_text().split("\f")
        pages = pdf_pages(ours / f"{name}.pdf")
        images = image_count(ours / f"{name}.pdf")
        same, matched, lo_words, longest = compare(expected, pages)
        original, back = text_of(txt / f"{name}.txt"), text_of(txt / f"{name}.trip.txt")
        trip_ok = original is not None and original == back
        slack = 1 if name == LONG_PAPER else 0
        if abs(len(pages) - lo_pages) > slack:
            failures.append(f"{name}: {len(pages)} pages, LibreOffice {lo_pages}")
        if images < lo_images:
            failures.append(f"{name}: {images} pictures drawn of {lo_images}")
        if not trip_ok:
            failures.append(f"{name}: round trip read by LibreOffice gives another text{first_difference(original, back)}")
        for i, v in enumerate((same, lo_words, matched, longest, 1)):
            totals[i] += v
        rows.append((name, f"{len(pages)}/{lo_pages}", f"{100 * same / max(lo_words, 1):.1f}%",
                     f"{100 * same / max(matched, 1):.1f}%",
                     f"{100 * matched / max(longest, 1):.1f}%", f"{images}/{lo_images}",
                     "same" if trip_ok else "DIFFERS", f"{our_seconds[name]:.2f}s"))
    share = totals[0] / max(totals[1], 1)
    rows.append(("total", "", f"{100 * share:.1f}%", f"{100 * totals[0] / max(totals[2], 1):.1f}%",
                 f"{100 * totals[2] / max(totals[3], 1):.1f}%",
                 "", "", ""))
    if share < TARGET_SAME_PAGE:
        failures.append(f"{100 * share:.1f}% of words on LibreOffice's page (target {100 * TARGET_SAME_PAGE:.0f}%)")

    # "of printed": the share among the words we print at all, which leaves out what a
    # missing feature drops (headers, footnotes) and shows where the pages break.
    header = ("file", "pages", "same page", "of printed", "text", "pictures", "round trip", "rtf2pdf")
    widths = [max(len(str(r[i])) for r in [header, *rows]) for i in range(len(header))]
    for r in [header, *rows]:
        print("  ".join(str(c).ljust(w) for c, w in zip(r, widths)).rstrip())
    if lo_seconds is not None:
        ratio = our_seconds[LONG_PAPER] / lo_seconds
        print(f"{LONG_PAPER}: rtf2pdf {our_seconds[LONG_PAPER]:.2f}s, LibreOffice {lo_seconds:.2f}s, "
              f"ratio {ratio:.2f} (target <= {TARGET_SPEED})")
        if ratio > TARGET_SPEED:
            failures.append(f"rtf2pdf of {LONG_PAPER} takes {ratio:.2f} x LibreOffice's time")
    for f in failures:
        print("FAIL", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
