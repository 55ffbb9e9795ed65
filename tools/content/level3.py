"""Level 3, the iron bastion at night: everything again, tighter.

A close slalom of spikes; a gap to jump beside a turning blade; a switch
that wakes a still blade and lifts the outer grille of a gate; a second
switch beyond the blade lifts the inner one; two rams out of step; water
passed at its edge and water jumped; a narrow bridge with a bend to the
doorway, which leads back to level 1. The player starts at the origin
facing -z."""

from . import props
from .levelkit import Level, Theme

THEME = Theme(floor="metall.tga", wall="stein.tga", light=(0.8, 0.86, 1.05), sky=(1.0, 1.0, 1.0),
              sky_texture="nacht.tga", stars=True)


def build():
    lv = Level(3, "the iron bastion", THEME, next_level=1)
    lv.ambient = "hum"

    # North hall with a close slalom of spikes.
    lv.floor(-1.5, 1.5, -19, 1.5)
    lv.wall(-1.5, 1.5, 1.5, 1.5, "+z")
    lv.wall(-1.5, 1.5, -1.5, -19, "-x")
    lv.wall(1.5, 1.5, 1.5, -16, "+x")
    spikes = props.spikes(4, 3)
    lv.deadly("stacheln.txt", spikes, (-0.7, 0, -10), static=True, animated=False,
             sound="spikes")
    lv.deadly("stacheln.txt", spikes, (0.7, 0, -12.4), static=True, animated=False,
             sound="spikes")

    # East: a gap to jump while a blade turns beside it.
    lv.floor(-1.5, 5, -19, -16)
    lv.pit(5, 6.6, -19, -16)
    lv.floor(6.6, 20, -19, -16)
    lv.wall(-1.5, -19, 5, -19, "-z")
    lv.wall(1.5, -16, 5, -16, "+z")
    lv.wall(6.6, -19, 17, -19, "-z")
    lv.wall(6.6, -16, 20, -16, "+z")
    lv.deadly("klinge.txt", props.blade(), (5.8, 0, -17.5), fps=12, frames=30)

    # North: a switch wakes the still blade and lifts the outer grille of the
    # gate; the second switch, beyond the blade, lifts the inner one.
    lv.floor(17, 20, -36, -19)
    lv.wall(20, -16, 20, -36, "+x")
    lv.wall(17, -19, 17, -36, "-x")
    waking_switch = lv.switch(18.5, -23)
    sleeper = lv.deadly("klinge2.txt", props.rotor("Sleeping blade", radius=1.25, width=0.12, low=0.1,
                                                   high=0.28, post_height=0.5, frames=30),
                        (18.5, 0, -28), fps=8, frames=30, animated=False)
    last_switch = lv.switch(18.5, -33)
    lv.floor(17.8, 19.2, -38, -36)
    lv.floor(17, 20, -43, -38)
    lv.wall(17, -36, 17.8, -36, "-z")
    lv.wall(19.2, -36, 20, -36, "-z")
    lv.wall(17.8, -36, 17.8, -38, "-x")
    lv.wall(19.2, -36, 19.2, -38, "+x")
    lv.wall(17, -38, 17.8, -38, "+z")
    lv.wall(19.2, -38, 20, -38, "+z")
    lv.wall(17, -38, 17, -40, "-x")
    lv.wall(20, -38, 20, -43, "+x")
    lv.fill(16.58, 17.68, -37.88, -36.12)
    lv.fill(19.32, 20.42, -37.88, -36.12)
    outer = lv.lattice(18.5, -36.75, across="x", width=1.64, blocks="-z")
    inner = lv.lattice(18.5, -37.25, across="x", width=1.64, blocks="-z")
    lv.gatehouse(18.5, -37, across="x", width=1.64, depth=1.0)
    lv.link(waking_switch, sleeper, outer)
    lv.link(last_switch, inner)

    # West: two rams out of step, water at the edge, water to jump.
    lv.floor(-3, 20, -43, -40)
    lv.wall(-3, -43, 20, -43, "-z")
    lv.wall(-0.6, -40, 17, -40, "+z")
    ram = props.ram("Ram", width=1.0, height=0.7, depth=0.5, travel=0.9, frames=40)
    lv.mark(14.6, 14.9, -43, -40)
    lv.deadly("rammbock.txt", ram, (13, 0, -41.5), turn=90, fps=12, frames=40, sound="ram")
    lv.deadly("rammbock.txt", ram, (10.5, 0, -41.5), turn=90, fps=9, frames=40, start_frame=12,
             sound="ram")
    lv.water(5, 7.5, -42, -40)
    lv.water(2, 3.4, -43, -40)
    lv.wall(-3, -43, -3, -40, "-x")
    lv.wall(-3, -40, -1.6, -40, "+z")

    # A narrow bridge south, a bend, and the doorway.
    lv.floor(-1.6, -0.6, -40, -31, kind="planks")
    lv.floor(-1.6, 5, -32, -31, kind="planks")
    lv.floor(4, 5, -32, -27, kind="planks")
    lv.floor(2.9, 6.1, -27, -24)
    lv.wall(2.9, -27, 2.9, -24, "-x")
    lv.wall(6.1, -27, 6.1, -24, "+x")
    lv.doorway(2.9, -24, 6.1, -24, "+z")
    return lv
