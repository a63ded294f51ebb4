"""Commands run: what a click or a key starts, with which arguments in which folder,
and the boxes the user sees on the way."""

import time

import pytest
from conftest import image, menu

BACK = "[General]\nBitmap=back.png\nDefaultCaption={title}\n{general}[Products]\n"


def launcher(wine, disc, title, products, general=""):
    """A menu of hot areas without pictures: one per product, 100 x 30, stacked from
    (20, 20) down in steps of 40. Returns the launcher's window id and client origin."""
    image(disc / "back.png", 500, 300, "#3366CC")
    text = BACK.format(title=title, general=general)
    text += "".join(f"P{i}=\n" for i in range(len(products)))
    for i, keys in enumerate(products):
        hot = "" if "Bitmap=" in keys else "Rect=100,30\n"  # pictured choices take their picture's size
        text += f"[P{i}]\n{hot}Point=20,{20 + 40 * i}\n{keys}\n"
    menu(disc / "ostrel.ini", text)
    proc = wine.start(disc / "ostrel.exe")
    (window_id, _, _), = wine.wait_window(title)
    (left, top, _, _), _ = wine.client_rect(title)
    return proc, window_id, (left, top)


def click(wine, origin, index):
    wine.move_pointer(origin[0] + 50, origin[1] + 35 + 40 * index)
    wine.xdotool("click", 1)


def win(path):
    return "Z:" + str(path).replace("/", "\\")


@pytest.mark.parametrize("command, default_dir, expect_args, expect_cwd", [
    ("tavshlex probe.exe /s one", "sub", "/s one", "{disc}\\sub"),
    ("tavcreateprocess {disc}\\probe.exe /c [*CWD*]", "", "/c {disc}", "{disc}"),
    ("probe.exe /winexec", "", "/winexec", None),
    ("tavshlexfile readme.ostreltest", "", "{disc}\\readme.ostreltest", "{disc}"),
    ("tavshlexurl ostreltest:hello", "", "ostreltest:hello", None),
    ("tavshlexrunas probe.exe /elevated", "", "/elevated", "{disc}"),
])
def test_each_kind_of_start(wine, disc, probe, command, default_dir, expect_args, expect_cwd):
    (disc / "sub").mkdir()
    (disc / "readme.ostreltest").write_text("a document")
    d = win(disc)
    keys = f"Command={command.format(disc=d)}\n" + (f"DefaultDir={default_dir}\n" if default_dir else "")
    _, _, origin = launcher(wine, disc, "Starts", [keys])
    click(wine, origin, 0)
    entry, = probe.wait()
    assert entry["cmdline"].replace("\"", "").rstrip().endswith(expect_args.format(disc=d))
    if expect_cwd:
        assert entry["cwd"].rstrip("\\").lower() == expect_cwd.format(disc=d).lower()
    time.sleep(0.3)  # no second start follows
    assert len(probe.entries()) == 1


def test_hide_starts_the_program_hidden(wine, disc, probe):
    _, _, origin = launcher(wine, disc, "Hidden", ["Command=tavshlex probe.exe\nHide=1\n"])
    click(wine, origin, 0)
    assert probe.wait()[0]["show"] == 0


def test_exit_code_closes_after_a_start_and_not_after_a_failure(wine, disc, probe):
    proc, _, origin = launcher(wine, disc, "Exit Code", [
        "Command=tavshlex missing.exe\nExitCode=1\n",
        "Command=tavshlex probe.exe\nExitCode=1\n",
    ])
    click(wine, origin, 0)
    owner, texts = wine.message_box("Error")
    assert any(t.startswith("The file ") and "missing.exe was not found" in t for t in texts), texts
    wine.answer_box("Error", "Return")
    time.sleep(0.3)
    assert proc.poll() is None  # still open after the failure

    click(wine, origin, 1)
    probe.wait()
    proc.wait(timeout=20)


def test_failed_elevated_start_shows_one_box_and_stays_open(wine, disc):
    (disc / "broken.exe").write_text("not a program")
    proc, _, origin = launcher(wine, disc, "Elevated", ["Command=tavshlexrunas broken.exe /x\nExitCode=1\n"])
    click(wine, origin, 0)
    _, texts = wine.message_box("Error")
    assert any("broken.exe" in t and "as administrator" in t for t in texts), texts
    wine.answer_box("Error", "Return")
    assert wine.window_stays_away("Error", 1.0)  # the system shows no box of its own
    assert proc.poll() is None  # nothing ran, so ExitCode=1 does not close


def test_keys_pressed_during_a_start_leave_no_stale_press(wine, disc, probe):
    _, window_id, origin = launcher(wine, disc, "Gate", ["Command=probe.exe --slow\n",
                                                         "Command=tavshlex missing.exe\n"])
    wine.focus(window_id)
    wine.xdotool("key", "--delay", "150", "Return", "Return", "Return")  # the last two while it starts
    probe.wait()
    click(wine, origin, 1)
    wine.message_box("Error")
    # The release of the Enter that closes the box lands on the launcher, whose own
    # presses were dropped with their releases: it runs nothing.
    wine.answer_box("Error", "Return")
    assert wine.window_stays_away("Error", 1.5)
    assert len(probe.entries()) == 1


# A reload asked for inside a command's box waits; when the command then says close,
# the launcher closes.
@pytest.mark.parametrize("keys", ["Command=tavexit\n", "Command=tavshlex probe.exe /bye\nExitCode=1\n"])
def test_reload_chord_in_a_box_does_not_keep_a_closing_launcher_open(wine, disc, probe, keys):
    proc, _, origin = launcher(wine, disc, "Closing", [keys + "PreInstMessage=Go on?\nPreInstTitle=Ask\n"])
    click(wine, origin, 0)
    wine.message_box("Ask")
    (box_id, _, _), = wine.wait_window("Ask")
    wine.keys(box_id, "ctrl+q", "r")
    wine.answer_box("Ask", "Return")  # Yes
    proc.wait(timeout=20)


def test_failing_program_line_shows_the_command_as_stored(wine, disc):
    proc, _, origin = launcher(wine, disc, "Bad Line", ["Command=%nothere[*CWD*].exe /x\n"])
    click(wine, origin, 0)
    owner, texts = wine.message_box("Error")
    assert owner == "Bad Line"  # the launcher's own box
    assert any(t.startswith("Error [") and "] executing command:\n nothere[*CWD*].exe /x" in t for t in texts), texts
    wine.answer_box("Error", "Return")
    assert proc.poll() is None


def test_pre_install_box(wine, disc, probe):
    _, _, origin = launcher(wine, disc, "Ask First", [
        "Command=tavshlex probe.exe /asked\nPreInstMessage=Install it?\\nIt takes a minute.\nPreInstTitle=Setup\n"])
    click(wine, origin, 0)
    _, texts = wine.message_box("Setup")
    assert "Install it?\nIt takes a minute." in texts
    # The launcher takes every typed character for its reload chord, so the box's
    # Y and N do nothing: Tab to No, then Enter.
    wine.answer_box("Setup", "Tab", "Return")
    time.sleep(0.5)  # a start, if No had not stopped it, would be logged by now
    assert probe.entries() == []

    click(wine, origin, 0)
    wine.message_box("Setup")
    wine.answer_box("Setup", "Return")
    assert probe.wait()[0]["cmdline"].endswith("/asked")


def test_link_and_link_root(wine, disc, probe):
    image(disc / "other.png", 420, 200, "#22AA44")
    menu(disc / "other.ini", "[General]\nBitmap=other.png\nDefaultCaption=Other\n")
    sub = disc / "sub"
    image(sub / "back.png", 450, 250, "#22AA44")
    menu(sub / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Sub\n[Products]\nUp=\nRun=\n"
                             "[Up]\nRect=100,30\nPoint=20,20\nCommand=tavlinkroot ..\n"
                             "[Run]\nRect=100,30\nPoint=20,60\nCommand=tavshlex probe.exe /in-sub\n")
    (sub / "probe.exe").write_bytes((disc / "probe.exe").read_bytes())
    _, _, origin = launcher(wine, disc, "Root", ["Command=tavlink other.ini\n", "Command=tavlinkroot sub\n"])

    click(wine, origin, 0)
    wine.wait_window("Other")
    assert wine.client_rect("Other")[0] == (origin[0], origin[1], 420, 200)

    wine.kill_all()
    _, _, origin = launcher(wine, disc, "Root", ["Command=tavlink other.ini\n", "Command=tavlinkroot sub\n"])
    click(wine, origin, 1)
    wine.wait_window("Sub")
    assert wine.client_rect("Sub")[0] == (origin[0], origin[1], 450, 250)
    click(wine, origin, 1)  # resolves against the new base folder
    entry, = probe.wait()
    assert entry["cwd"].rstrip("\\").lower() == win(sub).lower()
    click(wine, origin, 0)
    wine.wait_window("Root")


def test_links_that_lead_nowhere_keep_the_menu(wine, disc, probe):
    _, _, origin = launcher(wine, disc, "Staying", ["Command=tavlink nothere.ini\n", "Command=tavlinkroot ..\n",
                                                    "Command=tavshlex probe.exe /here\n"])
    rect = wine.client_rect("Staying")[0]
    for index, named in [(0, "nothere.ini"), (1, "ostrel.ini")]:  # the disc's parent holds no menu
        click(wine, origin, index)
        _, texts = wine.message_box("Error")
        assert any(t.startswith("Cannot open the menu ") and named in t for t in texts), texts
        wine.answer_box("Error", "Return")
        assert wine.client_rect("Staying")[0] == rect
    click(wine, origin, 2)  # the choices still work, from the same base folder
    entry, = probe.wait()
    assert entry["cwd"].rstrip("\\").lower() == win(disc).lower()


def test_keys(wine, disc, probe):
    image(disc / "normal.png", 100, 30, "#FF0000")
    image(disc / "hover.png", 100, 30, "#FFFF00")
    proc, window_id, (left, top) = launcher(wine, disc, "Keys", [
        "Command=tavnop\n",
        "Command=probe.exe --slow\nBitmap=normal.png\nBitmapHi=hover.png\n",
    ])
    # Down from nothing: the first choice that runs something, drawn hovered.
    wine.keys(window_id, "Down")
    wine.wait_pixels(lambda s: s.bounding_box((255, 255, 0), region=(left, top, 200, 120)) is not None,
                     what="the selected choice")
    # Three quick presses while the slow start runs: one start.
    wine.focus(window_id)
    wine.xdotool("key", "--delay", "150", "Return", "Return", "Return")
    probe.wait()
    time.sleep(2.5)  # the slow probe and any wrongly repeated start have finished by now
    assert len(probe.entries()) == 1
    # Escape leaves a menu without an exit choice open.
    wine.keys(window_id, "Escape")
    time.sleep(0.5)
    assert proc.poll() is None


def test_escape_closes_a_menu_with_an_exit_choice(wine, disc):
    proc, window_id, _ = launcher(wine, disc, "Escape", ["Command=x.exe\n", "Command=tavexit\n"])
    wine.keys(window_id, "Escape")
    proc.wait(timeout=20)


def test_debug_boxes_come_in_order(wine, disc, probe):
    _, _, origin = launcher(wine, disc, "Debugging", ["Command=tavshlex probe.exe /dbg\nDefaultDir=sub\n"],
                            general="Debug=1\n")
    (disc / "sub").mkdir()
    click(wine, origin, 0)
    _, texts = wine.message_box("dwFlags")
    assert any("ORBSHLEX_DEBUG = 1\nORBSHLEX_HIDE = 0\nORBSHLEX_FILE = 0\nORBSHLEX_EXE = 8" in t for t in texts)
    wine.answer_box("dwFlags", "Return")
    d = win(disc)
    for title, text in [("Debug: szLaunchFile=", "probe.exe"), ("Debug: szLaunchParams=", "/dbg"),
                        ("Debug: szCurrentPath=", d + "\\"), ("Debug: szDefaultDir=", d + "\\sub")]:
        _, texts = wine.message_box(title)
        assert text in texts, (title, texts)
        wine.answer_box(title, "Return")
    _, texts = wine.message_box("Debug")
    assert any(t.startswith("FindExecutable returned ") and "probe.exe" in t for t in texts), texts
    assert probe.entries() == []  # nothing started before the last box
    wine.answer_box("Debug", "Return")
    assert probe.wait()[0]["cmdline"].endswith("/dbg")


def test_reload_asked_for_during_a_command_waits_for_it(wine, disc, probe):
    _, _, origin = launcher(wine, disc, "Busy", ["Command=tavshlex probe.exe /still-mine\n"], general="Debug=1\n")
    click(wine, origin, 0)
    wine.message_box("dwFlags")
    # Edit the menu and press the reload chord in the command's box.
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Reloaded After\n")
    (box_id, _, _), = wine.wait_window("dwFlags")
    wine.keys(box_id, "ctrl+q", "r")
    time.sleep(0.5)  # a reload that did not wait would have replaced the menu by now
    assert wine.wait_window("Busy")
    wine.answer_box("dwFlags", "Return")
    for title in ("Debug: szLaunchFile=", "Debug: szLaunchParams=", "Debug: szCurrentPath=",
                  "Debug: szDefaultDir=", "Debug"):
        wine.message_box(title)
        wine.answer_box(title, "Return")
    # The command ran with the choice it began with; then the menu reloaded.
    assert probe.wait()[0]["cmdline"].endswith("/still-mine")
    wine.wait_window("Reloaded After")
