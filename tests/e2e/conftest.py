import shutil
import subprocess
import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parent))
from harness import ROOT, Session  # noqa: E402


@pytest.fixture(scope="session")
def wine():
    session = Session()
    yield session
    session.close()


@pytest.fixture
def disc(wine, tmp_path):
    """A folder standing for an installation medium, with the launcher on it."""
    folder = tmp_path / "disc"
    wine.install_launcher(folder)
    yield folder
    wine.kill_all()


@pytest.fixture
def dpi_144(wine):
    wine.set_dpi(144)
    yield
    wine.kill_all()
    wine.set_dpi(96)


def image(path, width, height, colour, dpi=96, extra=()):
    """Writes a solid image with ImageMagick, with the resolution it declares."""
    path = Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["convert", "-size", f"{width}x{height}", f"xc:{colour}", *extra, "-units", "PixelsPerInch",
                    "-density", str(dpi), str(path)], check=True, timeout=60)
    return path


def menu(path, text):
    path = Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(text.replace("\n", "\r\n").encode("cp1252"))
    return path
