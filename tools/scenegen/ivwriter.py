"""Writes Open Inventor 2.1 ASCII scene text: groups, materials and simple
shapes placed in room coordinates (centimetres, y up).

Every shape gets a separator of its own with its placement, so that shapes can
be listed in any order and a named group only ever holds its own geometry.
"""

import math
from contextlib import contextmanager

from layout import nearest_eye_distance

# Pixels per centimetre at a distance of 1 cm in the game's 800 x 600 view
# (Coin's default camera sees 45 degrees from top to bottom).
PIXELS_AT_UNIT_DISTANCE = 300 / math.tan(math.radians(22.5))
# Compared at 800 x 600, pictures of the room show no change with these:
# a sphere less than 5 pixels in radius is as round at complexity 0.1 as at
# 0.4, and letters less than 20 pixels high are as clean with their curves
# cut into the fewest pieces (complexity 0).
SPHERE_PIXELS_PER_STEP = 5
TEXT_PIXELS_PER_STEP = 20


def fmt(value):
    """A number as short as it can be written without losing a hundredth."""
    text = f"{value:.3f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def vec(values):
    return " ".join(fmt(v) for v in values)


def scaled(color, factor):
    return tuple(min(1.0, c * factor) for c in color)


class IvWriter:
    def __init__(self):
        self.lines = ["#Inventor V2.1 ascii", ""]
        self.depth = 0

    def text(self):
        return "\n".join(self.lines) + "\n"

    def line(self, text):
        self.lines.append("  " * self.depth + text)

    def blank(self):
        self.lines.append("")

    def comment(self, text):
        for part in text.split("\n"):
            self.line("# " + part)

    @contextmanager
    def group(self, name=None, comment=None, kind="Separator"):
        if comment:
            self.comment(comment)
        self.line((f"DEF {name} " if name else "") + kind + " {")
        self.depth += 1
        yield
        self.depth -= 1
        self.line("}")

    # Properties -------------------------------------------------------------

    def material(self, color, shine=0.0, glow=None, ambient=0.55):
        """Diffuse colour with a matching ambient part, so that the room's
        ambient light brightens every surface in its own colour; `shine`
        adds a white highlight, `glow` an emissive colour (lamps, screens)."""
        fields = [
            f"ambientColor {vec(scaled(color, ambient))}",
            f"diffuseColor {vec(color)}",
        ]
        if shine > 0:
            fields.append(f"specularColor {vec((shine, shine, shine))}")
            fields.append(f"shininess {fmt(0.2 + 0.5 * shine)}")
        if glow is not None:
            fields.append(f"emissiveColor {vec(glow)}")
        self.line("Material { " + " ".join(fields) + " }")

    def translation(self, offset):
        self.line(f"Translation {{ translation {vec(offset)} }}")

    def rotation(self, axis, angle):
        self.line(f"Rotation {{ rotation {vec(axis)} {fmt(angle)} }}")

    def scale(self, factors):
        self.line(f"Scale {{ scaleFactor {vec(factors)} }}")

    # Shapes -----------------------------------------------------------------

    def box(self, low, high):
        """An axis-aligned box from corner `low` to corner `high`."""
        center = [(a + b) / 2 for a, b in zip(low, high)]
        size = [abs(b - a) for a, b in zip(low, high)]
        with self.group():
            self.translation(center)
            self.line(f"Cube {{ width {fmt(size[0])} height {fmt(size[1])} depth {fmt(size[2])} }}")

    def fitted_complexity(self, center, size, pixels_per_step, coarsest):
        """Coin cuts round shapes and the letters of 3D text into triangles by
        the room's complexity, 0.4, however small they show. A shape of
        `size` (its largest half-axis, or a font's size) gets the complexity
        `coarsest` (in steps of 0.1) and one step more for every
        `pixels_per_step` it can be large on the screen, seen from as close as
        the player's eye can come, up to the room's."""
        pixels = size / nearest_eye_distance(center) * PIXELS_AT_UNIT_DISTANCE
        steps = min(4, coarsest + math.floor(pixels / pixels_per_step))
        if steps < 4:
            self.line(f"Complexity {{ value {fmt(steps / 10)} }}")

    def sphere(self, center, radius, stretch=(1, 1, 1)):
        """A sphere, or an ellipsoid with half-axes radius * stretch."""
        with self.group():
            self.fitted_complexity(center, radius * max(stretch), SPHERE_PIXELS_PER_STEP, 1)
            self.translation(center)
            if tuple(stretch) != (1, 1, 1):
                self.scale(stretch)
            self.line(f"Sphere {{ radius {fmt(radius)} }}")

    def cylinder(self, start, end, radius, stretch=None):
        """A cylinder from point `start` to point `end`; `stretch` (two
        factors) flattens its cross-section across and along the y axis of
        the room, for limbs and the torso that lie along z."""
        axis = [b - a for a, b in zip(start, end)]
        length = math.sqrt(sum(c * c for c in axis))
        center = [(a + b) / 2 for a, b in zip(start, end)]
        with self.group():
            self.translation(center)
            if stretch is not None:
                self.scale((stretch[0], stretch[1], 1))
            self._turn_y_to(axis, length)
            self.line(f"Cylinder {{ radius {fmt(radius)} height {fmt(length)} }}")

    def cone(self, base, tip, radius):
        axis = [b - a for a, b in zip(base, tip)]
        length = math.sqrt(sum(c * c for c in axis))
        center = [(a + b) / 2 for a, b in zip(base, tip)]
        with self.group():
            self.translation(center)
            self._turn_y_to(axis, length)
            self.line(f"Cone {{ bottomRadius {fmt(radius)} height {fmt(length)} }}")

    def _turn_y_to(self, axis, length):
        # Inventor's round shapes stand along y; turn y onto the wanted axis.
        d = [c / length for c in axis]
        if d[1] > 0.999999:
            return
        if d[1] < -0.999999:
            self.rotation((1, 0, 0), math.pi)
            return
        turn = (d[2], 0.0, -d[0])  # y x d
        norm = math.sqrt(turn[0] ** 2 + turn[2] ** 2)
        self.rotation([c / norm for c in turn], math.acos(d[1]))

    FACING = {"+z": 0.0, "-x": -math.pi / 2, "-z": math.pi, "+x": math.pi / 2}

    def label(self, position, lines, size, color, facing, glow=None):
        """Upright 3D text centred on `position`, its front turned towards
        `facing` ("+x", "-x", "+z", "-z"), one entry of `lines` a line."""
        with self.group():
            self.material(color, glow=glow, ambient=0.8)
            self.translation(position)
            angle = self.FACING[facing]
            if angle:
                self.rotation((0, 1, 0), angle)
            # Text3 puts the baseline of the first line at the origin;
            # lift it so that the block of lines is centred on `position`.
            self.translation((0, (len(lines) - 1) * size * 0.5 - size * 0.36, 0))
            self.fitted_complexity(position, size, TEXT_PIXELS_PER_STEP, 0)
            self.line(f'Font {{ name "DejaVu Sans:Bold" size {fmt(size)} }}')
            strings = ", ".join('"' + s + '"' for s in lines)
            self.line(f"Text3 {{ string [ {strings} ] justification CENTER parts FRONT }}")

    def pendulum(self, name, pivot, axis, angle, speed):
        """A pendulum node that swings what follows it in the same group about
        `pivot`: still (at rest pose) while off, trembling while on."""
        self.translation(pivot)
        self.line(
            f"DEF {name} Pendulum {{ rotation0 {vec(axis)} 0 rotation1 {vec(axis)} {fmt(angle)} "
            f"speed {fmt(speed)} on FALSE }}"
        )
        self.translation([-c for c in pivot])
