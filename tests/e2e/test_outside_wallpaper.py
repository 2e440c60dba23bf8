"""A wallpaper set by another program, as a settings page sets it (the
registry value, then the system call), gets the drawing laid over it, a JPEG,
BMP or PNG alike; a picture of another kind is left alone with a balloon; the options' switch
turns this off."""

from PIL import Image

from conftest import wait_until
from notepad import DESKTOP_KEY, RED, bmp, done, first_start, make_jpeg, near, open_session, pixel, wait_toolbar
from options import DONE, click, open_options
from tray import choose, settings_lines

KEEP_DRAWING = (16, 530)  # client point of the switch in the options window
STROKE, BESIDE = (700, 300), (700, 360)


def set_from_outside(rig, workdir, name):
    path = workdir.winpath + "\\" + name
    rig.run(["wine", "reg", "add", DESKTOP_KEY, "/v", "Wallpaper", "/d", path, "/f"], check=True)
    rig.set_wallpaper(path)
    return path


def wait_desktop(rig, colour, what):
    wait_until(lambda: near(pixel(rig, BESIDE), colour) and pixel(rig, STROKE) == RED, timeout=15, what=what)


def test_the_drawing_is_laid_over_a_wallpaper_set_elsewhere(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    open_session(rig, program)
    rig.drag((600, 300), (800, 300))
    wait_until(lambda: pixel(rig, STROKE) == RED, timeout=10, what="the stroke")
    wait_toolbar(program)
    done(rig, program)

    green = (40, 160, 60)
    make_jpeg(workdir / "garden.jpg", colour=green)
    garden = set_from_outside(rig, workdir, "garden.jpg")
    wait_desktop(rig, green, "the outside JPEG with the drawing over it")
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper")[1] == workdir.winpath + "\\1.bmp"
    assert near(bmp(workdir / "1.bmp").getpixel(BESIDE), green)
    assert bmp(workdir / "1.bmp").getpixel(STROKE) == RED

    # A BMP by any name is taken too, kept as "1.jpg" like a first start's.
    yellow = (220, 200, 40)
    Image.new("RGB", (1280, 800), yellow).save(workdir / "sun.bmp", "BMP")
    set_from_outside(rig, workdir, "sun.bmp")
    wait_desktop(rig, yellow, "the outside BMP with the drawing over it")

    # A PNG is taken where it is.
    violet = (150, 60, 200)
    Image.new("RGB", (1280, 800), violet).save(workdir / "dusk.png", "PNG")
    set_from_outside(rig, workdir, "dusk.png")
    wait_desktop(rig, violet, "the outside PNG with the drawing over it")
    assert bmp(workdir / "1.bmp").getpixel(STROKE) == RED

    # Another kind of picture is left alone, with a balloon at the icon.
    Image.new("RGB", (64, 64), (200, 0, 200)).save(workdir / "flower.gif", "GIF")
    flower = set_from_outside(rig, workdir, "flower.gif")
    wait_until(lambda: any(w["class"].lower() == "tooltips_class32" for w in rig.windows()), timeout=15,
               what="the icon's balloon")
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper")[1] == flower
    assert near(bmp(workdir / "1.bmp").getpixel(BESIDE), violet)
    assert rig.msgboxes(pid=program.winpid) == []

    set_from_outside(rig, workdir, "garden.jpg")
    wait_desktop(rig, green, "the JPEG again")
    choose(rig, "Exit")  # a settings write
    program.wait_exit()
    assert settings_lines(workdir)[15] == garden


def test_the_switch_in_the_options_turns_it_off(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    before = (workdir / "1.bmp").read_bytes()
    options = open_options(rig, program)
    click(rig, options, KEEP_DRAWING)
    click(rig, options, DONE)
    wait_until(lambda: settings_lines(workdir)[19] == "0", timeout=10, what="line 20 to say off")

    make_jpeg(workdir / "garden.jpg", colour=(40, 160, 60))
    garden = set_from_outside(rig, workdir, "garden.jpg")
    # The program looks at a change before it takes later input, so once the
    # menu has opened the options again, it has let the change be.
    open_options(rig, program)
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper")[1] == garden
    assert (workdir / "1.bmp").read_bytes() == before
