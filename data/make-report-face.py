#!/usr/bin/python3
"""Builds the report face: a copy of a Japanese Gothic TrueType font whose character
map leaves out the CJK radicals and the Kangxi radicals (U+2E80-U+2FDF), under a
family name of its own.

Without those code points every glyph maps back to exactly one ordinary character,
so the text layer of a PDF drawn in this face reads as what was drawn: a PDF writer
that recovers characters from the character map would otherwise return radicals
such as U+2F3E for common ideographs such as 戸, which share their glyph. The own
family name keeps the installed original from shadowing the copy, and the font's
licence asks a changed font to be named differently.

usage: make-report-face.py SOURCE.ttf OUT.ttf
"""
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Mireva Report Gothic"
POSTSCRIPT = "MirevaReportGothic"
KEPT = [(0x0000, 0x2E7F), (0x2FE0, 0xFFFF), (0x10000, 0x10FFFF)]


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    source, out = argv[1], argv[2]
    font = TTFont(source, recalcTimestamp=False)

    options = subset.Options()
    options.layout_features = ["*"]  # vertical forms, proportional and width variants stay
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.name_legacy = True
    options.notdef_outline = True
    options.glyph_names = True
    options.legacy_kern = True
    options.hinting = True
    options.recalc_timestamp = False
    kept = [u for lo, hi in KEPT for u in range(lo, hi + 1)]
    subsetter = subset.Subsetter(options=options)
    subsetter.populate(unicodes=kept)
    subsetter.subset(font)

    # Every record of the naming IDs that carry the family: all platforms and languages.
    version = font["name"].getDebugName(5) or ""
    new_names = {1: FAMILY, 3: f"{FAMILY} {version}".strip(), 4: FAMILY, 6: POSTSCRIPT, 16: FAMILY}
    for record in font["name"].names:
        if record.nameID in new_names:
            record.string = new_names[record.nameID]

    for table in font["cmap"].tables:
        leftover = [u for u in table.cmap if 0x2E80 <= u <= 0x2FDF]
        if leftover:
            raise SystemExit(f"make-report-face: U+{leftover[0]:04X} is still in the character map")

    tmp = out + ".tmp"
    font.save(tmp)
    os.replace(tmp, out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
