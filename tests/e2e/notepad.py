"""A drawing session as a user runs it: the icon opens it, the toolbar's faces
are clicked where they are drawn, the work files are read back."""

from PIL import Image

from conftest import scaled, wait_until
from tray import dismiss, expect_box, settings_lines, wait_icon

KEY = (78, 97, 188)  # the drawing layer's "nothing drawn here"
RED = (255, 0, 0)
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"

# Client points of the toolbar's faces (centres), from its layout.
DONE = (120, 183)
CANCEL_ALL = (170, 143)
CANCEL_LAST = (170, 111)
TEXT = (170, 79)
COPY_WIN = (170, 23)
BRUSH = (80, 19)
ERASE_LAST = (80, 51)
ERASE_ALL = (80, 83)
SHOW_WINDOWS = (136, 50)
BACKGROUND = (10, 160)  # bare background: where a drag moves the toolbar
SIZE_BAR = (66, 114)


def make_jpeg(path, size=(1280, 800), colour=(30, 120, 200)):
    Image.new("RGB", size, colour).save(path, "JPEG", quality=90)


def settings_text(size=5, colour=9, show_windows="1", wallpaper="first start", mode="3", minutes="1"):
    lines = [str(size), str(colour), show_windows, "192", "109", "197", "274", "205", "357", "38", "205", "375",
             "289", "305", "0", wallpaper, mode, minutes]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def with_settings(workdir, **lines):
    """Rewrites lines of kvx.ini, named l1, l2 and so on."""
    current = settings_lines(workdir)
    for number, value in lines.items():
        current[int(number[1:]) - 1] = value
    (workdir / "kvx.ini").write_bytes(("\r\n".join(current) + "\r\n").encode("cp1252"))


def first_start(rig, kvx, workdir, wallpaper_colour=(30, 120, 200), **settings):
    """A first start on a desktop whose wallpaper is a JPEG; returns the
    program once start-up has written the work files."""
    make_jpeg(workdir / "sea.jpg", colour=wallpaper_colour)
    rig.run(["wine", "reg", "add", DESKTOP_KEY, "/v", "Wallpaper", "/d", workdir.winpath + "\\sea.jpg", "/f"],
            check=True)
    (workdir / "kvx.ini").write_bytes(settings_text(**settings))
    program = kvx()
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_until(lambda: settings_lines_done(workdir), timeout=30, what="start-up to finish")
    wait_icon(rig)
    return program


def settings_lines_done(workdir):
    data = (workdir / "kvx.ini").read_bytes()
    return b"first start" not in data and (workdir / "1.bmp").exists() and (workdir / "2.bmp").exists()


def window(program, cls):
    return next((w for w in program.windows() if w["class"] == cls), None)


def toolbar_point(program, point):
    left, top, _, _ = window(program, "TForm1")["rect"]
    x, y = scaled(program.dpi, point)
    return left + x, top + y


def open_session(rig, program):
    rig.click(*rig.icon_point)
    surface = wait_until(lambda: window(program, "TForm2"), timeout=15, what="the drawing surface")
    wait_until(lambda: window(program, "TForm1"), timeout=15, what="the toolbar")
    return surface


def click_face(rig, program, point):
    rig.click(*toolbar_point(program, point))


def take_keyboard(rig, program):
    """The tool keys act while the toolbar or the drawing has the keyboard: a
    click on the toolbar's bare background gives it, once the system has made
    the toolbar the foreground window (a key sent before is lost)."""
    click_face(rig, program, BACKGROUND)
    wait_until(lambda: (window(program, "TForm1") or {}).get("foreground"), timeout=10,
               what="the toolbar to take the keyboard")


def wait_toolbar(program, shown=True):
    wait_until(lambda: (window(program, "TForm1") is not None) == shown, timeout=10,
               what="the toolbar to " + ("show" if shown else "hide"))


def done(rig, program):
    click_face(rig, program, DONE)
    wait_until(lambda: window(program, "TForm2") is None and window(program, "TForm1") is None, timeout=15,
               what="'Done' to hide both windows")


def pixel(rig, point):
    return rig.grab().getpixel(point)


def wait_pixel(rig, point, colour, what, timeout=10):
    wait_until(lambda: pixel(rig, point) == colour, timeout=timeout, what=what)


def bmp(path):
    with Image.open(path) as image:
        return image.convert("RGB")


def near(colour, expected, tolerance=6):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))
