"""Long runs leave nothing behind: drawing sessions (the icon, a stroke,
"Done") and wallpaper changes ("Set selected") end with the GDI and USER
objects the program owns where they were and its private memory nearly so.

Wine counts no GDI or USER objects of a process (GetGuiResources answers 0)
and no private bytes, so the figures are the program's own counts of what its
handle owners hold, read through the probe, and Wine's PagefileUsage (the
process's private resident memory). The full run (`make soak`) is a few
minutes; `make test` runs a shorter one."""

import time

import pytest

from conftest import wait_until
from notepad import RED, bmp, done, first_start, make_jpeg, near, open_session, wait_pixel, wait_toolbar
from options import DONE as OPTIONS_DONE, SET_SELECTED, at, click, open_options, options_window, the_list

COLOURS = [(20, 160, 40), (200, 180, 20)]
OBJECTS = 2  # objects that may come or go between two idle moments
MEMORY = 16 << 20  # private memory growth allowed over a run; one drawing layer is 4 MB


def resources(rig, program):
    figures = rig.probe("resources", str(program.winpid))[0]
    assert figures["gdi"] > 0 and figures["user"] > 0, f"the program gives no counts: {figures}"
    return figures


def session(rig, program, y):
    open_session(rig, program)
    rig.drag((600, y), (800, y), steps=4)
    wait_pixel(rig, (700, y), RED, f"the stroke at y {y}")
    wait_toolbar(program)
    done(rig, program)


def change(rig, program, window, index):
    """Selects the list's entry and clicks "Set selected"; returns the options
    window once it is back with the new wallpaper written."""
    box = the_list(rig, window)
    entry = (box["client"][0] + 30, box["client"][1] + (index - box["top_index"]) * box["item_height"] + 4)
    before = (program.workdir / "1.bmp").stat().st_mtime_ns
    rig.xdotool("mousemove", *entry, "click", 1, "mousemove", *at(window, SET_SELECTED), "click", 1)
    wait_until(lambda: (program.workdir / "1.bmp").stat().st_mtime_ns != before, timeout=20,
               what="the change to write 1.bmp")
    return wait_until(lambda: options_window(program), timeout=20, what="the options window to come back")


def soak(rig, kvx, workdir, sessions, changes):
    for name, colour in zip("ab", COLOURS):
        make_jpeg(workdir / f"{name}.jpg", colour=colour)
    (workdir / "wl.ini").write_bytes("".join(f"{workdir.winpath}\\{n}.jpg\r\n" for n in "ab").encode("cp1252"))
    program = first_start(rig, kvx, workdir)
    program.workdir = workdir
    rows = [200 + 4 * i for i in range(sessions + 1)]
    # A first session and change make what the program makes once (caches, lazily built faces).
    session(rig, program, rows[0])
    window = change(rig, program, open_options(rig, program), 0)
    click(rig, window, OPTIONS_DONE)
    wait_until(lambda: not options_window(program), timeout=10, what="the options window to close")
    before = resources(rig, program)

    started = time.monotonic()
    for y in rows[1:]:
        session(rig, program, y)
    window = open_options(rig, program)
    for i in range(changes):
        window = change(rig, program, window, (i + 1) % 2)
    click(rig, window, OPTIONS_DONE)
    wait_until(lambda: not options_window(program), timeout=10, what="the options window to close")
    seconds = time.monotonic() - started
    after = resources(rig, program)

    print(f"\n{sessions} sessions, {changes} changes in {seconds:.0f} s; before {before}; after {after}")
    composed = bmp(workdir / "1.bmp")
    assert near(composed.getpixel((300, 700)), COLOURS[changes % 2]), "the last change's picture"
    assert all(composed.getpixel((700, y)) == RED for y in rows), "every session's stroke is kept"
    assert abs(after["gdi"] - before["gdi"]) <= OBJECTS, (before, after)
    assert abs(after["user"] - before["user"]) <= OBJECTS, (before, after)
    assert after["pagefile"] - before["pagefile"] < MEMORY, (before, after)
    return program


def test_sessions_and_wallpaper_changes_leave_the_handles_and_memory_as_they_were(rig, kvx, workdir):
    soak(rig, kvx, workdir, sessions=8, changes=4)


@pytest.mark.soak
def test_a_hundred_sessions_and_fifty_wallpaper_changes_leave_the_handles_and_memory_as_they_were(
        rig, kvx, workdir):
    soak(rig, kvx, workdir, sessions=100, changes=50)
