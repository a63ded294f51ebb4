"""ostrel-check finds the mistakes of a menu, each once and on its line."""

import json
import struct
import subprocess
import zlib

import pytest

from harness import ROOT
from test_check import CHECK, EXAMPLE, EXAMPLE_PICTURES, bmp

MISTAKES = """[General]
Bitmap=back.bmp
Bitmpa=typo.bmp
DefaultCaption=Mistakes

[Products]
Missing=
NotAPicture=
Sizes=
Rected=
Outside=
Overlap=
Empty=
Nowhere=LATER
OnlyXp=WINXP
Old=WIN16,DEFAULT
Wrong=WIN32
Cut=
Upper=
Trailing=
NoProgram=
Boxes=
Link=
Root=
Stray
NoEquals=
SysOnly=
Glued=
Cwd=
Headless=
Truncated=
Huge=
CwdKept=
PercentKept=

[Missing]
Bitmap=missing.bmp
Point=0,200
Command=tavnop

[NotAPicture]
Bitmap=notpicture.bmp
Point=110,200
Command=tavnop

[Sizes]
Bitmap=n.bmp
BitmapHi=hi.bmp
Point=10,10
Command=tavnop

[Rected]
Rect=50,20
Bitmap=n.bmp
Point=10,260
Command=tavnop

[Outside]
Bitmap=n.bmp
BitmapMemo=n.bmp
Point=350,50
PointMemo=390,280
Command=tavnop

[Overlap]
Bitmap=n.bmp
Point=50,20
Command=tavnop

[Empty]
Point=200,200
Command=tavnop

[Nowhere]
Rect=10,10

[OnlyXp]
Rect=10,10

[OnlyXp.WINXP]
Command=tavnop
Point=230,100

[OnlyXp.WINXP.X86]
Command=tavnop

[Old]
Rect=10,10

[Old.DEFAULT]
Point=230,130

[Wrong]
Rect=10,10
Point=1,1

[Wrong.WIN32]
Point=230,160
Command=tavnop

[Cut]
Rect=10,10
Point=250,10
Command=%LONG%

[Upper]
Rect=10,10
Point=270,10
Command=TAVEXIT

[Trailing]
Rect=10,10
Point=290,10
Command=tavnop x

[NoProgram]
Rect=10,10
Point=310,10
Command=tavshlex nothere.exe /s

[Boxes]
Rect=10,10
Point=330,10
Command=tavnop
PreInstBoxType=mb_yesno MB_ICONWHATEVER
PreInstMessage=Sure?

[Link]
Rect=10,10
Point=350,10
Command=tavlink nomenu.ini

[Root]
Rect=10,10
Point=370,10
Command=tavlinkroot nofolder

[NoEquals]
Rect
Bitmap=gone.bmp
Point=10,100
Command=tavnop

[SysOnly]
Rect=10,10
Point=250,40
Command=sysonly.exe /tavlinkmode

[Glued]
Rect=10,10
Point=270,40
Command=tavshlexfiledecoy.exe

[Cwd]
Rect=10,10
Point=290,40
Command=[*CWD*]\\setup.exe /s

[Headless]
Rect=10,10
Point=310,40
[Headless.WIN32
Command=tavnop

[Truncated]
Bitmap=truncated.bmp
Command=tavnop

[Huge]
Bitmap=huge.png
Command=tavnop

[CwdKept]
Rect=10,10
Point=330,40
Command=[*CWD*]\\back.bmp /tavlink

[PercentKept]
Rect=10,10
Point=230,40
Command=%[*CWD*]\\search.exe /tavlinkmode

[Genral]
Copyright=typo section
""".replace("%LONG%", "tavnop" + "x" * 1100)

# Each expected finding: a text on the line it concerns, its severity, words of its message.
EXPECTED = [
    ("Bitmpa=", "warning", "unknown key Bitmpa in [General]: did you mean Bitmap?"),
    ("Bitmap=missing.bmp", "error", "missing.bmp' of [Missing] does not exist"),
    ("Bitmap=notpicture.bmp", "error", "is not a picture the launcher can read"),
    ("BitmapHi=hi.bmp", "warning", "BitmapHi of Sizes is 120 x 30, its normal picture 100 x 30"),
    ("Bitmap=n.bmp\nPoint=10,260", "warning", "Bitmap in [Rected] is not read: Rect is given"),
    ("Point=350,50", "warning", "Outside at 350,50 (100 x 30) reaches outside the window of 400 x 300"),
    ("PointMemo=390,280", "warning", "Outside's memo picture at 390,280"),
    ("Overlap=", "note", "Sizes and Overlap overlap: a click there runs Sizes"),
    ("Point=200,200", "warning", "Empty has a hot area of 0 x 0"),
    ("Nowhere=LATER", "error", "Nowhere is left out on every platform"),
    ("OnlyXp=WINXP", "note", "OnlyXp is left out on nt351, nt40, win2000, win2003, vista"),
    ("[OnlyXp.WINXP.X86]", "warning", "[OnlyXp.WINXP.X86] is never chosen: X86 is no processor name"),
    ("Old=WIN16,DEFAULT", "warning", "Old: WIN16 never matches"),
    ("Point=1,1", "warning", "Point in [Wrong] is not read: Wrong has a platform list"),
    ("Command=tavnopxxx", "warning", "Command in [Cut] is longer than 1,023 characters"),
    ("Command=tavnopxxx", "error", "xxx...' is not the keyword tavnop: text after it makes it a program to run"),
    ("Command=TAVEXIT", "error", "'TAVEXIT' is not the keyword tavexit: keywords are lower case"),
    ("Command=tavnop x", "error", "'tavnop x' is not the keyword tavnop"),
    ("Command=tavshlex nothere.exe", "error", "nothere.exe' does not exist"),
    ("PreInstBoxType=mb_yesno", "warning", "PreInstBoxType token mb_yesno must be written in capitals"),
    ("PreInstBoxType=mb_yesno", "warning", "PreInstBoxType token MB_ICONWHATEVER is unknown"),
    ("PreInstMessage=Sure?", "warning", "[Boxes] has a PreInstMessage but no PreInstTitle"),
    ("Command=tavlink nomenu.ini", "error", "nomenu.ini' does not exist"),
    ("Command=tavlinkroot nofolder", "error", "tavlinkroot finds no menu in"),
    # A line without '=' is no key: not a product, and no Rect that would hide the pictures.
    ("Stray", "warning", "'Stray' in [Products] has no '='"),
    ("Rect\nBitmap=gone.bmp", "warning", "'Rect' in [NoEquals] has no '='"),
    ("Bitmap=gone.bmp", "error", "gone.bmp' of [NoEquals] does not exist"),
    ("[Genral]", "warning", "unknown section [Genral]: did you mean [General]?"),
    # What the launcher does differs from what the line seems to say.
    ("Command=sysonly.exe", "warning", "holds tavlink, so the launcher leaves it as written: Windows looks for "
                                       "'sysonly.exe' itself"),
    ("Command=%[*CWD*]", "warning", "'%[*CWD*]\\search.exe' itself (in the launcher's folder, then the current and "
                                    "system folders and PATH): the '%' that asks for that search stays in the name"),
    ("Command=tavshlexfiledecoy.exe", "error", "no blank after tavshlexfile: the launcher drops the keyword and the "
                                               "one character after it, 'd', so it opens 'ecoy.exe'"),
    ("Command=[*CWD*]", "error", "[*CWD*] at the start of a program is made absolute"),
    ("[Headless.WIN32", "warning", "'[Headless.WIN32' has no ']': the launcher starts no section there, so the lines "
                                   "below it belong to [Headless]"),
    ("Bitmap=truncated.bmp", "error", "truncated.bmp' of [Truncated] ends before its picture does: the launcher "
                                      "shows no picture there"),
    ("Bitmap=huge.png", "error", "huge.png' of [Huge] is 20000 x 20000, over the launcher's limit"),
]


def line_of(text, marker):
    """The line on which the marker begins."""
    return text[:text.index(marker)].count("\n") + 1


def png_header(width, height):
    """The start of a PNG file that declares that size: no picture follows."""
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + struct.pack(">I", 13) + b"IHDR" + header + struct.pack(">I", zlib.crc32(b"IHDR" + header))


def mistakes_folder(folder, line_end="\r\n", encoding="cp1252"):
    """The menu of mistakes and its pictures."""
    (folder / "back.bmp").write_bytes(bmp(400, 300))
    (folder / "n.bmp").write_bytes(bmp(100, 30))
    (folder / "hi.bmp").write_bytes(bmp(120, 30))
    (folder / "notpicture.bmp").write_text("this is text, not a picture")
    (folder / "truncated.bmp").write_bytes(bmp(100, 30)[:154])
    (folder / "huge.png").write_bytes(png_header(20000, 20000))
    menu = folder / "ostrel.ini"
    menu.write_bytes(MISTAKES.replace("\n", line_end).encode(encoding))
    return menu


# The same findings on the same lines whatever ends the lines, and in UTF-16.
FORMS = [("\r\n", "cp1252"), ("\n", "cp1252"), ("\r", "cp1252"), ("\r\n", "utf-16")]


@pytest.mark.parametrize("line_end, encoding", FORMS)
def test_each_mistake_is_found_once_on_its_line(tmp_path, line_end, encoding):
    menu = mistakes_folder(tmp_path, line_end, encoding)

    result = subprocess.run([str(CHECK), "--json", menu], capture_output=True, timeout=120)
    assert result.returncode == 1, result.stderr
    findings = json.loads(result.stdout.decode())["findings"]
    for marker, severity, words in EXPECTED:
        line = line_of(MISTAKES, marker)
        matching = [f for f in findings if words in f["message"]]
        assert len(matching) == 1, (words, findings)
        assert (matching[0]["line"], matching[0]["severity"]) == (line, severity), (words, matching)
    assert len(findings) == len(EXPECTED), [f for f in findings
                                            if not any(w in f["message"] for _, _, w in EXPECTED)]

    # The text form: the matrix, then FILE:LINE: severity: message.
    text = subprocess.run([str(CHECK), menu], capture_output=True, timeout=120).stdout.decode()
    assert text.splitlines()[-1] == f"{menu}:{line_of(MISTAKES, '[Genral]')}: warning: " \
                                    "unknown section [Genral]: did you mean [General]?"


# In Shift-JIS \x83\x41 and \x83\x61 are two letters; in code page 1252 one name in two cases.
@pytest.mark.parametrize("code_page, found", [("1252", True), ("932", False)])
def test_findings_compare_names_in_the_code_page(tmp_path, code_page, found):
    (tmp_path / "back.bmp").write_bytes(bmp(400, 300))
    menu = tmp_path / "names.ini"
    menu.write_bytes(b"[General]\r\nBitmap=back.bmp\r\n[Products]\r\n\x83\x41=\r\n"
                     b"[\x83\x61]\r\nRect=10,10\r\nPoint=5,5\r\nCommand=tavnop\r\n")
    result = subprocess.run([str(CHECK), "--json", "--codepage", code_page, menu], capture_output=True, timeout=60)
    messages = [f["message"] for f in json.loads(result.stdout.decode())["findings"]]
    assert any("has no section" in m for m in messages) != found, messages
    assert any("unknown section" in m for m in messages) != found, messages


def test_product_list_past_348_characters_names_the_lost_products(tmp_path):
    (tmp_path / "back.bmp").write_bytes(bmp(400, 300))
    names = [f"Product{i:03d}" for i in range(40)]  # 11 bytes each with the NUL
    text = "[General]\nBitmap=back.bmp\n[Products]\n" + "".join(f"{n}=\n" for n in names)
    text += "".join(f"[{n}]\nRect=5,5\nPoint={i * 9},0\nCommand=tavnop\n" for i, n in enumerate(names))
    menu = tmp_path / "long.ini"
    menu.write_text(text)
    findings = json.loads(subprocess.run([str(CHECK), "--json", menu], capture_output=True,
                                         timeout=120).stdout.decode())["findings"]
    lost = [f for f in findings if "product list is longer than 348" in f["message"]]
    # 31 names fill 341 bytes; the 32nd is cut, the rest are not loaded at all.
    assert [f["line"] for f in lost] == list(range(35, 44))
    assert "Product031 is cut short" in lost[0]["message"]
    assert "Product032 is not loaded" in lost[1]["message"]
    assert all(f["severity"] == "error" for f in lost)


def test_the_demo_menu_and_the_example_menu_are_clean(tmp_path):
    demo = subprocess.run([str(CHECK), ROOT / "examples" / "demo" / "ostrel.ini"], capture_output=True, timeout=120)
    assert demo.returncode == 0
    assert demo.stdout.decode().endswith("No mistakes found.\n")

    for name, size in EXAMPLE_PICTURES:
        (tmp_path / name).write_bytes(bmp(*size))
    (tmp_path / "menu.ini").write_text(EXAMPLE.replace("\n", "\r\n"))
    result = subprocess.run([str(CHECK), "--json", tmp_path / "menu.ini"], capture_output=True, timeout=120)
    assert result.returncode == 0
    assert json.loads(result.stdout.decode())["findings"] == []


def test_a_product_named_twice_is_reported_once(tmp_path):
    # The launcher makes two choices of it, and each finding of it would come twice.
    (tmp_path / "back.bmp").write_bytes(bmp(400, 300))
    menu = tmp_path / "twice.ini"
    menu.write_text("[General]\nBitmap=back.bmp\n[Products]\nP=\nP=\n[P]\nBitmap=gone.bmp\nPoint=1,1\nCommand=tavnop\n")
    findings = json.loads(subprocess.run([str(CHECK), "--json", menu], capture_output=True,
                                         timeout=60).stdout.decode())["findings"]
    assert [f["line"] for f in findings if "gone.bmp" in f["message"]] == [7], findings


def test_strict_fails_on_warnings(tmp_path):
    (tmp_path / "back.bmp").write_bytes(bmp(400, 300))
    menu = tmp_path / "warn.ini"
    menu.write_text("[General]\nBitmap=back.bmp\nCopyrite=x\n")
    assert subprocess.run([str(CHECK), menu], capture_output=True, timeout=60).returncode == 0
    assert subprocess.run([str(CHECK), "--strict", menu], capture_output=True, timeout=60).returncode == 1


# A program kept as written for its "tavlink" is looked for by Windows only when its path
# names no drive and does not start at a drive's root.
@pytest.mark.parametrize("command, searched", [
    ("sub\\kept.exe /tavlinkmode", True),
    ("\\tools\\kept.exe /tavlinkmode", False),
    ("D:\\tools\\kept.exe /tavlinkmode", False),
])
def test_only_programs_without_a_root_are_searched_for(tmp_path, command, searched):
    (tmp_path / "back.bmp").write_bytes(bmp(400, 300))
    menu = tmp_path / "kept.ini"
    menu.write_text(f"[General]\nBitmap=back.bmp\n[Products]\nP=\n[P]\nRect=10,10\nCommand={command}\n")
    result = subprocess.run([str(CHECK), "--json", menu], capture_output=True, timeout=60)
    messages = [f["message"] for f in json.loads(result.stdout.decode())["findings"]]
    assert any("Windows looks for" in m for m in messages) == searched, messages


@pytest.mark.parametrize("line_end, encoding", [FORMS[0], FORMS[2], FORMS[3]])
def test_windows_build_finds_the_same_mistakes(wine, tmp_path, line_end, encoding):
    mistakes_folder(tmp_path, line_end, encoding)
    native = subprocess.run([str(CHECK), "--json", "ostrel.ini"], cwd=tmp_path, capture_output=True, timeout=120)
    windows = subprocess.run([wine.loader, str(wine.build / "ostrel-check.exe"), "--json", "ostrel.ini"],
                             cwd=tmp_path, env=wine.env, capture_output=True, timeout=300)
    assert windows.returncode == native.returncode == 1
    assert json.loads(windows.stdout.decode()) == json.loads(native.stdout.decode())
