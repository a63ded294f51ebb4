"""Runs the real launcher under Wine in an Xvfb display and looks at it the way a
person would: windows and their geometry from X, pixels from the screen, the pointer
and the keyboard through XTest (xdotool).

Every wait has a deadline. Only processes started here are ever killed.
"""

import os
import shutil
import struct
import subprocess
import tempfile
import time
import zlib
from pathlib import Path

from Xlib import X, display as xdisplay

ROOT = Path(__file__).resolve().parents[2]
SCREEN_W, SCREEN_H = 1024, 768


class Timeout(AssertionError):
    pass


def wait_until(predicate, timeout, what, interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout(f"timed out after {timeout}s waiting for {what}")
        time.sleep(interval)


def wine_mode():
    """The 32-bit launcher where this machine can run 32-bit Wine, else the same
    sources built for 64-bit Windows (a kernel without 32-bit support cannot start
    the 32-bit Wine loader at all)."""
    forced = os.environ.get("OSTREL_WINE_ARCH")
    if forced in ("win32", "win64"):
        return forced
    try:
        ok = subprocess.run(["/usr/lib/wine/wine", "--version"], capture_output=True, timeout=20).returncode == 0
    except (OSError, subprocess.TimeoutExpired):
        ok = False
    return "win32" if ok else "win64"


class Screenshot:
    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data  # BGRX rows

    def pixel(self, x, y):
        i = (y * self.width + x) * 4
        b, g, r = self.data[i], self.data[i + 1], self.data[i + 2]
        return (r, g, b)

    def bounding_box(self, colour, tolerance=0, region=None):
        """(left, top, width, height) of all pixels of the colour (within the region
        (left, top, width, height) when given), or None."""
        xs, ys = [], []
        r0, g0, b0 = colour
        left, top, w, h = region or (0, 0, self.width, self.height)
        for y in range(max(top, 0), min(top + h, self.height)):
            row = self.data[y * self.width * 4:(y + 1) * self.width * 4]
            for x in range(max(left, 0), min(left + w, self.width)):
                b, g, r = row[4 * x], row[4 * x + 1], row[4 * x + 2]
                if abs(r - r0) <= tolerance and abs(g - g0) <= tolerance and abs(b - b0) <= tolerance:
                    xs.append(x)
                    ys.append(y)
        if not xs:
            return None
        return (min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1)

    def count(self, colour, box=None, tolerance=0):
        left, top, w, h = box or (0, 0, self.width, self.height)
        n = 0
        for y in range(top, top + h):
            for x in range(left, left + w):
                p = self.pixel(x, y)
                if all(abs(p[i] - colour[i]) <= tolerance for i in range(3)):
                    n += 1
        return n

    def crop(self, box):
        left, top, w, h = box
        rows = [self.data[((top + y) * self.width + left) * 4:((top + y) * self.width + left + w) * 4]
                for y in range(h)]
        return Screenshot(w, h, b"".join(rows))

    def save_png(self, path):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)
            row = self.data[y * self.width * 4:(y + 1) * self.width * 4]
            for x in range(self.width):
                raw += bytes((row[4 * x + 2], row[4 * x + 1], row[4 * x]))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(bytes(raw), 6)) + chunk(b"IEND", b"")
        Path(path).write_bytes(png)


class Session:
    """One Xvfb display and one Wine prefix for a whole test run."""

    def __init__(self, mode=None, keep_display=None):
        self.mode = mode or wine_mode()
        self.build = ROOT / "build" / self.mode
        self.tmp = Path(tempfile.mkdtemp(prefix="ostrel-e2e-"))
        self.processes = []
        self.xvfb = None
        self.display_name = keep_display
        self.env = dict(os.environ)
        if not keep_display:
            self._start_xvfb()
        self.env.update(
            DISPLAY=self.display_name,
            WINEPREFIX=str(self.tmp / "prefix"),
            WINEARCH=self.mode,
            WINEDEBUG="-all",
            WINEDLLOVERRIDES="mscoree,mshtml=",
        )
        self.loader = "/usr/lib/wine/wine" if self.mode == "win32" else "/usr/lib/wine/wine64"
        self.env["WINELOADER"] = self.loader
        self.x = xdisplay.Display(self.display_name)
        self.root = self.x.screen().root
        self._init_prefix()

    # -- set-up and tear-down -------------------------------------------------
    def _start_xvfb(self):
        for number in range(90, 140):
            if Path(f"/tmp/.X{number}-lock").exists() or Path(f"/tmp/.X11-unix/X{number}").exists():
                continue
            proc = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", f"{SCREEN_W}x{SCREEN_H}x24", "-nolisten", "tcp", "-ac"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                wait_until(lambda: Path(f"/tmp/.X11-unix/X{number}").exists() or proc.poll() is not None, 15,
                           "Xvfb to start")
            except Timeout:
                proc.kill()
                continue
            if proc.poll() is None:
                self.xvfb = proc
                self.display_name = f":{number}"
                return
        raise RuntimeError("no free X display for Xvfb")

    def _init_prefix(self):
        subprocess.run([self.loader, "wineboot", "-i"], env=self.env, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Keep one wineserver for the whole run: every start after this one is quick.
        self.wineserver = subprocess.Popen(["wineserver", "-p", "-f"], env=self.env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Wine draws its own window frames (there is no window manager in Xvfb), so
        # a caption bar is there to be seen. A document type and an address scheme of
        # our own open the probe, so the shell starts have something to start.
        self.probe = self.tmp / "probe" / "probe.exe"
        self.probe.parent.mkdir()
        shutil.copy(self.build / "probe.exe", self.probe)
        command = '\\"' + self.windows_path(self.probe).replace("\\", "\\\\") + '\\" \\"%1\\"'
        reg = self.tmp / "setup.reg"
        reg.write_text("REGEDIT4\r\n\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n\"Managed\"=\"N\"\r\n\r\n"
                       "[HKEY_CLASSES_ROOT\\.ostreltest]\r\n@=\"OstrelTest.Document\"\r\n\r\n"
                       "[HKEY_CLASSES_ROOT\\OstrelTest.Document\\shell\\open\\command]\r\n"
                       f"@=\"{command}\"\r\n\r\n"
                       "[HKEY_CLASSES_ROOT\\ostreltest]\r\n@=\"URL:Ostrel test\"\r\n\"URL Protocol\"=\"\"\r\n\r\n"
                       "[HKEY_CLASSES_ROOT\\ostreltest\\shell\\open\\command]\r\n"
                       f"@=\"{command}\"\r\n")
        subprocess.run([self.loader, "regedit", "/S", self.windows_path(reg)], env=self.env, timeout=120,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)

    def set_registry(self, key, name, kind, value):
        subprocess.run([self.loader, "reg", "add", key, "/v", name, "/t", kind, "/d", str(value), "/f"],
                       env=self.env, timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)

    def set_dpi(self, dpi):
        self.set_registry(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", dpi)

    def close(self):
        self.kill_all()
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.wineserver.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.wineserver.kill()
        self.x.close()
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def kill_all(self):
        for proc in self.processes:
            if proc.poll() is None:
                proc.kill()
                try:
                    proc.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    pass
        self.processes = []
        # A killed Wine process leaves its windows to the wineserver for a moment.
        wait_until(lambda: not self.launcher_windows(), 10, "the launcher's windows to go away")

    # -- programs -------------------------------------------------------------
    def windows_path(self, path):
        return "Z:" + str(Path(path).resolve()).replace("/", "\\")

    def start(self, exe, args=(), cwd=None, env=None):
        proc = subprocess.Popen([self.loader, str(exe), *args], cwd=str(cwd or Path(exe).parent),
                                env={**self.env, **(env or {})},
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(proc)
        return proc

    def install_launcher(self, folder):
        """Copies the launcher into a folder, as onto a disc; returns its path."""
        folder = Path(folder)
        folder.mkdir(parents=True, exist_ok=True)
        target = folder / "ostrel.exe"
        shutil.copy(self.build / "ostrel.exe", target)
        return target

    def winprobe(self, *args):
        out = self.tmp / f"winprobe-{time.monotonic_ns()}.txt"
        subprocess.run([self.loader, str(self.build / "winprobe.exe"), self.windows_path(out), *args],
                       env=self.env, timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not out.exists():
            return {}
        values = dict(line.split("=", 1) for line in out.read_text().splitlines() if "=" in line)
        out.unlink()
        return values

    def message_box(self, title, timeout=20):
        """Waits for a message box of that title; returns (owner title, texts of its
        children: the message and the buttons)."""
        def read():
            out = self.tmp / f"winprobe-{time.monotonic_ns()}.txt"
            subprocess.run([self.loader, str(self.build / "winprobe.exe"), self.windows_path(out), "box", title],
                           env=self.env, timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if not out.exists():
                return None
            lines = out.read_text(encoding="latin-1").splitlines()
            out.unlink()
            owner = next((line[6:] for line in lines if line.startswith("owner=")), None)
            if owner is None:
                return None
            texts = [line[6:].replace("\x1f", "\n") for line in lines if line.startswith("child=")]
            return owner, [t for t in texts if t]
        return wait_until(read, timeout, f"a message box titled {title!r}", interval=0.2)

    def answer_box(self, title, *keys):
        """Gives the message box of that title the keyboard and presses the keys."""
        (window_id, _, _), = self.wait_window(title)
        self.keys(window_id, *keys)
        wait_until(lambda: not [w for w in self.launcher_windows() if w[0] == window_id], 20,
                   f"the box {title!r} to close")

    def metrics(self):
        return {k: int(v) for k, v in self.winprobe("metrics").items()}

    def client_rect(self, title):
        """The client area of a window as Windows reports it: (left, top, width, height)."""
        info = self.winprobe("window", title)
        if "client" not in info:
            return None
        return tuple(int(v) for v in info["client"].split(",")), info

    # -- what is on screen ----------------------------------------------------
    def launcher_windows(self, program="ostrel.exe"):
        """Mapped top-level X windows of launcher processes (or of another program of
        ours): (id, title, geometry)."""
        found = []
        try:
            children = self.root.query_tree().children
        except Exception:
            return found
        for window in children:
            try:
                cls = window.get_wm_class()
                if not cls or program not in cls:
                    continue
                if window.get_attributes().map_state != X.IsViewable:
                    continue
                geometry = window.get_geometry()
                if geometry.width <= 1 and geometry.height <= 1:
                    continue
                name = window.get_wm_name() or ""
                if isinstance(name, bytes):
                    name = name.decode("latin-1")
                found.append((window.id, name, (geometry.x, geometry.y, geometry.width, geometry.height)))
            except Exception:
                continue
        return found

    def wait_window(self, title=None, timeout=20, count=1, program="ostrel.exe"):
        def match():
            wins = [w for w in self.launcher_windows(program) if title is None or w[1] == title]
            return wins if len(wins) >= count else None
        return wait_until(match, timeout, f"{count} launcher window(s) titled {title!r}")

    def window_stays_away(self, title, seconds):
        """True when no launcher window of that title shows up for that many seconds."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if any(w[1] == title for w in self.launcher_windows()):
                return False
            time.sleep(0.1)
        return True

    def windows_until_exit(self, proc, timeout=30):
        """Waits for the process to end; returns the launcher windows seen meanwhile."""
        seen = []
        wait_until(lambda: seen.extend(self.launcher_windows()) or proc.poll() is not None, timeout,
                   "the launcher to exit")
        return seen

    def screenshot(self):
        self.x.sync()
        image = self.root.get_image(0, 0, SCREEN_W, SCREEN_H, X.ZPixmap, 0xFFFFFFFF)
        return Screenshot(SCREEN_W, SCREEN_H, image.data)

    def wait_pixels(self, predicate, timeout=10, what="the screen to show it"):
        """Polls screenshots until predicate(shot) holds; returns that shot."""
        result = {}

        def check():
            shot = self.screenshot()
            if predicate(shot):
                result["shot"] = shot
                return True
            return False
        wait_until(check, timeout, what, interval=0.1)
        return result["shot"]

    # -- input ----------------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, timeout=30, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def focus(self, window_id):
        self.xdotool("windowfocus", "--sync", window_id)

    def keys(self, window_id, *keys):
        self.focus(window_id)
        for key in keys:
            self.xdotool("key", "--clearmodifiers", key)

    def move_pointer(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)
