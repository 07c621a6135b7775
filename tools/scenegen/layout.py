"""Where things stand in the room, shared by the parts of the generator.
Centimetres, y up; x runs from the desk wall (-x) to the counter wall (+x),
z from the window wall (-z, the patient's head end) to the door wall (+z)."""

# Inner faces of the walls (the player may walk to 2 cm from them) and the
# ceiling height.
WALL_X = 252.0
WALL_Z = 232.0
CEILING = 285.0
WALL_THICKNESS = 10.0

# The bed fills the box the player cannot enter.
BED_HALF_X = 40.0
BED_HALF_Z = 90.0
MATTRESS_TOP = 85.0

# The counter with the medicines along the +x wall: its front edge, its work
# top and the z range it covers.
COUNTER_FRONT_X = 205.0
COUNTER_TOP = 90.0
COUNTER_Z = (-165.0, 105.0)
MEDICINE_X = 226.0  # centre line of the medicines on the work top
MEDICINE_Z = [-140.0, -95.0, -50.0, -5.0, 40.0]

# The dressing trolley near the foot end, on the player's side of the bed.
TROLLEY_X = (-160.0, -50.0)
TROLLEY_Z = (125.0, 175.0)
TROLLEY_TOP = 88.0
DRESSING_X = [-145.0, -119.0, -92.0, -65.0]
DRESSING_Z = 152.0

# The emergency cart under the defibrillator, at the head end.
CART_X = (80.0, 140.0)
CART_Z = (-220.0, -178.0)
CART_TOP = 95.0

# The oxygen cylinder stands by the window wall, on the player's side.
OXYGEN_BASE = (-105.0, 0.0, -205.0)

# The drip stands beside the head of the bed, one on each side.
INFUSION_STAND = (-64.0, -62.0)
TRANSFUSION_STAND = (64.0, -52.0)

# The double door to the operating theatre in the +z wall.
OP_DOOR_X = (70.0, 190.0)
OP_DOOR_TOP = 212.0

# The window in the -z wall.
WINDOW_X = (-70.0, 50.0)
WINDOW_Y = (100.0, 215.0)


# Where the player's eye can be: at height 160 anywhere on the walkable floor,
# 2 cm inside the walls and outside the bed's box.
EYE_HEIGHT = 160.0


def nearest_eye_distance(point):
    """How close the player's eye can come to `point`."""
    x, y, z = point
    reach_x = max(0.0, abs(x) - (WALL_X - 2))
    reach_z = max(0.0, abs(z) - (WALL_Z - 2))
    if abs(x) < BED_HALF_X and abs(z) < BED_HALF_Z:
        reach_x, reach_z = min(BED_HALF_X - abs(x), BED_HALF_Z - abs(z)), 0.0
    return max(1.0, (reach_x**2 + reach_z**2 + (EYE_HEIGHT - y) ** 2) ** 0.5)
