"""The copy window as a user works it: framing a part of the screen with it,
moving it by its title bar, its faces; and the probe's pattern window, a
known picture to copy from."""

from PIL import Image, ImageChops

from conftest import scaled, wait_until
from notepad import window

# Where the probe's pattern window lies: left, top, width, height.
PATTERN = (150, 300, 600, 400)

# Centres of the faces on the bottom bar, from its layout.
COPY = (50, 21)
PASTE = (138, 21)
CLOSE = (226, 21)


def pattern_colour(x, y):
    """The pattern at a pixel of its window, as the probe paints it."""
    return x % 256, y % 256, 20 + 40 * (x // 256) + 10 * (y // 256)


def pattern_piece(origin, size):
    """What the pattern window shows from the screen point `origin` on."""
    left, top = origin[0] - PATTERN[0], origin[1] - PATTERN[1]
    image = Image.new("RGB", size)
    image.putdata([pattern_colour(left + x, top + y) for y in range(size[1]) for x in range(size[0])])
    return image


def show_pattern(rig, pattern):
    pattern(*PATTERN)
    centre = (PATTERN[0] + 300, PATTERN[1] + 200)
    wait_until(lambda: rig.grab().getpixel(centre) == pattern_colour(300, 200), timeout=10,
               what="the pattern on the screen")


def same(image, other):
    return image.size == other.size and ImageChops.difference(image, other).getbbox() is None


def box(origin, size):
    return origin[0], origin[1], origin[0] + size[0], origin[1] + size[1]


class CopyWindow:
    """The open copy window: `area` is its see-through part on the screen
    (the list box inside its border), `main` the top-left of its main area,
    `bar` the bottom bar's rectangle."""

    def __init__(self, rig, program):
        self.rig = rig
        self.program = program
        self.refresh()

    def refresh(self):
        form = wait_until(lambda: window(self.program, "TForm4"), timeout=10, what="the copy window")
        self.rect = form["rect"]
        children = self.rig.children(form["hwnd"])
        listbox = next(c for c in children if c["class"].upper() == "LISTBOX")
        self.area = listbox["client"]
        self.main = tuple(listbox["rect"][:2])
        self.bar = next(c for c in children if c["class"] == "TPanel")["rect"]

    @property
    def origin(self):
        return tuple(self.area[:2])

    @property
    def size(self):
        return self.area[2] - self.area[0], self.area[3] - self.area[1]

    def press(self, face):
        x, y = scaled(self.program.dpi, face)
        self.rig.click(self.bar[0] + x, self.bar[1] + y)

    def close_box(self):
        self.rig.click(self.rect[2] - 12, self.rect[1] + 10)
        wait_until(lambda: window(self.program, "TForm4") is None, timeout=10, what="the copy window to close")

    def move_to(self, left, top):
        """Drags the title bar until the window's outer top-left is (left, top)."""
        grip = (self.rect[0] + 80, self.rect[1] + 10)
        self.rig.drag(grip, (grip[0] + left - self.rect[0], grip[1] + top - self.rect[1]), steps=10, pace=0.02)
        wait_until(lambda: window(self.program, "TForm4")["rect"][:2] == [left, top], timeout=10,
                   what=f"the copy window to move to {left}, {top}")
        self.refresh()

    def wait_seen(self, piece, what):
        """Waits until the see-through area shows `piece`."""
        wait_until(lambda: same(self.rig.grab().crop(box(self.origin, piece.size)), piece), timeout=10, what=what)

    def wait_holding(self, piece):
        """Waits until the window shows `piece` at the top-left of its main area."""
        wait_until(lambda: same(self.rig.grab().crop(box(self.main, piece.size)), piece), timeout=10,
                   what="the copy window to show the held piece")
