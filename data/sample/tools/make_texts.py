#!/usr/bin/env python3
"""Writes the rich texts of the sample library, data/sample/texts/*.rtf.

The texts are kept here in a small line markup (see rtf_markup.py) because it is easier
to write and review than RTF. The .rtf files it produces are kept in the repository,
so building the library never needs Python: run this only after editing a text, then
check the result with `git diff data/sample/texts`.

Usage: python3 data/sample/tools/make_texts.py
"""

import sys
from pathlib import Path

from rtf_markup import to_rtf
import texts_chemistry
import texts_physics
import texts_reference

OUT = Path(__file__).resolve().parent.parent / "texts"


def main():
    texts = {}
    for module in (texts_physics, texts_chemistry, texts_reference):
        for name, markup in module.TEXTS.items():
            if name in texts:
                sys.exit("text %s is defined twice" % name)
            texts[name] = markup
    OUT.mkdir(exist_ok=True)
    for name, markup in sorted(texts.items()):
        try:
            rtf = to_rtf(markup)
        except ValueError as error:
            sys.exit("%s: %s" % (name, error))
        (OUT / (name + ".rtf")).write_bytes(rtf.encode("ascii"))
    # Texts edited by hand are not written here; list them so that a text removed
    # from the library is not left behind by mistake.
    for other in sorted(OUT.glob("*.rtf")):
        if other.stem not in texts:
            print("not written by this script:", other.name)
    print("%d texts written to %s" % (len(texts), OUT))


if __name__ == "__main__":
    main()
