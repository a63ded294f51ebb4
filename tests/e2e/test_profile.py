"""Our own profile reader against Windows' GetPrivateProfile functions, on the same
tricky files: both must give the same answers wherever menu files rely on them."""

import re
import subprocess

import pytest

LONG = "x" * 2000
PRODUCTS = "".join(f"Product{i:02d}=WIN32\r\n" for i in range(40))

FILES = {
    "ordinary": (
        "; a comment line\r\n"
        "[General]\r\n"
        "Bitmap=back.bmp\r\n"
        "  Copyright =   (c) spaced out   \r\n"
        "Tabbed=\tvalue with tab\t\r\n"
        "Quoted=\"  inside quotes  \"\r\n"
        "Single='single'\r\n"
        "Unmatched=\"open only\r\n"
        "Mixed=\"mixed'\r\n"
        "Empty=\r\n"
        "Equals=a=b=c\r\n"
        "Key With Space=yes\r\n"
        "Caption=1\r\n"
        "Number=  42abc\r\n"
        "Word=abc\r\n"
        "Hex=0x10\r\n"
        "HexCapital=0X10\r\n"
        "HexStop=0x1fg\r\n"
        "NegativeHex=-0x10\r\n"
        "Octal=0o17\r\n"
        "OctalStop=0o19\r\n"
        "Binary=0b101\r\n"
        "Plus=+12\r\n"
        "LeadingZero=010\r\n"
        "Wrap=4294967297\r\n"
        "LeadingControl=\x0115\r\n"
        "LongNumber=" + "0" * 27 + "12345\r\n"
        # Quoted values just as long as the buffer: the closing quote goes only when the
        # whole value fits, so one character more is cut.
        "QuotedNumber=\"" + "0" * 28 + "7\"\r\n"
        "QuotedLong=\"" + "q" * 1023 + "\"\r\n"
        "Long=" + LONG + "\r\n"
        "[Products]\r\n"
        "Alpha=WIN32\r\n"
        "Beta=WINNT\r\n"
        "Delta\r\n"
        "Gamma=\r\n"
        "[NoKeys]\r\n"
        "[Many]\r\n" + PRODUCTS
    ),
    "unix-lines": "[general]\nBITMAP=b.bmp\nfingercursor=0\n[PRODUCTS]\nOne=\nTwo=\n",
    # DOS end-of-file marks: after a value, starting a line, alone at the end.
    "ctrl-z": "[General]\r\nBitmap=back.bmp\x1a\r\n\x1a[Products]\r\nAlpha=WIN32\r\nGamma=\r\n\x1a",
    # Old Macintosh line ends.
    "cr-only": "[General]\rBitmap=back.bmp\rCaption=1\r[Products]\rAlpha=WIN32\rGamma=\r",
    "cr-mixed": "[General]\r\nBitmap=back\r.bmp\r\nCaption=1\r[Products]\r\nAlpha=WIN32\rGamma=\r\n",
    # Headers without their ']': the keys under them belong to the section above.
    "no-bracket": "[NoSection\r\nCaption=2\r\n[General]\r\nBitmap=back.bmp\r\n[Products\r\nCaption=1\r\n"
                  "[Products]\r\nAlpha=WIN32\r\n[Many=x\r\nGamma=\r\n",
    # UTF-16 with its byte order mark, read in the ANSI code page: what 1252 cannot show
    # (a Latin letter with a macron, a Japanese letter, a face beyond 16 bits) becomes '?'.
    "utf-16": ("\ufeff[General]\r\nBitmap=b\u00e4ck.bmp\r\nCaption=1\r\n"
               "Copyright=  Caf\u00e9 \u2013 \u0101 \u3042 \U0001F600 \u20ac  \r\n"
               "[Products]\r\nAlpha=WIN32\r\nGamma=\r\n").encode("utf-16-le"),
}

QUERIES = [
    # strings: section, key, default
    ("s", "General", "Bitmap", "none"),
    ("s", "general", "BITMAP", "none"),
    ("s", "GENERAL", "copyright", ""),
    ("s", "General", "Tabbed", ""),
    ("s", "General", "Quoted", ""),
    ("s", "General", "Single", ""),
    ("s", "General", "Unmatched", ""),
    ("s", "General", "Empty", "default"),
    ("s", "General", "Equals", ""),
    ("s", "General", "Key With Space", ""),
    ("s", "General", "Missing", "fallback"),
    ("s", "Nowhere", "Bitmap", "fallback"),
    ("s", "General", "Long", ""),
    ("s", "Products", "Alpha", "?"),
    ("s", "Products", "Gamma", "?"),
    ("s", "Products", "Delta", "?"),
    ("s", "General", "FingerCursor", "1"),
    ("s", "Products", "One", "?"),
    ("s", "General", "[Products", "?"),
    ("s", "Products", "[Many", "?"),
    # integers: section, key, default
    ("i", "General", "Caption", "0"),
    ("i", "general", "caption", "5"),
    ("i", "General", "Number", "7"),
    ("i", "General", "Word", "7"),
    ("i", "General", "Missing", "9"),
    ("i", "General", "Empty", "3"),
    ("i", "General", "FingerCursor", "1"),
    ("i", "General", "Hex", "7"),
    ("i", "General", "HexCapital", "7"),
    ("i", "General", "HexStop", "7"),
    ("i", "General", "NegativeHex", "7"),
    ("i", "General", "Octal", "7"),
    ("i", "General", "OctalStop", "7"),
    ("i", "General", "Binary", "7"),
    ("i", "General", "Plus", "7"),
    ("i", "General", "LeadingZero", "7"),
    ("i", "General", "Wrap", "7"),
    ("i", "General", "LeadingControl", "7"),
    ("i", "General", "LongNumber", "7"),
    ("i", "General", "QuotedNumber", "7"),
    ("s", "General", "QuotedLong", ""),
    ("i", "Products", "Delta", "5"),
    # key names: section, buffer size
    ("k", "Products", "350"),
    ("k", "products", "350"),
    ("k", "NoKeys", "350"),
    ("k", "Missing", "350"),
    ("k", "Many", "350"),
    ("k", "Many", "64"),
    ("k", "PRODUCTS", "350"),
]


def profile_diff(wine, tmp_path, menu, queries, env=None):
    """Runs the queries (rows of byte fields) on the menu (bytes) through Windows and
    through our reader; returns the output and Windows' answer to each query."""
    path = tmp_path / "menu.ini"
    if menu is not None:
        path.write_bytes(menu)
    listing = tmp_path / "queries.txt"
    listing.write_bytes(b"".join(b"\t".join(row) + b"\n" for row in queries))
    result = subprocess.run(
        [wine.loader, str(wine.build / "profile-diff.exe"), wine.windows_path(path), wine.windows_path(listing)],
        env={**wine.env, **(env or {})}, capture_output=True, timeout=120)
    output = (result.stdout + result.stderr).decode("latin-1").replace("\r\n", "\n")
    windows = dict(re.findall(r"^(?:same|DIFF) (\d+): .*\n  windows: (.*)$", output, re.M))
    return result.returncode, output, [windows.get(str(n)) for n in range(1, len(queries) + 1)]


@pytest.mark.parametrize("name", [*FILES, "missing-file"])
def test_our_reader_answers_as_windows_does(wine, tmp_path, name):
    menu = FILES.get(name)
    menu = menu.encode("cp1252") if isinstance(menu, str) else menu
    code, output, _ = profile_diff(wine, tmp_path, menu, [[f.encode() for f in q] for q in QUERIES])
    assert f"{len(QUERIES)} queries, 0 differ" in output, output
    assert code == 0


# In Shift-JIS (code page 932) \x83\x41 and \x83\x61 are two katakana letters, the
# second byte of one an upper case A and of the other a lower case a. In code page 1252
# the same bytes are the letter f with a hook, then A or a.
DOUBLE_BYTE_MENU = (b"[\x83\x41]\r\nName=first\r\n"
                    b"[\x83\x61]\r\nName=second\r\n"
                    b"[Keys]\r\n\x83\x41=upper\r\n\x83\x61=lower\r\n"
                    b"[Mixed\x83\x41]\r\n\x83\x61Key=found\r\n"
                    # In Shift-JIS \x83\x5D is a letter, not '[' and ']': a header without its end.
                    b"[Tail]\r\nFirst=1\r\n[\x83\x5D\r\nSecond=2\r\n")
DOUBLE_BYTE_QUERIES = [
    (b"s", b"\x83\x61", b"Name", b"?"),
    (b"s", b"\x83\x41", b"Name", b"?"),
    (b"s", b"Keys", b"\x83\x61", b"?"),
    (b"s", b"Keys", b"\x83\x41", b"?"),
    (b"s", b"MIXED\x83\x41", b"\x83\x61KEY", b"?"),
    (b"s", b"Mixed\x83\x61", b"\x83\x61Key", b"?"),
    (b"k", b"Keys", b"350"),
    (b"s", b"Tail", b"Second", b"?"),
    (b"k", b"Tail", b"350"),
]


@pytest.mark.parametrize("code_page, sections", [
    ("1252", ["5 [first\\0]", "5 [first\\0]"]),  # one name in two cases
    ("932", ["6 [second\\0]", "5 [first\\0]"]),  # two names
])
def test_double_byte_names_as_windows_reads_them(wine, tmp_path, japanese, code_page, sections):
    env = japanese if code_page == "932" else None
    code, output, windows = profile_diff(wine, tmp_path, DOUBLE_BYTE_MENU, DOUBLE_BYTE_QUERIES, env=env)
    assert output.startswith(f"code page {code_page}\n"), output
    assert windows[:2] == sections, output
    assert f"{len(DOUBLE_BYTE_QUERIES)} queries, 0 differ" in output, output
    assert code == 0
