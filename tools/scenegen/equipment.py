"""The named objects the player clicks: the eleven tools and the three
treatment targets beside the bed. Each is one named group holding all of its
shapes and its label, and nothing named inside it."""

import math

from layout import *  # noqa: F401,F403 (the shared room measures)

WHITE = (0.94, 0.94, 0.92)
STEEL = (0.74, 0.76, 0.79)
DARK = (0.12, 0.12, 0.14)
INK = (0.1, 0.12, 0.2)


def build_targets(iv):
    infusion(iv)
    transfusion(iv)
    op_door(iv)


def build_tools(iv):
    with iv.group(comment="Medicines on the counter, labels facing the room (-x)"):
        medicines(iv)
    iv.blank()
    with iv.group(comment="Dressings and instruments on the trolley, labels facing the bed (-z)"):
        dressings(iv)
    iv.blank()
    defibrillator(iv)
    oxygen(iv)


# Treatment targets ------------------------------------------------------------


def drip_stand(iv, x, z, hook_side):
    """Pole on a five-legged wheeled base with a hook bar; returns the point
    where a bag hangs, on the side `hook_side` (+1 or -1 in x)."""
    iv.material(STEEL, shine=0.7)
    for i in range(5):
        angle = 2 * math.pi * i / 5 + 0.3
        end = (x + 26 * math.cos(angle), 5, z + 26 * math.sin(angle))
        iv.cylinder((x, 6, z), end, 1.3)
    iv.cylinder((x, 5, z), (x, 196, z), 1.3)
    iv.cylinder((x - 14, 192, z), (x + 14, 192, z), 0.9)
    iv.material(DARK)
    for i in range(5):
        angle = 2 * math.pi * i / 5 + 0.3
        iv.sphere((x + 26 * math.cos(angle), 2.5, z + 26 * math.sin(angle)), 2.5)
    return (x + hook_side * 12, 192, z)


def hanging_bag(iv, hook, color, size, lines, label_color):
    hx, hy, hz = hook
    w, h, d = size
    iv.material(STEEL, shine=0.6)
    iv.cylinder((hx, hy, hz), (hx, hy - 6, hz), 0.5)
    iv.material(color, shine=0.4)
    iv.box((hx - d / 2, hy - 6 - h, hz - w / 2), (hx + d / 2, hy - 6, hz + w / 2))
    iv.material(WHITE)
    front = hx - d / 2
    iv.box((front - 0.3, hy - 6 - h * 0.78, hz - w * 0.42), (front, hy - 6 - h * 0.22, hz + w * 0.42))
    iv.label((hx - d / 2 - 0.4, hy - 6 - h / 2, hz), lines, 2.0, label_color, "-x")
    iv.material((0.9, 0.92, 0.95), shine=0.5)
    bottom = hy - 6 - h
    iv.cylinder((hx, bottom, hz), (hx, bottom - 7, hz), 1.2)  # drip chamber
    return (hx, bottom - 7, hz)


def infusion(iv):
    x, z = INFUSION_STAND
    with iv.group(name="Infusion", comment="Drip stand with a saline bag, tube to the right forearm"):
        hook = drip_stand(iv, x, z, +1)
        drip = hanging_bag(iv, hook, (0.8, 0.9, 0.97), (18, 26, 4), ["Infusion", "NaCl 0,9%"], INK)
        iv.material((0.85, 0.9, 0.95), shine=0.5)
        iv.cylinder(drip, (-28, 96, -12), 0.3)
        iv.material(WHITE)
        iv.box((-31, 94, -15), (-23, 96.5, -9))  # plaster over the cannula
    iv.blank()


def transfusion(iv):
    x, z = TRANSFUSION_STAND
    with iv.group(name="Transfusion", comment="Stand with a blood bag, on the far side of the bed"):
        hook = drip_stand(iv, x, z, -1)
        blood = (0.55, 0.02, 0.05)
        drip = hanging_bag(iv, hook, blood, (17, 24, 4), ["Blut", "0 neg"], (0.6, 0.0, 0.05))
        iv.material((0.4, 0.02, 0.04), shine=0.5)
        iv.cylinder(drip, (28, 95, -10), 0.3)
        iv.material(WHITE)
        iv.box((23, 93.5, -13), (31, 96, -7))
        # A sign on the pole, low enough to read across the bed under the tube.
        iv.material(WHITE)
        iv.box((x - 1.6, 112, z - 14), (x - 1.4, 124, z + 14))
        iv.label((x - 1.7, 118, z), ["Transfusion"], 3.2, (0.65, 0.0, 0.05), "-x")
    iv.blank()


def op_door(iv):
    x0, x1 = OP_DOOR_X
    z = WALL_Z
    top = OP_DOOR_TOP
    mid = (x0 + x1) / 2
    with iv.group(name="OP", comment="Double door to the operating theatre, with its lit sign"):
        iv.material((0.82, 0.84, 0.86), shine=0.3)
        iv.box((x0 - 8, 0, z - 3), (x0, top + 8, z))  # frame
        iv.box((x1, 0, z - 3), (x1 + 8, top + 8, z))
        iv.box((x0 - 8, top, z - 3), (x1 + 8, top + 8, z))
        for a, b in [(x0, mid - 0.5), (mid + 0.5, x1)]:
            iv.material((0.5, 0.66, 0.72), shine=0.3)
            iv.box((a, 1, z - 2.5), (b, top, z - 0.5))
            iv.material(STEEL, shine=0.7)
            iv.box((a + 2, 1, z - 2.8), (b - 2, 30, z - 2.5))  # kick plate
            iv.material((0.55, 0.7, 0.85), glow=(0.15, 0.2, 0.25))
            iv.cylinder(((a + b) / 2, 150, z - 2.7), ((a + b) / 2, 150, z - 2.5), 12)  # porthole
            iv.material(STEEL, shine=0.7)
            hx = b - 10 if a == x0 else a + 10
            iv.box((hx - 3, 95, z - 3.2), (hx + 3, 125, z - 2.5))  # push plate
        # The lit "OP" sign above the door.
        iv.material((0.95, 0.95, 0.95), glow=(0.4, 0.4, 0.4))
        iv.box((mid - 28, top + 14, z - 6), (mid + 28, top + 42, z))
        red = (0.85, 0.05, 0.05)
        iv.label((mid, top + 28, z - 6.2), ["OP"], 20, red, "-z", glow=(0.5, 0.0, 0.0))
        iv.label((mid, 178, z - 2.9), ["OP-Saal"], 7, INK, "-z")
    iv.blank()


# Medicines on the counter -------------------------------------------------------


def front_label(iv, x_front, y, z, lines, size, width, height, ink=INK):
    """A white label on the -x face of a box or bottle."""
    iv.material(WHITE)
    iv.box((x_front - 0.3, y - height / 2, z - width / 2), (x_front, y + height / 2, z + width / 2))
    iv.label((x_front - 0.4, y, z), lines, size, ink, "-x")


def medicines(iv):
    x = MEDICINE_X
    top = COUNTER_TOP
    za, zb, zc, zd, ze = MEDICINE_Z

    with iv.group(name="Schmerzmittel", comment="Painkiller: a white carton with a red band"):
        iv.material(WHITE)
        iv.box((x - 7, top, za - 12), (x + 7, top + 17, za + 12))
        iv.material((0.8, 0.1, 0.12))
        iv.box((x - 7.3, top + 12, za - 12), (x + 7, top + 17, za + 12))
        iv.label((x - 7.4, top + 7, za), ["Schmerzmittel"], 3.0, (0.7, 0.05, 0.05), "-x")
        iv.label((x - 7.4, top + 14.4, za), ["500 mg"], 2.2, WHITE, "-x")

    with iv.group(name="Antidurchfallmittel", comment="Antidiarrhoeal: a brown glass bottle"):
        iv.material((0.42, 0.22, 0.07), shine=0.6)
        iv.cylinder((x, top, zb), (x, top + 20, zb), 7.5)
        iv.cone((x, top + 20, zb), (x, top + 24, zb), 7.5)
        iv.material(WHITE)
        iv.cylinder((x, top + 23, zb), (x, top + 28, zb), 3.2)
        front_label(iv, x - 7.6, top + 10, zb, ["Antidurch-", "fallmittel"], 2.6, 17, 9)

    with iv.group(name="Antibrechmittel", comment="Antiemetic: a tall blue carton"):
        iv.material((0.22, 0.42, 0.78))
        iv.box((x - 5, top, zc - 9), (x + 5, top + 24, zc + 9))
        front_label(iv, x - 5, top + 12, zc, ["Antibrech-", "mittel"], 2.6, 17, 9)

    with iv.group(name="Paracetamol", comment="Paracetamol: a white tablet jar with an orange lid"):
        iv.material(WHITE, shine=0.3)
        iv.cylinder((x, top, zd), (x, top + 15, zd), 8)
        iv.material((0.95, 0.5, 0.1))
        iv.cylinder((x, top + 15, zd), (x, top + 19, zd), 8.4)
        iv.label((x - 8.2, top + 7.5, zd), ["Paracetamol"], 2.6, (0.8, 0.35, 0.0), "-x")

    with iv.group(name="Blutdrucksenker", comment="Blood-pressure pills: carton and blister strip"):
        iv.material((0.55, 0.8, 0.55))
        iv.box((x - 6, top, ze - 13), (x + 6, top + 13, ze + 13))
        front_label(iv, x - 6, top + 6.5, ze, ["Blutdruck-", "senker"], 2.6, 20, 9)
        iv.material((0.82, 0.84, 0.88), shine=0.8)
        iv.box((x - 19, top, ze - 8), (x - 10, top + 0.8, ze + 8))
        iv.material(WHITE)
        for dz in (-5, 0, 5):
            for dx in (-16.5, -12.5):
                iv.sphere((x + dx, top + 0.8, ze + dz), 1, (1.4, 0.7, 1.4))


# Dressings and instruments on the trolley -------------------------------------


def card(iv, x, lines, size=2.6):
    """An upright white name card at the trolley's front edge, facing -z."""
    z = TROLLEY_Z[0] + 2
    top = TROLLEY_TOP
    iv.material(WHITE)
    iv.box((x - 11, top, z), (x + 11, top + 6, z + 0.4))
    iv.label((x, top + 3, z - 0.1), lines, size, INK, "-z")


def dressings(iv):
    top = TROLLEY_TOP
    z = DRESSING_Z
    xa, xb, xc, xd = DRESSING_X

    with iv.group(name="Pflaster", comment="Plaster: a roll of tape and a box of plaster strips"):
        iv.material((0.93, 0.84, 0.68))
        iv.cylinder((xa - 4, top, z - 6), (xa - 4, top + 3.5, z - 6), 5.5)
        iv.material((0.5, 0.45, 0.4))
        iv.cylinder((xa - 4, top + 3.5, z - 6), (xa - 4, top + 3.6, z - 6), 3)
        iv.material((0.95, 0.6, 0.3))
        iv.box((xa - 8, top, z + 2), (xa + 8, top + 7, z + 12))
        iv.material((0.93, 0.84, 0.68))
        iv.box((xa + 1, top, z - 14), (xa + 9, top + 0.4, z - 4))
        card(iv, xa, ["Pflaster"])

    with iv.group(name="Druckverband", comment="Pressure bandage: a white roll with its pad"):
        iv.material((0.97, 0.97, 0.95))
        iv.cylinder((xb - 6, top + 5, z - 3), (xb + 6, top + 5, z - 3), 5)
        iv.material((0.9, 0.88, 0.8))
        iv.box((xb - 5, top, z + 4), (xb + 5, top + 4, z + 12))
        iv.material((0.2, 0.5, 0.3))
        iv.box((xb - 5.2, top + 1.5, z + 4), (xb + 5.2, top + 2.5, z + 12))
        card(iv, xb, ["Druckverband"], 2.3)

    with iv.group(name="Nadel", comment="Needle: suture needle, thread and holder in a kidney dish"):
        iv.material((0.8, 0.82, 0.85), shine=0.8)
        iv.sphere((xc, top + 1, z), 1, (10, 1.5, 7))
        iv.material((0.92, 0.93, 0.95), shine=0.9)
        # The curved needle: a half circle standing up out of the dish.
        centre = (xc - 3, top + 3, z - 1)
        steps = 6
        for i in range(steps):
            a0 = math.pi * i / steps
            a1 = math.pi * (i + 1) / steps
            p0 = (centre[0] + 4.5 * math.cos(a0), centre[1] + 4.5 * math.sin(a0), centre[2])
            p1 = (centre[0] + 4.5 * math.cos(a1), centre[1] + 4.5 * math.sin(a1), centre[2])
            iv.cylinder(p0, p1, 0.35)
        point = (centre[0] - 4.5, centre[1], centre[2])
        iv.cone(point, (point[0], point[1] - 1.5, point[2]), 0.35)
        iv.material((0.15, 0.2, 0.6))
        iv.cylinder((centre[0] + 4.5, centre[1], centre[2]), (xc + 7, top + 2.6, z + 4), 0.2)
        iv.material((0.7, 0.72, 0.75), shine=0.8)
        iv.cylinder((xc - 6, top + 2.5, z + 3), (xc + 7, top + 2.5, z - 3), 0.5)
        iv.cylinder((xc - 6, top + 2.5, z + 5), (xc + 7, top + 2.5, z - 3), 0.5)
        iv.cylinder((xc - 8, top + 2.5, z + 2), (xc - 5, top + 2.5, z + 4), 1.2)
        card(iv, xc, ["Nadel"], 3.0)

    with iv.group(name="Reinigen", comment="Cleaning: disinfectant spray and a bowl of swabs"):
        iv.material((0.9, 0.95, 1.0), shine=0.4)
        iv.cylinder((xd - 4, top, z), (xd - 4, top + 17, z), 3.6)
        iv.material((0.15, 0.45, 0.85))
        iv.cylinder((xd - 4, top + 17, z), (xd - 4, top + 21, z), 1.8)
        iv.box((xd - 5.2, top + 20, z - 3.5), (xd - 2.8, top + 22.5, z + 0.5))
        iv.box((xd - 7.5, top + 6, z - 3.7), (xd - 0.5, top + 12, z - 3.5))
        iv.material(STEEL, shine=0.7)
        iv.cylinder((xd + 6, top, z + 4), (xd + 6, top + 4, z + 4), 5)
        iv.material(WHITE)
        for dx, dz in [(4.5, 3), (7.5, 5), (6, 2), (5, 6)]:
            iv.sphere((xd + dx, top + 4.5, z + dz), 1.6)
        card(iv, xd, ["Reinigen"])


# Emergency equipment -----------------------------------------------------------


def defibrillator(iv):
    x = (CART_X[0] + CART_X[1]) / 2
    z = (CART_Z[0] + CART_Z[1]) / 2
    top = CART_TOP
    front = z + 13
    with iv.group(name="Defi", comment="Defibrillator on the emergency cart, facing the room"):
        iv.material((0.93, 0.8, 0.12), shine=0.3)
        iv.box((x - 18, top, z - 13), (x + 18, top + 15, z + 13))
        iv.material(DARK)
        iv.box((x - 17, top + 15, z - 12), (x + 17, top + 17, z + 12))
        iv.cylinder((x - 8, top + 20, z - 6), (x + 8, top + 20, z - 6), 1.2)  # carrying handle
        iv.cylinder((x - 8, top + 17, z - 6), (x - 8, top + 20, z - 6), 1)
        iv.cylinder((x + 8, top + 17, z - 6), (x + 8, top + 20, z - 6), 1)
        # Screen with a green trace.
        iv.box((x - 16, top + 2, front), (x - 1, top + 13, front + 0.3))
        iv.material((0.2, 0.95, 0.3), glow=(0.1, 0.6, 0.15))
        trace = [(-15, 7), (-11, 7), (-10, 11), (-9, 4), (-8, 7), (-2, 7)]
        for (ax, ay), (bx, by) in zip(trace, trace[1:]):
            iv.cylinder((x + ax, top + ay, front + 0.4), (x + bx, top + by, front + 0.4), 0.25)
        # Shock button and the paddles.
        iv.material((0.85, 0.1, 0.1), glow=(0.3, 0.0, 0.0))
        iv.cylinder((x + 10, top + 10, front), (x + 10, top + 10, front + 1), 2.5)
        iv.material((0.95, 0.45, 0.1))
        for dx in (-11, 11):
            iv.box((x + dx - 4, top + 17, z + 2), (x + dx + 4, top + 21, z + 11))
        iv.material(DARK)
        iv.cylinder((x - 11, top + 19, z + 2), (x - 16, top + 17, z - 10), 0.6)
        iv.cylinder((x + 11, top + 19, z + 2), (x + 16, top + 17, z - 10), 0.6)
        iv.label((x + 9, top + 4.5, front + 0.1), ["Defi"], 5, (0.75, 0.05, 0.05), "+z")
    iv.blank()


def oxygen(iv):
    bx, _, bz = OXYGEN_BASE
    radius = 10
    with iv.group(name="O2", comment="Oxygen cylinder in its floor stand, valve and regulator"):
        iv.material(DARK)
        iv.box((bx - 15, 0, bz - 15), (bx + 15, 4, bz + 15))
        iv.cylinder((bx, 55, bz), (bx, 58, bz), radius + 1.5)  # holding ring
        iv.material((0.16, 0.55, 0.3), shine=0.4)
        iv.cylinder((bx, 4, bz), (bx, 92, bz), radius)
        iv.material(WHITE, shine=0.4)
        iv.sphere((bx, 92, bz), radius, (1, 0.7, 1))  # white shoulder
        iv.material(STEEL, shine=0.8)
        iv.cylinder((bx, 98, bz), (bx, 108, bz), 2.5)
        iv.cylinder((bx - 6, 106, bz), (bx + 6, 106, bz), 2)
        iv.material(WHITE)
        iv.cylinder((bx + 6, 106, bz - 1.5), (bx + 6, 106, bz + 1.5), 4)  # gauge
        iv.material((0.3, 0.75, 0.4))
        iv.cylinder((bx - 6, 106, bz), (bx - 12, 60, bz + 12), 0.6)  # hose
        # Label facing the room (+z).
        iv.material(WHITE)
        iv.box((bx - 8, 48, bz + radius - 1), (bx + 8, 76, bz + radius + 0.6))
        iv.label((bx, 64, bz + radius + 0.7), ["O2"], 10, (0.05, 0.3, 0.12), "+z")
        iv.label((bx, 52.5, bz + radius + 0.7), ["Sauerstoff"], 2.3, INK, "+z")
    iv.blank()
