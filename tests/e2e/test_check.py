"""ostrel-check: what the launcher would make of a menu, on any platform."""

import json
import os
import struct
import subprocess

import pytest
from harness import ROOT

CHECK = ROOT / "build" / "native" / "ostrel-check"

EXAMPLE = """[General]
Bitmap=menu.bmp
Copyright=Example line
Foreground=255,255,255

[Products]
Alpha=
Beta=WIN32,DEFAULT
Gamma=WINNT

[Alpha]
Bitmap=alpha.bmp
BitmapHi=alpha_hi.bmp
BitmapPress=alpha_down.bmp
Point=40,120
Command=tavnop

[Beta]
Rect=200,60
BitmapMemo=beta_memo.bmp

[Beta.WIN32]
Point=40,200
PointMemo=300,40
Command=tavnop

[Beta.DEFAULT]
Point=40,200
Command=tavnop

[Gamma]
Bitmap=gamma.bmp

[Gamma.WINNT.X64]
Point=40,280
Command=tavexit
"""


def check(*args, cwd=None):
    return subprocess.run([str(CHECK), *map(str, args)], capture_output=True, timeout=60, cwd=cwd)


def bmp(width, height):
    """A small 24-bit BMP file of that size."""
    row = (width * 3 + 3) & ~3
    return (struct.pack("<2sIHHI", b"BM", 54 + row * height, 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, row * height, 3780, 3780, 0, 0) +
            b"\x40" * row * height)


EXAMPLE_PICTURES = [("menu.bmp", (640, 400)), ("alpha.bmp", (100, 30)), ("alpha_hi.bmp", (100, 30)),
                    ("alpha_down.bmp", (100, 30)), ("beta_memo.bmp", (200, 100)), ("gamma.bmp", (100, 30))]


@pytest.fixture
def example(tmp_path):
    """The example menu, with its pictures."""
    for name, size in EXAMPLE_PICTURES:
        (tmp_path / name).write_bytes(bmp(*size))
    path = tmp_path / "menu.ini"
    path.write_text(EXAMPLE.replace("\n", "\r\n"))
    return path


def as_json(*args, cwd=None):
    result = check(*args, cwd=cwd)
    assert result.returncode == 0, result.stderr
    return json.loads(result.stdout.decode("utf-8"))


def test_example_menu_on_64_and_32_bit_windows_10(example):
    args = ["--json", "--platform", "win10", "--base", "E:\\", "--menu-dir", "E:\\m\\", example]
    model = as_json(*args, "--arch", "x64")
    assert model["loaded"] is True
    assert [(c["product"], c["section"]) for c in model["choices"]] == [
        ("Alpha", "Alpha"), ("Beta", "Beta.WIN32"), ("Gamma", "Gamma.WINNT.X64")]
    beta = model["choices"][1]
    assert beta["size"] == [200, 60] and beta["point"] == [40, 200] and beta["pointMemo"] == [300, 40]
    assert beta["bitmap"] == "" and beta["bitmapMemo"] == "E:\\m\\beta_memo.bmp"
    assert model["general"]["bitmap"] == "E:\\m\\menu.bmp"
    assert model["general"]["foreground"] == "0x00FFFFFF"
    assert model["choices"][2]["command"] == "tavexit"

    model = as_json(*args, "--arch", "intel")
    assert [c["product"] for c in model["choices"]] == ["Alpha", "Beta"]


def test_defaults_follow_the_menu_folder_as_wine_maps_it(example):
    model = as_json("--json", "--platform", "win98", example)
    folder = "Z:" + str(example.parent).replace("/", "\\") + "\\"
    assert model["general"]["bitmap"] == folder + "menu.bmp"
    assert [(c["product"], c["section"]) for c in model["choices"]] == [("Alpha", "Alpha"), ("Beta", "Beta.WIN32")]


def test_commands_resolve_against_the_base_and_text_converts_from_the_code_page(tmp_path):
    so = b"\x83\x5c"  # a katakana letter whose second byte is a backslash
    menu = tmp_path / "jp.ini"
    menu.write_bytes(b"[General]\r\nBitmap=b.bmp\r\nDefaultCaption=" + so + b"\r\n[Products]\r\nP=\r\n"
                     b"[P]\r\nCommand=dir" + so + b"\\setup.exe /s\r\n")
    model = as_json("--json", "--platform", "winxp", "--arch", "intel", "--codepage", "932", "--base", "D:",
                    menu)
    letter = so.decode("cp932")
    assert model["general"]["defaultCaption"] == letter
    assert model["choices"][0]["command"] == "D:\\dir" + letter + "\\setup.exe /s"


@pytest.mark.parametrize("code_page, commands", [
    ("1252", ["D:\\first.exe", "D:\\first.exe"]),
    ("932", ["D:\\first.exe", "D:\\second.exe"]),
])
def test_product_sections_are_found_by_name_in_the_code_page(tmp_path, code_page, commands):
    # In Shift-JIS \x83\x41 and \x83\x61 are two katakana letters; in code page 1252 they
    # are the letter f with a hook, then A or a: one name in two cases, as Windows sees it.
    menu = tmp_path / "names.ini"
    menu.write_bytes(b"[General]\r\nBitmap=b.bmp\r\n[Products]\r\n\x83\x41=\r\n\x83\x61=\r\n"
                     b"[\x83\x41]\r\nCommand=first.exe\r\n[\x83\x61]\r\nCommand=second.exe\r\n")
    model = as_json("--json", "--platform", "winxp", "--arch", "intel", "--codepage", code_page, "--base", "D:",
                    menu)
    assert [c["command"] for c in model["choices"]] == commands


def test_matrix_shows_every_platform(example):
    result = check(example)
    assert result.returncode == 0
    lines = result.stdout.decode().splitlines()
    header = next(line for line in lines if line.startswith("platform"))
    assert header.split() == ["platform", "Alpha", "Beta", "Gamma"]
    rows = {line.split()[0]: line.split()[1:] for line in lines if line.split() and "/" in line.split()[0]}
    assert rows["win10/x64"] == ["own", "WIN32", "WINNT.X64"]
    assert rows["win10/intel"] == ["own", "WIN32", "-"]
    assert "win2000/x64" not in rows
    plain = {line.split()[0]: line.split()[1:] for line in lines if line.startswith(("win32s ", "win95 "))}
    assert plain == {"win32s": ["own", "DEFAULT", "-"], "win95": ["own", "WIN32", "-"]}


def test_unloaded_menu_still_exits_zero(tmp_path):
    menu = tmp_path / "empty.ini"
    menu.write_text("[General]\r\nCopyright=no picture\r\n")
    model = as_json("--json", "--platform", "win7", menu)
    assert model["loaded"] is False and model["choices"] == []


@pytest.mark.parametrize("args, message", [
    (["--platform", "win12"], "unknown platform"),
    (["--arch", "arm"], "unknown architecture"),
    (["--depth", "x"], "--depth"),
    (["--codepage", "99999"], "--codepage"),
    (["--bogus"], "unknown option"),
    ([], None),
])
def test_bad_arguments(example, args, message):
    result = check(*args, *([example] if message else []))
    assert result.returncode == 2
    err = result.stderr.decode()
    assert err.count("\n") == 1 and err.startswith("ostrel-check: ")
    if message:
        assert message in err


def fifo(path):
    os.mkfifo(path)
    return path


def too_large(path):
    with open(path, "wb") as out:  # sparse: no 64 MB written
        out.truncate(64 * 1024 * 1024 + 1)
    return path


# What is no menu file is refused at once with one line: nothing is waited for or read
# without end. Each row: what is given as the menu, words of the line.
NOT_MENUS = [
    (lambda tmp: tmp / "missing.ini", "cannot read the menu file"),
    (lambda tmp: tmp, "is a folder, not a menu file"),
    (lambda tmp: fifo(tmp / "fifo.ini"), "is no file"),
    (lambda tmp: "/dev/zero", "is no file"),
    (lambda tmp: too_large(tmp / "large.ini"), "is larger than the 64 MB a menu file may have"),
]


@pytest.mark.parametrize("menu, words", NOT_MENUS, ids=["missing", "folder", "fifo", "device", "too-large"])
def test_what_is_no_menu_file_is_refused(tmp_path, menu, words):
    result = check(menu(tmp_path))
    err = result.stderr.decode()
    assert result.returncode == 2 and result.stdout == b"", err
    assert err.count("\n") == 1 and words in err, err


@pytest.mark.parametrize("menu, words", [
    ("NUL", "is no file"), ("COM1", "is no file"), ("fifo.ini", "is no file"), ("Z:\\dev\\zero", "is no file"),
    (".", "is a folder"), ("large.ini", "is larger than the 64 MB"), ("missing.ini", "cannot read the menu file"),
])
def test_windows_build_refuses_what_is_no_menu_file(wine, tmp_path, menu, words):
    fifo(tmp_path / "fifo.ini")
    too_large(tmp_path / "large.ini")
    result = subprocess.run([wine.loader, str(wine.build / "ostrel-check.exe"), menu], cwd=tmp_path, env=wine.env,
                            capture_output=True, timeout=120)
    err = result.stderr.decode()
    assert result.returncode == 2 and result.stdout == b"", err
    assert words in err, err


@pytest.mark.parametrize("encoding", ["utf-16-le", "utf-16-be"])
def test_utf16_menu_reads_as_the_launcher_reads_it(tmp_path, encoding):
    # Windows hands the launcher UTF-16 text in its code page: what 1252 lacks becomes its
    # nearest letter or '?'.
    menu = tmp_path / "wide.ini"
    menu.write_bytes(("\ufeff[General]\r\nBitmap=b.bmp\r\nDefaultCaption=Caf\u00e9 \u0101 \u3042\r\n"
                      "[Products]\r\nP=\r\n[P]\r\nCommand=tavnop\r\n").encode(encoding))
    model = as_json("--json", "--platform", "win10", menu)
    assert model["encoding"] == {"utf-16-le": "utf-16le", "utf-16-be": "utf-16be"}[encoding]
    assert model["loaded"] is True
    assert model["general"]["defaultCaption"] == "Caf\u00e9 a ?"
    assert [c["command"] for c in model["choices"]] == ["tavnop"]
    assert json.loads(check("--json", menu).stdout)["encoding"] == model["encoding"]

    menu.write_bytes(b"[General]\r\nBitmap=b.bmp\r\n")
    assert as_json("--json", "--platform", "win10", menu)["encoding"] == "ansi"


# A mistake on every one of a million lines: the list stops at 100,000 and says so, the
# Windows build too (it ran out of memory and aborted), and nothing crashes.
def test_a_menu_broken_on_every_line_is_reported_within_bounds(wine, tmp_path):
    (tmp_path / "b.bmp").write_bytes(bmp(400, 300))
    menu = tmp_path / "broken.ini"
    menu.write_bytes(b"[General]\r\nBitmap=b.bmp\r\n" + b"[\r\n" * 150000)
    result = check(menu)
    lines = result.stdout.decode().splitlines()
    assert result.returncode == 0  # warnings only
    assert sum(1 for line in lines if "has no ']'" in line) == 100000
    assert "50000 more findings are not listed" in lines[-1]
    assert subprocess.run([str(CHECK), "--strict", menu], capture_output=True, timeout=120).returncode == 1

    menu.write_bytes(b"[\n" * (4 << 20))  # 8 MB
    result = subprocess.run([wine.loader, str(wine.build / "ostrel-check.exe"), "--json", menu.name],
                            cwd=tmp_path, env=wine.env, capture_output=True, timeout=600)
    assert result.returncode in (1, 2), result.stderr[-300:]  # 1: no background, among others
    assert b"terminate called" not in result.stderr
    if result.returncode == 1:
        assert "more findings are not listed" in json.loads(result.stdout.decode())["findings"][-1]["message"]


def test_windows_build_agrees_with_the_native_one(wine, example):
    args = ["--json", "--platform", "win10", "--arch", "x64", "--base", "E:\\", "--menu-dir", "E:\\m\\"]
    native = as_json(*args, "menu.ini", cwd=example.parent)
    result = subprocess.run([wine.loader, str(wine.build / "ostrel-check.exe"), *args, "menu.ini"],
                            cwd=example.parent, env=wine.env, capture_output=True, timeout=120)
    assert result.returncode == 0, result.stderr
    assert json.loads(result.stdout.decode("utf-8")) == native
