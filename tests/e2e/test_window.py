"""The first window: where it opens, how big, what it shows, when it refuses to open,
how it closes and how it reloads."""

import time

import pytest
from conftest import image, menu

BLUE = (0x33, 0x66, 0xCC)
GREEN = (0x22, 0xAA, 0x44)
YELLOW = (255, 255, 0)


def near(colour, target, tolerance=60):
    return all(abs(colour[i] - target[i]) <= tolerance for i in range(3))


def client_box(wine, title):
    rect, _ = wine.client_rect(title)
    return rect


def test_background_sized_centred_with_caption_and_copyright(wine, disc):
    image(disc / "back.png", 500, 300, "#3366CC")
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nCopyright=(c) Ostrel test line\n"
                              "Foreground=255,255,0\nDefaultCaption=Centred Menu\n")
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Centred Menu")
    metrics = wine.metrics()
    left, top, width, height = client_box(wine, "Centred Menu")
    assert (width, height) == (500, 300)
    assert left == (metrics["cxfullscreen"] - 500) // 2
    assert top == (metrics["cyfullscreen"] - 300) // 2

    # The background fills exactly the client area.
    shot = wine.wait_pixels(lambda s: s.bounding_box(BLUE) == (left, top, 500, 300), what="the background")

    # The copyright line: yellow, centred, against the bottom edge, nowhere else.
    text = [(x, y) for y in range(top, top + 300) for x in range(left, left + 500)
            if near(shot.pixel(x, y), YELLOW, 70)]
    assert text, "no copyright text drawn"
    xs = [x for x, _ in text]
    ys = [y for _, y in text]
    assert abs((min(xs) + max(xs)) / 2 - (left + 250)) <= 4
    assert top + 300 - 25 <= min(ys) and max(ys) < top + 300
    assert 60 < max(xs) - min(xs) < 400
    outside = [p for p in ((x, y) for y in range(0, 768, 2) for x in range(0, 1024, 2))
               if not (left <= p[0] < left + 500 and top <= p[1] < top + 300) and near(shot.pixel(*p), YELLOW, 70)]
    assert not outside


@pytest.mark.parametrize("caption", [0, 1])
def test_background_larger_than_the_screen_starts_at_the_work_area(wine, disc, caption):
    image(disc / "back.png", 1200, 900, "#3366CC")
    menu(disc / "ostrel.ini", f"[General]\nBitmap=back.png\nDefaultCaption=Huge\nCaption={caption}\n")
    wine.start(disc / "ostrel.exe")
    (_, _, (x, y, _, _)), = wine.wait_window("Huge")
    assert (x, y) == (0, 0)  # the frame at the work area's corner (all the screen here)
    left, top, width, height = client_box(wine, "Huge")
    assert 0 <= left <= 10 and 0 <= top <= 40 and (width, height) == (1200, 900)


def test_unreadable_background_gives_the_minimum_size(wine, disc):
    menu(disc / "ostrel.ini", "[General]\nBitmap=missing.png\nDefaultCaption=Tiny\n")
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Tiny")
    assert client_box(wine, "Tiny")[2:] == (400, 100)


def test_no_menu_no_window_and_a_quick_exit(wine, disc):
    image(disc / "back.png", 200, 200, "#3366CC")  # a background alone makes no menu
    proc = wine.start(disc / "ostrel.exe")
    assert not wine.windows_until_exit(proc)


def test_menu_without_background_key_opens_nothing(wine, disc):
    menu(disc / "ostrel.ini", "[General]\nCopyright=no bitmap here\n")
    proc = wine.start(disc / "ostrel.exe")
    assert not wine.windows_until_exit(proc)


def test_without_gdiplus_nothing_is_shown(wine, disc):
    image(disc / "back.png", 450, 200, "#3366CC")
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=No Gdiplus\n")
    proc = wine.start(disc / "ostrel.exe", env={"WINEDLLOVERRIDES": "mscoree,mshtml=;gdiplus=d"})
    assert not wine.windows_until_exit(proc)


def test_second_instance_ends_at_once(wine, disc):
    image(disc / "back.png", 450, 200, "#3366CC")
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Only One\n")
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Only One")
    second = wine.start(disc / "ostrel.exe")
    second.wait(timeout=20)
    assert len(wine.launcher_windows()) == 1

    # Once the first has gone, a new start runs normally.
    wine.kill_all()
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Only One")


def test_multiple_instances_when_the_menu_allows_them(wine, disc):
    image(disc / "back.png", 450, 200, "#3366CC")
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Many\nMultipleInstances=1\n")
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Many")
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Many", count=2)


@pytest.mark.parametrize("caption, has_bar", [("1", True), ("0", False), ("2", False), ("yes", False), (None, False)])
def test_caption_setting_chooses_the_template(wine, disc, caption, has_bar):
    image(disc / "back.png", 420, 200, "#3366CC")
    line = f"Caption={caption}\n" if caption is not None else ""
    menu(disc / "ostrel.ini", f"[General]\nBitmap=back.png\nDefaultCaption=Titled\n{line}")
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Titled")
    (left, top, width, height), info = wine.client_rect("Titled")
    assert info["caption"] == ("1" if has_bar else "0")
    wx, wy, ww, wh = map(int, info["window"].split(","))
    # A caption bar stands between the window's top edge and the client area.
    assert (top - wy > 12) == has_bar
    shot = wine.wait_pixels(lambda s: s.bounding_box(BLUE) == (left, top, width, height), what="the background")
    bar = shot.pixel(left + 100, top - 8)
    assert (bar != (0, 0, 0)) == has_bar


def test_close_command_closes_the_launcher(wine, disc):
    image(disc / "back.png", 420, 200, "#3366CC")
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Closable\nCaption=1\n")
    proc = wine.start(disc / "ostrel.exe")
    (window_id, _, _), = wine.wait_window("Closable")
    # Enter and Escape alone do not close it ...
    wine.keys(window_id, "Return", "Escape")
    time.sleep(0.5)  # give a wrongly closing launcher the time to go
    assert proc.poll() is None
    # ... the window's close command does.
    wine.keys(window_id, "alt+F4")
    proc.wait(timeout=20)
    assert not wine.launcher_windows()


def test_reload_chord_shows_the_edited_menu_in_place(wine, disc):
    image(disc / "blue.png", 500, 300, "#3366CC")
    image(disc / "green.png", 420, 200, "#22AA44")
    ini = menu(disc / "ostrel.ini", "[General]\nBitmap=blue.png\nDefaultCaption=Before\n")
    wine.start(disc / "ostrel.exe")
    (window_id, _, _), = wine.wait_window("Before")
    left, top, _, _ = client_box(wine, "Before")
    wine.wait_pixels(lambda s: s.bounding_box(BLUE) == (left, top, 500, 300), what="the first menu")

    menu(ini, "[General]\nBitmap=green.png\nDefaultCaption=After\n")
    # Neither R nor r alone reloads.
    wine.keys(window_id, "ctrl+q", "R", "r")
    time.sleep(0.5)  # a wrong reload would have happened by now
    assert wine.screenshot().bounding_box(BLUE) == (left, top, 500, 300)

    wine.keys(window_id, "ctrl+q", "r")
    wine.wait_window("After")
    # The client area keeps its place and takes the new size.
    assert client_box(wine, "After") == (left, top, 420, 200)
    wine.wait_pixels(lambda s: s.bounding_box(GREEN) == (left, top, 420, 200), what="the edited menu")


# A full path with a blank reaches the program in quotes, as shortcuts and scripts pass it.
@pytest.mark.parametrize("folder, full_path", [("menus", False), ("my menus", True)])
def test_menu_named_on_the_command_line(wine, disc, folder, full_path):
    image(disc / folder / "back.png", 430, 220, "#22AA44")
    menu(disc / folder / "en.ini", "[General]\nBitmap=back.png\nDefaultCaption=English\n")
    image(disc / "back.png", 500, 300, "#3366CC")
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Default\n")
    request = wine.windows_path(disc / folder / "en.ini") if full_path else f"{folder}\\en.ini"
    wine.start(disc / "ostrel.exe", [request])
    wine.wait_window("English")
    assert client_box(wine, "English")[2:] == (430, 220)


def test_default_menu_in_the_ostrel_subfolder_wins(wine, disc):
    image(disc / "Ostrel" / "back.png", 430, 220, "#22AA44")
    menu(disc / "Ostrel" / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Subfolder\n")
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Beside\n")
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Subfolder")


def test_use_image_dpi_takes_the_background_resolution(wine, disc):
    image(disc / "back.jpg", 400, 300, "#3366CC", dpi=48)
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.jpg\nDefaultCaption=Image Dpi\nUseImageDpi=1\n")
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Image Dpi")
    assert client_box(wine, "Image Dpi")[2:] == (800, 600)


def test_144_dpi_gives_a_client_area_one_and_a_half_times_larger(wine, disc, dpi_144):
    image(disc / "back.png", 400, 200, "#3366CC")
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Scaled\n")
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Scaled")
    left, top, width, height = client_box(wine, "Scaled")
    assert (width, height) == (600, 300)
    # The background is drawn over the whole scaled area.
    wine.wait_pixels(lambda s: s.bounding_box(BLUE, tolerance=8) == (left, top, 600, 300),
                     what="the scaled background")


def test_products_take_their_platform_sections_in_the_running_launcher(wine, disc):
    image(disc / "back.png", 500, 300, "#3366CC")
    image(disc / "red.png", 50, 30, "#FF0000")
    image(disc / "green.png", 50, 30, "#22AA44")
    menu(disc / "ostrel.ini", "[General]\nBitmap=back.png\nDefaultCaption=Products\n"
                              "[Products]\nNt=WINNT,DEFAULT\nOld=WIN95\n"
                              "[Nt]\nBitmap=red.png\n[Nt.WINNT]\nPoint=20,20\nCommand=tavnop\n"
                              "[Nt.DEFAULT]\nPoint=300,200\n"
                              "[Old]\nBitmap=green.png\nPoint=100,100\n")
    wine.start(disc / "ostrel.exe")
    wine.wait_window("Products")
    left, top, _, _ = client_box(wine, "Products")
    shot = wine.wait_pixels(lambda s: s.bounding_box((255, 0, 0)) is not None, what="the product's image")
    # Windows NT takes [Nt.WINNT]; the Windows 95 product is left out.
    assert shot.bounding_box((255, 0, 0)) == (left + 20, top + 20, 50, 30)
    assert shot.bounding_box((0x22, 0xAA, 0x44)) is None
