#!/usr/bin/env python3
"""Checks the mix OpenAL Soft's wave driver wrote while the game played
walk_stand_fall.txt: footfalls only while the player walks, each where the
walk animation puts a foot down, silence while he stands, and the fall's
sound starting within 50 ms of the frame of the fall.

    check_mix.py MIX.wav EVENT_LOG

The wave driver writes 32-bit float WAVE_FORMAT_EXTENSIBLE in real time from
the moment the device opens, before the first frame: the mix is put on the
game's clock by the footfalls of the first walk, whose game times the walk
animation gives (two per stride, at its frames 8 and 23)."""

import struct
import sys

FRAME_TIME = 0.015625
WALK_RATE = 55.0                 # frames of the walk animation per second
WALK_FIRST, WALK_LAST = 1.0, 30.0
FOOTFALLS = (8.0, 23.0)
STANDING = ((0.0, 1.0), (3.0, 4.5))  # script seconds
WALKING = ((1.0, 3.0), (4.5, 6.125))
SILENCE = 1e-4                   # peak of a window with nothing playing
WINDOW = 0.005                   # seconds per analysis window
TOLERANCE = 0.05                 # the fall's sound after its frame
BEAT_TOLERANCE = 0.08            # a footfall (a third of the 0.27 s between two)


def read_wav(path):
    """Float samples per channel of a WAVE file of 32-bit floats; a data
    chunk whose size was never filled in runs to the end of the file."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        sys.exit("FAIL: %s is not a WAVE file" % path)
    pos, channels, rate, bits, samples = 12, 0, 0, 0, None
    while pos + 8 <= len(data):
        tag, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        body = pos + 8
        if tag == b"fmt ":
            _, channels, rate = struct.unpack_from("<HHI", data, body)
            bits = struct.unpack_from("<H", data, body + 14)[0]
        elif tag == b"data":
            end = len(data) if size == 0 or body + size > len(data) else body + size
            samples = data[body:end]
            break
        pos = body + size + (size & 1)
    if samples is None or bits != 32 or channels < 1:
        sys.exit("FAIL: %s holds no 32-bit float data" % path)
    count = len(samples) // 4 // channels
    values = struct.unpack_from("<%df" % (count * channels), samples)
    return rate, channels, values


def window_peaks(rate, channels, values):
    """The loudest sample of every WINDOW seconds, over all channels."""
    step = int(rate * WINDOW) * channels
    return [max(abs(v) for v in values[i:i + step]) for i in range(0, len(values), step)]


def onsets(peaks):
    """Times (seconds into the mix) where sound starts after at least 30 ms of silence."""
    quiet_needed = int(0.03 / WINDOW)
    found, quiet = [], quiet_needed
    for i, peak in enumerate(peaks):
        if peak > SILENCE:
            if quiet >= quiet_needed:
                found.append(i * WINDOW)
            quiet = 0
        else:
            quiet += 1
    return found


def footfall_times(walk):
    """Game times of the footfalls of the walk walk (an index into WALKING):
    the walk animation stands still between walks and goes on where it was."""
    frame, times = WALK_FIRST, []
    for index, (start, end) in enumerate(WALKING[:walk + 1]):
        for i in range(int(round(start / FRAME_TIME)), int(round(end / FRAME_TIME))):
            before = frame
            frame += WALK_RATE * FRAME_TIME
            if frame > WALK_LAST or frame < WALK_FIRST:
                frame = WALK_FIRST
            for foot in FOOTFALLS:
                passed = (before < foot <= frame) if before <= frame else (foot > before or foot <= frame)
                if passed and index == walk:
                    times.append(i * FRAME_TIME)
    return times


def main():
    rate, channels, values = read_wav(sys.argv[1])
    peaks = window_peaks(rate, channels, values)
    heard = onsets(peaks)
    fell = [int(line.split()[0]) for line in open(sys.argv[2]) if line.split()[1:2] == ["fell"]]
    if not fell:
        sys.exit("FAIL: the log has no fall")
    if not heard:
        sys.exit("FAIL: the mix is silent")

    # The mix's time of game time 0: the first walk's footfalls, which come
    # after the first second of silence, fix it.
    expected = footfall_times(0)
    first = [t for t in heard if t >= heard[0] and t < heard[0] + (expected[-1] - expected[0]) + 0.1]
    if len(first) != len(expected):
        sys.exit("FAIL: %d footfalls in the first walk, expected %d (heard at %s)"
                 % (len(first), len(expected), ", ".join("%.3f" % t for t in first)))
    offset = sum(h - e for h, e in zip(first, expected)) / len(expected)
    for h, e in zip(first, expected):
        if abs(h - offset - e) > BEAT_TOLERANCE:
            sys.exit("FAIL: a footfall at game time %.3f, expected %.3f" % (h - offset, e))

    # Nothing at all while standing (a footfall rings 90 ms into the stand).
    for start, end in STANDING:
        lo, hi = int((offset + start + 0.12) / WINDOW), int((offset + end) / WINDOW)
        if lo < 0:
            sys.exit("FAIL: the mix starts after the game's first frame")
        loud = max(peaks[lo:hi])
        if loud > SILENCE:
            sys.exit("FAIL: sound while standing between %.2f and %.2f s (peak %.4f)" % (start, end, loud))

    # The second walk: its footfalls, and nothing else.
    expected = footfall_times(1)
    second = [t - offset for t in heard if WALKING[1][0] - 0.02 <= t - offset < WALKING[1][1] + 0.02]
    if len(second) != len(expected) or any(abs(h - e) > BEAT_TOLERANCE for h, e in zip(second, expected)):
        sys.exit("FAIL: the second walk's footfalls at %s, expected %s"
                 % (", ".join("%.3f" % t for t in second), ", ".join("%.3f" % t for t in expected)))

    # The fall's sound: its start within TOLERANCE of the frame of the first
    # fall (the fall begins again at each contact while the player sinks).
    fall_time = fell[0] * FRAME_TIME
    near = [t - offset for t in heard if abs(t - offset - fall_time) <= 0.3]
    if not near or min(abs(t - fall_time) for t in near) > TOLERANCE:
        sys.exit("FAIL: no sound starts within %d ms of the fall at %.3f s (heard: %s)"
                 % (TOLERANCE * 1000, fall_time, ", ".join("%.3f" % t for t in near)))
    last = int((offset + fall_time + 0.6) / WINDOW)
    if max(peaks[last - 10:last]) <= SILENCE:
        sys.exit("FAIL: the fall's sound stops before 0.6 s")
    print("ok: %d + %d footfalls on time, silence while standing, the fall heard at its frame"
          % (len(first), len(second)))


if __name__ == "__main__":
    main()
