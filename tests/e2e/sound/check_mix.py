#!/usr/bin/env python3
"""Checks what OpenAL Soft's wave driver mixed while the game played a script.

    check_mix.py player MIX TRACE LOG SCRIPT   walk_stand_fall.txt on level 1
    check_mix.py world MIX TRACE LOG SCRIPT    world.txt on the test's levels
    check_mix.py placed MIX TRACE LOG SCRIPT   world.txt's blade, in a mix without a clock
    check_mix.py silent MIX TRACE              nothing heard, though sounds started

The wave driver writes 32-bit float stereo in real time from the moment the
device opens. The game's sound trace (ZARNOTH_SOUND_TRACE) gives, for every
frame and every sound started, the device's clock: the place in the mix where
a sound started then begins. So each frame of the event log has its time in
the mix, however late a loaded machine runs the game or the mixer, and every
check measures from there. A sound must be started by the frame the event log
(or the script) gives it, and be heard in the mix within 50 ms of the moment
in that frame when the game started it; silence is looked for between the
frames that should be silent. A frame may last long on a loaded machine: the
moment must lie within its frame's stretch of the mix.

The Windows game under Wine (tests/windows/sound.sh) has no such clock, and
ALSA writes its mix faster than real time: "placed" finds world.txt's frames
in the mix itself, from the first sound heard and the silence of the pause,
and checks the blade's placement only. Its mix is 16-bit: both kinds are
read."""

import array
import struct
import sys

TOLERANCE = 0.05     # a sound starts within this of its frame's time in the mix
SILENCE = 1e-4       # the peak of a stretch with nothing playing
STEP_GAP = (15, 19)  # frames between two footfalls at 64 frames a second


def fail(message):
    sys.exit("FAIL: " + message)


def read_wav(path):
    """(rate, left, right) of a WAVE file of 32-bit floats or 16-bit integers
    in two channels, as floats from -1 to 1; a data chunk whose size was never
    filled in runs to the end of the file."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        fail("%s is not a WAVE file" % path)
    pos, channels, rate, bits, body, end = 12, 0, 0, 0, None, None
    while pos + 8 <= len(data):
        tag, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        if tag == b"fmt ":
            _, channels, rate = struct.unpack_from("<HHI", data, pos + 8)
            bits = struct.unpack_from("<H", data, pos + 22)[0]
        elif tag == b"data":
            body = pos + 8
            end = len(data) if size == 0 or body + size > len(data) else body + size
            break
        pos += 8 + size + (size & 1)
    if body is None or bits not in (16, 32) or channels != 2:
        fail("%s holds no 32-bit float or 16-bit stereo data" % path)
    frame = bits // 4
    samples = array.array("f" if bits == 32 else "h")
    samples.frombytes(data[body:body + (end - body) // frame * frame])
    if bits == 16:
        samples = array.array("f", (v / 32768 for v in samples))
    return rate, samples[0::2], samples[1::2]


class Mix:
    def __init__(self, path):
        self.rate, self.left, self.right = read_wav(path)

    def span(self, start, end):
        lo = max(0, int(start * self.rate))
        hi = max(lo, min(len(self.left), int(end * self.rate)))
        if hi <= lo:
            fail("the mix ends at %.3f s, before %.3f s" % (len(self.left) / self.rate, end))
        return lo, hi

    def peak(self, start, end):
        lo, hi = self.span(start, end)
        return max(max(map(abs, self.left[lo:hi])), max(map(abs, self.right[lo:hi])))

    def rms(self, start, end, channel=None):
        lo, hi = self.span(start, end)
        chosen = [self.left, self.right] if channel is None else [channel]
        total = sum(sum(v * v for v in c[lo:hi]) for c in chosen)
        return (total / ((hi - lo) * len(chosen))) ** 0.5

    def onset(self, around):
        """The first time within TOLERANCE of `around` where a sound starts:
        the next 20 ms are clearly louder than the 25 ms before them."""
        t = around - TOLERANCE
        while t <= around + TOLERANCE:
            before = self.rms(t - 0.03, t - 0.005)
            if self.rms(t, t + 0.02) > 2 * before + 0.002:
                return t
            t += 0.001
        return None


def read_trace(path):
    """{frame: its time in the mix} and the sounds started, (frame, name), in order."""
    frames, started = {}, []
    for line in open(path):
        words = line.split()
        if words[0] == "frame":
            frames.setdefault(int(words[1]), float(words[2]))
        elif words[0] == "sound":
            started.append((int(words[1]), words[3], float(words[2])))
    if not frames:
        fail("the sound trace has no frames")
    return frames, started


def read_log(path):
    """The event log's lines as (frame, words)."""
    return [(int(line.split()[0]), line.split()[1:]) for line in open(path) if line.strip()]


def read_script(path):
    """The key events of an input script: (frame, key, down), and its frame count."""
    events, frame, frame_time = [], 0, 1 / 60
    for line in open(path):
        words = line.split("#")[0].split()
        if not words:
            continue
        if words[0] == "frametime":
            frame_time = float(words[1])
        elif words[0] == "wait":
            frame += round(float(words[1]) / frame_time)
        elif words[0] == "hold":
            events.append((frame, words[1], True))
            frame += round(float(words[2]) / frame_time)
            events.append((frame, words[1], False))
        elif words[0] == "tap":
            events += [(frame, words[1], True), (frame + 1, words[1], False)]
            frame += 1
        elif words[0] in ("press", "release"):
            events.append((frame, words[1], words[0] == "press"))
    return events, frame


def held(events, keys):
    """The stretches of frames [first, end) during which one of `keys` is held."""
    stretches, down = [], {}
    for frame, key, is_down in events:
        if key not in keys:
            continue
        if is_down:
            down[key] = frame
        elif key in down:
            stretches.append((down.pop(key), frame))
    stretches.sort()
    merged = []
    for first, end in stretches:
        if merged and first <= merged[-1][1]:
            merged[-1] = (merged[-1][0], max(merged[-1][1], end))
        else:
            merged.append((first, end))
    return merged


def taps(events, key):
    return [frame for frame, k, down in events if k == key and down]


def time_of(frames, frame):
    if frame not in frames:
        fail("the sound trace has no frame %d" % frame)
    return frames[frame]


def expect_start(mix, frames, frame, name, at):
    """Sound `name`, started at `at` in the mix by frame `frame`, is heard there."""
    begins = time_of(frames, frame)
    ends = frames.get(frame + 1, at)
    # The frame's line is written after the game step and before the drawing
    # and the collision pass: its sounds start around it, up to the next frame.
    if not begins - TOLERANCE <= at <= max(ends, begins + TOLERANCE):
        fail("%s started at %.3f s in the mix, outside its frame %d (%.3f to %.3f s)" % (name, at, frame, begins, ends))
    if mix.onset(at) is None:
        fail("no sound starts within %d ms of %s's start at %.3f s in the mix (frame %d at %.3f s)"
             % (TOLERANCE * 1000, name, at, frame, begins))


def expect_silence(mix, start, end, what):
    loud = mix.peak(start, end)
    if loud > SILENCE:
        fail("sound %s, %.3f to %.3f s in the mix (peak %.5f)" % (what, start, end, loud))


def first_event(log, word):
    found = [frame for frame, words in log if words[:1] == [word]]
    if not found:
        fail("the log has no %s" % word)
    return found[0]


def check_player(mix, frames, started, log, events):
    fell = first_event(log, "fell")
    # Walking, turning and strafing walk the legs, up to the fall.
    walking = [(first, min(end, fell)) for first, end in held(events, ("up", "down", "left", "right", ",", "."))
               if first < fell]
    mutes = taps(events, "t")
    if len(mutes) != 2:
        fail("the script should turn the sound off and on again")
    muted = (mutes[0], mutes[1])
    jump = taps(events, "space")[0]

    names = [name for _, name, _ in started]
    if set(names) != {"jump", "land", "step", "fall"}:
        fail("the player's sounds were %s" % sorted(set(names)))
    by_name, clock = {}, {}
    for frame, name, at in started:
        by_name.setdefault(name, []).append(frame)
        clock[(frame, name)] = at
    if by_name["jump"] != [jump]:
        fail("the jump sounded at frames %s, the jump began at %d" % (by_name["jump"], jump))
    land = by_name["land"]
    if len(land) != 1 or not 45 <= land[0] - jump <= 56:
        fail("the landing sounded at frames %s after a jump at %d" % (land, jump))
    if by_name["fall"] != [fell]:
        fail("the fall sounded at frames %s, the log's fall is at %d" % (by_name["fall"], fell))

    # Footfalls only while walking, on the walk's beat.
    steps = by_name["step"]
    for first, end in walking:
        inside = [f for f in steps if first <= f < end]
        if len(inside) < (end - first) // STEP_GAP[1]:
            fail("%d footfalls while walking from frame %d to %d" % (len(inside), first, end))
        gaps = [b - a for a, b in zip(inside, inside[1:])]
        if any(not STEP_GAP[0] <= g <= STEP_GAP[1] for g in gaps):
            fail("footfalls %d to %d frames apart while walking: %s" % (STEP_GAP[0], STEP_GAP[1], inside))
    stray = [f for f in steps if not any(first <= f < end for first, end in walking)]
    if stray:
        fail("footfalls while standing, at frames %s" % stray)

    # Each sound heard where it started, but for those the "t" key silenced.
    for frame, name, at in started:
        if not muted[0] <= frame < muted[1]:
            expect_start(mix, frames, frame, name, at)
    expect_silence(mix, time_of(frames, muted[0]) + 0.05, time_of(frames, muted[1]) - 0.01,
                   "while \"t\" turned it off")
    # Standing: silence (past a footfall's or the landing's ring).
    expect_silence(mix, time_of(frames, 0), time_of(frames, jump) - 0.01, "while standing before the jump")
    quiet_from = time_of(frames, land[0]) + 0.2
    expect_silence(mix, quiet_from, time_of(frames, walking[0][0]) - 0.03, "while standing after the landing")
    expect_silence(mix, time_of(frames, walking[0][1]) + 0.12, time_of(frames, muted[0]) - 0.03,
                   "while standing after the walk")
    fell_at = clock[(fell, "fall")]
    if mix.peak(fell_at + 0.5, fell_at + 0.6) <= SILENCE:
        fail("the fall's sound stops before 0.6 s")
    print("ok: the jump, the landing, %d footfalls and the fall at their frames; silence standing and muted"
          % len(steps))


def check_blade(mix, frames, events, slack=0.01):
    """world.txt's blade turning on the left: louder left than right, and near
    than far; silent while paused (up to `slack` seconds before its end),
    heard again after it."""
    strafe = held(events, (".",))[0]
    jump = taps(events, "space")[0]
    pause = taps(events, "p")
    near = (time_of(frames, 16), time_of(frames, strafe[0]))
    far = (time_of(frames, strafe[1] + 16), time_of(frames, pause[0]))
    near_left, near_right = mix.rms(*near, channel=mix.left), mix.rms(*near, channel=mix.right)
    far_left, far_right = mix.rms(*far, channel=mix.left), mix.rms(*far, channel=mix.right)
    print("the blade, rms left / right: near %.4f / %.4f, far %.4f / %.4f"
          % (near_left, near_right, far_left, far_right))
    if not near_left > 1.5 * near_right:
        fail("the blade 2.5 units to the left is not louder on the left")
    if not far_left > 1.2 * far_right:
        fail("the blade 10 units to the left is not louder on the left")
    if not near_left + near_right > 2.5 * (far_left + far_right):
        fail("the blade is not louder near than far")

    # Paused, the world stands still and is not heard.
    expect_silence(mix, time_of(frames, pause[0]) + 0.05, time_of(frames, pause[1]) - slack, "while paused")
    if mix.peak(time_of(frames, pause[1]) + 0.05, time_of(frames, jump)) <= SILENCE:
        fail("the blade is not heard again after the pause")


def check_world(mix, frames, started, log, events):
    jump = taps(events, "space")[0]
    f2 = taps(events, "f2")
    levels = [(frame, words[1]) for frame, words in log if words[:1] == ["level"]]
    for arrival in ((0, "1"), (f2[0], "2"), (f2[1], "3")):
        if arrival not in levels:
            fail("no level %s loaded at frame %d: %s" % (arrival[1], arrival[0], levels))
    check_blade(mix, frames, events)

    by_name, clock = {}, {}
    for frame, name, at in started:
        by_name.setdefault(name, []).append(frame)
        clock.setdefault((frame, name), at)
    died, fell = first_event(log, "died"), first_event(log, "fell")
    expected = {"jump": jump, "struck": died, "drown": fell}
    for name, frame in expected.items():
        if by_name.get(name, [None])[0] != frame:
            fail("%s sounded first at frame %s, expected %d" % (name, by_name.get(name), frame))
        expect_start(mix, frames, frame, name, clock[(frame, name)])
    land = by_name.get("land", [])
    if len(land) != 1 or not 45 <= land[0] - jump <= 56:
        fail("the landing sounded at frames %s after a jump at %d" % (land, jump))
    expect_start(mix, frames, land[0], "land", clock[(land[0], "land")])
    for name, at in (("struck", 0.45), ("drown", 1.0)):
        t = clock[(expected[name], name)] + at
        if mix.peak(t, t + 0.05) <= SILENCE:
            fail("the %s sound stops before %.2f s" % (name, at))
    print("ok: the blade placed on the left, near and far, silent while paused; the jump, the landing, struck and "
          "drowned at their frames")


def first_started(path):
    """The frame of the first sound or loop the trace gives."""
    for line in open(path):
        words = line.split()
        if words[0] in ("sound", "loop"):
            return int(words[1])
    fail("no sound was started")


def frames_in_mix(mix, first_frame, events, last):
    """{frame: its time in the mix} of a mix without a clock, running at a
    steady pace of its own: the first sound started is the first heard, and
    the pause (world.txt's first "p") is the first silence after it."""
    pause = taps(events, "p")[0]
    step = int(0.01 * mix.rate)
    loud = [i for i in range(0, len(mix.left), step) if max(abs(mix.left[i]), abs(mix.right[i])) > SILENCE]
    if not loud:
        fail("nothing is heard in the mix")
    first = loud[0] / mix.rate
    quiet = None
    t = first
    while t + 0.1 < len(mix.left) / mix.rate:
        if mix.peak(t, t + 0.1) <= SILENCE:
            quiet = t
            break
        t += 0.01
    if quiet is None:
        fail("no pause is heard in the mix")
    pace = (quiet - first) / (pause - first_frame)
    print("frame %d heard at %.3f s, the pause (frame %d) at %.3f s: %.2f ms of mix a frame"
          % (first_frame, first, pause, quiet, pace * 1000))
    return {frame: first + (frame - first_frame) * pace for frame in range(last + 1)}


def check_placed(mix, first_frame, events, last):
    frames = frames_in_mix(mix, first_frame, events, last)
    # The pace drifts a little: the pause's end is found within its last quarter.
    pause = taps(events, "p")
    check_blade(mix, frames, events, (time_of(frames, pause[1]) - time_of(frames, pause[0])) / 4)
    print("ok: the blade placed on the left, near and far, silent while paused")


def check_silent(mix, started):
    if not started:
        fail("no sound was started, so silence proves nothing")
    loud = mix.peak(0, len(mix.left) / mix.rate)
    if loud != 0:
        fail("the mix is not silent (peak %.6f) though the sound is off" % loud)
    print("ok: %d sounds started, none heard" % len(started))


def main():
    mode = sys.argv[1]
    mix = Mix(sys.argv[2])
    frames, started = read_trace(sys.argv[3])
    if mode == "silent":
        check_silent(mix, started)
        return
    log = read_log(sys.argv[4])
    events, last = read_script(sys.argv[5])
    if mode == "placed":
        check_placed(mix, first_started(sys.argv[3]), events, last)
    elif mode == "player":
        check_player(mix, frames, started, log, events)
    else:
        check_world(mix, frames, started, log, events)


if __name__ == "__main__":
    main()
