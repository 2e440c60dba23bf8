"""Hostile pictures and failing disks lose nothing: a picture whose header
claims 60000 x 60000 pixels is refused naming its size, "Done" in a work
directory that cannot be written keeps the session and its strokes, and a
second start in the same work directory ends at once."""

import io
import re
import subprocess

import pytest
from PIL import Image

from conftest import wait_until
from notepad import DESKTOP_KEY, RED, bmp, done, first_start, open_session, wait_pixel, wait_toolbar, window
from notepad import DONE as DONE_FACE, click_face
from options import SET_SELECTED, add_files, click, click_entry, entries, open_options, options_window
from tray import ICON_AREA, choose, dismiss, red_pixels, settings_lines, wait_icon

RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
HUGE = "The picture is too large: 60000 x 60000 pixels do not fit in memory."


def huge_jpeg(path):
    """A small JPEG whose frame header claims 60000 x 60000 pixels."""
    data = io.BytesIO()
    Image.new("RGB", (16, 16), (200, 40, 40)).save(data, "JPEG")
    jpeg = bytearray(data.getvalue())
    frame = jpeg.index(b"\xff\xc0")
    jpeg[frame + 5:frame + 9] = b"\xea\x60\xea\x60"
    path.write_bytes(bytes(jpeg))


def test_a_huge_picture_in_set_selected_is_refused_and_changes_nothing(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    pics = workdir / "pics"
    pics.mkdir()
    huge_jpeg(pics / "huge.jpg")
    window = open_options(rig, program)
    add_files(rig, program, window, workdir.winpath + "\\pics", ["huge.jpg"])
    wait_until(lambda: entries(rig, window) == ["huge"], timeout=10, what="the entry")
    click_entry(rig, window, 0)  # the preview, reduced by the codec to an eighth, still fits

    files = {name: (workdir / name).read_bytes() for name in ("1.bmp", "2.bmp", "kvx.ini")}
    wallpaper = rig.reg_query(DESKTOP_KEY, "Wallpaper")
    click(rig, window, SET_SELECTED)
    box = program.wait_msgbox(timeout=15)
    assert box["title"] == "Velmora" and box["text"] == HUGE, box
    dismiss(rig, box)
    wait_until(lambda: options_window(program), timeout=10, what="the options window to come back")
    assert {name: (workdir / name).read_bytes() for name in files} == files
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper") == wallpaper
    choose(rig, "Exit")  # the program lives on
    assert program.wait_exit() == 0


def chattr(flag, path):
    return subprocess.run(["chattr", flag, str(path)], capture_output=True, text=True)


def test_done_in_a_folder_that_cannot_be_written_keeps_the_session(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    before = {name: (workdir / name).read_bytes() for name in ("1.bmp", "2.bmp")}
    open_session(rig, program)
    rig.drag((600, 300), (800, 300))
    wait_pixel(rig, (700, 300), RED, "the stroke")
    wait_toolbar(program)

    # Root ignores permission bits: the immutable flag refuses new files in the folder.
    refused = chattr("+i", workdir.path)
    if refused.returncode:
        pytest.skip(f"the folder cannot be made read-only here: {refused.stderr.strip()}")
    try:
        click_face(rig, program, DONE_FACE)
        box = program.wait_msgbox(timeout=15)
        assert box["title"] == "Velmora"
        # The system's reason, not the runtime's short "Invalid filename".
        match = re.fullmatch(r'Cannot create file "(.*)"\. (.+)', box["text"])
        assert match and match[1] == workdir.winpath + "\\1.bmp", box["text"]
        assert "Invalid filename" not in box["text"] and len(match[2]) > 5, box["text"]
        dismiss(rig, box)
        assert window(program, "TForm2") is not None, "the session stays open"
        assert {name: (workdir / name).read_bytes() for name in before} == before
    finally:
        chattr("-i", workdir.path)

    done(rig, program)  # made writable again: the second "Done" saves the stroke
    assert bmp(workdir / "2.bmp").getpixel((700, 300)) == RED
    assert bmp(workdir / "1.bmp").getpixel((700, 300)) == RED
    assert rig.msgboxes(exe="KVX.exe") == []

    # "Exit" cannot write kvx.ini either: the system's reason, the old file whole, the program lives on.
    settings = (workdir / "kvx.ini").read_bytes()
    chattr("+i", workdir.path)
    try:
        choose(rig, "Exit")
        box = program.wait_msgbox(timeout=15)
        assert box["text"].startswith(f'Cannot create file "{workdir.winpath}\\kvx.ini". '), box["text"]
        dismiss(rig, box)
        assert (workdir / "kvx.ini").read_bytes() == settings and program.running()
    finally:
        chattr("-i", workdir.path)
    choose(rig, "Exit")
    assert program.wait_exit() == 0


def second_starts(rig, kvx):
    for cwd in (None, "/tmp"):  # started in the folder, and from elsewhere
        second = kvx(cwd=cwd)
        assert second.wait_exit(timeout=20) == 0, cwd
        assert rig.msgboxes(exe="KVX.exe") == []
        assert len(rig.processes(exe="KVX.exe")) == 1
    # The slot left of the first icon, where a second one would go, stays empty.
    left, top, right, bottom = ICON_AREA
    assert red_pixels(rig.grab(), (left - 24, top, right - 24, bottom)) == 0
    wait_icon(rig)


def test_a_second_start_ends_at_once_leaving_one_icon_and_a_logoff_writes_the_settings(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    settings = (workdir / "kvx.ini").read_bytes()
    # At logon the program starts by its full path from another folder and finds its own through the Run value.
    run_value = f'"{workdir.winpath}\\KVX.exe"'
    rig.run(["wine", "reg", "add", RUN_KEY, "/v", "KVX", "/d", run_value, "/f"], check=True)
    try:
        second_starts(rig, kvx)
    finally:
        rig.run(["wine", "reg", "delete", RUN_KEY, "/v", "KVX", "/f"])
    assert (workdir / "kvx.ini").read_bytes() == settings

    # The end of the Windows session writes the settings as "Exit" does.
    edited = settings.replace(b"\r\n1\r\n", b"\r\nchanged\r\n", 1)
    assert edited != settings
    (workdir / "kvx.ini").write_bytes(edited)
    answers = {w["class"]: w["answer"] for w in rig.probe("end-session", str(program.winpid))}
    assert answers["TForm1"] == 1, answers
    assert all(answers.values()), "no window holds the logoff up"
    assert (workdir / "kvx.ini").read_bytes() == settings
    choose(rig, "Exit")
    assert program.wait_exit() == 0
