"""Ctrl+Z takes back the session's strokes one at a time, Ctrl+Y redoes them,
and what is kept for that grows with what the strokes touched."""

from conftest import wait_until
from notepad import KEY, RED, bmp, done, first_start, open_session, pixel, wait_pixel, wait_toolbar

ROWS = (300, 400, 500)


def stroke(rig, program, y):
    rig.drag((600, y), (800, y))
    wait_pixel(rig, (700, y), RED, f"the stroke at {y}")
    wait_toolbar(program)


def test_ctrl_z_and_ctrl_y_step_through_the_strokes(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    wallpaper = bmp(workdir / "1.bmp").getpixel((700, 300))
    open_session(rig, program)
    for y in ROWS:
        stroke(rig, program, y)

    rig.key("ctrl+z")
    wait_pixel(rig, (700, 500), wallpaper, "Ctrl+Z to take back the third stroke")
    assert pixel(rig, (700, 400)) == RED
    rig.key("ctrl+z")
    wait_pixel(rig, (700, 400), wallpaper, "Ctrl+Z to take back the second stroke")
    assert pixel(rig, (700, 300)) == RED
    rig.key("ctrl+y")
    wait_pixel(rig, (700, 400), RED, "Ctrl+Y to bring the second stroke back")
    assert pixel(rig, (700, 500)) == wallpaper
    rig.key("ctrl+z")
    wait_pixel(rig, (700, 400), wallpaper, "Ctrl+Z to take the second stroke back again")

    done(rig, program)
    composed, drawing = bmp(workdir / "1.bmp"), bmp(workdir / "2.bmp")
    assert composed.getpixel((700, 300)) == drawing.getpixel((700, 300)) == RED
    for y in ROWS[1:]:
        assert composed.getpixel((700, y)) == wallpaper
        assert drawing.getpixel((700, y)) == KEY


def memory(rig, program):
    return next(p["memory"] for p in rig.processes(exe="KVX.exe") if p["pid"] == program.winpid)


def test_two_hundred_small_strokes_keep_memory_small(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    wallpaper = bmp(workdir / "1.bmp").getpixel((700, 300))
    open_session(rig, program)
    stroke(rig, program, 720)  # the first stroke's own costs come before the count
    # So does the layers' own copy of the rows the small strokes reach, which
    # they share with the session's snapshots until a stroke first gets there.
    rig.drag((1230, 240), (1230, 690))
    wait_pixel(rig, (1230, 460), RED, "the stroke down the small strokes' rows")
    wait_toolbar(program)
    before = memory(rig, program)
    assert before > 0

    points = [(440 + 38 * (i % 20), 260 + 45 * (i // 20)) for i in range(200)]
    args = []
    for x, y in points:
        args += ["mousemove", x, y, "mousedown", 1, "mousemove", x + 6, y, "mousemove", x + 12, y,
                 "mouseup", 1, "sleep", 0.02]
    rig.xdotool(*args)
    for x, y in (points[0], points[-1]):
        wait_pixel(rig, (x + 6, y), RED, f"the small stroke at {x}, {y}")
    wait_toolbar(program)
    grown = memory(rig, program) - before
    print(f"working set after 200 small strokes: {grown / 2**20:+.2f} MB")
    assert grown < 8 << 20, f"{grown} bytes more after 200 strokes"

    # Every one of them was kept: undoing all 200 leaves only the first stroke.
    rig.focus_foreground()
    rig.xdotool("key", "--clearmodifiers", "--delay", "20", "--repeat", "200", "ctrl+z")
    wait_until(lambda: all(pixel(rig, (x + 6, y)) == wallpaper for x, y in (points[0], points[99])),
               timeout=30, what="the small strokes to be taken back")
    assert pixel(rig, (700, 720)) == RED
