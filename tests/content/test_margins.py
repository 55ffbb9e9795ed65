"""The content generator's margin check (tools/content/margins.py): it must
pass the shipped levels and refuse what the body, the camera or a strafing
player would run into. Run by CTest as unit.content."""

import math
import os
import sys
import tempfile
import unittest
from unittest import mock

sys.dont_write_bytecode = True
TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools")
sys.path.insert(0, TOOLS)

import make_content  # noqa: E402
from content import level1, level2, level3, levelkit, margins  # noqa: E402
from content.levelkit import Level, Theme  # noqa: E402
from content.model import Bone, Mesh, Model  # noqa: E402

THEME = Theme(floor="stein.tga", wall="mauer.tga", light=(1, 1, 1), sky=(1, 1, 1))


def bend(extra=None):
    """A walkway 3 wide north from the start, bending east: the reflex corner
    of the bend at (1.5, -10), a concave one at (-1.5, -13)."""
    lv = Level(1, "a bend", THEME, next_level=2)
    lv.floor(-1.5, 1.5, -13, 1.5)
    lv.floor(-1.5, 8, -13, -10)
    lv.wall(-1.5, 1.5, 1.5, 1.5, "+z")
    lv.wall(-1.5, 1.5, -1.5, -13, "-x")
    lv.wall(1.5, 1.5, 1.5, -10, "+x")
    lv.wall(-1.5, -13, 8, -13, "-z")
    lv.wall(1.5, -10, 8, -10, "+z")
    lv.wall(8, -10, 8, -13, "+x", target=2)
    if extra:
        extra(lv)
    return lv


class MarginCheckTest(unittest.TestCase):
    def test_shipped_levels_hold(self):
        for module in (level1, level2, level3):
            level = module.build()
            self.assertEqual(margins.check_level(level), [], "level %d" % level.number)

    def test_a_well_made_level_holds_and_a_strafe_through_any_wall_falls(self):
        level = bend()
        self.assertEqual(margins.check_level(level), [])
        # Just past the middle of each ordinary wall, and far beyond, the player's box is in the abyss.
        for x1, z1, x2, z2, axis, sign, target in level.walls:
            if target:
                continue
            for depth in (margins.PLAYER_RADIUS, 1.0):
                x = (x1 + x2) / 2 + (sign * depth if axis == "x" else 0)
                z = (z1 + z2) / 2 + (sign * depth if axis == "z" else 0)
                self.assertTrue(any(r[0] - margins.BOX_NEAR < x < r[1] + margins.BOX_NEAR
                                    and r[2] - margins.BOX_NEAR < z < r[3] + margins.BOX_NEAR
                                    for r in level.abyss_rects()), (x, z))

    def test_masonry_within_the_bodys_reach_is_refused(self):
        # A patch of parapet just behind the north wall, closer than the body reaches.
        problems = margins.check_level(bend(lambda lv: lv.fill(-1, 0, -13.3, -13.05)))
        self.assertTrue(problems)
        self.assertTrue(all("x -1.00..0.00" in p or "x -1.00..-1.00" in p or "x 0.00..0.00" in p
                            for p in problems), problems)
        self.assertIn("the body needs %.3f" % margins.BODY_REACH, problems[0])

    def test_a_parapet_too_near_its_wall_line_is_refused(self):
        with mock.patch.object(levelkit, "PARAPET_OFFSET", margins.PARAPET_OFFSET_MIN - 0.03):
            problems = margins.check_level(bend())
        self.assertTrue(problems)
        self.assertTrue(all("the body needs" in p for p in problems), problems)

    def test_a_reflex_corner_needs_its_notch(self):
        with mock.patch.object(levelkit, "CORNER_CUT", 0.15):
            problems = margins.check_level(bend())
        self.assertTrue(problems)
        self.assertTrue(all("x 1.5" in p or "1.50" in p or "1.6" in p for p in problems), problems)

    def test_a_concave_corner_is_kept_clear_of_the_step_past_its_walls(self):
        # In a corner the last wall's block wins: the player slips a step past the other line.
        (slip,) = [r for r in margins.corner_slips(bend()) if r[0] < -1.5 and r[2] < -12]
        self.assertEqual((round(slip[0], 3), slip[1], slip[2], round(slip[3], 3)),
                         (round(-1.5 - margins.STEP, 3), -1.5, -13, round(-13 + margins.PLAYER_RADIUS, 3)))
        with mock.patch.object(levelkit, "SLIP_CLEAR", 0.0):
            problems = margins.check_geometry(bend())
        self.assertTrue(problems)
        self.assertTrue(all("slips into" in p and "the body needs" in p for p in problems), problems)
        with mock.patch.object(levelkit, "SLIP_ABYSS", 0.0):
            problems = margins.check_abyss(bend())
        self.assertTrue(any("where the player slips in a corner" in p for p in problems), problems)

    def test_tall_things_only_beyond_the_cameras_reach_or_above_it(self):
        near = levelkit.TALL_OFFSET + 0.3 - 0.1
        problems = margins.check_level(bend(lambda lv: lv.tower(-1.5 - near, -5)))
        self.assertTrue(problems)
        self.assertIn("the camera needs", problems[0])
        far = levelkit.TALL_OFFSET + 0.3 + 0.01
        self.assertEqual(margins.check_level(bend(lambda lv: lv.tower(-1.5 - far, -5))), [])
        # Overhead, across the walkway, anything may hang.
        self.assertEqual(margins.check_level(bend(
            lambda lv: lv.blocks.append(((-3, levelkit.OVERHEAD, -6), (3, 3, -5), "frame")))), [])
        # A parapet only just taller than the camera's lowest sweep is refused.
        with mock.patch.object(levelkit, "PARAPET_HEIGHT", margins.LOW_ENOUGH + 0.02):
            self.assertIn("the camera needs", margins.check_level(bend())[0])

    def test_floor_left_behind_a_wall_leaves_a_player_standing_outside(self):
        # The floor runs on under the north wall: a strafe through it would end standing.
        problems = margins.check_abyss(bend(lambda lv: lv.floor(-1.5, 1.5, -15, -13)))
        self.assertTrue(any("crosses its line does not fall" in p and "(-1.5, -13)" in p for p in problems),
                        problems)

    def test_an_abyss_too_near_a_wall_is_touched_by_walking_up_to_it(self):
        with mock.patch.object(levelkit, "ABYSS_OFFSET", margins.ABYSS_OFFSET_MIN - 0.02):
            problems = margins.check_abyss(bend())
        self.assertTrue(any("walking up to it touches" in p for p in problems), problems)
        with mock.patch.object(levelkit, "ABYSS_NOTCH", 0.1):
            problems = margins.check_abyss(bend())
        self.assertTrue(any("the corner (1.5, -10)" in p for p in problems), problems)

    def test_the_generator_refuses_a_level_that_fails(self):
        class Module:
            @staticmethod
            def build():
                return bend(lambda lv: lv.tower(0, -20 + 14, 0.3))
        with tempfile.TemporaryDirectory() as out:
            with self.assertRaises(make_content.MarginError) as caught:
                make_content.generate(out, modules=(Module,))
            self.assertEqual(os.listdir(out), [])
        self.assertIn("the camera needs", str(caught.exception))


class BodyReachTest(unittest.TestCase):
    def test_reach_follows_the_key_frames_between_them(self):
        # An arm 100 units long hanging from a shoulder 150 up, swung forward
        # by a quarter turn at frame 11: half way it reaches 100 sin(pi/4) ahead.
        m = Model("arm", frames=11)
        shoulder = Bone("shoulder", None, (0, 150, 0))
        shoulder.position_keys = [(1, 0, 0, 0)]
        shoulder.rotation_keys = [(1, 0, 0, 0), (11, -math.pi / 2, 0, 0)]
        m.bones = [shoulder]
        mesh = Mesh("arm", -1)
        mesh.vertex(0, 50, 0, 0, 0, 0)
        m.meshes = [mesh]
        reach, top = margins.body_extent(m, frames=(1, 6))
        self.assertAlmostEqual(reach, 100 * math.sin(math.pi / 4) * margins.MODEL_SCALE, places=6)
        self.assertAlmostEqual(top, (150 - 100 * math.cos(math.pi / 4)) * margins.MODEL_SCALE, places=6)
        reach, top = margins.body_extent(m, frames=(1, 11))
        self.assertAlmostEqual(reach, 100 * margins.MODEL_SCALE, places=6)


if __name__ == "__main__":
    unittest.main()
