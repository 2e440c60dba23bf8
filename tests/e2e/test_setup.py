"""The setup: a silent install into the user's own folder that starts and
draws, the same setup run again over the running program (ended and started
again, the drawing and settings kept byte for byte), a silent uninstall that
ends the program and keeps the user's files; the upgrade from an earlier
version while it runs and the refused downgrade; and the portable zip."""

import shutil

import pytest

from conftest import DIST, KVX_EXE, WorkDir, Program, rect_center, wait_until
from notepad import DESKTOP_KEY, bmp, done, open_session, pixel, wait_pixel, wait_toolbar
from setup import (MSI, RUN_KEY, UNINSTALL_KEY, VERSION, ZIP, Earlier, Installation, file_version, kill_every_kvx,
                   note_package, unpack_zip)
from tray import dismiss, expect_box, settings_lines, wait_icon

BLACK = (0, 0, 0)  # the brush colour of the first-start settings


@pytest.fixture
def plain_desktop(rig):
    rig.set_wallpaper("")
    for name in ("Wallpaper", "TileWallpaper", "WallpaperStyle"):
        rig.run(["wine", "reg", "delete", DESKTOP_KEY, "/v", name, "/f"])
    assert rig.desktop_colour != BLACK
    yield
    kill_every_kvx(rig)


def welcome_and_draw(rig, program, folder, y):
    """The first start's welcome, the icon, a stroke at height y and "Done"."""
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_until(lambda: settings_lines(folder)[15] == folder.winpath + "\\1.jpg", timeout=30,
               what="the first start to finish")
    wait_icon(rig)
    assert rig.msgboxes(exe="KVX.exe") == [], "no error box"
    draw(rig, program, y)


def draw(rig, program, y):
    open_session(rig, program)
    rig.drag((600, y), (800, y))
    wait_pixel(rig, (700, y), BLACK, "the stroke under the pointer")
    wait_toolbar(program)
    done(rig, program)


def test_install_upgrade_over_the_running_program_and_uninstall(rig, plain_desktop):
    note_package()
    setup = Installation(rig)
    assert not setup.path.exists() and setup.entry() is None, "a fresh prefix"
    log = rig.logs / "setup.kvx.log"

    # Silent install: the program, its first-start files, the shortcut, the entry.
    setup.install()
    assert (setup.path / "KVX.exe").read_bytes() == KVX_EXE.read_bytes()
    for name in ("kvx.ini", "wl.ini", "font.typ"):
        assert (setup.path / name).read_bytes() == (DIST / name).read_bytes(), name
    assert setup.shortcut.is_file()
    assert "KVX.exe".encode("utf-16-le") in setup.shortcut.read_bytes() or b"KVX.exe" in setup.shortcut.read_bytes()
    code = setup.entry()
    assert code, "Velmora among the installed programs"
    key = UNINSTALL_KEY + "\\" + code
    assert rig.reg_query(key, "DisplayName")[1] == "Velmora"
    assert rig.reg_query(key, "DisplayVersion")[1] == VERSION
    assert rig.reg_query(key, "Publisher")[1] == "Velmora Software"
    assert rig.reg_query(key, "UninstallString")[1] == f"MsiExec.exe /X{code}"
    packed = "".join(part[::-1] for part in code.strip("{}").split("-")[:3]) + "".join(
        pair[::-1] for part in code.strip("{}").split("-")[3:] for pair in (part[i:i + 2] for i in range(0, len(part), 2)))
    icon = rig.reg_query(rf"HKCU\Software\Microsoft\Installer\Products\{packed}", "ProductIcon")
    assert icon and icon[1].endswith("KVX.ico") and (rig.prefix / "drive_c" / icon[1][3:].replace("\\", "/")).is_file()

    # The installed program starts, welcomes, shows its icon and draws.
    folder = WorkDir(setup.path, setup.winpath)
    program = setup.start(log)
    welcome_and_draw(rig, program, folder, 300)
    assert bmp(setup.path / "2.bmp").getpixel((700, 300)) == BLACK
    kept = setup.user_files()

    # The same setup again over the running program: ended as "Exit" ends it,
    # started again, the files untouched.
    setup.install()
    assert program.wait_exit(30) == 0, "ended by its own 'Exit', not killed"
    restarted = wait_until(lambda: [p["pid"] for p in rig.processes(exe="KVX.exe")], timeout=30,
                           what="the program to be started again")
    assert len(restarted) == 1
    wait_icon(rig)
    assert rig.msgboxes(exe="KVX.exe") == []
    assert (setup.path / "KVX.exe").read_bytes() == KVX_EXE.read_bytes()
    wait_until(lambda: setup.user_files() == kept, timeout=15, what="the user's files to be as they were")
    wait_pixel(rig, (700, 300), BLACK, "the drawing on the desktop after the restart")
    # The restarted program holds the drawing: a new stroke joins the old one.
    again = Program(rig, folder, [], log)
    again._winpid = restarted[0]
    draw(rig, again, 400)
    composed = bmp(setup.path / "1.bmp")
    assert composed.getpixel((700, 300)) == BLACK and composed.getpixel((700, 400)) == BLACK
    kept = setup.user_files()

    # Silent uninstall while it runs: program, shortcut, entry and Run value
    # go; the user's files stay.
    rig.run(["wine", "reg", "add", RUN_KEY, "/v", "KVX", "/d", f'"{setup.winpath}\\KVX.exe"', "/f"], check=True)
    setup.uninstall()
    wait_until(lambda: not rig.processes(exe="KVX.exe"), timeout=30, what="the program to end")
    assert not (setup.path / "KVX.exe").exists()
    assert not setup.shortcut.exists()
    assert setup.entry() is None
    assert rig.reg_query(key, "DisplayName") is None
    assert rig.reg_query(RUN_KEY, "KVX") is None
    assert setup.user_files() == kept


@pytest.fixture
def uninstalled_after(rig):
    """Whatever Velmora the test leaves installed is removed at its end."""
    yield
    setup = Installation(rig)
    for code in setup.entries():
        setup.msiexec("/x", code, "/qn")


def running_kvx(rig, other_than):
    """The one KVX.exe running now, once the one of pid other_than has gone."""
    def found():
        running = rig.processes(exe="KVX.exe")
        return running[0] if len(running) == 1 and running[0]["pid"] != other_than else None
    return wait_until(found, timeout=30, what="the program to be started again")


def msi_log(path):
    data = path.read_bytes()
    return data.decode("utf-16") if data[:2] == b"\xff\xfe" else data.decode("utf-8", "replace")


def test_upgrade_from_the_earlier_version_while_it_runs_and_the_refused_downgrade(rig, plain_desktop,
                                                                                   uninstalled_after):
    note_package()
    earlier = Earlier()
    assert earlier.kvx.read_bytes() != KVX_EXE.read_bytes(), "the earlier program is another build"
    setup = Installation(rig)
    assert setup.entries() == [], "nothing installed"
    shutil.rmtree(setup.path, ignore_errors=True)  # the files an earlier scenario's user kept
    log = rig.logs / "upgrade.kvx.log"

    # The earlier version installed, started, drawn on; started at logon.
    setup.install(earlier.msi)
    assert (setup.path / "KVX.exe").read_bytes() == earlier.kvx.read_bytes()
    code = setup.entry()
    assert rig.reg_query(UNINSTALL_KEY + "\\" + code, "DisplayVersion")[1] == earlier.version
    folder = WorkDir(setup.path, setup.winpath)
    program = setup.start(log)
    welcome_and_draw(rig, program, folder, 300)
    run_value = f'"{setup.winpath}\\KVX.exe"'
    rig.run(["wine", "reg", "add", RUN_KEY, "/v", "KVX", "/d", run_value, "/f"], check=True)
    kept = setup.user_files()
    old_pid = program.winpid

    # This version's setup over the running earlier one: the earlier program
    # saves and ends by itself, the new one starts with every file as it was.
    setup.install(MSI, "/l*v", rig.winpath(rig.logs / "upgrade.msi.log"))
    assert program.wait_exit(30) == 0, "ended by its own 'Exit', not killed"
    started = running_kvx(rig, other_than=old_pid)
    assert started["image"].lower() == (setup.winpath + "\\KVX.exe").lower()
    assert (setup.path / "KVX.exe").read_bytes() == KVX_EXE.read_bytes(), "the new program in place"
    assert file_version(setup.path / "KVX.exe") == VERSION
    wait_icon(rig)
    assert rig.msgboxes(exe="KVX.exe") == []
    wait_until(lambda: setup.user_files() == kept, timeout=15, what="the user's files to be as they were")
    wait_pixel(rig, (700, 300), BLACK, "the drawing on the desktop after the upgrade")
    codes = setup.entries()
    assert len(codes) == 1 and codes[0] != code, f"one entry, the new version's: {codes}"
    new_key = UNINSTALL_KEY + "\\" + codes[0]
    assert rig.reg_query(new_key, "DisplayVersion")[1] == VERSION
    assert rig.reg_query(UNINSTALL_KEY + "\\" + code, "DisplayName") is None
    assert rig.reg_query(RUN_KEY, "KVX")[1] == run_value, "still started at logon"
    assert setup.shortcut.is_file()

    # The earlier setup over this version: refused, silently into its log with
    # both versions named; nothing installed or running is touched.
    message = (f"Velmora {VERSION} is installed; this setup would put the older {earlier.version} in its place. "
               "Uninstall Velmora first to install this version.")
    log_path = rig.logs / "downgrade.msi.log"
    log_path.unlink(missing_ok=True)
    assert setup.refused_install(earlier.msi, "/l*v", rig.winpath(log_path)) == 1603  # ERROR_INSTALL_FAILURE
    assert message in msi_log(log_path)
    assert setup.entries() == codes
    assert rig.reg_query(new_key, "DisplayVersion")[1] == VERSION
    assert (setup.path / "KVX.exe").read_bytes() == KVX_EXE.read_bytes()
    assert [p["pid"] for p in rig.processes(exe="KVX.exe")] == [started["pid"]], "the program left running"
    assert setup.user_files() == kept
    assert rig.reg_query(RUN_KEY, "KVX")[1] == run_value

    # The same with the setup's user interface, as a double click starts it:
    # a box says it, OK ends the setup.
    refused = setup.start_msiexec("/i", rig.winpath(earlier.msi))
    box = wait_until(lambda: next((b for b in rig.msgboxes() if b["text"] == message), None), timeout=60,
                     what="the box refusing the downgrade")
    ok = next(c for c in box["controls"] if c["class"].lower() == "button" and c["text"].replace("&", "") == "OK")
    rig.click(*rect_center(ok["rect"]))
    assert refused.finish() == 1603
    assert not any(b["text"] == message for b in rig.msgboxes())
    assert setup.entries() == codes
    assert (setup.path / "KVX.exe").read_bytes() == KVX_EXE.read_bytes()
    assert [p["pid"] for p in rig.processes(exe="KVX.exe")] == [started["pid"]]
    assert setup.user_files() == kept


def test_the_portable_zip_runs_wherever_it_is_unpacked(rig, plain_desktop):
    note_package()
    place = rig.prefix / "drive_c" / "users" / "Public" / "My tools"
    shutil.rmtree(place, ignore_errors=True)
    place.mkdir(parents=True)
    assert unpack_zip(place) == ["Velmora/", "Velmora/KVX.exe", "Velmora/font.typ", "Velmora/kvx.ini",
                                 "Velmora/wl.ini"]
    assert ZIP.name == f"Velmora-{VERSION}-portable.zip" and MSI.is_file()
    folder = WorkDir(place / "Velmora", rig.winpath(place / "Velmora"))
    program = Program(rig, folder, [], rig.logs / "portable.kvx.log")
    try:
        welcome_and_draw(rig, program, folder, 300)
        assert bmp(folder / "2.bmp").getpixel((700, 300)) == BLACK
        assert pixel(rig, (700, 300)) == BLACK  # the wallpaper now
    finally:
        program.stop()
        shutil.rmtree(place, ignore_errors=True)
