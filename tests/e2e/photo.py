"""A photo of four coloured quadrants in a black frame, made the wallpaper by a
first start, and the options window placing it anew."""

from PIL import Image

from conftest import wait_until
from notepad import DESKTOP_KEY, bmp, settings_lines_done, settings_text
from options import choose_position, options_window
from tray import dismiss, expect_box, wait_icon

QUADRANTS = {"tl": (220, 30, 30), "tr": (30, 200, 60), "bl": (40, 60, 220), "br": (240, 220, 40)}
BLACK = (0, 0, 0)
FRAME = 40  # pixels of the photo's frame


def make_photo(path, size=(4000, 3000)):
    w, h = size
    image = Image.new("RGB", size, BLACK)
    for (name, colour), (left, top) in zip(QUADRANTS.items(), ((0, 0), (w // 2, 0), (0, h // 2), (w // 2, h // 2))):
        image.paste(colour, (max(left, FRAME), max(top, FRAME), min(left + w // 2, w - FRAME),
                             min(top + h // 2, h - FRAME)))
    image.save(path, "JPEG", quality=92)


def near(colour, expected, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def assert_quadrants(picture, border, off=(0, 0), reach=20):
    """The four colours meet at `border` (a point of the monitor at `off`)."""
    x, y = border[0] + off[0], border[1] + off[1]
    for name, (dx, dy) in (("tl", (-reach, -reach)), ("tr", (reach, -reach)), ("bl", (-reach, reach)),
                           ("br", (reach, reach))):
        assert near(picture.getpixel((x + dx, y + dy)), QUADRANTS[name]), (name, border, off)


def start_with_photo(rig, kvx, workdir):
    """A first start on a desktop whose wallpaper is the photo."""
    make_photo(workdir / "photo.jpg")
    rig.run(["wine", "reg", "add", DESKTOP_KEY, "/v", "Wallpaper", "/d", workdir.winpath + "\\photo.jpg", "/f"],
            check=True)
    (workdir / "kvx.ini").write_bytes(settings_text())
    program = kvx()
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_until(lambda: settings_lines_done(workdir), timeout=30, what="start-up to finish")
    wait_icon(rig)
    return program


def place(rig, program, window, name, workdir):
    before = (workdir / "1.bmp").stat().st_mtime_ns
    choose_position(rig, program, window, name)
    wait_until(lambda: (workdir / "1.bmp").stat().st_mtime_ns != before, timeout=30,
               what=f"the wallpaper placed anew for {name}")
    wait_until(lambda: options_window(program), timeout=15, what="the options window back")
    return bmp(workdir / "1.bmp")
