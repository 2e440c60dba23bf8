"""A folder in the wallpaper list: dropped on the list it becomes one entry,
shown with its picture count; the change timer and "Next wallpaper" step
through its pictures by name, read anew, so a picture copied in later joins."""

from conftest import wait_until
from notepad import bmp, first_start, make_jpeg, near
from options import DONE, EVERY, NEVER, click, drag_files, entries, open_options, the_list
from tray import choose, settings_lines, text_lines

COLOURS = {"a": (200, 30, 30), "b": (30, 180, 60), "c": (40, 60, 210), "d": (220, 200, 30)}


def wait_wallpaper(workdir, name, timeout=30):
    wait_until(lambda: near(bmp(workdir / "1.bmp").getpixel((640, 400)), COLOURS[name]), timeout=timeout,
               what=f"picture {name} as the wallpaper")


def test_a_dropped_folder_rotates_through_its_pictures_and_takes_new_ones(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    pictures = workdir / "Holiday"
    pictures.mkdir()
    for name in "cab":  # made out of order: the rotation goes by name
        make_jpeg(pictures / f"{name}.jpg", colour=COLOURS[name])
    (pictures / "notes.txt").write_text("not a picture")
    (pictures / "inner").mkdir()
    make_jpeg(pictures / "inner" / "x.jpg")  # sub-folders are not entered

    window = open_options(rig, program)
    box = the_list(rig, window)["client"]
    dropped = drag_files(rig, (60, 700), ((box[0] + box[2]) // 2, (box[1] + box[3]) // 2),
                         [workdir.winpath + "\\Holiday"])
    assert dropped["dropped"], dropped
    wait_until(lambda: entries(rig, window) == ["Holiday (3 pictures)"], timeout=10, what="the folder entry")

    # "every" 1 minute: the first tick takes the folder's first picture.
    click(rig, window, EVERY)
    click(rig, window, DONE)
    wait_until(lambda: text_lines(workdir / "wl.ini") == [workdir.winpath + "\\Holiday\\"], timeout=10,
               what="the folder saved as one entry")
    wait_wallpaper(workdir, "a", timeout=90)
    window = open_options(rig, program)
    click(rig, window, NEVER)  # no more ticks while the menu steps
    click(rig, window, DONE)
    wait_until(lambda: settings_lines(workdir)[16] == "3", timeout=10, what="\"Never\" saved")

    choose(rig, "Next wallpaper")
    wait_wallpaper(workdir, "b")
    choose(rig, "Next wallpaper")
    wait_wallpaper(workdir, "c")
    # A picture copied into the folder joins the rotation at its place by name.
    make_jpeg(pictures / "d.jpg", colour=COLOURS["d"])
    choose(rig, "Next wallpaper")
    wait_wallpaper(workdir, "d")
    choose(rig, "Next wallpaper")
    wait_wallpaper(workdir, "a")
    window = open_options(rig, program)
    wait_until(lambda: entries(rig, window) == ["Holiday (4 pictures)"], timeout=10, what="the count read anew")
