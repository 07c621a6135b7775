"""The treatment bed and the patient on it.

The patient lies on the back with the head towards -z, so the patient's left
is +x. Three body parts carry the names the game knows ("Head", "Torso",
"L_Shin1"); arms, thighs, the right shin and the feet stay unnamed. Six
pendulums, off in the file, let head, torso, arms and legs tremble when the
game switches them on: each one sits in front of its part, turning it a few
degrees about its joint.
"""

from layout import BED_HALF_X, BED_HALF_Z, MATTRESS_TOP

SKIN = (0.84, 0.62, 0.5)
GOWN = (0.5, 0.68, 0.78)
SHORTS = (0.2, 0.28, 0.45)
HAIR = (0.33, 0.22, 0.13)
SHEET = (0.88, 0.9, 0.92)
FRAME = (0.74, 0.79, 0.85)
STEEL = (0.62, 0.64, 0.68)
DARK = (0.12, 0.12, 0.13)

# Wound on the top of the left shin; the game's spray starts at its centre.
WOUND = (10.0, 93.0, 63.0)

NECK_PIVOT = (0.0, 96.0, -60.0)
SPINE_PIVOT = (0.0, 90.0, -24.0)
HIP_Y, HIP_Z = 92.0, 6.0
KNEE_Z, ANKLE_Z = 42.0, 78.0
SHIN_Y, SHIN_RADIUS = 87.0, 6.0  # the shin's top is at y = 93
SHOULDER = (25.0, 93.0, -50.0)
ELBOW = (27.0, 91.0, -24.0)
WRIST = (27.0, 90.0, 0.0)


def build_bed(iv):
    hx, hz = BED_HALF_X, BED_HALF_Z
    with iv.group(comment="Treatment bed: fills the box the player cannot walk into"):
        iv.material(DARK)
        for x in (-33, 33):
            for z in (-80, 80):
                iv.cylinder((x - 2, 6, z), (x + 2, 6, z), 6)
        iv.material(STEEL, shine=0.5)
        for x in (-33, 33):
            for z in (-80, 80):
                iv.cylinder((x, 10, z), (x, 44, z), 2.5)
        iv.box((-hx + 2, 40, -hz + 4), (hx - 2, 46, hz - 4))  # chassis
        iv.material((0.42, 0.45, 0.5))
        iv.box((-15, 46, -30), (15, 58, 30))  # lifting column
        iv.material(FRAME, shine=0.3)
        iv.box((-hx, 58, -hz), (hx, 66, hz))  # frame
        iv.box((-hx + 0.5, 58, -hz + 0.2), (hx - 0.5, 110, -hz + 4))  # head board
        iv.box((-hx + 0.5, 58, hz - 4), (hx - 0.5, 96, hz - 0.2))  # foot board
        iv.material((0.5, 0.6, 0.7))
        iv.box((-hx - 0.3, 62, -hz + 6), (hx + 0.3, 63, hz - 6))  # frame stripe
        iv.material(SHEET)
        iv.box((-hx + 1, 66, -hz + 4), (hx - 1, MATTRESS_TOP, hz - 4))  # mattress
        iv.sphere((0, 88, -73), 1, (27, 5, 13))  # pillow
        # A folded blanket across the mattress under the feet.
        iv.material((0.36, 0.55, 0.72))
        iv.box((-hx + 1, MATTRESS_TOP - 1, 66), (hx - 1, MATTRESS_TOP + 0.6, 78))
    iv.blank()


def build_patient(iv):
    with iv.group(comment="The patient, lying on the back, head towards -z (left side is +x)"):
        head(iv)
        torso(iv)
        arm(iv, +1, "pend2")
        arm(iv, -1, "pend3")
        leg(iv, +1, "pend4")
        leg(iv, -1, "pend5")
    iv.blank()


def head(iv):
    with iv.group(comment="Head, rolling a little about the neck"):
        iv.pendulum("pend1", NECK_PIVOT, (0, 0, 1), 0.09, 3.2)
        with iv.group(name="Head"):
            iv.material(SKIN)
            iv.sphere((0, 99, -71), 10)
            iv.sphere((10, 99, -70), 1, (1.2, 3, 2))  # ears
            iv.sphere((-10, 99, -70), 1, (1.2, 3, 2))
            iv.cone((0, 108, -66.5), (0, 112, -66.5), 1.6)  # nose
            iv.material(HAIR)
            iv.sphere((0, 97, -74), 10.3)
            iv.sphere((0, 103, -78), 1, (9.5, 6, 5))  # hair line over the forehead
            iv.material(DARK)
            iv.sphere((3.6, 107.4, -69.5), 1.2)
            iv.sphere((-3.6, 107.4, -69.5), 1.2)
            iv.material((0.62, 0.3, 0.3))
            iv.sphere((0, 104.6, -62.6), 1, (2.6, 0.6, 1.0))  # mouth
        iv.material(SKIN)
        iv.cylinder((0, 95, -62), (0, 95, -53), 5.5)  # neck


def torso(iv):
    with iv.group(comment="Torso in a hospital gown, with the hips; it heaves slightly"):
        iv.pendulum("pend6", SPINE_PIVOT, (0, 0, 1), 0.025, 2.4)
        with iv.group(name="Torso"):
            iv.material(GOWN)
            iv.cylinder((0, 96, -52), (0, 96, 0), 1, stretch=(20, 11))
            iv.sphere((0, 96, -52), 1, (20, 11, 5))  # shoulders
            iv.sphere((19, 94, -49), 6.5)
            iv.sphere((-19, 94, -49), 6.5)
            iv.material((0.45, 0.62, 0.72))
            iv.box((-0.4, 104, -50), (0.4, 107.3, -10))  # gown seam
            iv.material(SHORTS)
            iv.cylinder((0, 94, -2), (0, 94, 18), 1, stretch=(19.5, 9.5))


def arm(iv, side, pendulum):
    sx = side
    shoulder = (sx * SHOULDER[0], SHOULDER[1], SHOULDER[2])
    elbow = (sx * ELBOW[0], ELBOW[1], ELBOW[2])
    wrist = (sx * WRIST[0], WRIST[1], WRIST[2])
    which = "Left" if side > 0 else "Right"
    with iv.group(comment=f"{which} arm along the body, lifting a little at the shoulder"):
        iv.pendulum(pendulum, shoulder, (1, 0, 0), -0.05, 3.8 if side > 0 else 4.3)
        iv.material(GOWN)
        iv.cylinder(shoulder, (sx * 26, 92.5, -38), 5.8)  # sleeve
        iv.material(SKIN)
        iv.cylinder(shoulder, elbow, 4.9)
        iv.sphere(elbow, 4.7)
        iv.cylinder(elbow, wrist, 4.2)
        iv.sphere((sx * 27, 89.5, 6), 1, (3.2, 2.2, 5.5))  # hand


def leg(iv, side, pendulum):
    sx = side
    x = sx * 10.0
    which = "Left" if side > 0 else "Right"
    with iv.group(comment=f"{which} leg, lifting a little at the hip"):
        iv.pendulum(pendulum, (x, HIP_Y, HIP_Z), (1, 0, 0), -0.03, 4.6 if side > 0 else 4.0)
        iv.material(SHORTS)
        iv.cylinder((x, HIP_Y, HIP_Z), (x, 91.5, 22), 8.6)
        iv.material(SKIN)
        iv.cylinder((x, 91.5, 20), (x, 89, KNEE_Z), 7.8)  # thigh
        iv.sphere((x, 88.5, KNEE_Z), 6.8)  # knee
        if side > 0:
            with iv.group(name="L_Shin1"):
                shin(iv, x)
                wound(iv)
            iv.material((0.5, 0.05, 0.06))
            iv.sphere((x + 9, MATTRESS_TOP, 63), 1, (3.5, 0.3, 6))  # blood on the sheet
        else:
            shin(iv, x)
        iv.material(SKIN)
        iv.sphere((x + sx * 0.5, 95, 81.5), 1, (4.6, 10, 4.3))  # foot, toes up
        iv.sphere((x + sx * 2, 104, 81.5), 1, (3, 1.6, 3))  # toes


def shin(iv, x):
    iv.material(SKIN)
    iv.cylinder((x, SHIN_Y, KNEE_Z), (x, SHIN_Y, ANKLE_Z), SHIN_RADIUS)
    iv.sphere((x, 86.8, 55), 1, (6.5, 6, 11))  # calf
    iv.sphere((x, SHIN_Y, ANKLE_Z), 5.2)  # ankle


def wound(iv):
    wx, wy, wz = WOUND
    iv.comment("The open fracture: a ragged blood-red patch with a splinter of bone")
    iv.comment("at its edge, and blood running down the outer side of the shin")
    iv.material((0.42, 0.02, 0.03), shine=0.3)
    for dx, dz, rx, rz in [(0, 0, 3.4, 5.0), (1.2, -2.6, 2.6, 3.0), (-1.0, 2.4, 2.4, 3.4)]:
        iv.sphere((wx + dx, wy - 0.05, wz + dz), 1, (rx, 0.5, rz))
    iv.material((0.78, 0.04, 0.05), shine=0.6)
    iv.sphere((wx, wy + 0.15, wz), 1, (2.2, 0.45, 3.6))
    iv.sphere((wx + 0.8, wy + 0.1, wz - 2), 1, (1.6, 0.45, 2.0))
    iv.material((0.93, 0.9, 0.8))
    iv.sphere((wx - 1.6, wy + 0.3, wz + 2.6), 1, (0.6, 0.4, 1.3))
    iv.material((0.5, 0.02, 0.03), shine=0.3)
    for dz, height, y in [(-2.0, 3.2, -2.4), (0.8, 4.0, -3.0), (2.8, 2.6, -2.0)]:
        iv.sphere((wx + 5.1, wy + y, wz + dz), 1, (0.7, height, 1.1))
