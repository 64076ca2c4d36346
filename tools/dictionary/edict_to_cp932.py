#!/usr/bin/env python3
"""Turns EDICT (EUC-JP lines "漢字 [かな] /gloss/gloss/.../") into a code page
932 dictionary text file: each entry stays one line, its Japanese part
between a pair of ESC bytes so the reader highlights it:

    ESC 取る [とる] ESC " /(v5r,vt) (1) to take/to pick up/.../"

The index makes the English words of the glosses findable. Latin letters
with diacritics that only JIS X 0212 has (ō, é) become plain letters; the
file's header entry (the one whose Japanese part is "？？？") is left out.
"""

import argparse
import sys

from cp932text import ESC, MAX_LINE_BYTES, LineWriter, encode, transliterate

HEADER_MARK = "？？？"


class Stats:
    def __init__(self):
        self.entries = 0
        self.skipped = 0  # header, malformed, or a Japanese part code page 932 cannot hold
        self.transliterated = 0
        self.shortened = 0


def convert_line(text, stats):
    """The code page 932 line for one decoded EDICT line, or None."""
    japanese, slash, glosses = text.partition(" /")
    japanese = japanese.strip(" ")
    if not slash or not japanese or japanese.strip("\u3000") == HEADER_MARK:
        return None
    japanese, lost = transliterate(japanese)
    if lost:
        return None
    converted, lost = transliterate(glosses)
    if lost or converted != glosses:
        stats.transliterated += 1
    line = encode(ESC + japanese + ESC + " /" + converted)
    # Too long for the reader's line buffer: the last glosses go.
    while len(line) > MAX_LINE_BYTES:
        cut = line.rstrip(b"/").rfind(b"/")
        line = line[:cut + 1]
        stats.shortened += 1
    return line


def convert(edict_path, out):
    """Writes the dictionary text to the binary stream `out`; returns Stats
    and the number of lines and bytes written, and the longest line."""
    stats = Stats()
    writer = LineWriter(out)
    with open(edict_path, "rb") as f:
        for raw in f:
            raw = raw.rstrip(b"\r\n")
            if not raw:
                continue
            stats.entries += 1
            line = convert_line(raw.decode("euc_jp", errors="replace"), stats)
            if line is None:
                stats.skipped += 1
                continue
            writer.write(line)
    return stats, writer.lines, writer.written, writer.longest


def main():
    parser = argparse.ArgumentParser(
        description="Converts the EDICT Japanese-English dictionary to a code page 932 dictionary text file.")
    parser.add_argument("edict", help="the EDICT file (EUC-JP), e.g. /usr/share/edict/edict")
    parser.add_argument("output", help="the dictionary text file to write")
    args = parser.parse_args()
    with open(args.output, "wb") as out:
        stats, lines, written, longest = convert(args.edict, out)
    print("edict_to_cp932: %d entries, %d left out, %d with letters transliterated, %d shortened; "
          "%d lines, %d bytes, longest line %d bytes"
          % (stats.entries, stats.skipped, stats.transliterated, stats.shortened, lines, written, longest),
          file=sys.stderr)


if __name__ == "__main__":
    main()
