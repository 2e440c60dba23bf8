"""Hostile pictures and failing disks lose nothing: a picture whose header
claims 60000 x 60000 pixels is refused naming its size, "Done" in a work
directory that cannot be written (read-only, or on a full disk) keeps the
session and its strokes, "Exit" there ends after its box, and a second start
in the same work directory ends at once."""

import errno
import io
import os
import re
import shutil
import subprocess

import pytest
from PIL import Image

from conftest import wait_until
from notepad import DESKTOP_KEY, RED, bmp, done, first_start, open_session, wait_pixel, wait_toolbar, window
from notepad import DONE as DONE_FACE, click_face
from options import (SET_SELECTED, add_files, choose_position, click, click_entry, entries, open_options,
                     options_window)
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
    # Unscaled, the whole picture would have to be held (a scaling position
    # decodes it reduced too).
    before = (workdir / "1.bmp").stat().st_mtime_ns
    choose_position(rig, program, window, "Tile (unscaled, top-left)")
    wait_until(lambda: (workdir / "1.bmp").stat().st_mtime_ns != before, timeout=30, what="the wallpaper unscaled")
    window = wait_until(lambda: options_window(program), timeout=10, what="the options window back")

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


class ReadOnlyFolder:
    """The work directory made read-only: root ignores permission bits, so the
    immutable flag refuses new files in it."""
    refused = "Cannot create file"
    reason = None  # Wine's text of the refusal, whichever it chooses

    def __init__(self, workdir):
        self.path = workdir.path

    def block(self):
        refused = chattr("+i", self.path)
        if refused.returncode:
            pytest.skip(f"the folder cannot be made read-only here: {refused.stderr.strip()}")

    def free(self):
        chattr("-i", self.path)

    def close(self):
        self.free()


class FullDisk:
    """The work directory on a small tmpfs of its own, filled to the last block."""
    refused = "Cannot write file"
    reason = "Disk full."  # Wine's text of ERROR_DISK_FULL; the runtime's own has no full stop

    def __init__(self, workdir):
        self.path = workdir.path
        self.filler = workdir / "filler"
        saved = self.path.with_name(self.path.name + ".files")
        shutil.move(self.path, saved)
        self.path.mkdir()
        mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=32m", "tmpfs", str(self.path)],
                                 capture_output=True, text=True)
        self.mounted = mounted.returncode == 0
        for item in saved.iterdir():
            shutil.move(item, self.path)
        saved.rmdir()
        if not self.mounted:
            pytest.skip(f"no tmpfs can be mounted here: {mounted.stderr.strip()}")

    def block(self):
        out = os.open(self.filler, os.O_WRONLY | os.O_CREAT | os.O_APPEND)
        try:
            for size in (1 << 20, 4096):
                try:
                    while os.write(out, bytes(size)):
                        pass
                except OSError as error:
                    assert error.errno == errno.ENOSPC, error
        finally:
            os.close(out)
        assert shutil.disk_usage(self.path).free < 4096

    def free(self):
        self.filler.unlink(missing_ok=True)

    def close(self):
        if self.mounted:
            subprocess.run(["umount", str(self.path)], check=True)


@pytest.fixture(params=[ReadOnlyFolder, FullDisk], ids=["read-only", "full-disk"])
def unwritable(request, workdir):
    """The work directory, made unwritable by block() and writable again by
    free(); listed before `kvx`, so the program has ended before it goes."""
    folder = request.param(workdir)
    yield folder
    folder.close()


def test_done_in_a_folder_that_cannot_be_written_keeps_the_session(rig, unwritable, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    before = {name: (workdir / name).read_bytes() for name in ("1.bmp", "2.bmp")}
    open_session(rig, program)
    rig.drag((600, 300), (800, 300))
    wait_pixel(rig, (700, 300), RED, "the stroke")
    wait_toolbar(program)

    unwritable.block()
    try:
        click_face(rig, program, DONE_FACE)
        box = program.wait_msgbox(timeout=15)
        assert box["title"] == "Velmora"
        # The system's reason, not the runtime's short "Invalid filename".
        match = re.fullmatch(rf'{unwritable.refused} "(.*)"\. (.+)', box["text"])
        assert match and match[1] == workdir.winpath + "\\1.bmp", box["text"]
        assert "Invalid filename" not in box["text"] and len(match[2]) > 5, box["text"]
        assert unwritable.reason in (None, match[2]), box["text"]
        dismiss(rig, box)
        assert window(program, "TForm2") is not None, "the session stays open"
        assert {name: (workdir / name).read_bytes() for name in before} == before
    finally:
        unwritable.free()

    done(rig, program)  # writable again: the second "Done" saves the stroke
    assert bmp(workdir / "2.bmp").getpixel((700, 300)) == RED
    assert bmp(workdir / "1.bmp").getpixel((700, 300)) == RED
    assert rig.msgboxes(exe="KVX.exe") == []

    # "Exit" cannot write kvx.ini either: the system's reason, the old file whole, and the program ends.
    settings = (workdir / "kvx.ini").read_bytes()
    unwritable.block()
    try:
        choose(rig, "Exit")
        box = program.wait_msgbox(timeout=15)
        assert box["text"].startswith(f'{unwritable.refused} "{workdir.winpath}\\kvx.ini". '), box["text"]
        dismiss(rig, box)
        assert program.wait_exit() == 0
        assert (workdir / "kvx.ini").read_bytes() == settings
    finally:
        unwritable.free()


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
