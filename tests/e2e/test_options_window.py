"""The options window end to end: wallpapers added through the system's open
dialog, the preview, "Set selected" with its status message, "Remove",
"Randomize", files dropped from Explorer, "Done" writing the list, and the
wallpaper list surviving a restart."""

from conftest import wait_until
from notepad import DESKTOP_KEY, RED, bmp, done, first_start, make_jpeg, open_session, wait_pixel, wait_toolbar
from options import (ADD, DONE, REMOVE, SET_SELECTED, Watch, add_files, click, click_entry, entries,
                     open_options, options_window, preview_colour, the_list, wait_selected)
from tray import choose, dismiss, expect_box, settings_lines, start_and_settle, wait_icon

COLOURS = {"green": (20, 160, 40), "gold": (200, 180, 20), "plum": (120, 40, 140)}
STROKE = ((100, 650), (300, 650))  # clear of the toolbar and of the options window in the middle


def near(colour, expected, tolerance=8):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def pictures(workdir):
    folder = workdir / "pics"
    folder.mkdir()
    for name, colour in COLOURS.items():
        make_jpeg(folder / f"{name}.jpg", colour=colour)
    return folder, workdir.winpath + "\\pics"


def draw_a_stroke(rig, program):
    open_session(rig, program)
    rig.drag(*STROKE)
    wait_pixel(rig, (200, 650), RED, "the stroke")
    wait_toolbar(program)
    done(rig, program)


def test_added_pictures_preview_and_set_selected_lays_the_drawing_over(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    draw_a_stroke(rig, program)
    _, folder = pictures(workdir)
    window = open_options(rig, program)

    add_files(rig, program, window, folder, ["green.jpg", "gold.jpg", "plum.jpg"])
    paths = [f"{folder}\\{name}.jpg" for name in COLOURS]
    wait_until(lambda: len(entries(rig, window)) == 3, timeout=10, what="three entries in the list")
    assert sorted(entries(rig, window)) == sorted(COLOURS)
    assert the_list(rig, window)["selected"] == []

    index = entries(rig, window).index("gold")
    click_entry(rig, window, index)
    wait_selected(rig, window, [index])
    wait_until(lambda: near(preview_colour(rig, window), COLOURS["gold"]), timeout=10, what="the preview of gold")

    watch = Watch(rig, program, "TForm6")
    click(rig, window, SET_SELECTED)
    code, states = watch.wait()
    assert code == 0, f"the status message never came and went: {states}"
    # The status message stands in for the options window while the change runs.
    assert any("TForm6" in s and "TForm7" not in s for s in states), states
    wait_until(lambda: options_window(program), timeout=10, what="the options window to come back")
    wait_until(lambda: near(rig.grab().getpixel((200, 400)), COLOURS["gold"]), timeout=10,
               what="the new wallpaper on the desktop")
    assert rig.grab().getpixel((200, 650)) == RED, "the drawing lies over the new picture"
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper")[1] == workdir.winpath + "\\1.bmp"
    assert near(bmp(workdir / "1.bmp").getpixel((200, 400)), COLOURS["gold"])

    click(rig, options_window(program), DONE)
    wait_until(lambda: options_window(program) is None, timeout=10, what="\"Done\" to close the window")
    wait_until(lambda: settings_lines(workdir)[15] == paths[list(COLOURS).index("gold")], timeout=10,
               what="kvx.ini line 16 to name the selected picture")
    choose(rig, "Exit")
    assert program.wait_exit() == 0
