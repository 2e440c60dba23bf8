"""The notepad: a click on the icon covers the desktop with its picture, the
brush paints, the erasers wipe, "Cancel last" and "Cancel all" undo, "Done"
saves the drawing and makes it the wallpaper."""

from notepad import (BRUSH, CANCEL_ALL, CANCEL_LAST, DESKTOP_KEY, ERASE_ALL, ERASE_LAST, KEY, RED, bmp,
                     click_face, done, first_start, open_session, pixel, wait_pixel, wait_toolbar, window)


def test_a_stroke_lands_in_the_work_files_and_on_the_wallpaper(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    wallpaper = bmp(workdir / "1.bmp").getpixel((700, 300))
    assert bmp(workdir / "2.bmp").getpixel((700, 300)) == KEY

    surface = open_session(rig, program)
    assert surface["rect"] == [0, 0, 1280, 780]  # the work area
    assert window(program, "TForm1")["rect"][:2] == [192, 109]  # the saved place
    assert pixel(rig, (700, 300)) == wallpaper  # the screen's picture, here the wallpaper

    rig.drag((600, 300), (800, 300))
    wait_pixel(rig, (700, 300), RED, "the stroke under the pointer")
    wait_toolbar(program)  # back after the stroke
    done(rig, program)

    composed, drawing = bmp(workdir / "1.bmp"), bmp(workdir / "2.bmp")
    for x in (610, 700, 790):
        assert composed.getpixel((x, 300)) == RED
        assert drawing.getpixel((x, 300)) == RED
    assert composed.getpixel((700, 320)) == wallpaper
    assert drawing.getpixel((700, 320)) == KEY
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper")[1] == workdir.winpath + "\\1.bmp"
    assert rig.reg_query(DESKTOP_KEY, "TileWallpaper")[1] == "1"
    assert rig.reg_query(DESKTOP_KEY, "WallpaperStyle")[1] == "0"
    wait_pixel(rig, (700, 300), RED, "the stroke on the desktop wallpaper")
    # The grab left the screen's picture on the clipboard.
    assert any(name == "CF_BITMAP" or fid == 2 for fid, name in rig.clipboard_formats())


def test_erasers_and_cancelling(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    wallpaper = bmp(workdir / "1.bmp").getpixel((700, 300))
    # A stroke of an earlier session, kept by "Done".
    open_session(rig, program)
    rig.drag((500, 300), (900, 300))
    wait_pixel(rig, (550, 300), RED, "the first stroke")
    wait_toolbar(program)
    done(rig, program)

    open_session(rig, program)
    rig.drag((500, 400), (900, 400))  # a stroke of this session
    wait_pixel(rig, (550, 400), RED, "the second stroke")
    wait_toolbar(program)

    # "Erase last" wipes this session's stroke only.
    click_face(rig, program, ERASE_LAST)
    rig.drag((600, 280), (600, 420), steps=35, pace=0.02)
    wait_pixel(rig, (600, 400), wallpaper, "'Erase last' to wipe this session's stroke")
    assert pixel(rig, (600, 300)) == RED  # the earlier stroke stays
    wait_toolbar(program)

    # "Erase all" wipes both.
    click_face(rig, program, ERASE_ALL)
    rig.drag((700, 280), (700, 420), steps=35, pace=0.02)
    wait_pixel(rig, (700, 300), wallpaper, "'Erase all' to wipe the earlier stroke")
    assert pixel(rig, (700, 400)) == wallpaper
    wait_toolbar(program)

    # "Cancel last" returns to the opening; "Cancel all" leaves the bare wallpaper.
    click_face(rig, program, CANCEL_LAST)
    wait_pixel(rig, (700, 300), RED, "'Cancel last' to bring back the earlier stroke")
    assert pixel(rig, (700, 400)) == wallpaper
    click_face(rig, program, CANCEL_ALL)
    wait_pixel(rig, (700, 300), wallpaper, "'Cancel all' to clear all drawing")
    click_face(rig, program, BRUSH)
    done(rig, program)
    assert bmp(workdir / "2.bmp").getpixel((700, 300)) == KEY
    assert bmp(workdir / "1.bmp").getpixel((700, 300)) == wallpaper
