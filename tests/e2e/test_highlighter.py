"""The highlighter: 40 % of the brush colour over the wallpaper, no darker
where the stroke crosses itself, and still see-through over the next
wallpaper, because "2.bmp" keeps each pixel's opacity."""

import struct

from conftest import wait_until
from notepad import bmp, done, first_start, make_jpeg, open_session, take_keyboard, wait_toolbar
from options import SET_SELECTED, click, click_entry, open_options, wait_selected

YELLOW = (255, 255, 0)
GREEN = (20, 160, 40)
# Along the stroke (brush 5 makes a highlighter 10 wide, rows 495 to 504),
# where it crosses itself, and on its upright part.
POINTS = [(x, y) for x in range(520, 781, 40) for y in (496, 500, 503)] + [(700, 500), (600, 500), (700, 470)]


def blend(colour, under):
    return tuple((c * 102 + u * 153 + 127) // 255 for c, u in zip(colour, under))


def close(a, b, levels=2):
    return all(abs(x - y) <= levels for x, y in zip(a, b))


def opacity(path, point):
    """The alpha byte of a pixel of a 32-bit bottom-up BMP."""
    data = path.read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    assert bits == 32, f"2.bmp has {bits} bits per pixel"
    x, y = point
    return data[offset + ((height - 1 - y) * width + x) * 4 + 3]


def test_a_highlighter_stroke_stays_see_through_over_the_next_wallpaper(rig, kvx, workdir):
    make_jpeg(workdir / "green.jpg", colour=GREEN)
    (workdir / "wl.ini").write_bytes(f"{workdir.winpath}\\green.jpg\r\n".encode("cp1252"))
    program = first_start(rig, kvx, workdir, colour=11)  # brush size 5, yellow
    wallpaper = bmp(workdir / "1.bmp").getpixel((640, 300))
    open_session(rig, program)

    take_keyboard(rig, program)
    rig.key("h")
    # Right, back over itself, then up and down across itself, slowly enough
    # that each move is delivered.
    path = [(650, 500), (800, 500), (600, 500), (700, 450), (700, 560)]
    args = ["mousemove", 500, 500, "mousedown", 1]
    for x, y in path:
        args += ["sleep", 0.15, "mousemove", x, y]
    rig.xdotool(*args, "sleep", 0.15, "mouseup", 1)
    expected = blend(YELLOW, wallpaper)
    wait_until(lambda: close(rig.grab().getpixel((760, 500)), expected), timeout=10, what="the highlighter stroke")
    wait_toolbar(program)
    done(rig, program)

    composed, drawing = bmp(workdir / "1.bmp"), bmp(workdir / "2.bmp")
    for point in POINTS:
        assert close(composed.getpixel(point), expected), f"1.bmp at {point}: {composed.getpixel(point)}"
        assert drawing.getpixel(point) == YELLOW, f"2.bmp at {point}"
        assert opacity(workdir / "2.bmp", point) == 102
    assert composed.getpixel((760, 520)) == wallpaper
    assert opacity(workdir / "2.bmp", (760, 520)) == 255

    window = open_options(rig, program)
    click_entry(rig, window, 0)
    wait_selected(rig, window, [0])
    click(rig, window, SET_SELECTED)
    green = blend(YELLOW, GREEN)
    wait_until(lambda: close(bmp(workdir / "1.bmp").getpixel((760, 500)), green), timeout=20,
               what="the stroke over the new wallpaper in 1.bmp")
    composed = bmp(workdir / "1.bmp")
    for point in POINTS:
        assert close(composed.getpixel(point), green), f"1.bmp at {point}: {composed.getpixel(point)}"
    assert close(composed.getpixel((760, 520)), GREEN)
