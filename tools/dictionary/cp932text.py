"""Text for code page 932 dictionary lines.

Letters that code page 932 lacks become their nearest plain letters (o for
ō, ae for æ); other characters it lacks are left out. Control characters
become blanks, so no line ever holds an ESC, a zero byte or a line break of
its own.
"""

import re
import unicodedata

# A line and its LF stay below the reader's 7,998-byte line buffer.
MAX_LINE_BYTES = 7996

ESC = "\x1b"

# What neither code page 932 nor the compatibility decomposition covers.
_REPLACEMENTS = {
    "æ": "ae", "Æ": "AE", "œ": "oe", "Œ": "OE", "ß": "ss",
    "ø": "o", "Ø": "O", "ł": "l", "Ł": "L", "đ": "d", "Đ": "D",
    "ð": "d", "Ð": "D", "þ": "th", "Þ": "Th", "ı": "i", "ħ": "h",
    "‐": "-", "‑": "-", "‒": "-", "–": "-", "—": "-", "⁄": "/",
    "ʼ": "'", "ʻ": "'", "ʾ": "'", "ʿ": "'", "′": "'", "″": '"',
    "«": "<<", "»": ">>", "‹": "<", "›": ">",
    "·": "・", "•": "・", "‽": "?!",
}

_BLANKS = re.compile(r" {2,}")


def _encodable(ch):
    if unicodedata.category(ch) == "Co":  # private use: not text both ends agree on
        return False
    try:
        ch.encode("cp932")
    except UnicodeEncodeError:
        return False
    return True


def _replace(ch):
    """The text standing for `ch`, and whether anything of it was lost."""
    if ch in _REPLACEMENTS:
        return _REPLACEMENTS[ch], False
    out = []
    lost = False
    for part in unicodedata.normalize("NFKD", ch):
        if unicodedata.combining(part):
            continue
        if _encodable(part):
            out.append(part)
        elif part in _REPLACEMENTS:
            out.append(_REPLACEMENTS[part])
        else:
            lost = True
    return "".join(out), lost


def transliterate(text):
    """`text` with what code page 932 lacks replaced or left out, and runs of
    blanks made one; returns the text and whether a character had to be left
    out."""
    out = []
    lost = False
    for ch in text:
        if ch < " " or "\x7f" <= ch <= "\x9f":
            out.append(" ")
        elif ch.isascii() or _encodable(ch):
            out.append(ch)
        else:
            replacement, gone = _replace(ch)
            out.append(replacement)
            lost = lost or gone
    return _BLANKS.sub(" ", "".join(out)).strip(" "), lost


def encode(text):
    """Code page 932 bytes of text already passed through transliterate."""
    return text.encode("cp932")


class LineWriter:
    """Writes dictionary lines, each followed by LF, to a binary stream and
    counts what it wrote: lines, bytes, and the longest line."""

    def __init__(self, out):
        self.out = out
        self.lines = self.written = self.longest = 0

    def write(self, line):
        self.out.write(line + b"\n")
        self.lines += 1
        self.written += len(line) + 1
        self.longest = max(self.longest, len(line))
