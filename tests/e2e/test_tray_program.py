"""The program as it lives in the notification area: first start, the icon's
menu with "About" and "Exit", the settings kept between runs, and the work
directory found from the logon Run value."""


from PIL import Image

from conftest import COLOUR_KEY_DRAWN, COLOUR_KEY_NOTE, wait_until
from tray import (SETTINGS_DEFAULTS, choose, dismiss, expect_box, open_menu, settings_lines,
                  start_and_settle, visible_windows, wait_icon, ICON_POINT)

DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"


def make_jpeg(path, size=(320, 200), colour=(30, 120, 200)):
    Image.new("RGB", size, colour).save(path, "JPEG", quality=90)


def reg_set(rig, key, name, data):
    rig.run(["wine", "reg", "add", key, "/v", name, "/d", data, "/f"], check=True)


def reg_delete(rig, key, name):
    rig.run(["wine", "reg", "delete", key, "/v", name, "/f"])


def test_first_start_welcomes_and_takes_the_desktop_wallpaper(rig, kvx, workdir):
    make_jpeg(workdir / "sea.jpg")
    wallpaper = workdir.winpath + "\\sea.jpg"
    reg_set(rig, DESKTOP_KEY, "Wallpaper", wallpaper)
    assert settings_lines(workdir)[15] == "first start"

    program = kvx()
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_icon(rig)
    assert visible_windows(program) == [], "nothing but the icon is shown after start-up"
    wait_until(lambda: settings_lines(workdir)[15] == wallpaper, timeout=20,
               what="kvx.ini line 16 to name the desktop wallpaper")
    lines = settings_lines(workdir)
    # Added after the 18 lines supplied; a new user's wallpaper fills the screen.
    assert len(lines) == 25 and lines[18:] == ["Ctrl+Alt+N", "1", "1", "", "0,0", "", ""]
    assert lines[:15] == SETTINGS_DEFAULTS

    # The next start is not a first start: no welcome, nothing shown.
    choose(rig, "Exit")
    assert program.wait_exit() == 0
    again = start_and_settle(rig, kvx, workdir)
    wait_icon(rig)
    assert rig.msgboxes(exe="KVX.exe") == []
    assert settings_lines(workdir)[15] == wallpaper
    choose(rig, "Exit")
    assert again.wait_exit() == 0


def test_menu_opens_at_the_pointer_about_card_and_exit(rig, kvx, workdir):
    program = kvx()
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_icon(rig)

    menu = open_menu(rig)
    left, top, right, bottom = menu["rect"]
    x, y = ICON_POINT
    # At the pointer: in the screen's corner it opens up and to the left, kept above the taskbar.
    assert left - 2 <= x <= right + 2 and y - 12 <= bottom <= y + 2, (menu["rect"], ICON_POINT)
    choose(rig, "About", menu)
    card = wait_until(lambda: next(iter(visible_windows(program, "TForm10")), None), timeout=10,
                      what="the about card")
    left, top, right, bottom = card["rect"]
    assert (right - left, bottom - top) == (500, 350)
    if COLOUR_KEY_DRAWN:
        screen = rig.grab()
        # Rounded corners: the desktop (here the first start's wallpaper) shows
        # through; the title bar is blue, the card itself light.
        desktop = screen.getpixel((left - 3, top + 1))
        assert screen.getpixel((left + 1, top + 1)) == desktop
        assert screen.getpixel((right - 2, bottom - 2)) == desktop
        assert screen.getpixel((left + 250, top + 24)) == (0, 0, 255)
        assert screen.getpixel((left + 20, top + 100)) != rig.desktop_colour
    else:
        print(COLOUR_KEY_NOTE)
    rig.click(left + 250, top + 320)  # "OK"
    wait_until(lambda: not visible_windows(program, "TForm10"), timeout=10, what="the about card to close")

    # "Options" shows the options window in the middle of the screen; its close box hides it.
    choose(rig, "Options")
    options = wait_until(lambda: next(iter(visible_windows(program, "TForm7")), None), timeout=10,
                         what="the options window")
    assert options["title"] == "Options"
    left, top, right, bottom = options["rect"]
    assert abs((left + right) // 2 - 640) <= 2 and abs((top + bottom) // 2 - 400) <= 2
    rig.click(right - 12, top + 10)  # the title bar's close box
    wait_until(lambda: not visible_windows(program, "TForm7"), timeout=10, what="the options window to close")

    choose(rig, "Exit")
    assert program.wait_exit() == 0
    wait_icon(rig, shown=False)
    lines = settings_lines(workdir)
    assert len(lines) == 25 and lines[:15] == SETTINGS_DEFAULTS


def test_settings_written_by_one_run_are_restored_by_the_next(rig, kvx, workdir):
    make_jpeg(workdir / "sea.jpg")
    saved = ["37", "5", "0", "300", "200", "100", "120", "250", "300", "12", "400", "150", "320", "280", "0",
             workdir.winpath + "\\sea.jpg", "3", "15"]
    (workdir / "kvx.ini").write_bytes(("\r\n".join(saved) + "\r\n").encode("cp1252"))
    # The work files of an earlier run.
    Image.new("RGB", (1280, 800), (30, 120, 200)).save(workdir / "1.bmp")
    Image.new("RGB", (1280, 800), (78, 97, 188)).save(workdir / "2.bmp")
    program = start_and_settle(rig, kvx, workdir)
    # An older file of 18 lines: read as it stands, the new lines added after it.
    # An upgrade keeps the unscaled picture its user had.
    saved += ["Ctrl+Alt+N", "1", "0", "", "0,0", "", ""]
    assert settings_lines(workdir) == saved
    wait_icon(rig)
    choose(rig, "Exit")
    assert program.wait_exit() == 0
    assert settings_lines(workdir) == saved


def test_a_broken_number_takes_its_default_and_start_up_goes_on_with_every_other_line(rig, kvx, workdir):
    broken = ["50", "2", "1", "321", "123", "1O0"] + SETTINGS_DEFAULTS[6:] + ["C:\\nowhere.jpg", "3", "1"]
    (workdir / "kvx.ini").write_bytes(("\r\n".join(broken) + "\r\n").encode("cp1252"))
    program = kvx()
    dismiss(rig, expect_box(rig, program, "'1O0' is not a valid integer value."))
    # The layers are prepared before that box: here there are no work files.
    dismiss(rig, expect_box(rig, program, f'Cannot open file "{workdir.winpath}\\1.bmp". File not found.'))
    # "Exit" writes what the file held, line 6 with its default.
    choose(rig, "Exit")
    assert program.wait_exit() == 0
    lines = settings_lines(workdir)
    assert lines[:15] == broken[:5] + SETTINGS_DEFAULTS[5:15]
    assert lines[15:] == ["C:\\nowhere.jpg", "3", "1", "Ctrl+Alt+N", "1", "0", "", "0,0", "", ""]


def test_started_elsewhere_the_work_directory_comes_from_the_run_value(rig, kvx, workdir):
    reg_set(rig, RUN_KEY, "KVX", '"' + workdir.winpath + '\\KVX.exe"')
    elsewhere = rig.prefix / "drive_c" / "e2e-elsewhere"
    elsewhere.mkdir(exist_ok=True)
    try:
        program = kvx(cwd=str(elsewhere))
        dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
        wait_until(lambda: settings_lines(workdir)[15] != "first start", timeout=20,
                   what="start-up to rewrite the work directory's kvx.ini")
        assert not (elsewhere / "kvx.ini").exists()
        choose(rig, "Exit")
        assert program.wait_exit() == 0
    finally:
        reg_delete(rig, RUN_KEY, "KVX")


def test_a_missing_wallpaper_list_is_an_empty_one(rig, kvx, workdir):
    (workdir / "wl.ini").unlink()
    program = kvx()
    # No box for it: the settings are read, and this is a first start.
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_until(lambda: settings_lines(workdir)[15] != "first start", timeout=20, what="start-up to finish")
    wait_icon(rig)
    assert rig.msgboxes(exe="KVX.exe") == []
    choose(rig, "Exit")
    assert program.wait_exit() == 0
