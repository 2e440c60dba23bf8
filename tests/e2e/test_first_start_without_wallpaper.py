"""A first start on a desktop without a usable wallpaper picture (none, or a
GIF), or with one known only by its content (a PNG, a JPEG without an
extension), starts cleanly: the desktop's colour becomes "1.jpg" and the
current wallpaper, or the picture found stays the current wallpaper."""

import pytest
from PIL import Image

from conftest import wait_until
from notepad import DESKTOP_KEY, RED, bmp, done, open_session, settings_text, wait_pixel, wait_toolbar
from tray import choose, dismiss, expect_box, settings_lines, start_and_settle, wait_icon


def near(colour, expected, tolerance=6):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def clean_first_start(rig, kvx, workdir, current="1.jpg"):
    """A first start without an error box; `current` is what becomes the current wallpaper."""
    (workdir / "kvx.ini").write_bytes(settings_text())  # a red brush of size 5
    program = kvx()
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    expected = workdir.winpath + "\\" + current
    wait_until(lambda: settings_lines(workdir)[15] == expected, timeout=30,
               what=f"kvx.ini line 16 to name {current}")
    wait_icon(rig)
    assert rig.msgboxes(exe="KVX.exe") == [], "no error box"
    for name in ("1.bmp", "2.bmp", current):
        assert (workdir / name).exists(), name
    return program


def test_no_wallpaper_gives_the_desktop_colour_and_a_working_notepad(rig, kvx, workdir):
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper") is None
    desktop = rig.desktop_colour
    program = clean_first_start(rig, kvx, workdir)
    assert near(bmp(workdir / "1.bmp").getpixel((640, 400)), desktop)

    open_session(rig, program)
    rig.drag((600, 300), (800, 300))
    wait_pixel(rig, (700, 300), RED, "the stroke")
    wait_toolbar(program)
    done(rig, program)
    assert bmp(workdir / "2.bmp").getpixel((700, 300)) == RED
    choose(rig, "Exit")
    assert program.wait_exit() == 0

    # The next start is an ordinary one.
    again = start_and_settle(rig, kvx, workdir)
    wait_icon(rig)
    assert rig.msgboxes(exe="KVX.exe") == []
    assert bmp(workdir / "1.bmp").getpixel((700, 300)) == RED
    choose(rig, "Exit")
    assert again.wait_exit() == 0


@pytest.mark.parametrize("kind", ["png", "gif", "extensionless-jpeg"])
def test_a_wallpaper_known_by_its_content(rig, kvx, workdir, kind):
    colour = (200, 60, 30)
    path = workdir / {"png": "paper.png", "gif": "paper.gif", "extensionless-jpeg": "TranscodedWallpaper"}[kind]
    Image.new("RGB", (1280, 800), colour).save(path, {"png": "PNG", "gif": "GIF"}.get(kind, "JPEG"))
    rig.run(["wine", "reg", "add", DESKTOP_KEY, "/v", "Wallpaper", "/d", workdir.winpath + "\\" + path.name, "/f"],
            check=True)
    program = clean_first_start(rig, kvx, workdir, "1.jpg" if kind == "gif" else path.name)
    shown = bmp(workdir / "1.bmp").getpixel((640, 400))
    if kind == "gif":
        assert near(shown, rig.desktop_colour)  # not a picture the program reads: the desktop's colour
    else:
        assert near(shown, colour)  # a JPEG or PNG keeps its picture
    choose(rig, "Exit")
    assert program.wait_exit() == 0
