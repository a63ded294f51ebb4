"""Choices on screen: keyed normal images, hover and memo looks, the pressed look,
pictures of different sizes and what the redraws restore between looks, colour keys
and DPI scaling, seen in the pixels of the real window."""

import time

from conftest import image, menu

BLUE = (0x33, 0x66, 0xCC)
GREY = (0x80, 0x80, 0x80)
GREEN = (0x22, 0xAA, 0x44)
RED = (255, 0, 0)
PURE_BLUE = (0, 0, 255)
MAGENTA = (255, 0, 255)
YELLOW = (255, 255, 0)
CYAN = (0, 255, 255)
ORANGE = (255, 128, 0)


def half_and_half(path, left_colour, right_colour, width=100, height=30):
    """An image whose left half is one colour and right half another."""
    return image(path, width, height, left_colour,
                 extra=["-fill", right_colour, "-draw", f"rectangle {width // 2},0 {width - 1},{height - 1}"])


def open_menu(wine, disc, text, title):
    menu(disc / "ostrel.ini", text)
    wine.start(disc / "ostrel.exe")
    (window_id, _, _), = wine.wait_window(title)
    rect, _ = wine.client_rect(title)
    return window_id, rect


def has(colour, box):
    return lambda shot: shot.bounding_box(colour, region=box) == box


def lacks(colour, box):
    return lambda shot: shot.bounding_box(colour, region=box) is None


def test_hover_memo_and_pressed_looks(wine, disc):
    image(disc / "back.png", 500, 300, "#3366CC")
    half_and_half(disc / "normal.png", "#FF00FF", "#FF0000")
    half_and_half(disc / "hover.png", "#FFFF00", "#FF00FF")
    image(disc / "press.png", 100, 30, "#FF8000")
    image(disc / "memo.png", 80, 40, "#00FFFF")
    _, (left, top, _, _) = open_menu(wine, disc, (
        "[General]\nBitmap=back.png\nDefaultCaption=Looks\n[Products]\nA=\n"
        "[A]\nBitmap=normal.png\nBitmapHi=hover.png\nBitmapPress=press.png\nBitmapMemo=memo.png\n"
        "Point=40,120\nPointMemo=300,200\n"), "Looks")
    choice = (left + 40, top + 120, 100, 30)
    keyed_half, drawn_half = (left + 40, top + 120, 50, 30), (left + 90, top + 120, 50, 30)
    memo = (left + 300, top + 200, 80, 40)

    # The normal image: its magenta half lets the background through.
    wine.wait_pixels(lambda s: has(RED, drawn_half)(s) and has(BLUE, keyed_half)(s), what="the normal image")

    # Hover: the hover image (not keyed: its magenta is drawn) and the memo.
    wine.move_pointer(left + 60, top + 130)
    shot = wine.wait_pixels(lambda s: has(YELLOW, keyed_half)(s) and has(CYAN, memo)(s), what="the hover look")
    assert shot.bounding_box(MAGENTA, region=drawn_half) == drawn_half

    # Held button: the pressed image.
    wine.xdotool("mousedown", 1)
    wine.wait_pixels(has(ORANGE, choice), what="the pressed look")
    wine.xdotool("mouseup", 1)

    # Leaving: the normal look again and the background back under the memo.
    wine.move_pointer(left + 5, top + 5)
    wine.wait_pixels(lambda s: has(RED, drawn_half)(s) and has(BLUE, keyed_half)(s) and has(BLUE, memo)(s),
                     what="the normal look and the background under the memo")


def test_transparency_color_channel_order(wine, disc):
    image(disc / "back.png", 500, 300, "#808080")
    half_and_half(disc / "key.png", "#FF0000", "#0000FF")
    _, (left, top, _, _) = open_menu(wine, disc, (
        "[General]\nBitmap=back.png\nDefaultCaption=Keys\n[Products]\nK=\n"
        "[K]\nBitmap=key.png\nPoint=40,40\nTransparencyColor=0,0,255\n"), "Keys")
    red_half, blue_half = (left + 40, top + 40, 50, 30), (left + 90, top + 40, 50, 30)
    # Written 0,0,255 the key takes pure red out; pure blue stays.
    wine.wait_pixels(lambda s: has(PURE_BLUE, blue_half)(s) and has(GREY, red_half)(s), what="the keyed image")
    # The same after the choice has been redrawn on its own (hovered, then left),
    # when the launcher draws from the copy it keyed once.
    time.sleep(0.5)
    wine.move_pointer(left + 100, top + 50)
    wine.move_pointer(left + 5, top + 250)
    time.sleep(0.3)
    wine.wait_pixels(lambda s: has(PURE_BLUE, blue_half)(s) and has(GREY, red_half)(s), what="the redrawn keyed image")


def test_choice_scaled_at_144_dpi_and_hovered_where_it_is_drawn(wine, disc, dpi_144):
    # Both images go through the colour key (the product gives TransparencyColor), so
    # both are drawn into explicit logical rectangles.
    image(disc / "back.png", 500, 300, "#3366CC")
    image(disc / "normal.png", 100, 30, "#FF0000")
    image(disc / "hover.png", 100, 30, "#FFFF00")
    _, (left, top, width, height) = open_menu(wine, disc, (
        "[General]\nBitmap=back.png\nDefaultCaption=Scaled Choice\n[Products]\nA=\n"
        "[A]\nBitmap=normal.png\nBitmapHi=hover.png\nPoint=40,120\nTransparencyColor=255,0,255\n"), "Scaled Choice")
    assert (width, height) == (750, 450)
    device = (left + 60, top + 180, 150, 45)
    # Scaled images blend at their edges: the inside is the colour, and the colour
    # reaches no further than a pixel beyond the scaled rectangle.
    inside = (device[0] + 2, device[1] + 2, device[2] - 4, device[3] - 4)
    around = (device[0] - 10, device[1] - 10, device[2] + 20, device[3] + 20)

    def scaled(colour):
        def check(shot):
            box = shot.bounding_box(colour, tolerance=90, region=around)
            if box is None or not has(colour, inside)(shot):
                return False
            edges = (box[0], box[1], box[0] + box[2], box[1] + box[3])
            wanted = (device[0], device[1], device[0] + device[2], device[1] + device[3])
            return all(abs(edges[i] - wanted[i]) <= 1 for i in range(4))
        return check

    wine.wait_pixels(scaled(RED), what="the choice at 1.5 times its size")
    # (200, 220) device pixels is logical (133, 146): inside the choice, though
    # outside the rectangle it would have unscaled.
    wine.move_pointer(left + 200, top + 220)
    wine.wait_pixels(scaled(YELLOW), what="the hover image over the scaled choice")


def test_reload_shows_the_choice_under_the_pointer_hovered(wine, disc):
    image(disc / "back.png", 500, 300, "#3366CC")
    image(disc / "normal.png", 100, 30, "#FF0000")
    image(disc / "hover.png", 100, 30, "#FFFF00")
    ini = ("[General]\nBitmap=back.png\nDefaultCaption=Reloaded\n[Products]\nA=\n"
           "[A]\nBitmap=normal.png\nBitmapHi=hover.png\nPoint=40,120\nCommand=x.exe\n")
    window_id, (left, top, _, _) = open_menu(wine, disc, ini, "Reloaded")
    choice = (left + 40, top + 120, 100, 30)
    wine.focus(window_id)
    wine.move_pointer(left + 60, top + 130)
    wine.wait_pixels(has(YELLOW, choice), what="the hover look")
    # Move the choice under the pointer's new place in the file, then reload there.
    menu(disc / "ostrel.ini", ini.replace("Point=40,120", "Point=200,50"))
    wine.move_pointer(left + 230, top + 60)
    wine.keys(window_id, "ctrl+q", "r")
    wine.wait_pixels(has(YELLOW, (left + 200, top + 50, 100, 30)), what="the moved choice, hovered")
    assert wine.screenshot().bounding_box(RED, region=choice) is None


def test_restores_cover_the_hover_picture_size(wine, disc):
    # One hover picture larger than its normal picture, one smaller.
    image(disc / "back.png", 500, 300, "#3366CC")
    image(disc / "normal.png", 100, 30, "#FF0000")
    image(disc / "large.png", 160, 60, "#FFFF00")
    image(disc / "small.png", 50, 20, "#FFFF00")
    _, (left, top, _, _) = open_menu(wine, disc, (
        "[General]\nBitmap=back.png\nDefaultCaption=Sizes\n[Products]\nLarge=\nSmall=\n"
        "[Large]\nBitmap=normal.png\nBitmapHi=large.png\nPoint=20,20\n"
        "[Small]\nBitmap=normal.png\nBitmapHi=small.png\nPoint=20,150\n"), "Sizes")
    large_normal, large_hover = (left + 20, top + 20, 100, 30), (left + 20, top + 20, 160, 60)
    wine.wait_pixels(has(RED, large_normal), what="the normal images")

    # Leaving: the background comes back under the whole of the larger hover picture.
    wine.move_pointer(left + 30, top + 30)
    wine.wait_pixels(has(YELLOW, large_hover), what="the large hover picture")
    wine.move_pointer(left + 300, top + 280)
    wine.wait_pixels(lambda s: has(RED, large_normal)(s) and lacks(YELLOW, large_hover)(s),
                     what="the normal look with no trace of the large hover picture")

    # Entering: only the smaller hover picture's area (and its margin) is restored, so
    # the rest of the normal picture stays.
    wine.move_pointer(left + 100, top + 160)
    wine.wait_pixels(lambda s: has(YELLOW, (left + 20, top + 150, 50, 20))(s)
                     and has(RED, (left + 72, top + 150, 48, 30))(s) and has(RED, (left + 20, top + 172, 100, 8))(s),
                     what="the small hover picture over the rest of the normal one")


def test_a_pressed_picture_without_a_hover_picture_is_never_shown(wine, disc):
    # The pressed picture is larger than the normal one, so that the normal look drawn
    # on leaving would not hide it; the memo going away shows that the leave was drawn.
    image(disc / "back.png", 500, 300, "#3366CC")
    image(disc / "normal.png", 100, 30, "#FF0000")
    image(disc / "press.png", 160, 60, "#FF8000")
    image(disc / "memo.png", 80, 40, "#00FFFF")
    _, (left, top, _, _) = open_menu(wine, disc, (
        "[General]\nBitmap=back.png\nDefaultCaption=Unpressed\n[Products]\nA=\n"
        "[A]\nBitmap=normal.png\nBitmapPress=press.png\nBitmapMemo=memo.png\nPoint=40,120\nPointMemo=300,200\n"),
        "Unpressed")
    normal, pressed = (left + 40, top + 120, 100, 30), (left + 40, top + 120, 160, 60)
    memo = (left + 300, top + 200, 80, 40)
    wine.wait_pixels(has(RED, normal), what="the normal image")
    wine.move_pointer(left + 60, top + 130)
    wine.wait_pixels(lambda s: has(CYAN, memo)(s) and has(RED, normal)(s), what="the memo beside the normal look")
    wine.xdotool("mousedown", 1)
    wine.xdotool("mouseup", 1)
    wine.move_pointer(left + 5, top + 280)
    wine.wait_pixels(has(BLUE, memo), what="the memo gone")
    shot = wine.screenshot()
    assert shot.bounding_box(ORANGE, region=pressed) is None
    assert shot.bounding_box(RED, region=normal) == normal


def test_a_hover_picture_without_a_normal_one_stays_after_leaving(wine, disc):
    image(disc / "back.png", 500, 300, "#3366CC")
    image(disc / "hover.png", 100, 30, "#FFFF00")
    image(disc / "memo.png", 80, 40, "#00FFFF")
    _, (left, top, _, _) = open_menu(wine, disc, (
        "[General]\nBitmap=back.png\nDefaultCaption=No Normal\n[Products]\nA=\n"
        "[A]\nBitmapHi=hover.png\nBitmapMemo=memo.png\nPoint=40,120\nPointMemo=300,200\n"), "No Normal")
    hover, memo = (left + 40, top + 120, 100, 30), (left + 300, top + 200, 80, 40)
    wine.wait_pixels(has(BLUE, hover), what="the menu")
    # Without a normal picture the hot area is the single point at Point.
    wine.move_pointer(left + 40, top + 120)
    wine.wait_pixels(lambda s: has(YELLOW, hover)(s) and has(CYAN, memo)(s), what="the hover look")
    wine.move_pointer(left + 5, top + 280)
    wine.wait_pixels(has(BLUE, memo), what="the memo gone")
    assert wine.screenshot().bounding_box(YELLOW, region=hover) == hover


def test_restores_with_use_image_dpi_read_the_background_at_its_resolution(wine, disc):
    # A 48-dpi background counts twice its pixel size: its colours change at pixel 125,
    # logical 250, in the middle of the memo picture.
    image(disc / "back.png", 250, 150, "#3366CC", dpi=48,
          extra=["-fill", "#22AA44", "-draw", "rectangle 125,0 249,149"])
    image(disc / "memo.png", 100, 30, "#00FFFF")
    _, (left, top, _, _) = open_menu(wine, disc, (
        "[General]\nBitmap=back.png\nDefaultCaption=Image Dpi Restore\nUseImageDpi=1\n[Products]\nA=\n"
        "[A]\nRect=100,30\nBitmapMemo=memo.png\nPoint=20,20\nPointMemo=200,100\n"), "Image Dpi Restore")
    memo = (left + 200, top + 100, 100, 30)
    blue_part, green_part = (left + 201, top + 101, 46, 28), (left + 254, top + 101, 45, 28)
    wine.wait_pixels(lambda s: has(BLUE, blue_part)(s) and has(GREEN, green_part)(s), what="the background")
    wine.move_pointer(left + 40, top + 30)
    wine.wait_pixels(has(CYAN, memo), what="the memo")
    wine.move_pointer(left + 5, top + 280)
    wine.wait_pixels(lambda s: lacks(CYAN, memo)(s) and has(BLUE, blue_part)(s) and has(GREEN, green_part)(s),
                     what="the background's own pixels back under the memo")
