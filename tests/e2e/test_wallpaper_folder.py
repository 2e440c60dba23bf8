"""A folder in the wallpaper list: dropped on the list or chosen with "Add
folder" it becomes one entry, shown with its picture count; the change timer
and "Next wallpaper" step through its pictures (JPEG, PNG, WebP) by name, read
anew, so a picture copied in later joins; "Randomize" shuffles them into an
order that lasts."""

from PIL import Image

from conftest import wait_until
from notepad import bmp, first_start, make_jpeg, near
from options import ADD_FOLDER, DONE, EVERY, NEVER, RANDOMIZE, click, drag_files, entries, open_options, the_list
from tray import choose, settings_lines, start_and_settle, text_lines

COLOURS = {"a": (200, 30, 30), "b": (30, 180, 60), "c": (40, 60, 210), "d": (220, 200, 30)}


def wait_wallpaper(workdir, name, timeout=30, strict=False):
    wait_until(lambda: near(bmp(workdir / "1.bmp").getpixel((640, 400)), COLOURS[name]), timeout=timeout,
               what=f"picture {name} as the wallpaper", strict=strict)


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
    wait_wallpaper(workdir, "a", timeout=90, strict=True)  # the timer's first tick
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


SHADES = {"p": (200, 60, 120), "q": (60, 200, 200), "r": (120, 90, 30), "s": (250, 140, 20), "t": (90, 40, 160)}


def shade_of(workdir):
    colour = bmp(workdir / "1.bmp").getpixel((640, 400))
    return next((name for name, shade in SHADES.items() if near(colour, shade)), None)


def step(rig, workdir, before):
    choose(rig, "Next wallpaper")
    return wait_until(lambda: (lambda now: now if now and now != before else None)(shade_of(workdir)), timeout=30,
                      what="the next picture of the folder")


def test_add_folder_takes_a_folder_of_any_pictures_and_randomize_shuffles_it_for_good(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    trip = workdir / "Trip"
    trip.mkdir()
    kinds = {"p": "JPEG", "q": "PNG", "r": "WEBP", "s": "PNG", "t": "JPEG"}
    for name, kind in kinds.items():
        Image.new("RGB", (1280, 800), SHADES[name]).save(trip / f"{name}.{kind.lower().replace('jpeg', 'jpg')}", kind)

    # "Add folder": the system's folder picker, gone into and chosen as a user does.
    window = open_options(rig, program)
    click(rig, window, ADD_FOLDER)
    wait_until(lambda: any(w["class"] == "#32770" and w["title"] == "Add folder" for w in program.windows()),
               timeout=15, what="the folder picker")
    rig.type_text(workdir.winpath + "\\Trip")
    rig.key("Return")
    wait_until(lambda: not any(w["class"] == "#32770" for w in program.windows()), timeout=15,
               what="the folder picker to close")
    rig.probe("forget-keys")
    wait_until(lambda: entries(rig, window) == ["Trip (5 pictures)"], timeout=10, what="the folder entry")

    # "Randomize" gives the folder's pictures an order of their own, which
    # "Done" keeps with the settings.
    click(rig, window, RANDOMIZE)
    click(rig, window, NEVER)
    click(rig, window, DONE)
    wait_until(lambda: settings_lines(workdir)[24].isdigit(), timeout=10, what="the folder's order saved")
    wait_until(lambda: text_lines(workdir / "wl.ini") == [workdir.winpath + "\\Trip\\"], timeout=10,
               what="the folder entry saved")

    seen = [step(rig, workdir, None)]
    for _ in range(5):
        seen.append(step(rig, workdir, seen[-1]))
    assert sorted(seen[:5]) == sorted(SHADES) and seen[5] == seen[0], seen

    # After a restart the rotation goes on in the same order.
    choose(rig, "Exit")
    program.wait_exit(timeout=20)
    program = start_and_settle(rig, kvx, workdir)
    following = step(rig, workdir, seen[5])
    assert following == seen[1], (seen, following)
