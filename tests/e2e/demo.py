"""Shows the demo menu: in your X display when there is one, otherwise in Xvfb,
where a screenshot is saved and its path printed."""

import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from harness import ROOT, Session, wait_until  # noqa: E402

DEMO = ROOT / "examples" / "demo"


def display_usable(name):
    if not name:
        return False
    return subprocess.run(["xdpyinfo", "-display", name], capture_output=True, timeout=20).returncode == 0


def main():
    user_display = os.environ.get("DISPLAY")
    interactive = display_usable(user_display) and "--screenshot" not in sys.argv
    session = Session(keep_display=user_display if interactive else None)
    try:
        disc = session.tmp / "disc"
        shutil.copytree(DEMO, disc)
        session.install_launcher(disc)
        proc = session.start(disc / "ostrel.exe")
        if interactive:
            print(f"The demo menu is open on {user_display}; close it to end the demo.")
            while proc.poll() is None:
                time.sleep(0.2)
            return 0
        (_, _, frame), = session.wait_window("Ostrel Demo", timeout=30)
        # Point at the first product, so the picture shows its hover look and note.
        (left, top, _, _), _ = session.client_rect("Ostrel Demo")
        session.move_pointer(left + 160, top + 158)
        # Let the drawing finish: two screenshots in a row that agree.
        last = {}

        def settled():
            data = session.screenshot().data
            same = last.get("data") == data
            last["data"] = data
            return same
        wait_until(settled, 20, "the demo menu to finish drawing", interval=0.3)
        out = ROOT / "build" / "demo" / "ostrel-demo.png"
        out.parent.mkdir(parents=True, exist_ok=True)
        session.screenshot().crop(frame).save_png(out)
        print(out)
        return 0
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main())
