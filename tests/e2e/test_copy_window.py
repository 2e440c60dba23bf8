"""The copy window: a piece of a window on the screen lifted through the
see-through area and pasted elsewhere, into the work files at the place seen;
"Cancel last" taking a pasted piece away; closing and reopening it."""

import pytest

from conftest import COLOUR_KEY_DRAWN, COLOUR_KEY_NOTE, wait_until
from copywin import CLOSE, COPY, PASTE, PATTERN, CopyWindow, box, pattern_piece, same, show_pattern
from notepad import (CANCEL_LAST, COPY_WIN, KEY, bmp, click_face, done, first_start, make_jpeg, open_session,
                     wait_pixel, wait_toolbar, window, with_settings)
from tray import choose, settings_lines, start_and_settle


def only(image, colour):
    return image.getcolors() == [(image.width * image.height, colour)]


# Everything here is seen through the copy window's colour key.
pytestmark = pytest.mark.skipif(not COLOUR_KEY_DRAWN, reason=COLOUR_KEY_NOTE)


def test_a_piece_of_a_window_lands_where_it_is_pasted_and_stays_with_the_drawing(rig, kvx, workdir, pattern):
    program = first_start(rig, kvx, workdir)
    wallpaper = bmp(workdir / "1.bmp").getpixel((20, 20))
    show_pattern(rig, pattern)
    open_session(rig, program)
    click_face(rig, program, COPY_WIN)
    wait_toolbar(program, shown=False)
    copy = CopyWindow(rig, program)
    copy.move_to(260, 360)  # framing a part of the pattern window
    lifted = copy.origin
    piece = pattern_piece(lifted, copy.size)
    copy.wait_seen(piece, "the pattern through the see-through area")

    copy.press(COPY)
    copy.wait_holding(piece)
    # Around it, the surface shows the wallpaper as "Done" would save it.
    wait_pixel(rig, (PATTERN[0] + 20, PATTERN[1] + 20), wallpaper, "the composed picture around the copy window")

    places = []
    for left, top in ((820, 90), (840, 420)):
        copy.move_to(left, top)
        copy.press(PASTE)
        copy.wait_seen(piece, f"the piece pasted at {left}, {top}")
        places.append(copy.origin)
    assert same(rig.grab().crop(box(places[0], piece.size)), piece)  # the first copy stays

    copy.press(CLOSE)
    wait_toolbar(program)
    assert window(program, "TForm4") is None
    done(rig, program)
    composed, drawing = bmp(workdir / "1.bmp"), bmp(workdir / "2.bmp")
    for place in places:
        assert same(composed.crop(box(place, piece.size)), piece)
        assert same(drawing.crop(box(place, piece.size)), piece)
        right, bottom = place[0] + piece.width, place[1] + piece.height
        assert composed.getpixel((right, place[1])) == wallpaper and drawing.getpixel((right, place[1])) == KEY
        assert composed.getpixel((place[0], bottom)) == wallpaper and drawing.getpixel((place[0], bottom)) == KEY
    # Not where it was lifted from.
    assert only(composed.crop(box(lifted, piece.size)), wallpaper)
    assert only(drawing.crop(box(lifted, piece.size)), KEY)

    # The next wallpaper change lays the pieces over the new picture.
    choose(rig, "Exit")
    assert program.wait_exit() == 0
    make_jpeg(workdir / "a.jpg", colour=(20, 160, 40))
    make_jpeg(workdir / "b.jpg", colour=(200, 180, 20))
    a, b = workdir.winpath + "\\a.jpg", workdir.winpath + "\\b.jpg"
    (workdir / "wl.ini").write_bytes(f"{a}\r\n{b}\r\n".encode("cp1252"))
    with_settings(workdir, l16=a, l17="1")
    program = start_and_settle(rig, kvx, workdir)
    wait_until(lambda: settings_lines(workdir)[15] == b, timeout=20, what="the wallpaper change at start-up")
    composed = bmp(workdir / "1.bmp")
    for place in places:
        assert same(composed.crop(box(place, piece.size)), piece)
    assert composed.getpixel(lifted) != wallpaper
    choose(rig, "Exit")
    assert program.wait_exit() == 0


def test_cancel_last_takes_a_pasted_piece_away_and_the_held_piece_outlives_closing(rig, kvx, workdir, pattern):
    program = first_start(rig, kvx, workdir)
    wallpaper = bmp(workdir / "1.bmp").getpixel((20, 20))
    show_pattern(rig, pattern)
    open_session(rig, program)
    click_face(rig, program, COPY_WIN)
    copy = CopyWindow(rig, program)  # where kvx.ini puts it, over the pattern
    piece = pattern_piece(copy.origin, copy.size)
    copy.wait_seen(piece, "the pattern through the see-through area")
    copy.press(COPY)
    copy.wait_holding(piece)

    # The close box leaves the toolbar hidden until Space brings it back.
    copy.close_box()
    assert window(program, "TForm1") is None
    rig.key("space")
    wait_toolbar(program)

    # Reopened, the window holds the piece still; pasted, then cancelled.
    click_face(rig, program, COPY_WIN)
    copy = CopyWindow(rig, program)
    copy.wait_holding(piece)
    copy.move_to(850, 200)
    copy.press(PASTE)
    copy.wait_seen(piece, "the pasted piece")
    place = copy.origin
    copy.press(CLOSE)
    wait_toolbar(program)
    click_face(rig, program, CANCEL_LAST)
    wait_until(lambda: not same(rig.grab().crop(box(place, piece.size)), piece), timeout=10,
               what="'Cancel last' to take the piece away")
    done(rig, program)
    assert only(bmp(workdir / "1.bmp").crop(box(place, piece.size)), wallpaper)
    assert only(bmp(workdir / "2.bmp").crop(box(place, piece.size)), KEY)
    choose(rig, "Exit")
    assert program.wait_exit() == 0
