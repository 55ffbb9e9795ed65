"""The player, Tarnel: about 200 model units tall, feet at the origin,
facing +z (the game turns it by 180 degrees, so it walks away from the
camera). Rounded limbs on a skeleton of eleven bones; the body's collision
box does not move with them."""

import math

from .model import Bone, Material, Mesh, Model

HIP_HEIGHT = 100.0

# Bone, parent, rest position relative to the parent.
SKELETON = [
    ("pelvis", None, (0, HIP_HEIGHT, 0)),
    ("spine", "pelvis", (0, 8, 0)),
    ("head", "spine", (0, 64, 0)),
    ("upper_arm_l", "spine", (36, 56, 0)),
    ("lower_arm_l", "upper_arm_l", (0, -30, 0)),
    ("upper_arm_r", "spine", (-36, 56, 0)),
    ("lower_arm_r", "upper_arm_r", (0, -30, 0)),
    ("upper_leg_l", "pelvis", (13, -4, 0)),
    ("lower_leg_l", "upper_leg_l", (0, -44, 0)),
    ("upper_leg_r", "pelvis", (-13, -4, 0)),
    ("lower_leg_r", "upper_leg_r", (0, -44, 0)),
]

WALK = (1, 8, 15, 23, 30)    # a stride each side; frame 30 equals frame 1
JUMP = (34, 41, 45)          # crouch, then stretch
LAND = (52, 60)              # give at the knees, stand
DEATH = (63, 66, 68, 70)     # tip over backward and lie still
KEY_FRAMES = WALK + JUMP + LAND + DEATH

# Rotation about x in radians per bone and key frame; frames not listed hold 0.
# A positive angle swings the lower end of a limb backward (toward -z) and
# leans the spine forward.
ROTATIONS = {
    "pelvis": {63: -0.5, 66: -1.1, 68: -1.5, 70: -1.5},
    "spine": {8: 0.06, 23: 0.06, 34: 0.35, 41: -0.05, 52: 0.3, 66: -0.1},
    "head": {34: -0.3, 41: 0.1, 52: -0.25, 66: 0.35, 68: 0.45, 70: 0.45},
    "upper_arm_l": {8: -0.5, 23: 0.5, 34: 0.7, 41: -2.7, 45: -2.2, 52: -0.5,
                    63: -1.0, 66: -2.2, 68: -2.6, 70: -2.6},
    "lower_arm_l": {1: -0.25, 8: -0.6, 15: -0.25, 23: -0.1, 30: -0.25, 34: -0.4, 41: -0.1,
                    52: -0.6, 66: -0.4, 68: -0.3, 70: -0.3},
    "upper_arm_r": {8: 0.5, 23: -0.5, 34: 0.7, 41: -2.7, 45: -2.2, 52: -0.5,
                    63: -0.8, 66: -2.0, 68: -2.5, 70: -2.5},
    "lower_arm_r": {1: -0.25, 8: -0.1, 15: -0.25, 23: -0.6, 30: -0.25, 34: -0.4, 41: -0.1,
                    52: -0.6, 66: -0.4, 68: -0.3, 70: -0.3},
    "upper_leg_l": {8: 0.5, 23: -0.5, 34: -0.8, 41: 0.05, 45: -0.3, 52: -0.7, 66: -0.3, 68: -0.35, 70: -0.35},
    "lower_leg_l": {1: 0.25, 8: 0.65, 15: 0.3, 23: 0.05, 30: 0.25, 34: 1.3, 41: 0.05, 45: 0.3, 52: 1.1,
                    66: 0.5, 68: 0.6, 70: 0.6},
    "upper_leg_r": {8: -0.5, 23: 0.5, 34: -0.8, 41: 0.05, 45: -0.3, 52: -0.7, 66: 0.05, 68: 0.1, 70: 0.1},
    "lower_leg_r": {1: 0.25, 8: 0.05, 15: 0.3, 23: 0.65, 30: 0.25, 34: 1.3, 41: 0.05, 45: 0.3, 52: 1.1,
                    66: 0.2, 68: 0.25, 70: 0.25},
}


def pelvis_translation(frame):
    """A bob while walking, a crouch before the jump and on landing, and
    while dying the offset that keeps the feet on the spot while the body
    tips over backward and comes to rest on the ground."""
    if frame in (8, 23):
        return (0.0, -3.0, 0.0)
    if frame == 34:
        return (0.0, -20.0, 0.0)
    if frame == 41:
        return (0.0, 4.0, 0.0)
    if frame == 52:
        return (0.0, -16.0, 0.0)
    a = ROTATIONS["pelvis"].get(frame, 0.0)
    if frame in DEATH and a != 0.0:
        lift = 18.0 * (-a / 1.5)
        return (0.0, -HIP_HEIGHT + HIP_HEIGHT * math.cos(a) + lift, HIP_HEIGHT * math.sin(a))
    return (0.0, 0.0, 0.0)


def make_player():
    m = Model("Tarnel, the player character", frames=70, start_frame=1)
    m.materials = [
        Material("Haut", (0.42, 0.3, 0.24, 1), (0.85, 0.64, 0.5, 1), (0.1, 0.1, 0.1, 1), shininess=8),
        Material("Hemd", (0.45, 0.45, 0.5, 1), (0.9, 0.9, 0.95, 1), (0.2, 0.2, 0.2, 1), shininess=10,
                 texture="./texturen/stoff.tga"),
        Material("Hose", (0.25, 0.18, 0.11, 1), (0.5, 0.36, 0.22, 1)),
        Material("Stiefel", (0.1, 0.08, 0.07, 1), (0.22, 0.17, 0.13, 1), (0.4, 0.4, 0.4, 1), shininess=30),
        Material("Haar", (0.18, 0.11, 0.05, 1), (0.35, 0.22, 0.1, 1)),
        Material("Augen", (0.03, 0.03, 0.05, 1), (0.05, 0.05, 0.08, 1), (0.8, 0.8, 0.8, 1), shininess=60),
    ]
    for name, parent, rest in SKELETON:
        b = Bone(name, parent, rest)
        rot = ROTATIONS[name]
        b.rotation_keys = [(f, rot.get(f, 0.0), 0.0, 0.0) for f in KEY_FRAMES]
        if name == "pelvis":
            b.position_keys = [(f,) + pelvis_translation(f) for f in KEY_FRAMES]
        else:
            b.position_keys = [(1, 0.0, 0.0, 0.0)]
        m.bones.append(b)
    bi = m.bone_index

    skin = Mesh("Haut", 0)
    skin.ellipsoid((0, 186, 0), (13, 15, 14), bi("head"))
    skin.ellipsoid((0, 183, 13.5), (2.2, 3.2, 2.6), bi("head"), sides=6, rings=4)   # nose
    skin.capsule((0, 164, 0), (0, 174, 0), 5.5, 5.5, bi("head"))                    # neck
    for side, x in (("l", 36), ("r", -36)):
        skin.capsule((x, 108, 0), (x, 134, 0), 5.5, 6.5, bi("lower_arm_" + side))
        skin.ellipsoid((x * 1.01, 98, 1), (5, 8, 4), bi("lower_arm_" + side), sides=8, rings=4)  # hand

    shirt = Mesh("Hemd", 1)
    shirt.capsule((0, 112, 0), (0, 156, 0), 20, 25, bi("spine"), sides=10, squash=0.6)
    for side, x in (("l", 36), ("r", -36)):
        shirt.capsule((x, 138, 0), (x, 160, 0), 7.5, 8.5, bi("upper_arm_" + side))

    trousers = Mesh("Hose", 2)
    trousers.capsule((0, 96, 0), (0, 108, 0), 19, 19, bi("pelvis"), sides=10, squash=0.65)
    for side, x in (("l", 13), ("r", -13)):
        trousers.capsule((x, 58, 0), (x, 92, 0), 9.5, 11, bi("upper_leg_" + side))
        trousers.capsule((x, 16, 0), (x, 50, 0), 7.5, 9, bi("lower_leg_" + side))

    boots = Mesh("Stiefel", 3)
    for side, x in (("l", 13), ("r", -13)):
        boots.ellipsoid((x, 6, 5), (7.5, 6.5, 14), bi("lower_leg_" + side), sides=8, rings=4)

    hair = Mesh("Haar", 4)
    hair.ellipsoid((0, 191, -2.5), (14, 12.5, 14), bi("head"))

    eyes = Mesh("Augen", 5)
    for x in (-5, 5):
        eyes.ellipsoid((x, 189, 11.8), (2.4, 2.2, 1.8), bi("head"), sides=6, rings=3)
    eyes.ellipsoid((0, 177.5, 12.2), (4, 1.1, 1.5), bi("head"), sides=6, rings=3)   # mouth

    m.meshes = [skin, shirt, trousers, boots, hair, eyes]
    m.bounding = ((-60, 0, -40), (60, 200, 40))
    return m
