"""Level 2, the drowned keep at dusk: danger in every kind.

Water over the abyss, passed at its edge and jumped; a slalom of spikes;
two rams to time; a switch that raises a lattice and sets a blade turning
behind it; a second switch and lattice further on; a plank bridge to the
doorway. The player starts at the origin facing -z."""

from . import props
from .levelkit import Level, Theme

THEME = Theme(floor="planken.tga", wall="mauer.tga", light=(0.85, 0.88, 1.0), sky=(1.0, 0.72, 0.58))


def build():
    lv = Level(2, "the drowned keep", THEME, next_level=3)
    lv.ambient = "drip"

    # North hall; a pool fills it but for a ledge on the right.
    lv.floor(-1.5, 1.5, -22, 1.5)
    lv.wall(-1.5, 1.5, 1.5, 1.5, "+z")
    lv.wall(-1.5, 1.5, -1.5, -22, "-x")
    lv.wall(1.5, 1.5, 1.5, -19, "+x")
    lv.water(-1.5, 0.7, -13.9, -10)  # its far corner stays within the collision range

    # East hall: spikes left and right, then a channel of water to jump.
    lv.floor(-1.5, 9, -22, -19)
    lv.wall(-1.5, -22, 9, -22, "-z")
    lv.wall(1.5, -19, 9, -19, "+z")
    lv.deadly("stacheln.txt", props.spikes(4, 3), (4, 0, -21.4), static=True, animated=False,
             sound="spikes")
    lv.deadly("stacheln.txt", props.spikes(4, 3), (6.5, 0, -19.6), static=True, animated=False,
             sound="spikes")
    lv.water(9, 10.4, -22, -19)
    lv.floor(10.4, 20, -22, -19)
    lv.wall(10.4, -22, 17, -22, "-z")
    lv.wall(10.4, -19, 20, -19, "+z")
    lv.wall(20, -19, 20, -36, "+x")
    lv.wall(17, -22, 17, -36, "-x")

    # North along the rams, each sliding across the hall, out of step.
    lv.floor(17, 20, -36, -22)
    ram = props.ram("Ram", width=1.0, height=0.7, depth=0.5, travel=0.9, frames=40)
    lv.mark(17, 20, -27.8, -27.5)
    lv.deadly("rammbock.txt", ram, (18.5, 0, -29), fps=10, frames=40, sound="ram")
    lv.deadly("rammbock.txt", ram, (18.5, 0, -32), fps=13, frames=40, start_frame=20,
             sound="ram")

    # A switch raises the lattice of a narrow gate and starts the blade behind it.
    first_switch = lv.switch(18.5, -34.5)
    lv.floor(17.8, 19.2, -38, -36)
    lv.floor(17, 20, -46, -38)
    lv.wall(17, -36, 17.8, -36, "-z")
    lv.wall(19.2, -36, 20, -36, "-z")
    lv.wall(17.8, -36, 17.8, -38, "-x")
    lv.wall(19.2, -36, 19.2, -38, "+x")
    lv.wall(17, -38, 17.8, -38, "+z")
    lv.wall(19.2, -38, 20, -38, "+z")
    lv.wall(17, -38, 17, -43, "-x")
    lv.wall(20, -38, 20, -46, "+x")
    lv.fill(16.58, 17.68, -37.88, -36.12)
    lv.fill(19.32, 20.42, -37.88, -36.12)
    first_gate = lv.lattice(18.5, -37, across="x", width=1.64, blocks="-z")
    lv.gatehouse(18.5, -37, across="x", width=1.64)
    trap = lv.deadly("klinge.txt", props.blade(), (18.5, 0, -41.5),
                     fps=6, frames=30, animated=False)
    lv.link(first_switch, first_gate, trap)

    # West along the last hall: the second switch, then its lattice.
    lv.floor(5.4, 20, -46, -43)
    lv.floor(3.4, 5.4, -45.2, -43.8)
    lv.floor(0, 3.4, -46, -43)
    lv.wall(5.4, -46, 20, -46, "-z")
    lv.wall(5.4, -43, 17, -43, "+z")
    second_switch = lv.switch(9, -44.5)
    lv.wall(5.4, -46, 5.4, -45.2, "-x")
    lv.wall(5.4, -43.8, 5.4, -43, "-x")
    lv.wall(3.4, -45.2, 5.4, -45.2, "-z")
    lv.wall(3.4, -43.8, 5.4, -43.8, "+z")
    lv.wall(3.4, -46, 3.4, -45.2, "+x")
    lv.wall(3.4, -43.8, 3.4, -43, "+x")
    lv.fill(3.52, 5.28, -46.42, -45.32)
    lv.fill(3.52, 5.28, -43.68, -42.58)
    second_gate = lv.lattice(4.4, -44.5, across="z", width=1.64, blocks="-x")
    lv.gatehouse(4.4, -44.5, across="z", width=1.64)
    lv.link(second_switch, second_gate)
    lv.wall(0, -46, 3.4, -46, "-z")
    lv.wall(0, -46, 0, -43, "-x")
    lv.wall(0, -43, 0.9, -43, "+z")
    lv.wall(2.1, -43, 3.4, -43, "+z")

    # Plank bridges without walls, south, west and south to the doorway.
    lv.floor(0.9, 2.1, -43, -38.4, kind="planks")
    lv.floor(-7.6, 2.1, -39.6, -38.4, kind="planks")
    lv.floor(-7.6, -6.4, -39.6, -30, kind="planks")
    lv.floor(-8.6, -5.4, -30, -27)
    lv.wall(-8.6, -30, -8.6, -27, "-x")
    lv.wall(-5.4, -30, -5.4, -27, "+x")
    lv.doorway(-8.6, -27, -5.4, -27, "+z")
    return lv
