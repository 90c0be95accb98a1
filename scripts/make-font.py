#!/usr/bin/python3
"""Builds resources/font/QORValdora.qsf, the tape typeface of the strip label.

The face is the informal handwriting font of Debian's fonts-breip (SIL Open
Font License 1.0), renamed so that its family and face name read "QORValdora"
as the editor expects; the licence requires a modified version to carry a new
name. The licence text travels beside the file.

Usage: scripts/make-font.py [source .ttf]   (needs Debian's fonttools and fonts-breip)
"""
import os
import shutil
import sys

from fontTools.ttLib import TTFont

SOURCE = "/usr/share/fonts/truetype/breip/Breip.ttf"
LICENCE = "/usr/share/doc/fonts-breip/copyright"
FAMILY = "QORValdora"


def rename(font):
    names = font["name"]
    replacements = {
        1: FAMILY,                      # family
        2: "Regular",                   # subfamily
        3: FAMILY + " Regular 1.0",    # unique identifier
        4: FAMILY,                      # full name (the face name GDI matches)
        6: FAMILY,                      # PostScript name
        16: FAMILY,                     # typographic family
        17: "Regular",
    }
    # Drop every old naming record that the new name replaces, then write the
    # new ones for both the Macintosh and the Windows platform.
    names.names = [n for n in names.names if n.nameID not in replacements]
    for name_id, text in replacements.items():
        names.setName(text, name_id, 3, 1, 0x409)
        names.setName(text, name_id, 1, 0, 0)
    names.setName("Renamed for QOR Valdora from the Breip font (SIL OFL 1.0)", 10, 3, 1, 0x409)


# The strip label draws at a 38-pixel em, centred in a 34-pixel strip of
# tape: the source's capitals (0.78 em) would fill it and be cut at the top.
# A larger em grid shrinks every glyph to fit, and the descent below the
# baseline is set so the text's baseline lands 27 pixels into the tape, with
# capitals clear of its top edge and descenders inside its bottom edge.
GLYPH_SHRINK = 1.55
TAPE_DESCENT_UNITS = 515


def fit_to_tape(font):
    head = font["head"]
    head.unitsPerEm = round(head.unitsPerEm * GLYPH_SHRINK)
    hhea = font["hhea"]
    os2 = font["OS/2"]
    hhea.descent = -TAPE_DESCENT_UNITS
    os2.usWinDescent = TAPE_DESCENT_UNITS


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    source = sys.argv[1] if len(sys.argv) > 1 else SOURCE
    out_dir = os.path.join(root, "resources", "font")
    os.makedirs(out_dir, exist_ok=True)
    font = TTFont(source, recalcTimestamp=False)
    rename(font)
    fit_to_tape(font)
    font.save(os.path.join(out_dir, FAMILY + ".qsf"), reorderTables=True)
    shutil.copyfile(LICENCE, os.path.join(out_dir, "LICENSE.txt"))
    print("wrote", os.path.join(out_dir, FAMILY + ".qsf"))


if __name__ == "__main__":
    main()
