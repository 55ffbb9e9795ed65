"""Level 1, the sunlit ruins: learning to walk, turn, jump and use a switch.

The route bends five times over open sky: a long first hall, a gap to jump,
a pit to walk round, a switch that raises a lattice in a narrow gate, a slow
blade to time, and a zigzag of plank bridges without walls to the doorway.
The player starts at the origin facing -z; north is -z, east is +x."""

from . import props
from .levelkit import Level, Theme

THEME = Theme(floor="stein.tga", wall="mauer.tga", light=(1.05, 1.0, 0.92), sky=(1.0, 1.0, 1.0))


def build():
    lv = Level(1, "the sunlit ruins", THEME, next_level=2)
    lv.ambient = "wind"

    # The first hall runs north: 14 units of safe floor before the first bend.
    lv.floor(-1.5, 1.5, -16, 1.5)
    lv.wall(-1.5, 1.5, 1.5, 1.5, "+z")
    lv.wall(-1.5, 1.5, -1.5, -16, "-x")
    lv.wall(1.5, 1.5, 1.5, -13, "+x")

    # Bend right into the east hall; a gap 1.4 units wide across it is jumped.
    lv.floor(-1.5, 5, -16, -13)
    lv.pit(5, 6.4, -16, -13)
    lv.floor(6.4, 14, -16, -13)
    lv.wall(-1.5, -16, 5, -16, "-z")
    lv.wall(1.5, -13, 5, -13, "+z")
    lv.wall(6.4, -16, 11, -16, "-z")
    lv.wall(6.4, -13, 14, -13, "+z")
    lv.wall(14, -13, 14, -20, "+x")
    lv.wall(11, -16, 11, -20, "-x")

    # Bend left into the pit room: the pit fills its middle and is walked round.
    lv.floor(11, 14, -20, -16)
    lv.floor(6, 17, -30, -20)
    lv.pit(9.5, 15.5, -28, -22)
    lv.wall(6, -20, 11, -20, "+z")
    lv.wall(14, -20, 17, -20, "+z")
    lv.wall(6, -20, 6, -30, "-x")
    lv.wall(17, -20, 17, -30, "+x")
    lv.wall(6, -30, 11, -30, "-z")
    lv.wall(14, -30, 17, -30, "-z")

    # North again: a switch in the way, then a lattice in a narrow gate under
    # its gatehouse.
    lv.floor(11, 14, -36, -30)
    lv.floor(11.8, 13.2, -38, -36)
    lv.floor(11, 14, -43, -38)
    lv.wall(11, -30, 11, -36, "-x")
    lv.wall(14, -30, 14, -36, "+x")
    lv.wall(11, -36, 11.8, -36, "-z")
    lv.wall(13.2, -36, 14, -36, "-z")
    lv.wall(11.8, -36, 11.8, -38, "-x")
    lv.wall(13.2, -36, 13.2, -38, "+x")
    lv.wall(11, -38, 11.8, -38, "+z")
    lv.wall(13.2, -38, 14, -38, "+z")
    lv.wall(11, -38, 11, -40, "-x")
    lv.wall(14, -38, 14, -43, "+x")
    lv.wall(-8, -43, 14, -43, "-z")
    lv.fill(10.58, 11.68, -37.88, -36.12)
    lv.fill(13.32, 14.42, -37.88, -36.12)
    gate_switch = lv.switch(12.5, -33)
    gate = lv.lattice(12.5, -37, across="x", width=1.64, blocks="-z")
    lv.gatehouse(12.5, -37, across="x", width=1.64)
    lv.link(gate_switch, gate)

    # Bend left into the west hall, where a slow blade turns across the way.
    lv.floor(-8, 11, -43, -40)
    lv.wall(-5.4, -40, 11, -40, "+z")
    lv.mark(4.6, 5, -43, -40)
    lv.mark(1, 1.4, -43, -40)
    lv.deadly("klinge.txt", props.blade(), (3, 0, -41.5), fps=8, frames=30)
    lv.wall(-8, -40, -8, -43, "-x")
    lv.wall(-8, -40, -6.6, -40, "+z")

    # Plank bridges without walls, bending left, right and left to the doorway.
    lv.floor(-6.6, -5.4, -40, -29.8, kind="planks")
    lv.floor(-12, -5.4, -31, -29.8, kind="planks")
    lv.floor(-12, -10.8, -31, -21, kind="planks")
    lv.floor(-13, -9.8, -21, -17.5)
    lv.wall(-13, -21, -13, -17.5, "-x")
    lv.wall(-9.8, -21, -9.8, -17.5, "+x")
    lv.doorway(-13, -17.5, -9.8, -17.5, "+z")
    return lv
