"""The hover buttons as a user meets them, on the options window: the pointer
over "Done" lights the face up in the hover picture's lighter blue, and moving
away returns it to the normal face."""

from PIL import Image

from conftest import REPO, wait_until
from tray import choose, dismiss, expect_box, visible_windows, wait_icon

PICTURES = REPO / "resources" / "pictures"
CLIENT_W, CLIENT_H = 289, 643
DONE = (198, 480, 85, 30)  # left, top, width, height in the client area
ALLOWANCE = (4, 29)  # what the hover-end test adds to the window's outer corner


def picture(name):
    with Image.open(PICTURES / f"{name}.bmp") as image:
        return list(image.convert("RGB").getdata())


def share_like(screen, box, pixels):
    """The share of the box's pixels equal to the picture's, give or take a
    little; the caption drawn over the face accounts for the rest."""
    seen = list(screen.crop(box).getdata())
    close = sum(1 for a, b in zip(seen, pixels) if all(abs(x - y) <= 8 for x, y in zip(a, b)))
    return close / len(pixels)


def test_the_pointer_over_done_shows_the_hover_face_until_it_leaves(rig, kvx, workdir):
    normal, hover = picture("ibn"), picture("iba")
    program = kvx()
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_icon(rig)
    choose(rig, "Options")
    window = wait_until(lambda: next(iter(visible_windows(program, "TForm7")), None), timeout=10,
                        what="the options window")

    # The fixed frame is as wide on the left, right and bottom.
    left, top, right, bottom = window["rect"]
    border = (right - left - CLIENT_W) // 2
    client_left, client_top = left + border, bottom - border - CLIENT_H
    face = (client_left + DONE[0], client_top + DONE[1], client_left + DONE[0] + DONE[2],
            client_top + DONE[1] + DONE[3])
    wait_until(lambda: share_like(rig.grab(), face, normal) > 0.8, timeout=10, what="the normal face on \"Done\"")

    # A point both on the face and inside the hover-end test's rectangle, which
    # is placed by the fixed allowances rather than by this frame's real size.
    tested_top = top + ALLOWANCE[1] + DONE[1]
    low, high = max(face[1], tested_top), min(face[3], tested_top + DONE[3])
    assert low < high, (window["rect"], face)
    rig.move((face[0] + face[2]) // 2, (low + high) // 2)
    wait_until(lambda: share_like(rig.grab(), face, hover) > 0.8, timeout=10,
               what="the hover picture on \"Done\"")
    # It stays while the pointer rests there, across many 50 ms ticks.
    assert share_like(rig.grab(), face, hover) > 0.8

    rig.move(left - 100, top + 50)
    wait_until(lambda: share_like(rig.grab(), face, normal) > 0.8, timeout=10,
               what="the normal face on \"Done\" again")
