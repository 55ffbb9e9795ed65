#!/usr/bin/env python3
"""Writes the game's content into data/: models, levels, textures and sounds.

Everything the game loads from ./models, ./levels, ./texturen and ./sounds is
produced here from the readable descriptions in tools/content/ (the character,
the props, the textures, the sounds, and one file per level), so the committed data/ is exactly
what this script writes. The output is byte-identical on every run and every
machine: no clock, no random module, textures from integer hashing only, and
numbers rounded before they are printed.

    python3 tools/make_content.py              # writes <repository>/data
    python3 tools/make_content.py --out DIR    # writes DIR instead
    python3 tools/make_content.py --check DIR  # only validates DIR
    ... --checker PATH                          # the zarnoth-check to run

Before writing, every level must pass the margin check of
tools/content/margins.py: no visible wall, pillar, gatehouse or doorway where
the player's body or the camera can come, an abyss right behind every wall
line and none where a player walks up to one. After writing, the script runs
zarnoth-check (built with the game) on what it wrote and stops with its
findings if it reports any error or warning: the game's own readers are the
only judge of the formats.

data/zarnoth.ini is not written here.
"""

import argparse
import os
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True  # keep tools/ free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from content import level1, level2, level3, margins  # noqa: E402
from content.character import make_player  # noqa: E402
from content.sounds import sound_files  # noqa: E402
from content.textures import texture_files  # noqa: E402

LEVELS = (level1, level2, level3)


# ---------------------------------------------------------------------------
# Writing.


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if isinstance(data, str):
        data = data.encode("ascii")
    with open(path, "wb") as f:
        f.write(data)


class MarginError(Exception):
    pass


def check_margins(levels):
    """Every level's walls and what stands behind them, by geometry; raises
    MarginError with every problem found."""
    problems = []
    for level in levels:
        problems += margins.check_level(level)
    if problems:
        shown = problems[:20] + (["... and %d more" % (len(problems) - 20)] if len(problems) > 20 else [])
        raise MarginError("%d margin problem(s):\n  %s\n(the margins: %s)" % (
            len(problems), "\n  ".join(shown), margins.summary().replace("\n", "; ")))


def generate(out, modules=LEVELS):
    levels = [module.build() for module in modules]
    check_margins(levels)
    models, files = {"tarnel.txt": make_player()}, {}
    for level in levels:
        for name, model in level.all_models().items():
            # Levels share model files by name, so a name must mean one model.
            if name in models and models[name].text() != model.text():
                raise ValueError("two different models named %s" % name)
            models[name] = model
        files.update(level.files())
    for name in sorted(models):
        write_file(os.path.join(out, "models", name), models[name].text())
    for name in sorted(files):
        write_file(os.path.join(out, "levels", name), files[name])
    for name, data in sorted(texture_files().items()):
        write_file(os.path.join(out, "texturen", name), data)
    for name, data in sorted(sound_files().items()):
        write_file(os.path.join(out, "sounds", name), data)


# ---------------------------------------------------------------------------
# Checking: the game's own readers, through zarnoth-check, judge what was
# written. The generator has no rules of its own about the formats.

# Content the game loads at every level change stays small; the sounds, read
# once at the first level load, stay within a few hundred kB of their own.
FILE_LIMIT = 1024 * 1024
TOTAL_LIMIT = 3 * 1024 * 1024
SOUND_LIMIT = 512 * 1024


class CheckError(Exception):
    pass


def find_checker(given):
    """The zarnoth-check to run: --checker, $ZARNOTH_CHECK, a build of this
    repository, or the one on PATH."""
    if given:
        return given
    if os.environ.get("ZARNOTH_CHECK"):
        return os.environ["ZARNOTH_CHECK"]
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    for build in ("build-release", "build"):
        candidate = os.path.join(root, build, "zarnoth-check")
        if os.access(candidate, os.X_OK):
            return candidate
    found = shutil.which("zarnoth-check")
    if found:
        return found
    raise CheckError("zarnoth-check not found: build it (cmake --build build-release --target zarnoth-check) "
                     "or name it with --checker")


def check(out, checker):
    """Runs zarnoth-check on out; every error and warning fails the check.
    Returns a list of one-line summaries."""
    result = subprocess.run([checker, out], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if result.returncode != 0:
        raise CheckError("zarnoth-check found problems (exit status %d):\n%s"
                         % (result.returncode, result.stdout.rstrip("\n")))
    total = sounds = 0
    sound_dir = os.path.join(out, "sounds")
    for root, _, names in os.walk(out):
        for name in names:
            size = os.path.getsize(os.path.join(root, name))
            if size > FILE_LIMIT:
                raise CheckError("%s is larger than 1 MB" % name)
            if os.path.commonpath([root, sound_dir]) == sound_dir:
                sounds += size
            else:
                total += size
    if total > TOTAL_LIMIT:
        raise CheckError("content is larger than 3 MB")
    if sounds > SOUND_LIMIT:
        raise CheckError("the sounds are larger than 512 kB")
    return ["zarnoth-check: clean", "%d bytes in all, and %d bytes of sounds" % (total, sounds)]


def main():
    default_out = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data")
    parser = argparse.ArgumentParser(description="Writes and checks the game's models, levels, textures and sounds.")
    parser.add_argument("--out", default=default_out, help="directory to write (default: the repository's data/)")
    parser.add_argument("--check", metavar="DIR", help="only check the content in DIR")
    parser.add_argument("--checker", metavar="PATH", help="the zarnoth-check to run (default: $ZARNOTH_CHECK, "
                        "build-release/ or build/ of this repository, or PATH)")
    parser.add_argument("--quiet", action="store_true", help="print nothing on success")
    args = parser.parse_args()
    out = args.check or args.out
    if not args.check:
        try:
            generate(out)
        except (MarginError, ValueError) as e:
            print("make_content: the levels do not hold: %s" % e, file=sys.stderr)
            return 1
    try:
        summary = check(out, find_checker(args.checker))
    except (CheckError, OSError) as e:
        print("make_content: check failed: %s" % e, file=sys.stderr)
        return 1
    if not args.quiet:
        for line in summary:
            print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
