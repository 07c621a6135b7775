"""The room itself: lights, floor, walls, ceiling and the unnamed furniture
that carries the game's objects (counter, trolley, emergency cart). The
lights come first in the file, the furniture and then the shell last."""

from layout import *  # noqa: F401,F403 (the shared room measures)

WALL_LOW = (0.74, 0.86, 0.82)  # mint below the rail, where trolleys knock
WALL_HIGH = (0.97, 0.96, 0.9)  # warm white above
FLOOR = (0.36, 0.44, 0.48)  # blue-grey linoleum
TRIM = (0.23, 0.47, 0.52)  # teal rail and skirting
CEILING_COLOR = (0.95, 0.95, 0.93)
STEEL = (0.72, 0.74, 0.77)
WHITE = (0.92, 0.92, 0.9)
WOOD = (0.8, 0.66, 0.47)
DARK = (0.16, 0.17, 0.19)


def build_furniture(iv):
    desk_corner(iv)
    counter(iv)
    dressing_trolley(iv)
    emergency_cart(iv)
    door_wall_details(iv)


def build_shell(iv):
    shell(iv)
    window(iv)
    ceiling_lamps(iv)


def lights(iv):
    iv.comment(
        "Lighting. The game's own light only points straight down, which\n"
        "leaves every wall dark: four lights slant onto the four walls, one\n"
        "shines up at the ceiling, and an ambient share keeps shadows soft."
    )
    iv.line("Environment { ambientIntensity 0.35 ambientColor 1 1 1 }")
    iv.line("Complexity { value 0.4 }")
    # Every shape here is closed and seen from outside: the renderer may skip
    # the faces turned away from the eye, about half of all it would draw.
    iv.line("ShapeHints { vertexOrdering COUNTERCLOCKWISE shapeType SOLID }")
    for direction, intensity in [
        ((1, -0.15, 0.2), 0.5),  # onto the counter wall (+x)
        ((-1, -0.15, -0.2), 0.5),  # onto the desk wall (-x)
        ((-0.2, -0.15, 1), 0.5),  # onto the door wall (+z)
        ((0.2, -0.15, -1), 0.5),  # onto the window wall (-z)
        ((0, 1, 0), 0.55),  # up onto the ceiling
    ]:
        dx, dy, dz = direction
        iv.line(
            f"DirectionalLight {{ direction {dx} {dy} {dz} intensity {intensity} "
            "color 1 0.98 0.94 }"
        )
    iv.blank()


def shell(iv):
    t = WALL_THICKNESS
    with iv.group(comment="Floor, walls and ceiling"):
        iv.material(FLOOR, shine=0.15)
        iv.box((-WALL_X - t, -2, -WALL_Z - t), (WALL_X + t, 0, WALL_Z + t))
        iv.material(CEILING_COLOR)
        iv.box((-WALL_X - t, CEILING, -WALL_Z - t), (WALL_X + t, CEILING + 4, WALL_Z + t))
        # Each wall: mint lower part, warm white upper part.
        for y0, y1, color in [(0, 95, WALL_LOW), (95, CEILING, WALL_HIGH)]:
            iv.material(color)
            iv.box((WALL_X, y0, -WALL_Z - t), (WALL_X + t, y1, WALL_Z + t))
            iv.box((-WALL_X - t, y0, -WALL_Z - t), (-WALL_X, y1, WALL_Z + t))
            iv.box((-WALL_X - t, y0, WALL_Z), (WALL_X + t, y1, WALL_Z + t))
            iv.box((-WALL_X - t, y0, -WALL_Z - t), (WALL_X + t, y1, -WALL_Z))
        # Skirting and the protective rail run round all four walls.
        iv.material(TRIM, shine=0.2)
        # On the door wall they stop at the door frame.
        door_x0, door_x1 = OP_DOOR_X[0] - 8, OP_DOOR_X[1] + 8
        for y0, y1, depth in [(0, 10, 1.5), (92, 100, 2.5)]:
            iv.box((WALL_X - depth, y0, -WALL_Z), (WALL_X, y1, WALL_Z))
            iv.box((-WALL_X, y0, -WALL_Z), (-WALL_X + depth, y1, WALL_Z))
            iv.box((-WALL_X, y0, WALL_Z - depth), (door_x0, y1, WALL_Z))
            iv.box((door_x1, y0, WALL_Z - depth), (WALL_X, y1, WALL_Z))
            iv.box((-WALL_X, y0, -WALL_Z), (WALL_X, y1, -WALL_Z + depth))
        # A darker border on the floor along the walls.
        iv.material((0.28, 0.34, 0.38))
        for x0, x1, z0, z1 in [
            (-WALL_X, WALL_X, -WALL_Z, -WALL_Z + 12),
            (-WALL_X, WALL_X, WALL_Z - 12, WALL_Z),
            (-WALL_X, -WALL_X + 12, -WALL_Z, WALL_Z),
            (WALL_X - 12, WALL_X, -WALL_Z, WALL_Z),
        ]:
            iv.box((x0, 0, z0), (x1, 0.2, z1))
    iv.blank()


def window(iv):
    x0, x1 = WINDOW_X
    y0, y1 = WINDOW_Y
    z = -WALL_Z
    with iv.group(comment="Window in the head-end wall"):
        iv.material((0.62, 0.78, 0.92), glow=(0.3, 0.4, 0.5))
        iv.box((x0, y0, z), (x1, y1, z + 0.5))
        iv.material(WHITE, shine=0.2)
        for a, b, c, d in [
            (x0 - 5, x1 + 5, y0 - 5, y0),  # frame
            (x0 - 5, x1 + 5, y1, y1 + 5),
            (x0 - 5, x0, y0, y1),
            (x1, x1 + 5, y0, y1),
            ((x0 + x1) / 2 - 2, (x0 + x1) / 2 + 2, y0, y1),  # mullion
            (x0, x1, 150, 153),  # transom
        ]:
            iv.box((a, c, z), (b, d, z + 4))
        iv.box((x0 - 8, y0 - 7, z), (x1 + 8, y0 - 4, z + 14))  # sill
    iv.blank()


def ceiling_lamps(iv):
    with iv.group(comment="Ceiling lamps: flat panels that glow"):
        iv.material((0.95, 0.95, 0.9), glow=(0.85, 0.85, 0.8))
        for x in (-120, 0, 120):
            for z in (-110, 110):
                iv.box((x - 50, CEILING - 2, z - 25), (x + 50, CEILING, z + 25))
        iv.material(STEEL)
        for x in (-120, 0, 120):
            for z in (-110, 110):
                iv.box((x - 52, CEILING - 1.5, z - 27), (x + 52, CEILING, z + 27))
    iv.blank()


def desk_corner(iv):
    wall = -WALL_X
    with iv.group(comment="Desk wall (-x): desk with computer, clock, notice board, dispenser"):
        iv.material(WOOD, shine=0.1)
        iv.box((wall, 72, -60), (wall + 60, 76, 70))
        iv.material(STEEL, shine=0.4)
        for z in (-56, 66):
            iv.box((wall + 52, 0, z - 2), (wall + 56, 72, z + 2))
        iv.material(WHITE)
        iv.box((wall + 2, 10, 25), (wall + 56, 70, 68))  # drawer block
        iv.material(STEEL)
        for y in (25, 45, 62):
            iv.box((wall + 56, y, 40), (wall + 57, y + 2, 54))
        # Computer screen facing the room.
        iv.material(DARK)
        iv.box((wall + 12, 76, -12), (wall + 22, 78, 12))
        iv.box((wall + 15, 78, -2), (wall + 19, 95, 2))
        iv.box((wall + 18, 95, -27), (wall + 22, 126, 27))
        iv.material((0.25, 0.45, 0.7), glow=(0.15, 0.3, 0.5))
        iv.box((wall + 22, 98, -24), (wall + 22.4, 123, 24))
        iv.material((0.85, 0.85, 0.85))
        iv.box((wall + 30, 76, -22), (wall + 45, 77.5, 22))  # keyboard
        # Stool in front of the desk.
        iv.material((0.2, 0.35, 0.6))
        iv.cylinder((wall + 80, 48, 10), (wall + 80, 54, 10), 20)
        iv.material(STEEL, shine=0.4)
        iv.cylinder((wall + 80, 4, 10), (wall + 80, 48, 10), 2.5)
        iv.cylinder((wall + 80, 0, 10), (wall + 80, 4, 10), 18)
        # Wall clock.
        iv.material(WHITE)
        iv.cylinder((wall, 215, 0), (wall + 4, 215, 0), 16)
        iv.material(DARK)
        iv.cylinder((wall + 3.5, 215, 0), (wall + 4.5, 215, 0), 16.8)
        iv.material(WHITE)
        iv.cylinder((wall + 4, 215, 0), (wall + 4.6, 215, 0), 15)
        iv.material(DARK)
        iv.box((wall + 4.6, 214, -1), (wall + 5.2, 226, 1))  # twelve o'clock
        iv.box((wall + 4.6, 205, -0.8), (wall + 5.2, 216, 0.8))
        iv.material((0.8, 0.1, 0.1))
        iv.box((wall + 5.2, 214.5, -0.5), (wall + 5.6, 215.5, 12))  # quarter past
        # Notice board with a few sheets of paper.
        iv.material((0.68, 0.5, 0.32))
        iv.box((wall, 120, -190), (wall + 2, 190, -90))
        iv.material(WHITE)
        for z0, y0 in [(-182, 150), (-158, 128), (-132, 155), (-108, 132)]:
            iv.box((wall + 2, y0, z0), (wall + 2.3, y0 + 28, z0 + 20))
        # Hand disinfectant dispenser in the corner towards the door wall.
        iv.material(WHITE, shine=0.2)
        iv.box((wall, 120, 150), (wall + 10, 150, 162))
        iv.material((0.2, 0.5, 0.85))
        iv.box((wall + 10, 126, 153), (wall + 11, 140, 159))
    iv.blank()


def counter(iv):
    x0 = COUNTER_FRONT_X
    z0, z1 = COUNTER_Z
    wall = WALL_X
    with iv.group(comment="Counter with cupboards along the +x wall; the medicines stand on it"):
        iv.material(DARK)
        iv.box((x0 + 4, 0, z0), (wall, 10, z1))  # plinth
        iv.material(WHITE, shine=0.1)
        iv.box((x0 + 1, 10, z0), (wall, COUNTER_TOP - 4, z1))
        iv.material((0.7, 0.72, 0.74), shine=0.3)
        iv.box((x0 - 2, COUNTER_TOP - 4, z0 - 2), (wall, COUNTER_TOP, z1 + 2))
        # Door gaps and handles on the cupboards below.
        doors = 6
        step = (z1 - z0) / doors
        for i in range(doors):
            za = z0 + i * step
            iv.material((0.82, 0.83, 0.82))
            iv.box((x0 + 0.6, 10, za), (x0 + 1, COUNTER_TOP - 4, za + 0.8))
            iv.material(STEEL, shine=0.5)
            zh = za + step - 6 if i % 2 == 0 else za + 6
            iv.box((x0 - 1, 55, zh - 1), (x0 + 1, 78, zh + 1))
        # Tiled splash-back and the wall cupboards above.
        iv.material((0.84, 0.9, 0.93), shine=0.2)
        iv.box((wall - 1, COUNTER_TOP, z0), (wall, 150, z1))
        iv.material(WOOD, shine=0.1)
        iv.box((wall - 35, 150, z0), (wall, 215, z1))
        iv.material((0.62, 0.5, 0.35))
        for i in range(1, doors):
            za = z0 + i * step
            iv.box((wall - 35.5, 150, za - 0.4), (wall - 35, 215, za + 0.4))
        iv.material(STEEL, shine=0.5)
        for i in range(doors):
            za = z0 + i * step
            zh = za + step - 6 if i % 2 == 0 else za + 6
            iv.box((wall - 37, 154, zh - 1), (wall - 35, 170, zh + 1))
        # A small sink with its tap at the door end of the counter.
        iv.material((0.85, 0.86, 0.88), shine=0.6)
        iv.box((x0 + 6, COUNTER_TOP, 72), (x0 + 40, COUNTER_TOP + 1, 100))
        iv.material((0.35, 0.37, 0.4))
        iv.box((x0 + 9, COUNTER_TOP + 1, 75), (x0 + 37, COUNTER_TOP + 1.3, 97))
        iv.material(STEEL, shine=0.8)
        iv.cylinder((x0 + 40, COUNTER_TOP, 86), (x0 + 40, COUNTER_TOP + 28, 86), 1.5)
        iv.cylinder((x0 + 40, COUNTER_TOP + 27, 86), (x0 + 26, COUNTER_TOP + 27, 86), 1.2)
        # A box of gloves on the splash-back.
        iv.material((0.4, 0.55, 0.85))
        iv.box((wall - 10, 115, -190 + 25), (wall - 1, 128, -190 + 50))
    iv.blank()


def dressing_trolley(iv):
    x0, x1 = TROLLEY_X
    z0, z1 = TROLLEY_Z
    top = TROLLEY_TOP
    with iv.group(comment="Dressing trolley (stainless) near the foot of the bed"):
        iv.material(STEEL, shine=0.6)
        iv.box((x0, top - 2, z0), (x1, top, z1))  # top shelf
        iv.box((x0, 36, z0), (x1, 38, z1))  # lower shelf
        for x, z in [(x0 + 2, z0 + 2), (x1 - 2, z0 + 2), (x0 + 2, z1 - 2), (x1 - 2, z1 - 2)]:
            iv.cylinder((x, 8, z), (x, top + 6, z), 1.3)
        iv.cylinder((x0 - 6, top + 6, z0 + 2), (x0 - 6, top + 6, z1 - 2), 1.2)  # push bar
        iv.cylinder((x0 + 2, top + 6, z0 + 2), (x0 - 6, top + 6, z0 + 2), 1.2)
        iv.cylinder((x0 + 2, top + 6, z1 - 2), (x0 - 6, top + 6, z1 - 2), 1.2)
        iv.material(DARK)
        for x, z in [(x0 + 4, z0 + 4), (x1 - 4, z0 + 4), (x0 + 4, z1 - 4), (x1 - 4, z1 - 4)]:
            iv.cylinder((x - 1.5, 4, z), (x + 1.5, 4, z), 4)
        # Spare dressings on the lower shelf.
        iv.material((0.9, 0.9, 0.85))
        iv.box((x0 + 10, 38, z0 + 10), (x0 + 40, 48, z1 - 10))
        iv.material((0.55, 0.75, 0.9))
        iv.box((x0 + 50, 38, z0 + 8), (x0 + 85, 45, z1 - 8))
    iv.blank()


def emergency_cart(iv):
    x0, x1 = CART_X
    z0, z1 = CART_Z
    with iv.group(comment="Red emergency cart at the head end; the defibrillator stands on it"):
        iv.material((0.72, 0.1, 0.1), shine=0.3)
        iv.box((x0, 10, z0), (x1, CART_TOP - 1, z1))
        iv.material((0.5, 0.06, 0.06))
        for y in (30, 50, 70):
            iv.box((x0 + 1, y, z1), (x1 - 1, y + 0.8, z1 + 0.3))
        iv.material(STEEL, shine=0.6)
        for y in (40, 60, 82):
            iv.box(((x0 + x1) / 2 - 10, y, z1), ((x0 + x1) / 2 + 10, y + 2, z1 + 2))
        iv.box((x0 - 1, CART_TOP - 1, z0 - 1), (x1 + 1, CART_TOP, z1 + 1))
        iv.material(DARK)
        for x, z in [(x0 + 5, z0 + 5), (x1 - 5, z0 + 5), (x0 + 5, z1 - 5), (x1 - 5, z1 - 5)]:
            iv.cylinder((x - 1.5, 5, z), (x + 1.5, 5, z), 5)
    iv.blank()


def door_wall_details(iv):
    wall = WALL_Z
    with iv.group(comment="Door wall (+z): waste bins and a paper towel dispenser"):
        iv.material((0.95, 0.8, 0.15))
        iv.cylinder((-20, 0, wall - 22), (-20, 45, wall - 22), 17)
        iv.material(DARK)
        iv.cylinder((-20, 45, wall - 22), (-20, 47, wall - 22), 17.5)
        iv.material((0.7, 0.72, 0.74))
        iv.cylinder((20, 0, wall - 20), (20, 50, wall - 20), 15)
        iv.material(WHITE, shine=0.2)
        iv.box((-10, 125, wall - 12), (30, 160, wall))
        iv.material(DARK)
        iv.box((-2, 124, wall - 10), (22, 126, wall - 4))
    iv.blank()
