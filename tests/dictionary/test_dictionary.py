"""The dictionary converters on small dictd and EDICT files made here, the
index built over their output as scripts/dictionary builds it, and the
profile tool that points a first start at that index.

TABREL_MKINDEX, TABREL_LOOKUP and TABREL_PROFILE name the built tools; the
tests that need one are skipped when it is not given.
"""

import gzip
import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

TOOLS = Path(__file__).resolve().parents[2] / "tools" / "dictionary"
ESC = "\x1b"
MAX_LINE_BYTES = 7996  # a line and its LF below the reader's 7,998 bytes

BASE64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"


def base64_number(value):
    digits = BASE64[value % 64]
    while value >= 64:
        value //= 64
        digits = BASE64[value % 64] + digits
    return digits


def write_dictd(folder, entries):
    """A dictd dictionary of (index key, entry text) pairs, in index order;
    returns the paths of its index and its .dict.dz."""
    data = b""
    index = []
    for key, text in entries:
        body = text.encode("utf-8")
        index.append("%s\t%s\t%s\n" % (key, base64_number(len(data)), base64_number(len(body))))
        data += body
    index_path, dict_path = folder / "test.index", folder / "test.dict.dz"
    index_path.write_text("".join(index), encoding="utf-8")
    dict_path.write_bytes(gzip.compress(data))
    return index_path, dict_path


def run_tool(*args, env=None):
    return subprocess.run([str(a) for a in args], capture_output=True, env=env)


def convert_freedict(folder, entries):
    index_path, dict_path = write_dictd(folder, entries)
    out = folder / "freedict.txt"
    r = run_tool(sys.executable, "-B", TOOLS / "freedict_to_cp932.py", index_path, dict_path, out)
    assert r.returncode == 0, r.stderr.decode()
    return out


def convert_edict(folder, text_lines):
    source = folder / "edict"
    source.write_bytes(b"".join(line + b"\n" for line in text_lines))
    out = folder / "edict.txt"
    r = run_tool(sys.executable, "-B", TOOLS / "edict_to_cp932.py", source, out)
    assert r.returncode == 0, r.stderr.decode()
    return out


def cp932_lines(*lines):
    return b"".join(line.encode("cp932") + b"\n" for line in lines)


# dictd entries as the FreeDict data holds them, in index order.
FREEDICT_ENTRIES = [
    ("00databaseinfo", "00-database-info\nThis file was converted from the original database\n"),
    ("after all", "after all /ˈaftəɹ ˈɔːl/\nやはり, 結局（けっきょく, kekkyoku）, 畢竟（ひっきょう, hikkyō）\n"
                  "anyway, in any case\n"),
    ("alfven", "Alfvén /ˈalfveːn/ <pn>\nアルヴェーン\nHannes Alfvén, Swedish physicist\n"),
    ("ic", "ic //ɪk// <suffix>\n \nNote: these translations are a guide only\n"),
    ("of", "of //ɒv// //əv// <preposition>\n1. の 2.\nbelonging to\n 3.\nconnecting a noun\n"
           "2. の中の\ncontaining\n"),
    ("skate", "skate /skeɪt/ <n>\n1. スケート\nboot with a blade\n2. 鱝, エイ\nflat fish\n3. 鱏\nray\n"),
    ("take", "Take /ˈtake/ <pn>\nタケ\nJapanese given name\n"),
    ("take", "take //teɪk// /[tʰeɪ̯k]/ <n>\n1. 取得\nact of taking\n2. テイク, 撮影\n"
             "film: attempt to record a scene\n"),
    ("take", "take //teɪk// <v>\n取る 2.\nto get into one's hands\n 3.\nto carry\n"),
    ("take off", "take off /tˈeɪk ˈɒf/ <v>\n1. 離陸する\nto begin flight\n2. 脱ぐ\nto remove\n"),
]

FREEDICT_LINES = [
    ESC + "after all" + ESC + " : やはり、結局（けっきょく, kekkyoku）、畢竟（ひっきょう, hikkyo） (anyway, in any case)",
    ESC + "Alfven" + ESC + " : 〔固〕アルヴェーン (Hannes Alfven, Swedish physicist)",
    ESC + "of" + ESC + " : 〔前〕1) の (belonging to; connecting a noun) 2) の中の (containing)",
    ESC + "skate" + ESC + " : 〔名〕1) スケート (boot with a blade) 2) エイ (flat fish)",
    ESC + "take" + ESC + " : 〔名〕1) 取得 (act of taking) 2) テイク、撮影 (film: attempt to record a scene) "
    "〔動〕取る (to get into one's hands; to carry) 【Take】〔固〕タケ (Japanese given name)",
    ESC + "take off" + ESC + " : 〔動〕1) 離陸する (to begin flight) 2) 脱ぐ (to remove)",
]

# EDICT lines in EUC-JP: the file's header entry, a JIS X 0212 kanji (鱝)
# and JIS X 0212 letters (ō), the wave dash (A1 C1).
EDICT_SOURCE = [
    "　？？？ /EDICT, EDICT_SUB(P), EDICT2 Japanese-English Electronic Dictionary Files/".encode("euc_jp"),
    "取る [とる] /(v5r,vt) (1) to take/to pick up/(2) to steal/(P)/".encode("euc_jp"),
    "持って行く [もっていく] /(v5k-s,vt) to take (something) along/to carry/".encode("euc_jp"),
    "離陸 [りりく] /(n,vs) takeoff/take off (aircraft)/(P)/".encode("euc_jp"),
    "の /(prt) of/indicates possessive/".encode("euc_jp"),
    b"\x8f\xeb\xca [\xa4\xa8\xa4\xa4] /(n) ray/",
    b"\xc5\xec\xb5\xfe [\xa4\xc8\xa4\xa6\xa4\xad\xa4\xe7\xa4\xa6] /(n) T\x8f\xab\xd7ky\x8f\xab\xd7/",
    b"\xa1\xc1\xb7\xaf [\xa1\xc1\xa4\xaf\xa4\xf3] /(suf) Mr (junior)/",
]

EDICT_OUTPUT = (
    cp932_lines(
        ESC + "取る [とる]" + ESC + " /(v5r,vt) (1) to take/to pick up/(2) to steal/(P)/",
        ESC + "持って行く [もっていく]" + ESC + " /(v5k-s,vt) to take (something) along/to carry/",
        ESC + "離陸 [りりく]" + ESC + " /(n,vs) takeoff/take off (aircraft)/(P)/",
        ESC + "の" + ESC + " /(prt) of/indicates possessive/",
        ESC + "東京 [とうきょう]" + ESC + " /(n) Tokyo/",
    )
    + b"\x1b\x81\x60\x8c\x4e [\x81\x60\x82\xad\x82\xf1]\x1b /(suf) Mr (junior)/\n"
)


class ConverterTest(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory()
        self.folder = Path(self._tmp.name)

    def tearDown(self):
        self._tmp.cleanup()

    def test_freedict_lines(self):
        out = convert_freedict(self.folder, FREEDICT_ENTRIES)
        self.assertEqual(out.read_bytes(), cp932_lines(*FREEDICT_LINES))

    def test_edict_lines(self):
        out = convert_edict(self.folder, EDICT_SOURCE)
        self.assertEqual(out.read_bytes(), EDICT_OUTPUT)

    def test_long_entries_stay_within_a_line(self):
        senses = "".join("%d. 語%d\nmeaning number %d of a long entry\n" % (i, i, i) for i in range(1, 301))
        freedict = convert_freedict(self.folder, [("set", "set /sɛt/ <v>\n" + senses)]).read_bytes()
        glosses = "/".join("gloss number %d" % i for i in range(600))
        edict = convert_edict(self.folder, [("長 [ちょう] /(n) %s/" % glosses).encode("euc_jp")]).read_bytes()

        lines = freedict.split(b"\n")[:-1]
        self.assertEqual(len(lines), 2)  # the entry goes on under its headword
        prefix = (ESC + "set" + ESC + " : ").encode("cp932")
        self.assertTrue(all(line.startswith(prefix) for line in lines))
        self.assertIn(b"300) ", lines[1])
        kept = edict[:-1]  # the glosses that fit, up to a slash
        self.assertTrue((ESC + "長 [ちょう]" + ESC + " /(n) %s/" % glosses).encode("cp932").startswith(kept))
        self.assertTrue(kept.endswith(b"/"))
        for line in lines + [kept]:
            self.assertLessEqual(len(line), MAX_LINE_BYTES)
            self.assertNotIn(b"\0", line)
        for full in (lines[0], kept):  # cut no earlier than needed
            self.assertGreater(len(full), MAX_LINE_BYTES - 100)


def tool(name):
    path = os.environ.get(name)
    if not path:
        raise unittest.SkipTest(name + " is not set")
    return path


class IndexedDictionaryTest(unittest.TestCase):
    """Both files in one index, with the options scripts/dictionary gives."""

    @classmethod
    def setUpClass(cls):
        cls.lookup = tool("TABREL_LOOKUP")
        cls._tmp = tempfile.TemporaryDirectory()
        folder = Path(cls._tmp.name)
        (folder / "f").mkdir()
        (folder / "e").mkdir()
        freedict = convert_freedict(folder / "f", FREEDICT_ENTRIES)
        edict = convert_edict(folder / "e", EDICT_SOURCE)
        cls.index = folder / "index"
        r = run_tool(tool("TABREL_MKINDEX"), "--quiet", cls.index, freedict,
                     "--body-type", "3", "--stop-words", TOOLS / "stopwords.txt", edict)
        assert r.returncode == 0, r.stderr.decode()
        cls.env = dict(os.environ, XDG_CONFIG_HOME=str(folder / "config"))

    @classmethod
    def tearDownClass(cls):
        cls._tmp.cleanup()

    def test_lookups(self):
        freedict = {line.split(ESC)[1]: line for line in FREEDICT_LINES}
        edict = EDICT_OUTPUT.split(b"\n")
        cases = [
            # The FreeDict entry and phrase headwords, then EDICT lines whose glosses hold the word.
            (["--", "take"], [freedict["take"].encode("cp932"), freedict["take off"].encode("cp932"),
                        edict[0], edict[1], edict[2]]),
            (["--manual", "--", "take off"], [freedict["take off"].encode("cp932"), edict[2]]),
            (["--", "of"], [freedict["of"].encode("cp932")]),  # EDICT's "of" is a stop word
            (["--", "tokyo"], [edict[4]]),
        ]
        for args, expected in cases:
            with self.subTest(args=args):
                r = run_tool(self.lookup, "--index-dir", self.index, "--raw", *args, env=self.env)
                self.assertEqual(r.returncode, 0, r.stderr.decode())
                self.assertEqual(r.stdout, b"".join(line + b"\r\n" for line in expected))


class ProfileToolTest(unittest.TestCase):
    def test_default_keeps_a_chosen_index_directory(self):
        profile = tool("TABREL_PROFILE")
        with tempfile.TemporaryDirectory() as config:
            env = dict(os.environ, XDG_CONFIG_HOME=config)
            steps = [
                # command, exit status, output, Index/Dir afterwards
                (["get", "Index", "Dir"], 1, "\n", None),
                (["default", "Index", "Dir", "/data/dict/"], 0, "", "/data/dict/"),
                (["default", "index", "dir", "/other/"], 0, "", "/data/dict/"),
                (["set", "Index", "Dir", "/mine/"], 0, "", "/mine/"),
                (["set", "Index", "Dir", ""], 0, "", ""),
                (["default", "Index", "Dir", "/data/dict/"], 0, "", "/data/dict/"),
                (["get", "Index", "Dir"], 0, "/data/dict/\n", "/data/dict/"),
                (["bogus"], 2, "", "/data/dict/"),
            ]
            ini = Path(config) / "tabrel" / "TABREL.INI"
            for args, status, output, stored in steps:
                with self.subTest(args=args):
                    r = run_tool(profile, *args, env=env)
                    self.assertEqual((r.returncode, r.stdout.decode()), (status, output), r.stderr.decode())
                    if stored is not None:
                        self.assertIn("Dir=%s\n" % stored, ini.read_text())


if __name__ == "__main__":
    unittest.main()
