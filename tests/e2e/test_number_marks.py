"""Numbered marks: each click stamps the next number, and Ctrl+Z takes the
last one back so that the next click gets its number again."""

from notepad import (KEY, RED, bmp, click_face, done, first_start, open_session, pixel, take_keyboard, wait_pixel,
                     wait_toolbar)

NUMBER = (66, 165)  # the "Number" face's centre on the toolbar
RADIUS = 22  # of a mark at brush size 5
INNER = 14  # a square of this half side lies inside the disk


def patch(image, centre):
    x, y = centre
    return [image.getpixel((x + dx, y + dy)) for dy in range(-INNER, INNER + 1) for dx in range(-INNER, INNER + 1)]


def stamp(rig, program, point):
    rig.click(*point)
    wait_pixel(rig, (point[0] - RADIUS + 2, point[1]), RED, f"the mark at {point}")
    wait_toolbar(program)


def test_three_marks_an_undo_and_one_more_read_one_two_three(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)  # brush size 5, red
    wallpaper = bmp(workdir / "1.bmp").getpixel((640, 400))
    open_session(rig, program)
    screen = pixel(rig, (800, 450))
    first, second, third, fourth = (600, 450), (700, 450), (800, 450), (900, 600)

    take_keyboard(rig, program)
    rig.key("n")
    for point in (first, second, third):
        stamp(rig, program, point)
    grab = rig.grab()
    one, two, three = (patch(grab, p) for p in (first, second, third))
    # White digits on the red disk, each number its own.
    assert (255, 255, 255) in one and (255, 255, 255) in three
    assert len({tuple(one), tuple(two), tuple(three)}) == 3

    rig.key("ctrl+z")
    wait_pixel(rig, (third[0] - RADIUS + 2, third[1]), screen, "Ctrl+Z to take the third mark back")
    click_face(rig, program, NUMBER)  # the face chooses it as the key did
    stamp(rig, program, fourth)
    grab = rig.grab()
    assert patch(grab, fourth) == three, "the new mark should read 3"
    assert patch(grab, first) == one and patch(grab, second) == two
    assert set(patch(grab, third)) == {screen}

    done(rig, program)
    composed, drawing = bmp(workdir / "1.bmp"), bmp(workdir / "2.bmp")
    for image in (composed, drawing):
        assert patch(image, first) == one and patch(image, second) == two and patch(image, fourth) == three
    assert set(patch(drawing, third)) == {KEY}
    assert set(patch(composed, third)) == {wallpaper}
