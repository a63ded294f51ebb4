"""Safe on a stranger's disc: the binary is hardened, a planted DLL is never loaded,
and no bad menu or picture makes the launcher crash, hang or start anything."""

import os
import random
import re
import shutil
import struct
import subprocess
import time
import zlib

import pytest
from conftest import image, menu
from harness import ROOT

SHIPPED = ROOT / "build" / "win32" / "ostrel.exe"


def objdump(*args):
    return subprocess.run(["i686-w64-mingw32-objdump", *args, str(SHIPPED)], capture_output=True, text=True,
                          timeout=60, check=True).stdout


def test_shipped_program_is_a_hardened_pe32_with_system_imports_only():
    headers = objdump("-p")
    assert "file format pei-i386" in headers
    imports = {line.split(":", 1)[1].strip().lower() for line in headers.splitlines() if "DLL Name:" in line}
    assert imports == {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "advapi32.dll", "msvcrt.dll"}
    characteristics = headers[headers.index("DllCharacteristics"):].split("SizeOfStackReserve")[0]
    assert "DYNAMIC_BASE" in characteristics and "NX_COMPAT" in characteristics
    assert "Subsystem\t\t00000002" in headers  # the Windows GUI subsystem
    sections = objdump("-h")
    assert " .reloc " in sections and " .rsrc " in sections
    data = SHIPPED.read_bytes()
    assert "Ostrel setup launcher".encode("utf-16-le") in data  # the version information
    for text in [b'level="asInvoker"', b"true/pm", b"permonitorv2,permonitor", b"6.0.0.0",
                 b"e2011457-1546-43c5-a5fe-008deee3d3f0", b"35138b9a-5d96-4fbd-8e2d-a2440225f93a",
                 b"4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", b"1f676c76-80e1-4239-95bb-83d0f6d0da78",
                 b"8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"]:
        assert text in data, text


def imported_functions():
    """The functions the shipped program imports, as "dll function" lines."""
    found, dll = set(), None
    for line in objdump("-p").splitlines():
        if "DLL Name:" in line:
            dll = line.split(":", 1)[1].strip().lower()
        elif dll and re.match(r"^\t[0-9a-f]+\t\s*\d+\s+\w+$", line):
            found.add(f"{dll} {line.split()[-1]}")
        elif not line.strip():
            dll = None
    return found


# The oldest Windows the program claims is Windows 2000: every function it imports
# must be there. A newer one is looked up at run time, with a way on without it.
def test_the_shipped_program_imports_only_what_windows_2000_has():
    allowed = set((ROOT / "tests" / "e2e" / "windows2000_imports.txt").read_text().splitlines())
    imported = imported_functions()
    assert len(imported) > 100  # the table was read
    assert imported - allowed == set()
    # and the README names that Windows as the oldest the program runs on
    assert "and Windows 2000 where GDI+" in " ".join((ROOT / "README.md").read_text().split())


def test_one_version_for_the_program_and_the_checker():
    version = re.search(r"project\(ostrel VERSION (\d+)\.(\d+)\.(\d+)", (ROOT / "CMakeLists.txt").read_text())
    text = ".".join(version.groups())
    data = SHIPPED.read_bytes()
    fixed = data.index(struct.pack("<I", 0xFEEF04BD))  # the fixed file information
    major, minor, patch = (int(v) for v in version.groups())
    assert struct.unpack_from("<II", data, fixed + 8) == ((major << 16) | minor, patch << 16)
    for key in ("FileVersion", "ProductVersion"):
        at = data.index(key.encode("utf-16-le"))
        assert text.encode("utf-16-le") + b"\0\0" in data[at:at + 80], key
    checker = ROOT / "build" / "native" / "ostrel-check"
    assert subprocess.run([str(checker), "--version"], capture_output=True, text=True,
                          timeout=30).stdout == f"ostrel-check {text}\n"


def test_a_planted_gdiplus_dll_is_never_loaded(wine, disc):
    shutil.copy(wine.build / "planted" / "gdiplus.dll", disc / "gdiplus.dll")
    image(disc / "back.png", 450, 200, "#3366CC")
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Planted\n")
    marker = disc / "planted-dll-was-loaded.txt"
    overrides = {"WINEDLLOVERRIDES": "mscoree,mshtml=;winedbg.exe=d;gdiplus=n,b"}
    wine.start(disc / "ostrel.exe", env=overrides)
    wine.wait_window("Planted")
    left, top, _, _ = wine.client_rect("Planted")[0]
    wine.wait_pixels(lambda s: s.bounding_box((0x33, 0x66, 0xCC), region=(left, top, 450, 200)) == (left, top, 450, 200),
                     what="the menu drawn with the system's GDI+")
    assert not marker.exists()

    # The same folder and overrides let a program that searches the default way load
    # the planted DLL: the marker works, and the launcher did not take the bait.
    shutil.copy(wine.build / "winprobe.exe", disc / "winprobe.exe")
    out = disc / "loaded.txt"
    subprocess.run([wine.loader, str(disc / "winprobe.exe"), wine.windows_path(out), "loadlibrary", "gdiplus.dll"],
                   cwd=disc, env={**wine.env, **overrides}, timeout=60, capture_output=True)
    assert marker.exists()


# -- bad input ----------------------------------------------------------------------

def bmp(width, height, pixels=b""):
    """A 24-bit BMP header claiming the size, followed by what pixels there are."""
    row = (width * 3 + 3) & ~3
    header = struct.pack("<2sIHHI", b"BM", min(54 + row * height, 0xFFFFFFFF), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, min(row * height, 0xFFFFFFFF), 3780, 3780, 0, 0)
    return header + info + pixels


def png(width, height, idat):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", idat) + chunk(b"IEND", b""))


def good_bmp(width, height):
    row = (width * 3 + 3) & ~3
    return bmp(width, height, b"\x80" * row * height)


BAD_PICTURES = {
    "truncated BMP": lambda: good_bmp(200, 200)[:20000],
    "corrupt PNG": lambda: png(200, 200, b"\x78\x9c" + bytes(random.Random(7).randrange(256) for _ in range(3000))),
    "huge BMP header": lambda: bmp(60000, 60000, b"\x00" * 64),
    "huge PNG header": lambda: png(60000, 60000, zlib.compress(b"\x00" * 1000)),
    "empty file": lambda: b"",
    "text as a picture": lambda: b"[General]\r\nthis is not a picture\r\n" * 10,
}


def rle_bmp(width, height):
    """An 8-bit run-length BMP of that size whose runs end at once: about a kilobyte."""
    palette = b"\x00\x00\x00\x00" * 256
    runs = b"\x00\x01"  # end of bitmap
    offset = 54 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(runs), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(runs), 3780, 3780, 256, 0)
    return header + info + palette + runs


# A few bytes that declare 30000 x 30000 pixels: gigabytes for a decoder. And whole
# pictures just over the limit, cheap to decode, which any build would show.
PICTURE_BOMBS = {
    "BMP header alone": lambda: bmp(30000, 30000),
    "run-length BMP": lambda: rle_bmp(30000, 30000),
    "PNG": lambda: png(30000, 30000, zlib.compress(b"\x00" * 90001 * 16)),
    "whole BMP 20000 wide": lambda: good_bmp(20000, 8),
    "whole PNG 20000 wide": lambda: png(20000, 8, zlib.compress(b"\x00" * 60001 * 8)),
}


def peak_memory_mb(proc):
    with open(f"/proc/{proc.pid}/status") as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmHWM:")) / 1024


@pytest.mark.parametrize("each_build", ["win32", "win64"], indirect=True)
@pytest.mark.parametrize("where", ["background", "choice"])
@pytest.mark.parametrize("name", PICTURE_BOMBS)
def test_pictures_declaring_too_many_pixels_are_left_out(each_build, name, where):
    wine, disc = each_build
    image(disc / "back.png", 500, 300, "#3366CC")
    (disc / "bomb.pic").write_bytes(PICTURE_BOMBS[name]())
    background = "bomb.pic" if where == "background" else "back.png"
    menu(disc / "ostrel.ini", f"[General]\nBitmap={background}\nDefaultCaption=Bomb\n[Products]\nA=\n"
                              "[A]\nBitmap=bomb.pic\nBitmapHi=bomb.pic\nBitmapMemo=bomb.pic\nPoint=10,10\n")
    proc = wine.start(disc / "ostrel.exe")
    wine.wait_window("Bomb", timeout=30)
    (left, top, width, height), _ = wine.client_rect("Bomb")
    assert (width, height) == ((400, 100) if where == "background" else (500, 300))
    if where == "choice":
        shot = wine.wait_pixels(lambda s: s.pixel(left + 50, top + 50) == (0x33, 0x66, 0xCC))
        assert shot.pixel(left + 12, top + 12) == (0x33, 0x66, 0xCC)  # no picture where the choice is
    assert peak_memory_mb(proc) < 300  # decoded, the smallest of them takes 2.6 GB


@pytest.mark.parametrize("each_build", ["win32", "win64"], indirect=True)
def test_a_picture_named_by_every_look_of_every_product_is_decoded_once(each_build):
    wine, disc = each_build
    image(disc / "back.png", 500, 300, "#3366CC")
    image(disc / "big.png", 2000, 2000, "#FF8800")
    products = [f"P{i}" for i in range(48)]
    text = "[General]\nBitmap=back.png\nDefaultCaption=Shared\n[Products]\n" + "".join(f"{p}=\n" for p in products)
    for i, p in enumerate(products):
        text += (f"[{p}]\nBitmap=big.png\nBitmapHi=big.png\nBitmapPress=big.png\nBitmapMemo=big.png\n"
                 f"Point={10 * (i % 8)},{10 * (i // 8)}\nPointMemo=400,200\nCommand=tavnop\n")
    menu(disc / "ostrel.ini", text)
    proc = wine.start(disc / "ostrel.exe")
    wine.wait_window("Shared", timeout=20)
    (left, top, _, _), _ = wine.client_rect("Shared")
    wine.wait_pixels(lambda s: s.pixel(left + 5, top + 5) == (0xFF, 0x88, 0x00), what="the shared picture")
    # Here one shared copy peaks near 40 MB; a decode for every look, above 200 MB.
    assert peak_memory_mb(proc) < 100


@pytest.mark.parametrize("name", BAD_PICTURES)
def test_bad_pictures_leave_the_launcher_up(wine, disc, name):
    data = BAD_PICTURES[name]()
    (disc / "back.bmp").write_bytes(data)
    (disc / "choice.bmp").write_bytes(data)
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.bmp\nDefaultCaption=Bad Picture\n[Products]\nA=\n"
                              "[A]\nBitmap=choice.bmp\nBitmapHi=choice.bmp\nBitmapMemo=choice.bmp\nPoint=10,10\n")
    stays_up(wine, disc, "Bad Picture", size=(400, 100))


def big_menu(products=0, filler=0, long_line=0, long_values=0):
    text = "[General]\r\nBitmap=back.png\r\nDefaultCaption=Big Menu\r\n"
    if long_line:
        text += "Copyright=" + "c" * long_line + "\r\n"
    if long_values:
        v = "v" * long_values
        text += f"Foreground={v}\r\nFingerCursor={v}\r\nDebug={v}\r\n"
    text += "[Products]\r\n" + "".join(f"Product{i}=WIN32,DEFAULT\r\n" for i in range(products))
    if long_values:
        v = "\\" + "w" * long_values
        text += "Long=\r\n[Long]\r\n" + "".join(f"{k}={v}\r\n" for k in (
            "Bitmap", "BitmapHi", "BitmapPress", "BitmapMemo", "Point", "PointMemo", "TransparencyColor",
            "Command", "PreInstMessage", "PreInstTitle", "DefaultDir"))
    for i in range(min(products, 50)):
        text += f"[Product{i}.WIN32]\r\nPoint={i},{i}\r\nCommand=tavnop\r\n"
    if filler:
        line = "; " + "filler " * 14 + "\r\n"
        text += "[Filler]\r\n" + line * (filler // len(line))
    return text.encode("cp1252")


BAD_MENUS = {
    "10 MB menu": lambda: big_menu(filler=10 * 1024 * 1024),
    "100,000-character line": lambda: big_menu(long_line=100_000),
    "5,000 products": lambda: big_menu(products=5000),
    "2,000-character values": lambda: big_menu(long_values=2000),
    "NUL bytes and garbage around a good menu": lambda: (
        bytes(random.Random(3).randrange(256) for _ in range(4096)).replace(b"[", b"(") + b"\r\n" +
        big_menu() + b"\x00\xff\xfe" * 100),
}


@pytest.mark.parametrize("name", BAD_MENUS)
def test_bad_menus_leave_the_launcher_up(wine, disc, name):
    image(disc / "back.png", 450, 200, "#3366CC")
    (disc / "ostrel.ini").write_bytes(BAD_MENUS[name]())
    stays_up(wine, disc, "Big Menu", size=(450, 200))


@pytest.mark.parametrize("name", ["binary garbage", "empty file", "a folder"])
def test_menus_that_are_no_menus_end_cleanly(wine, disc, name):
    if name == "binary garbage":
        (disc / "ostrel.ini").write_bytes(bytes(random.Random(5).randrange(256) for _ in range(65536)))
    elif name == "empty file":
        (disc / "ostrel.ini").write_bytes(b"")
    else:
        (disc / "ostrel.ini").mkdir()
    proc = wine.start(disc / "ostrel.exe")
    assert not wine.windows_until_exit(proc)
    assert proc.returncode == 0


def test_double_byte_paths_in_a_japanese_menu(wine, disc, japanese):
    # The folder name ends in a katakana letter whose second byte in Shift-JIS is 0x5C,
    # a backslash to a reader that does not know double-byte characters: the picture
    # path then seems to hold a doubled backslash and would not be made absolute.
    folder = disc / "\u30c6\u30b9\u30c8\u30bd"
    image(folder / "back.png", 430, 210, "#22AA44")
    text = "[General]\r\nBitmap=\u30c6\u30b9\u30c8\u30bd\\back.png\r\nDefaultCaption=Nihongo\r\n"
    (disc / "ostrel.ini").write_bytes(text.encode("cp932"))
    assert b"\x83\x5c\\back" in (disc / "ostrel.ini").read_bytes()
    # Started from another folder, so that only the menu's folder can find the picture.
    proc = wine.start(disc / "ostrel.exe", cwd=disc.parent, env=japanese)
    wine.wait_window("Nihongo")
    assert wine.client_rect("Nihongo")[0][2:] == (430, 210)
    assert proc.poll() is None


def stays_up(wine, disc, title, size):
    """The launcher opens its window at the given logical size, stays up, draws, and
    closes cleanly when asked; nothing is started on the way."""
    proc = wine.start(disc / "ostrel.exe", env={"WINEDLLOVERRIDES": "mscoree,mshtml=;winedbg.exe=d"})
    (window_id, _, _), = wine.wait_window(title, timeout=60)
    assert wine.client_rect(title)[0][2:] == size
    time.sleep(0.5)  # painting with the bad input happens now
    assert proc.poll() is None
    wine.keys(window_id, "alt+F4")
    proc.wait(timeout=30)
    assert proc.returncode == 0
    assert not [p for p in os.listdir(disc) if p.endswith(".log")]
