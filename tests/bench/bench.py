"""./dev bench: how fast the launcher shows its menu and answers the pointer, beside
a baseline program that only opens a dialog and draws the same background with GDI+.

Everything is observed from outside, as a person would see it: the time from the
process start until the window's pixels are complete, and from a pointer move until
the hover picture is on screen. Each figure is the median of several runs. Natively:
the menu load, and ostrel-check on menus of 20,000 to 100,000 keys (--native: only
these)."""

import json
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))
from harness import ROOT, Session, wait_until  # noqa: E402
from Xlib import X  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

RUNS = int(os.environ.get("OSTREL_BENCH_RUNS", "7"))
GOALS = {"start_ratio": 1.15, "hover_ratio": 1.2, "exe_bytes": 300 * 1024}


def bmp(path, width, height, colour):
    row = (width * 3 + 3) & ~3
    pixel = bytes((colour[2], colour[1], colour[0])) * width + b"\0" * (row - width * 3)
    Path(path).write_bytes(struct.pack("<2sIHHI", b"BM", 54 + row * height, 0, 0, 54) +
                           struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, row * height, 3780, 3780, 0, 0) +
                           pixel * height)


def thirty_choices(folder):
    """A menu of 30 choices with 4 pictures each, on an 800 x 600 background."""
    bmp(folder / "back.bmp", 800, 600, (20, 40, 90))
    text = "[General]\r\nBitmap=back.bmp\r\nDefaultCaption=Thirty\r\nCopyright=Thirty choices\r\n[Products]\r\n"
    text += "".join(f"C{i}=\r\n" for i in range(30))
    for i in range(30):
        shade = 60 + i * 6
        for kind, colour in [("", (shade, 30, 30)), ("_hi", (30, shade, 30)), ("_press", (30, 30, shade)),
                             ("_memo", (shade, shade, 30))]:
            bmp(folder / f"c{i}{kind}.bmp", 120, 40, colour)
        text += (f"[C{i}]\r\nBitmap=c{i}.bmp\r\nBitmapHi=c{i}_hi.bmp\r\nBitmapPress=c{i}_press.bmp\r\n"
                 f"BitmapMemo=c{i}_memo.bmp\r\nPoint={20 + (i % 5) * 130},{20 + (i // 5) * 60}\r\n"
                 f"PointMemo=680,20\r\nCommand=tavnop\r\n")
    (folder / "ostrel.ini").write_bytes(text.encode("cp1252"))


CHECK_KEYS = (20000, 40000, 100000)


def keys_menu(folder, keys):
    """A menu of 25 products in that many keys, with mistakes of every kind the checker
    looks for: unknown keys and sections, lines without '=', platform sections never
    chosen, programs that are not there."""
    bmp(folder / "back.bmp", 640, 480, (20, 40, 90))
    lines = ["[General]", "Bitmap=back.bmp", "Copyright=Bench", "[Products]"]
    lines += [f"Product{i}=WIN32,WINNT,DEFAULT" for i in range(25)]
    own = [[f"[Product{i}]", "Rect=100,30"] for i in range(25)]
    platform = [[f"[Product{i}.WINNT]", f"Point={(i % 6) * 100},{(i // 6) * 40}",
                 f"Command=tavshlex setup{i}\\setup.exe /s"] for i in range(25)]
    extra = []
    for k in range(max(0, keys - 3 - 25 - 25 * 3)):
        kind = k % 4
        if kind == 0:
            own[k % 25].append(f"Note{k}=Some text {k}")
        elif kind == 1:
            own[k % 25].append(f"Stray line {k}")
        elif kind == 2:
            extra += ([f"[Text{k}]"] if k % 40 == 2 else []) + [f"Line{k}=Some text {k}"]
        else:
            extra += ([f"[Product{k % 25}.LANG{k}]"] if k % 40 == 3 else []) + [f"Caption{k}=Some text {k}"]
    for i in range(25):
        lines += own[i] + platform[i]
    (folder / "menu.ini").write_text("\r\n".join(lines + extra) + "\r\n")
    return folder / "menu.ini"


def check_times(check=ROOT / "build" / "bench" / "ostrel-check", runs=3):
    """Median milliseconds of ostrel-check on each menu of CHECK_KEYS keys."""
    times = {}
    with tempfile.TemporaryDirectory(prefix="ostrel-check-bench-") as tmp:
        for keys in CHECK_KEYS:
            folder = Path(tmp) / str(keys)
            folder.mkdir()
            menu = keys_menu(folder, keys)
            runs_ms = []
            for _ in range(runs):
                start = time.perf_counter()
                subprocess.run([str(check), menu], capture_output=True, timeout=600)
                runs_ms.append((time.perf_counter() - start) * 1000)
            times[str(keys)] = round(statistics.median(runs_ms), 1)
    return times


class Bench:
    def __init__(self):
        self.session = Session()
        self.root = self.session.root
        self.x = self.session.x

    def grab(self, box):
        left, top, width, height = box
        return self.root.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data

    def pointer(self, x, y):
        xtest.fake_input(self.x, X.MotionNotify, x=x, y=y)
        self.x.sync()

    def settled_window(self, title, proc):
        program = Path(str(proc.args[1])).name
        (_, _, frame), = self.session.wait_window(title, timeout=60, program=program)
        last = {}

        def steady():
            data = self.grab(frame)
            same = last.get("data") == data
            last["data"] = data
            return same
        wait_until(steady, 30, "the window to finish drawing", interval=0.2)
        return frame, last["data"]

    def peak_memory_kb(self, proc):
        try:
            for line in Path(f"/proc/{proc.pid}/status").read_text().splitlines():
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
        except OSError:
            pass
        return 0

    def stop(self):
        for proc in self.session.processes:
            if proc.poll() is None:
                proc.kill()
                proc.wait(timeout=10)
        self.session.processes = []
        wait_until(lambda: not self.session.launcher_windows("ostrel.exe") and
                   not self.session.launcher_windows("baseline.exe"), 10, "the windows to go away")

    def park_pointer(self):
        self.pointer(1, 1)  # a corner of the screen, off every window

    def start_to_paint(self, command, cwd, title):
        """Median milliseconds from the process start to the complete window, and the
        median peak memory of the process."""
        self.park_pointer()
        proc = self.session.start(command[0], command[1:], cwd=cwd)
        frame, reference = self.settled_window(title, proc)
        self.stop()
        times, memory = [], []
        for _ in range(RUNS):
            start = time.perf_counter()
            proc = self.session.start(command[0], command[1:], cwd=cwd)
            wait_until(lambda: self.grab(frame) == reference, 60, f"{title} to be drawn", interval=0.002)
            times.append((time.perf_counter() - start) * 1000)
            memory.append(self.peak_memory_kb(proc))
            self.stop()
        return statistics.median(times), statistics.median(memory)

    def hover(self, command, cwd, title, inside, outside, area):
        """Median milliseconds from a pointer move into a choice until its hover
        picture is on screen."""
        self.park_pointer()
        proc = self.session.start(command[0], command[1:], cwd=cwd)
        self.settled_window(title, proc)
        origin = self.session.client_rect(title)[0]
        box = (origin[0] + area[0], origin[1] + area[1], area[2], area[3])
        self.pointer(origin[0] + outside[0], origin[1] + outside[1])
        time.sleep(0.3)
        normal = self.grab(box)
        self.pointer(origin[0] + inside[0], origin[1] + inside[1])
        wait_until(lambda: self.grab(box) != normal, 10, "the hover picture", interval=0.002)
        time.sleep(0.3)
        hovered = self.grab(box)
        self.stop()
        times = []
        for _ in range(RUNS):
            self.park_pointer()
            proc = self.session.start(command[0], command[1:], cwd=cwd)
            self.settled_window(title, proc)
            self.pointer(origin[0] + outside[0], origin[1] + outside[1])
            time.sleep(0.3)
            start = time.perf_counter()
            self.pointer(origin[0] + inside[0], origin[1] + inside[1])
            wait_until(lambda: self.grab(box) == hovered, 10, "the hover picture", interval=0.001)
            times.append((time.perf_counter() - start) * 1000)
            self.stop()
        return statistics.median(times)


def native():
    """The figures that need no Wine: the menu load and the checker."""
    load = json.loads(subprocess.run([str(ROOT / "build" / "bench" / "load-bench")], capture_output=True, text=True,
                                     check=True, timeout=600).stdout)
    products = {n: us for n, us in load.items() if n.isdigit()}
    per_product = [us / int(n) for n, us in products.items()]
    check = check_times()
    per_key = [ms / int(keys) for keys, ms in check.items()]
    return {
        "load_us": load,
        "load_linear": max(per_product) <= 2 * min(per_product),
        "check_ms": check,
        "check_linear": max(per_key) <= 2 * min(per_key),
    }


def print_native(results):
    print("\nMenu load alone (native):")
    for n, us in results["load_us"].items():
        label = f"{n} products" if n.isdigit() else n
        each = f"  ({us / int(n):.0f} us a product)" if n.isdigit() else ""
        print(f"  {label:>14}  {us / 1000:8.2f} ms{each}")
    print(f"  linear in the number of products: {'yes' if results['load_linear'] else 'no'}")
    print("\nostrel-check alone (native), on a menu of:")
    for keys, ms in results["check_ms"].items():
        print(f"  {keys + ' keys':>14}  {ms:8.1f} ms  ({ms * 1000 / int(keys):.1f} us a key)")
    print(f"  linear in the number of keys: {'yes' if results['check_linear'] else 'no'}")


def main():
    as_json = "--json" in sys.argv
    if "--native" in sys.argv:
        results = native()
        if as_json:
            print(json.dumps(results, indent=2))
        else:
            print_native(results)
        return 0
    bench = Bench()
    try:
        s = bench.session
        demo = s.tmp / "demo"
        shutil.copytree(ROOT / "examples" / "demo", demo)
        launcher = s.install_launcher(demo)
        shutil.copy(s.build / "baseline.exe", demo / "baseline.exe")
        thirty = s.tmp / "thirty"
        thirty.mkdir()
        thirty_choices(thirty)
        s.install_launcher(thirty)
        shutil.copy(s.build / "baseline.exe", thirty / "baseline.exe")

        demo_start, demo_memory = bench.start_to_paint([launcher], demo, "Ostrel Demo")
        base_start, base_memory = bench.start_to_paint([demo / "baseline.exe", "background.png"], demo, "Baseline")
        thirty_start, _ = bench.start_to_paint([thirty / "ostrel.exe"], thirty, "Thirty")
        thirty_base, _ = bench.start_to_paint([thirty / "baseline.exe", "back.bmp"], thirty, "Baseline")
        # The demo's first choice: Writer, 240 x 56 at (40, 130) in the client area.
        hover = bench.hover([launcher], demo, "Ostrel Demo", (160, 158), (5, 5), (40, 130, 240, 56))
        base_hover = bench.hover([demo / "baseline.exe", "background.png", "writer_hi.png", "40", "130", "240", "56"],
                                 demo, "Baseline", (160, 158), (5, 5), (40, 130, 240, 56))
    finally:
        bench.session.close()

    exe_bytes = (ROOT / "build" / "win32" / "ostrel.exe").stat().st_size
    results = {
        "start_ratio": round(demo_start / base_start, 3),
        "start_ratio_30_choices": round(thirty_start / thirty_base, 3),
        "hover_ratio": round(hover / base_hover, 3),
        "exe_bytes": exe_bytes,
        "start_ms": {"demo": round(demo_start, 1), "baseline": round(base_start, 1),
                     "30_choices": round(thirty_start, 1), "30_choices_baseline": round(thirty_base, 1)},
        "hover_ms": {"launcher": round(hover, 2), "baseline": round(base_hover, 2)},
        "peak_memory_kb": {"launcher": demo_memory, "baseline": base_memory},
        "runs": RUNS,
        "wine": s.mode,
        **native(),
    }
    if as_json:
        print(json.dumps(results, indent=2))
        return 0
    rows = [
        ("Start to first complete paint, demo", f"{demo_start:.0f} ms", f"{base_start:.0f} ms",
         f"{results['start_ratio']:.2f}", "<= 1.15"),
        ("Start to first complete paint, 30 choices x 4", f"{thirty_start:.0f} ms", f"{thirty_base:.0f} ms",
         f"{results['start_ratio_30_choices']:.2f}", "<= 1.15"),
        ("Hover latency", f"{hover:.1f} ms", f"{base_hover:.1f} ms", f"{results['hover_ratio']:.2f}", "<= 1.2"),
        ("Peak memory", f"{demo_memory} KB", f"{base_memory} KB", f"{demo_memory / max(base_memory, 1):.2f}", ""),
        ("ostrel.exe size", f"{exe_bytes / 1024:.0f} KB", "", "", "< 300 KB"),
    ]
    print(f"Median of {RUNS} runs under Wine ({s.mode}) in Xvfb; baseline: a dialog drawing the background with GDI+\n")
    print(f"{'':48} {'launcher':>10} {'baseline':>10} {'ratio':>7}  goal")
    for name, a, b, ratio, goal in rows:
        print(f"{name:48} {a:>10} {b:>10} {ratio:>7}  {goal}")
    print_native(results)
    return 0


if __name__ == "__main__":
    sys.exit(main())
