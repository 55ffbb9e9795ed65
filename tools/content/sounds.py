"""Synthesized sounds: 16-bit mono WAV at 22050 Hz, from sines and integer-
hashed noise, so every run writes the same bytes. Each sound is short and
starts at once (no silence before it), since the game starts it on the frame
of what it accompanies."""

import io
import math
import wave

RATE = 22050


def noise(i, seed):
    """White noise in -1..1 from integer hashing of the sample index."""
    h = (i * 374761393 + seed * 982451653) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return (h & 0xFFFF) / 32767.5 - 1.0


def lowpass(samples, cutoff):
    """One-pole low-pass filter at `cutoff` Hz."""
    a = 1.0 - math.exp(-2.0 * math.pi * cutoff / RATE)
    out, y = [], 0.0
    for x in samples:
        y += a * (x - y)
        out.append(y)
    return out


def length(seconds):
    return int(round(seconds * RATE))


def envelope(i, attack, decay):
    """A quick rise over `attack` seconds, then exponential decay with time
    constant `decay` seconds."""
    t = i / RATE
    rise = min(1.0, t / attack) if attack > 0 else 1.0
    return rise * math.exp(-t / decay)


def fade_out(samples, seconds=0.01):
    """A short fade at the end, so that no sound stops with a click."""
    n = min(len(samples), length(seconds))
    for k in range(n):
        samples[len(samples) - 1 - k] *= k / n
    return samples


def step():
    """A soft footfall: a low thump and a short scuff."""
    n = length(0.09)
    scuff = lowpass([noise(i, 11) for i in range(n)], 1200)
    return [0.55 * envelope(i, 0.002, 0.02) * math.sin(2 * math.pi * 85 * i / RATE) +
            0.9 * envelope(i, 0.001, 0.015) * scuff[i] for i in range(n)]


def jump():
    """A push off the ground and a short rising breath."""
    n = length(0.2)
    breath = lowpass([noise(i, 23) for i in range(n)], 2500)
    out = []
    for i in range(n):
        t = i / RATE
        pitch = 170 + 160 * t
        out.append(0.35 * envelope(i, 0.01, 0.08) * math.sin(2 * math.pi * pitch * t) +
                   0.5 * envelope(i, 0.03, 0.07) * breath[i])
    return out


def land():
    """Both feet coming down: a heavier thump than a step."""
    n = length(0.16)
    scuff = lowpass([noise(i, 37) for i in range(n)], 900)
    return [0.75 * envelope(i, 0.002, 0.04) * math.sin(2 * math.pi * 62 * i / RATE) +
            0.9 * envelope(i, 0.001, 0.03) * scuff[i] for i in range(n)]


def struck():
    """A blow of metal and a short cry."""
    n = length(0.6)
    partials = ((520, 0.3, 0.12), (1310, 0.2, 0.07), (2230, 0.12, 0.04))
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        hit = sum(a * math.exp(-t / d) * math.sin(2 * math.pi * f * t) for f, a, d in partials)
        pitch = 420 - 220 * min(1.0, t / 0.5)
        phase += pitch / RATE
        saw = 2.0 * (phase - math.floor(phase + 0.5))
        cry = 0.3 * min(1.0, max(0.0, (t - 0.03) / 0.04)) * math.exp(-max(0.0, t - 0.25) / 0.12) * saw
        out.append(hit + cry)
    return out


def fall():
    """A falling cry over a rush of wind."""
    n = length(1.2)
    wind = lowpass(lowpass([noise(i, 41) for i in range(n)], 700), 900)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        pitch = 650 * math.exp(-1.2 * t) * (1 + 0.02 * math.sin(2 * math.pi * 6 * t))
        phase += pitch / RATE
        voice = math.sin(2 * math.pi * phase) + 0.3 * math.sin(4 * math.pi * phase)
        loud = min(1.0, t / 0.05) * math.exp(-t / 0.6)
        out.append(0.35 * loud * voice + 1.6 * min(1.0, t / 0.3) * wind[i])
    return out


def drown():
    """A splash, then bubbles rising."""
    n = length(1.2)
    splash = lowpass([noise(i, 53) for i in range(n)], 3000)
    out = [0.8 * envelope(i, 0.003, 0.09) * splash[i] for i in range(n)]
    # Each bubble a short upward chirp; times and sizes from the hash.
    for k in range(14):
        start = length(0.18 + 0.07 * k + 0.03 * noise(k, 59))
        f0 = 500 + 250 * (noise(k, 61) + 1)
        size = length(0.04)
        for j in range(size):
            if start + j >= n:
                break
            t = j / RATE
            out[start + j] += 0.25 * math.exp(-t / 0.015) * math.sin(2 * math.pi * (f0 * t + 2500 * t * t))
    return out


SOUNDS = {
    "step.wav": step,
    "jump.wav": jump,
    "land.wav": land,
    "struck.wav": struck,
    "fall.wav": fall,
    "drown.wav": drown,
}


def wav_bytes(samples):
    """16-bit mono WAV of samples in -1..1, normalised to a peak of 0.7."""
    samples = fade_out(list(samples))
    peak = max(abs(s) for s in samples) or 1.0
    scale = 0.7 * 32767 / peak
    data = b"".join(int(round(s * scale)).to_bytes(2, "little", signed=True) for s in samples)
    out = io.BytesIO()
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data)
    return out.getvalue()


def sound_files():
    """The player's sounds by file name, as bytes."""
    return {name: wav_bytes(make()) for name, make in SOUNDS.items()}
