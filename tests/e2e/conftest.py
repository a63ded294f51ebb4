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


@pytest.fixture(scope="session")
def wine64_too(wine):
    """The 64-bit build in a 64-bit prefix on the same display, when the suite runs the
    32-bit program: for the few tests whose faults show only where memory is plenty."""
    if wine.mode == "win64":
        yield wine
        return
    session = Session(mode="win64", keep_display=wine.display_name)
    yield session
    session.close()


@pytest.fixture
def each_build(request, wine, tmp_path):
    """A disc with the launcher of the build the test names ("win32" or "win64"), and
    the session that runs it."""
    arch = request.param
    if arch == wine.mode:
        session = wine
    elif arch == "win64":
        session = request.getfixturevalue("wine64_too")
    else:
        pytest.skip("32-bit Wine cannot run on this machine")
    folder = tmp_path / "disc"
    session.install_launcher(folder)
    yield session, folder
    session.kill_all()


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


@pytest.fixture(scope="session")
def japanese(wine):
    """The environment of a Japanese Windows: Wine takes its ANSI code page (932)
    from the locale, which is made here when the system has not got it."""
    locales = wine.tmp / "locales"
    if not (locales / "ja_JP.UTF-8").exists():
        locales.mkdir(exist_ok=True)
        subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8", str(locales / "ja_JP.UTF-8")],
                       capture_output=True, timeout=120)
    return {"LOCPATH": str(locales), "LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8"}


def image(path, width, height, colour, dpi=96, extra=()):
    """Writes a solid image with ImageMagick, with the resolution it declares."""
    path = Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    # ImageMagick's own convert, not whatever else a machine puts first on the PATH.
    convert = "/usr/bin/convert" if Path("/usr/bin/convert").exists() else "convert"
    subprocess.run([convert, "-size", f"{width}x{height}", f"xc:{colour}", *extra, "-units", "PixelsPerInch",
                    "-density", str(dpi), str(path)], check=True, timeout=60)
    return path


def menu(path, text):
    path = Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(text.replace("\n", "\r\n").encode("cp1252"))
    return path


class ProbeLog:
    """What the probe program recorded: one entry per start."""

    def __init__(self, path):
        self.path = path

    def entries(self):
        if not self.path.exists():
            return []
        result = []
        for line in self.path.read_text(encoding="latin-1").splitlines():
            fields = dict(part.split("=", 1) for part in line.split("|"))
            fields["show"] = int(fields["show"])
            result.append(fields)
        return result

    def wait(self, count=1, timeout=20):
        from harness import wait_until
        return wait_until(lambda: self.entries() if len(self.entries()) >= count else None, timeout,
                          f"{count} start(s) of the probe")


@pytest.fixture
def probe(wine, disc):
    """The probe program on the disc, and the log of its starts."""
    shutil.copy(wine.build / "probe.exe", disc / "probe.exe")
    log = disc.parent / "probe.log"
    wine.env["OSTREL_PROBE_LOG"] = wine.windows_path(log)
    yield ProbeLog(log)
    wine.env.pop("OSTREL_PROBE_LOG", None)
