"""The options window end to end: wallpapers added through the system's open
dialog, the preview, "Set selected" with its status message, "Remove", the
Delete key, "Randomize", files dropped from Explorer, "Done" writing the list
(and failing without loss), the list surviving a restart, "Browse", a file
that is no picture, the Run value, and the change every minute and "Never"."""

import re
import time

from conftest import wait_until
from notepad import DESKTOP_KEY, RED, bmp, done, first_start, make_jpeg, open_session, wait_pixel, wait_toolbar
from options import (BROWSE, DONE, EVERY, NEVER, RANDOMIZE, REMOVE, RUN_AT_STARTUP, SET_SELECTED, Lock, Watch,
                     add_files, click, click_entry, drag_files, entries, open_dialog, open_options, options_window,
                     preview_colour, the_list, type_into_dialog, wait_selected)
from tray import choose, dismiss, expect_box, settings_lines, start_and_settle, text_lines

COLOURS = {"green": (20, 160, 40), "gold": (200, 180, 20), "plum": (120, 40, 140)}
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
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


def wallpaper_list(workdir):
    return text_lines(workdir / "wl.ini")


def test_list_edits_and_done_survive_a_restart(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    pics, folder = pictures(workdir)
    (pics / "notes.txt").write_bytes(b"no picture")
    foreign = "\u05d0\u0e01.jpg"  # Hebrew and Thai: no code page holds both
    make_jpeg(pics / foreign)
    window = open_options(rig, program)

    # "Remove" with nothing selected only says so.
    click(rig, window, REMOVE)
    dismiss(rig, expect_box(rig, program, "Select wallpapers first!"))
    assert entries(rig, window) == []

    # Two of three selected and removed: the third stays.
    add_files(rig, program, window, folder, ["green.jpg", "gold.jpg", "plum.jpg"])
    wait_until(lambda: len(entries(rig, window)) == 3, timeout=10, what="three entries")
    names = entries(rig, window)
    keep = names[1]
    click_entry(rig, window, 0)
    click_entry(rig, window, 2, ctrl=True)
    wait_selected(rig, window, [0, 2])
    click(rig, window, REMOVE)
    wait_until(lambda: entries(rig, window) == [keep], timeout=10, what="only the third entry to stay")
    assert the_list(rig, window)["selected"] == []

    # Files dragged from Explorer onto the list: JPEG pictures only, named in any script.
    box = the_list(rig, window)["client"]
    target = ((box[0] + box[2]) // 2, (box[1] + box[3]) // 2)
    dropped = drag_files(rig, (60, 700), target, [f"{folder}\\plum.jpg", f"{folder}\\notes.txt",
                                                  f"{folder}\\{foreign}"])
    assert dropped["dropped"], dropped
    wait_until(lambda: entries(rig, window) == [keep, "plum", foreign[:-4]], timeout=10, what="the dropped pictures")
    assert rig.msgboxes(exe="KVX.exe") == []

    # Delete in the list acts as "Remove".
    click_entry(rig, window, 1)
    wait_selected(rig, window, [1])
    rig.key("Delete")
    wait_until(lambda: entries(rig, window) == [keep, foreign[:-4]], timeout=10, what="Delete to remove the entry")
    add_files(rig, program, window, folder, ["plum.jpg"])
    add_files(rig, program, window, folder, ["green.jpg"])
    wait_until(lambda: entries(rig, window) == [keep, foreign[:-4], "plum", "green"], timeout=10,
               what="the entries added")

    click(rig, window, RANDOMIZE)
    wait_until(lambda: sorted(entries(rig, window)) == sorted([keep, foreign[:-4], "plum", "green"]), timeout=10,
               what="the shuffled list")
    order = entries(rig, window)
    expected = [f"{folder}\\{name}.jpg" for name in order]
    assert foreign in "".join(expected)

    # A list that cannot be written: the error, the window stays, nothing is written.
    before_list, before_settings = (workdir / "wl.ini").read_bytes(), (workdir / "kvx.ini").read_bytes()
    with Lock(rig, workdir.winpath + "\\wl.ini"):
        click(rig, window, DONE)
        box = program.wait_msgbox(timeout=15)
        assert box["text"].startswith(f'Cannot replace file "{workdir.winpath}\\wl.ini". '), box["text"]
        dismiss(rig, box)
        assert options_window(program) is not None
        assert (workdir / "wl.ini").read_bytes() == before_list
        assert (workdir / "kvx.ini").read_bytes() == before_settings

    click(rig, window, DONE)
    wait_until(lambda: options_window(program) is None, timeout=10, what="\"Done\" to close the window")
    wait_until(lambda: wallpaper_list(workdir) == expected, timeout=10, what="wl.ini in the list's order")
    choose(rig, "Exit")
    assert program.wait_exit() == 0

    again = start_and_settle(rig, kvx, workdir)
    window = open_options(rig, again)
    assert entries(rig, window) == order
    choose(rig, "Exit")
    assert again.wait_exit() == 0


def test_a_file_that_is_no_picture_shows_its_error_and_loses_nothing(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    pics, folder = pictures(workdir)
    (pics / "broken.jpg").write_bytes(b"a text file renamed to .jpg\r\n" * 20)
    window = open_options(rig, program)
    add_files(rig, program, window, folder, ["green.jpg"])
    add_files(rig, program, window, folder, ["broken.jpg"])
    wait_until(lambda: entries(rig, window) == ["green", "broken"], timeout=10, what="the two entries")

    click_entry(rig, window, 0)
    wait_until(lambda: near(preview_colour(rig, window), COLOURS["green"]), timeout=10, what="the preview")
    click_entry(rig, window, 1)
    box = program.wait_msgbox(timeout=15)
    assert box["title"] == "Velmora" and re.fullmatch(r"JPEG error #\d+\.", box["text"]), box
    dismiss(rig, box)
    assert near(preview_colour(rig, window), COLOURS["green"]), "the previous preview stays"

    composed, wallpaper = (workdir / "1.bmp").read_bytes(), rig.reg_query(DESKTOP_KEY, "Wallpaper")
    click(rig, window, SET_SELECTED)
    box = program.wait_msgbox(timeout=15)
    assert re.fullmatch(r"JPEG error #\d+\.", box["text"]), box
    dismiss(rig, box)
    window = wait_until(lambda: options_window(program), timeout=10, what="the options window to come back")
    assert (workdir / "1.bmp").read_bytes() == composed
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper") == wallpaper
    assert entries(rig, window) == ["green", "broken"]

    # "Browse" makes a picture the wallpaper without adding it to the list.
    open_dialog(rig, program, window, BROWSE)
    type_into_dialog(rig, program, folder, ["gold.jpg"])
    wait_until(lambda: near(bmp(workdir / "1.bmp").getpixel((640, 400)), COLOURS["gold"]), timeout=20,
               what="the browsed picture as the wallpaper")
    window = wait_until(lambda: options_window(program), timeout=10, what="the options window to come back")
    assert entries(rig, window) == ["green", "broken"]
    click(rig, window, DONE)
    wait_until(lambda: settings_lines(workdir)[15] == f"{folder}\\gold.jpg", timeout=10,
               what="kvx.ini line 16 to name the browsed picture")
    choose(rig, "Exit")  # the program lives on
    assert program.wait_exit() == 0


def test_run_at_startup_and_the_timed_change(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    _, folder = pictures(workdir)
    window = open_options(rig, program)

    # The Run value of the current user, naming the program quoted.
    click(rig, window, RUN_AT_STARTUP)
    wait_until(lambda: rig.reg_query(RUN_KEY, "KVX") == ("REG_SZ", f'"{workdir.winpath}\\KVX.exe"'), timeout=10,
               what="the Run value")
    click(rig, window, RUN_AT_STARTUP)
    wait_until(lambda: rig.reg_query(RUN_KEY, "KVX") is None, timeout=10, what="the Run value to go")

    # "every" 1 minute: the entry after the current wallpaper (the first one,
    # as the current wallpaper is not in the list) within a minute and a half.
    add_files(rig, program, window, folder, ["green.jpg"])
    add_files(rig, program, window, folder, ["gold.jpg"])
    wait_until(lambda: entries(rig, window) == ["green", "gold"], timeout=10, what="the two entries")
    click(rig, window, EVERY)
    started = time.monotonic()
    click(rig, window, DONE)
    wait_until(lambda: settings_lines(workdir)[16:18] == ["2", "1"], timeout=10, what="\"every\" 1 minute saved")
    wait_until(lambda: near(bmp(workdir / "1.bmp").getpixel((640, 400)), COLOURS["green"]), timeout=90,
               what="the timed change to the first entry", strict=True)
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper")[1] == workdir.winpath + "\\1.bmp"

    # "Never": the next tick, a minute after the first, stops the timer
    # instead of changing to the second entry.
    window = open_options(rig, program)
    click(rig, window, NEVER)
    click(rig, window, DONE)
    wait_until(lambda: settings_lines(workdir)[16] == "3", timeout=10, what="\"Never\" saved")
    composed = (workdir / "1.bmp").read_bytes()

    def past_the_second_tick_unchanged():
        assert (workdir / "1.bmp").read_bytes() == composed, "the wallpaper changed after \"Never\""
        return time.monotonic() > started + 2 * 60 + 20

    wait_until(past_the_second_tick_unchanged, timeout=150, what="the second tick to pass", interval=1)
    choose(rig, "Exit")
    assert program.wait_exit() == 0
