#!/usr/bin/env python3
"""Turns the FreeDict English-Japanese dictionary (dictd format: an index of
"key TAB offset TAB length" lines and a gzip-readable .dict.dz) into a code
page 932 dictionary text file, one headword a line:

    ESC take ESC " : " 〔名〕1) 取得 (act of taking) 2) ... 〔動〕1) 撮る (...) ...

Entries whose headwords match when lower-cased share one line; one whose
headword differs from the line's is marked 【Headword】. Pronunciations are
dropped, Japanese terms that code page 932 cannot hold are dropped, and an
entry left without any Japanese term is dropped.
"""

import argparse
import gzip
import re
import sys

from cp932text import ESC, MAX_LINE_BYTES, LineWriter, encode, transliterate

_BASE64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"

# Parts of speech as the FreeDict entries name them, in Japanese.
PARTS_OF_SPEECH = {
    "n": "名", "pn": "固", "v": "動", "adj": "形", "adv": "副",
    "pronoun": "代", "preposition": "前", "postposition": "後置",
    "conjunction": "接", "interjection": "間", "determiner": "限",
    "article": "冠", "numeral": "数", "particle": "小辞",
    "prefix": "接頭", "suffix": "接尾", "symbol": "記号",
    "phraseologicalUnit": "句", "idiom": "成句", "proverb": "諺",
}

_POS = re.compile(r"<([^<>]*)>\s*$")
_SENSE = re.compile(r"^(\d+)\.(?:\s(.*))?$")
_STRAY_NUMBER = re.compile(r"^\s+\d+\.\s*$")  # a sub-sense number left on its own line
_TRAILING_NUMBER = re.compile(r"\s+\d+\.\s*$")  # the same left at the end of a line of terms


def decode_base64_number(text):
    value = 0
    for ch in text:
        value = value * 64 + _BASE64.index(ch)
    return value


def read_dictd(index_path, dict_path):
    """The text of each entry, in index order, each entry once."""
    with gzip.open(dict_path, "rb") as f:
        data = f.read()
    seen = set()
    with open(index_path, encoding="utf-8") as index:
        for line in index:
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 3 or fields[0].startswith("00database"):
                continue
            where = (decode_base64_number(fields[1]), decode_base64_number(fields[2]))
            if where in seen:
                continue
            seen.add(where)
            yield data[where[0]:where[0] + where[1]].decode("utf-8")


def split_terms(text):
    """Terms separated by ", ", except inside parentheses; "1,000" stays whole."""
    terms, depth, start = [], 0, 0
    for i, ch in enumerate(text):
        if ch in "(（":
            depth += 1
        elif ch in ")）":
            depth = max(0, depth - 1)
        elif ch == "," and depth == 0 and text[i + 1:i + 2] in ("", " "):
            terms.append(text[start:i])
            start = i + 1
    terms.append(text[start:])
    return [t.strip() for t in terms]


class Stats:
    def __init__(self):
        self.entries = 0
        self.dropped_entries = 0
        self.dropped_terms = 0


def parse_entry(text, stats):
    """Headword, part of speech and senses [(terms, glosses)] of one entry;
    None when nothing is left of it."""
    lines = text.rstrip("\n").split("\n")
    first = lines[0]
    pos_match = _POS.search(first)
    pos = pos_match.group(1) if pos_match else ""
    headword = first.split(" /")[0] if " /" in first else _POS.sub("", first)
    headword, _ = transliterate(headword)

    senses = []  # [terms text, [gloss lines]]
    for line in lines[1:]:
        sense = _SENSE.match(line)
        if sense and int(sense.group(1)) == len(senses) + 1:
            senses.append([sense.group(2) or "", []])
        elif not senses:
            senses.append([line, []])  # a single sense has no number; its terms may be blank
        elif not line.strip() or _STRAY_NUMBER.match(line):
            continue
        else:
            senses[-1][1].append(line)

    kept = []
    for terms_text, gloss_lines in senses:
        terms = []
        for term in split_terms(_TRAILING_NUMBER.sub("", terms_text)):
            term, lost = transliterate(term)
            if lost:
                stats.dropped_terms += 1
            elif term and term not in terms:
                terms.append(term)
        if not terms:
            continue
        glosses = [g for g in (transliterate(line)[0] for line in gloss_lines) if g]
        kept.append((terms, glosses))
    if not headword or not kept:
        return None
    return headword, pos, kept


def entry_units(headword, line_headword, pos, senses):
    """The entry as pieces a line can be broken between."""
    mark = "" if headword == line_headword else "【" + headword + "】"
    if pos:
        mark += "〔" + PARTS_OF_SPEECH.get(pos, pos) + "〕"
    units = []
    for number, (terms, glosses) in enumerate(senses, 1):
        unit = "、".join(terms)
        if glosses:
            unit += " (" + "; ".join(glosses) + ")"
        if len(senses) > 1:
            unit = "%d) %s" % (number, unit)
        units.append(unit)
    units[0] = mark + units[0]
    return units


def pack_lines(line_headword, units):
    """Lines of at most MAX_LINE_BYTES bytes holding the units in order; a
    long entry goes on under the same headword on the next line."""
    prefix = encode(ESC + line_headword + ESC + " : ")
    room = MAX_LINE_BYTES - len(prefix)
    lines, current = [], b""
    for unit in units:
        data = encode(unit)
        if len(data) > room:  # one sense longer than a line: cut at a character
            data = data[:room].decode("cp932", errors="ignore").encode("cp932")
        if current and len(current) + 1 + len(data) > room:
            lines.append(prefix + current)
            current = b""
        current = current + b" " + data if current else data
    lines.append(prefix + current)
    return lines


def convert(index_path, dict_path, out):
    """Writes the dictionary text to the binary stream `out`; returns Stats
    and the number of lines and bytes written, and the longest line."""
    stats = Stats()
    groups = {}  # lower-cased headword -> entries, in order of first appearance
    for text in read_dictd(index_path, dict_path):
        stats.entries += 1
        entry = parse_entry(text, stats)
        if entry is None:
            stats.dropped_entries += 1
            continue
        groups.setdefault(entry[0].lower(), []).append(entry)

    writer = LineWriter(out)
    for entries in groups.values():
        # The lower-case form names the line when there is one ("bill", not "Bill").
        ordered = sorted(entries, key=lambda e: e[0] != e[0].lower())
        line_headword = ordered[0][0]
        units = []
        for headword, pos, senses in ordered:
            units += entry_units(headword, line_headword, pos, senses)
        for line in pack_lines(line_headword, units):
            writer.write(line)
    return stats, writer.lines, writer.written, writer.longest


def main():
    parser = argparse.ArgumentParser(
        description="Converts the FreeDict English-Japanese dictd files to a code page 932 dictionary text file.")
    parser.add_argument("index", help="the dictd index, e.g. /usr/share/dictd/freedict-eng-jpn.index")
    parser.add_argument("dict", help="the dictd data, e.g. /usr/share/dictd/freedict-eng-jpn.dict.dz")
    parser.add_argument("output", help="the dictionary text file to write")
    args = parser.parse_args()
    with open(args.output, "wb") as out:
        stats, lines, written, longest = convert(args.index, args.dict, out)
    print("freedict_to_cp932: %d entries, %d dropped without a Japanese term, %d terms dropped "
          "(not in code page 932); %d lines, %d bytes, longest line %d bytes"
          % (stats.entries, stats.dropped_entries, stats.dropped_terms, lines, written, longest), file=sys.stderr)


if __name__ == "__main__":
    main()
