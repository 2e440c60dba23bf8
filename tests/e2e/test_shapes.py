"""The shape tools: a line, an arrow, a rectangle and an ellipse dragged on the
screen land in both work files where they were dragged, chosen by key and by
their faces on the toolbar; Shift makes a brush stroke a straight line."""

from notepad import (KEY, RED, bmp, click_face, done, first_start, open_session, pixel, take_keyboard, wait_pixel,
                     wait_toolbar)

# Client points of the small tool faces (centres), from the toolbar's layout.
LINE = (26, 165)
ARROW = (46, 165)
RECTANGLE = (26, 185)
ELLIPSE = (46, 185)

HALF = 2  # brush size 5 reaches two pixels either side of what was dragged


def rectangle_points(left, top, right, bottom):
    corners = [(left, top), (right, top), (left, bottom), (right, bottom)]
    edges = [((left + right) // 2, top), ((left + right) // 2, bottom), (left, (top + bottom) // 2),
             (right, (top + bottom) // 2)]
    outside = [(left - HALF - 1, top - HALF - 1), (right + HALF + 1, bottom + HALF + 1)]
    inside = [((left + right) // 2, (top + bottom) // 2), (left + HALF + 2, top + HALF + 2)]
    return corners + edges, outside + inside


def ellipse_points(left, top, right, bottom):
    cx, cy = (left + right) // 2, (top + bottom) // 2
    drawn = [(left, cy), (right, cy), (cx, top), (cx, bottom)]
    return drawn, [(cx, cy), (left, top), (right, bottom), (left - HALF - 1, cy), (cx, bottom + HALF + 1)]


def arrow_points(start, tip):
    (x0, y0), (x1, y1) = start, tip
    length = ((x1 - x0) ** 2 + (y1 - y0) ** 2) ** 0.5
    ux, uy = (x1 - x0) / length, (y1 - y0) / length

    def at(back, across):
        return round(x1 - ux * back - uy * across), round(y1 - uy * back + ux * across)

    # The head of a size-5 arrow is 25 pixels long and 25 wide at its base:
    # 12 pixels back from the tip it reaches 6 either side, the shaft only 2.
    drawn = [tip, start, at(length / 2, 0), at(12, 5), at(12, -5)]
    return drawn, [at(-3, 0), at(length / 2, 5), at(length / 2, -5)]


def line_points(start, end):
    (x0, y0), (x1, y1) = start, end
    drawn = [start, end, ((x0 + x1) // 2, (y0 + y1) // 2)]
    return drawn, [(x1 + (x1 - x0) // 20 + 3 * (1 if x1 > x0 else -1), y1 + (y1 - y0) // 20)]


def check_files(workdir, wallpaper, shapes):
    composed, drawing = bmp(workdir / "1.bmp"), bmp(workdir / "2.bmp")
    for name, (drawn, clear) in shapes.items():
        for point in drawn:
            assert drawing.getpixel(point) == RED, f"{name}: 2.bmp at {point}"
            assert composed.getpixel(point) == RED, f"{name}: 1.bmp at {point}"
        for point in clear:
            assert drawing.getpixel(point) == KEY, f"{name}: 2.bmp at {point} should hold no drawing"
            assert composed.getpixel(point) == wallpaper, f"{name}: 1.bmp at {point} should be the wallpaper"


def drag_shape(rig, program, start, end, shown):
    rig.drag(start, end)
    wait_pixel(rig, shown, RED, f"the shape dragged from {start} to {end}")
    wait_toolbar(program)


def test_shapes_by_key_and_by_face_land_where_dragged(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)  # brush size 5, red
    wallpaper = bmp(workdir / "1.bmp").getpixel((640, 400))
    open_session(rig, program)
    shapes = {}

    # By key. The toolbar lies at 192, 109 (233 x 218): every drag starts beside it.
    take_keyboard(rig, program)
    rig.key("r")
    drag_shape(rig, program, (480, 380), (640, 500), (560, 380))
    shapes["rectangle by key"] = rectangle_points(480, 380, 640, 500)
    rig.key("e")
    drag_shape(rig, program, (700, 380), (860, 500), (780, 380))
    shapes["ellipse by key"] = ellipse_points(700, 380, 860, 500)
    rig.key("a")
    drag_shape(rig, program, (900, 380), (1060, 500), (1060, 500))
    shapes["arrow by key"] = arrow_points((900, 380), (1060, 500))
    rig.key("l")
    drag_shape(rig, program, (1100, 380), (1240, 500), (1170, 440))
    shapes["line by key"] = line_points((1100, 380), (1240, 500))

    # By face, dragged the other way round.
    click_face(rig, program, RECTANGLE)
    drag_shape(rig, program, (640, 680), (480, 560), (560, 680))
    shapes["rectangle by face"] = rectangle_points(480, 560, 640, 680)
    click_face(rig, program, ELLIPSE)
    drag_shape(rig, program, (860, 560), (700, 680), (780, 680))
    shapes["ellipse by face"] = ellipse_points(700, 560, 860, 680)
    click_face(rig, program, ARROW)
    drag_shape(rig, program, (1060, 560), (900, 680), (900, 680))
    shapes["arrow by face"] = arrow_points((1060, 560), (900, 680))
    click_face(rig, program, LINE)
    drag_shape(rig, program, (1240, 680), (1100, 560), (1170, 620))
    shapes["line by face"] = line_points((1240, 680), (1100, 560))

    # The brush with Shift held: a straight line from the press to the release,
    # wherever the pointer went between.
    rig.key("b")
    rig.focus_foreground()
    rig.xdotool("keydown", "shift", "mousemove", 60, 400, "mousedown", 1, "mousemove", 120, 550,
                "mousemove", 200, 700, "mousemove", 300, 500, "mouseup", 1, "keyup", "shift")
    wait_pixel(rig, (180, 450), RED, "the straight brush stroke")
    wait_toolbar(program)
    drawn, clear = line_points((60, 400), (300, 500))
    shapes["Shift with the brush"] = (drawn, clear + [(200, 700), (120, 550)])

    done(rig, program)
    check_files(workdir, wallpaper, shapes)


def test_a_shape_shows_while_dragged_and_is_one_undo_step(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    wallpaper = bmp(workdir / "1.bmp").getpixel((640, 400))
    open_session(rig, program)
    screen = pixel(rig, (700, 600))
    take_keyboard(rig, program)
    rig.key("r")
    # The outline follows the pointer: the larger box goes when the pointer
    # comes back, and nothing is laid until the release.
    rig.xdotool("mousemove", 500, 400, "mousedown", 1, "mousemove", 900, 700)
    wait_pixel(rig, (700, 700), RED, "the outline of the larger box")
    rig.xdotool("mousemove", 700, 600)
    wait_pixel(rig, (700, 600), RED, "the outline of the smaller box")
    wait_pixel(rig, (700, 700), screen, "the larger box's outline to go")
    rig.xdotool("mouseup", 1)
    wait_toolbar(program)
    # A brush stroke after it, then Ctrl+Z twice: the box goes in one step.
    rig.key("b")
    drag_shape(rig, program, (1000, 450), (1200, 450), (1100, 450))
    rig.key("ctrl+z")
    wait_pixel(rig, (1100, 450), screen, "Ctrl+Z to take back the stroke")
    assert pixel(rig, (600, 600)) == RED
    rig.key("ctrl+z")
    wait_pixel(rig, (600, 600), screen, "Ctrl+Z to take back the box")
    done(rig, program)
    composed, drawing = bmp(workdir / "1.bmp"), bmp(workdir / "2.bmp")
    for point in ((600, 600), (500, 400), (700, 500), (900, 700), (1100, 450)):
        assert drawing.getpixel(point) == KEY
        assert composed.getpixel(point) == wallpaper
