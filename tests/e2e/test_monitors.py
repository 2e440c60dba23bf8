"""Several monitors: the drawing surface covers them all, a stroke crosses from
one to the next, the wallpaper spans them with each monitor's part at 1:1; a
monitor taken away and given back loses no drawing. Wine draws no wallpaper
without a virtual desktop, so the wallpaper is checked in the files and the
registry."""

import pytest

from conftest import wait_until
from notepad import (DESKTOP_KEY, KEY, RED, SHOW_WINDOWS, bmp, click_face, done, first_start, open_session,
                     wait_toolbar)
from options import open_options, options_window
from photo import BLACK, QUADRANTS, assert_quadrants, place, start_with_photo
from tray import choose, settings_lines, start_and_settle

SEA = (30, 120, 200)  # first_start's wallpaper, 1280 x 800
WHITE = (255, 255, 255)


@pytest.fixture(scope="module")
def rig(two_monitors):
    return two_monitors


def near(colour, expected, tolerance=8):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def stroke(rig, start, end):
    rig.drag(start, end)
    middle = ((start[0] + end[0]) // 2, start[1])
    wait_until(lambda: rig.grab().getpixel(rig.in_grab(middle)) == RED, timeout=10, what="the stroke on the screen")


def exit_program(rig, program):
    choose(rig, "Exit")
    program.wait_exit(timeout=20)


def wallpaper(rig):
    return tuple(rig.reg_query(DESKTOP_KEY, name)[1] for name in ("Wallpaper", "TileWallpaper", "WallpaperStyle"))


def test_a_stroke_crosses_onto_the_second_monitor_and_the_wallpaper_spans_both(rig, kvx, workdir):
    assert [(m["rect"], m["primary"]) for m in rig.monitors()] == [([0, 0, 1280, 800], True),
                                                                    ([1280, 0, 2304, 768], False)]
    program = first_start(rig, kvx, workdir)
    # Start-up composed the wallpaper for both: the picture at each monitor's
    # top-left, unscaled, cut at the smaller monitor's edges, white below it.
    composed = bmp(workdir / "1.bmp")
    assert composed.size == (2304, 800)
    for point in ((700, 300), (1280 + 500, 300), (2303, 767)):
        assert near(composed.getpixel(point), SEA), point
    assert composed.getpixel((2000, 790)) == WHITE
    assert wallpaper(rig) == (workdir.winpath + "\\1.bmp", "0", "22")
    assert settings_lines(workdir)[22:24] == ["0,0", "0,0,1280,800;1280,0,1024,768"]

    surface = open_session(rig, program)
    assert surface["rect"] == [0, 0, 2304, 800]
    stroke(rig, (1100, 300), (1500, 300))
    wait_toolbar(program)
    done(rig, program)
    composed, drawing = bmp(workdir / "1.bmp"), bmp(workdir / "2.bmp")
    assert composed.size == (2304, 800)
    for x in (1110, 1279, 1280, 1490):
        assert composed.getpixel((x, 300)) == RED, x
        assert drawing.getpixel((x, 300)) == RED, x
    assert drawing.getpixel((1400, 320)) == KEY
    assert wallpaper(rig) == (workdir.winpath + "\\1.bmp", "0", "22")
    exit_program(rig, program)


def test_the_second_monitor_taken_away_and_given_back_keeps_both_strokes(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    open_session(rig, program)
    stroke(rig, (1100, 200), (1500, 200))  # half of it on the second monitor
    wait_toolbar(program)
    done(rig, program)
    exit_program(rig, program)

    try:
        rig.restart_display([(1280, 800)])
        program = start_and_settle(rig, kvx, workdir)
        # Composed again for one monitor, tiled as ever.
        assert wallpaper(rig)[1:] == ("1", "0")
        assert settings_lines(workdir)[23] == ""
        surface = open_session(rig, program)
        assert surface["rect"][2:] == [1280, 800]
        stroke(rig, (300, 500), (900, 500))
        wait_toolbar(program)
        done(rig, program)
        assert bmp(workdir / "1.bmp").getpixel((600, 500)) == RED
        # The half no monitor shows is kept in the drawing.
        assert bmp(workdir / "2.bmp").getpixel((1400, 200)) == RED
        exit_program(rig, program)
    finally:
        rig.restart_display([(1280, 800), (1024, 768)])

    program = start_and_settle(rig, kvx, workdir)
    wait_until(lambda: wallpaper(rig)[1:] == ("0", "22"), timeout=20, what="the wallpaper spanned again")
    composed = bmp(workdir / "1.bmp")
    assert composed.size == (2304, 800)
    for point in ((1200, 200), (1400, 200), (600, 500)):
        assert composed.getpixel(point) == RED, point
    surface = open_session(rig, program)
    assert surface["rect"] == [0, 0, 2304, 800]
    # The wallpaper as it will look shows the first stroke's half on the second monitor.
    click_face(rig, program, SHOW_WINDOWS)
    wait_until(lambda: rig.grab().getpixel((1400, 200)) == RED, timeout=10, what="the stroke on the second monitor")
    click_face(rig, program, SHOW_WINDOWS)
    done(rig, program)
    exit_program(rig, program)


def test_a_monitor_left_of_the_primary_and_its_drawing_kept_when_it_goes(rig, kvx, workdir):
    try:
        rig.restart_display([(1280, 800), (1024, 768, -1024, 0)])
        assert sorted(m["rect"] for m in rig.monitors()) == [[-1024, 0, 0, 768], [0, 0, 1280, 800]]
        program = first_start(rig, kvx, workdir)
        # The layers start at the left monitor's corner, 1024 px left of the primary's.
        assert settings_lines(workdir)[22] == "-1024,0"
        composed = bmp(workdir / "1.bmp")
        assert composed.size == (2304, 800)
        assert near(composed.getpixel((1024 + 700, 300)), SEA) and near(composed.getpixel((500, 300)), SEA)
        surface = open_session(rig, program)
        assert surface["rect"] == [-1024, 0, 1280, 800]
        stroke(rig, (-300, 300), (300, 300))
        wait_toolbar(program)
        done(rig, program)
        drawing = bmp(workdir / "2.bmp")
        for x in (-290, -1, 0, 290):
            assert drawing.getpixel((1024 + x, 300)) == RED, x
        exit_program(rig, program)

        # The left monitor unplugged: the primary's part is the tiled wallpaper,
        # the other half stays in the drawing where it was.
        rig.restart_display([(1280, 800)])
        program = start_and_settle(rig, kvx, workdir)
        assert wallpaper(rig)[1:] == ("1", "0")
        composed = bmp(workdir / "1.bmp")
        assert composed.size == (1280, 800)
        assert composed.getpixel((200, 300)) == RED
        assert near(composed.getpixel((700, 300)), SEA)
        assert bmp(workdir / "2.bmp").getpixel((1024 - 200, 300)) == RED
        surface = open_session(rig, program)
        stroke(rig, (400, 600), (800, 600))
        wait_toolbar(program)
        done(rig, program)
        assert bmp(workdir / "1.bmp").getpixel((600, 600)) == RED
        assert bmp(workdir / "2.bmp").getpixel((1024 + 600, 600)) == RED
        exit_program(rig, program)
    finally:
        rig.restart_display([(1280, 800), (1024, 768)])


def test_each_position_places_the_photo_on_each_monitor(rig, kvx, workdir):
    program = start_with_photo(rig, kvx, workdir)
    window = open_options(rig, program)
    second = (1280, 0)
    for name in ("Fill", "Fit", "Stretch", "Center", "Tile (unscaled, top-left)"):
        if name != "Fill":  # the first start's own
            picture = place(rig, program, window, name, workdir)
            window = options_window(program)
        else:
            picture = bmp(workdir / "1.bmp")
        assert picture.size == (2304, 800), name
        assert wallpaper(rig)[1:] == ("0", "22")
        # The second monitor is 4:3 like the photo: filled, fitted and
        # stretched alike, whole with its frame.
        if name in ("Fill", "Fit", "Stretch"):
            assert_quadrants(picture, (640, 400))
            assert_quadrants(picture, (512, 384), second)
            assert near(picture.getpixel((1280 + 4, 384)), BLACK) and near(picture.getpixel((2300, 764)), BLACK)
        elif name == "Center":
            assert_quadrants(picture, (640, 400), reach=4)
            assert_quadrants(picture, (512, 384), second, reach=4)
        else:
            for monitor in ((0, 0), second):
                assert near(picture.getpixel((monitor[0] + 10, 10)), BLACK)
                assert near(picture.getpixel((monitor[0] + 900, 700)), QUADRANTS["tl"])
        # Below the smaller monitor no monitor shows anything: white.
        assert picture.getpixel((2000, 790)) == WHITE
    exit_program(rig, program)
