"""Our own profile reader against Windows' GetPrivateProfile functions, on the same
tricky files: both must give the same answers wherever menu files rely on them."""

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
        "Long=" + LONG + "\r\n"
        "[Products]\r\n"
        "Alpha=WIN32\r\n"
        "Beta=WINNT\r\n"
        "Gamma=\r\n"
        "[NoKeys]\r\n"
        "[Many]\r\n" + PRODUCTS
    ),
    "unix-lines": "[general]\nBITMAP=b.bmp\nfingercursor=0\n[PRODUCTS]\nOne=\nTwo=\n",
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
    ("s", "General", "FingerCursor", "1"),
    ("s", "Products", "One", "?"),
    # integers: section, key, default
    ("i", "General", "Caption", "0"),
    ("i", "general", "caption", "5"),
    ("i", "General", "Number", "7"),
    ("i", "General", "Word", "7"),
    ("i", "General", "Missing", "9"),
    ("i", "General", "Empty", "3"),
    ("i", "General", "FingerCursor", "1"),
    # key names: section, buffer size
    ("k", "Products", "350"),
    ("k", "products", "350"),
    ("k", "NoKeys", "350"),
    ("k", "Missing", "350"),
    ("k", "Many", "350"),
    ("k", "Many", "64"),
    ("k", "PRODUCTS", "350"),
]


@pytest.mark.parametrize("name", [*FILES, "missing-file"])
def test_our_reader_answers_as_windows_does(wine, tmp_path, name):
    path = tmp_path / "menu.ini"
    if name in FILES:
        path.write_bytes(FILES[name].encode("cp1252"))
    queries = tmp_path / "queries.txt"
    queries.write_text("\n".join("\t".join(q) for q in QUERIES) + "\n")
    result = subprocess.run(
        [wine.loader, str(wine.build / "profile-diff.exe"), wine.windows_path(path), wine.windows_path(queries)],
        env=wine.env, capture_output=True, text=True, timeout=120)
    assert f"{len(QUERIES)} queries, 0 differ" in result.stdout, result.stdout + result.stderr
    assert result.returncode == 0
