""""Next wallpaper": the icon's menu item and its own hotkey step through the
list as the change timer would; with fewer than two pictures the item is
greyed and does nothing."""

from conftest import wait_until
from notepad import bmp, first_start, make_jpeg, near, open_session, with_settings
from tray import MENU_ITEMS, choose, open_menu, settings_lines, start_and_settle

COLOURS = {"red": (200, 30, 30), "green": (30, 180, 60), "blue": (40, 60, 210)}


def wallpaper_colour(workdir):
    return bmp(workdir / "1.bmp").getpixel((100, 100))


def wait_wallpaper(workdir, name):
    wait_until(lambda: near(wallpaper_colour(workdir), COLOURS[name]), timeout=30, what=f"the {name} wallpaper")


def greyed(rig, menu, item="Next wallpaper"):
    """Whether the menu draws the item greyed: its row has no dark text pixels.
    (Wine keeps a process's menus to itself, so they are read on the screen.)"""
    left, top, right, bottom = menu["rect"]
    row = (bottom - top) / len(MENU_ITEMS)
    y = int(top + row * MENU_ITEMS.index(item))
    strip = rig.grab().crop((left + 2, y + 2, right - 2, int(y + row) - 2))
    return not any(max(pixel) < 80 for pixel in strip.getdata())


def restart_with_list(rig, kvx, workdir, program, names, **lines):
    choose(rig, "Exit")
    program.wait_exit(timeout=20)
    paths = []
    for name in names:
        make_jpeg(workdir / f"{name}.jpg", colour=COLOURS[name])
        paths.append(workdir.winpath + f"\\{name}.jpg")
    (workdir / "wl.ini").write_bytes(("\r\n".join(paths) + "\r\n").encode("cp1252"))
    with_settings(workdir, l16=paths[0], **lines)
    return start_and_settle(rig, kvx, workdir)


def test_the_menu_item_and_its_hotkey_step_through_the_list(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    assert settings_lines(workdir)[21] == ""  # no hotkey of its own by default
    program = restart_with_list(rig, kvx, workdir, program, ["red", "green", "blue"], l22="Ctrl+Alt+W")
    menu = open_menu(rig)
    assert not greyed(rig, menu) and not greyed(rig, menu, "Exit")
    choose(rig, "Next wallpaper", menu)
    wait_wallpaper(workdir, "green")
    rig.key("ctrl+alt+w")
    wait_wallpaper(workdir, "blue")
    choose(rig, "Next wallpaper")  # round to the first again
    wait_wallpaper(workdir, "red")
    choose(rig, "Exit")
    program.wait_exit(timeout=20)
    lines = settings_lines(workdir)
    assert lines[15] == workdir.winpath + "\\red.jpg" and lines[21] == "Ctrl+Alt+W"


def test_with_one_picture_the_item_is_greyed(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    program = restart_with_list(rig, kvx, workdir, program, ["green"])
    menu = open_menu(rig)
    assert greyed(rig, menu) and not greyed(rig, menu, "Options")
    choose(rig, "About", menu)
    # Nor during a drawing session, which a step would not wait for.
    program = restart_with_list(rig, kvx, workdir, program, ["green", "blue"])
    open_session(rig, program)
    menu = open_menu(rig)
    assert greyed(rig, menu)
    choose(rig, "Options", menu)  # "Done" first, then the options
