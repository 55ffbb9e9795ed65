"""Synthesized sounds: 16-bit mono WAV, from sines and integer-hashed noise,
so every run writes the same bytes. Each sound is short and starts at once
(no silence before it), since the game starts it on the frame of what it
accompanies. The loops (a deadly object's motion, water, the ambient beds)
repeat seamlessly: every sine completes whole cycles over the loop, noise
repeats with it, and filters run round it twice. Low sounds are written at
lower rates to keep the files small."""

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


def lowpass(samples, cutoff, rate=RATE):
    """One-pole low-pass filter at `cutoff` Hz."""
    a = 1.0 - math.exp(-2.0 * math.pi * cutoff / rate)
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


def exit_chime():
    """Passing through an exit: a soft rising chime of three bells."""
    rate = 16000
    n = int(round(0.6 * rate))
    out = [0.0] * n
    for k, f in enumerate((523.25, 659.25, 783.99)):
        start = int(round(0.07 * k * rate))
        for i in range(start, n):
            t = (i - start) / rate
            out[i] += 0.4 * min(1.0, t / 0.004) * math.exp(-t / 0.18) * (
                math.sin(2 * math.pi * f * t) + 0.25 * math.sin(2 * math.pi * 2 * f * t))
    return rate, out


def switch_click():
    """A switch pressed: a metal click and its short ring."""
    rate = 22050
    n = int(round(0.07 * rate))
    return rate, [0.8 * math.exp(-i / rate / 0.004) * noise(i, 71) +
                  0.5 * math.exp(-i / rate / 0.02) * math.sin(2 * math.pi * 2400 * i / rate) for i in range(n)]


def lattice_rumble():
    """A lattice rising: chains rattling over a low grinding rumble."""
    rate = 11025
    n = rate
    grind = lowpass([noise(i, 73) for i in range(n)], 180, rate)
    rattle = [noise(i, 79) for i in range(n)]
    out = []
    for i in range(n):
        t = i / rate
        loud = min(1.0, t / 0.04) * min(1.0, (1.0 - t) / 0.3)
        chain = 0.35 * max(0.0, math.sin(2 * math.pi * 17 * t)) ** 6 * rattle[i]
        out.append(loud * (1.4 * grind[i] + chain))
    return rate, out


def loop_noise(n, seed):
    """Noise that repeats every n samples."""
    return [noise(i % n, seed) for i in range(n)]


def lowpass_loop(samples, cutoff, rate):
    """The one-pole low-pass filter run round a loop twice: its end leads into its start."""
    return lowpass(samples + samples, cutoff, rate)[len(samples):]


def blade_loop():
    """A deadly object's motion: a whirring blade, two sweeps a second."""
    rate, seconds = 16000, 1.0
    n = int(round(seconds * rate))
    air = lowpass_loop(loop_noise(n, 83), 1800, rate)
    low = lowpass_loop(air, 300, rate)
    out = []
    for i in range(n):
        t = i / rate
        sweep = 0.15 + 0.85 * math.sin(2 * math.pi * t / seconds) ** 4
        out.append(sweep * 1.6 * (air[i] - low[i]) + 0.12 * math.sin(2 * math.pi * 180 * t))
    return rate, out


def ram_loop():
    """A ram sliding to and fro: a low grinding, a knock at each end."""
    rate, seconds = 11025, 1.0
    n = int(round(seconds * rate))
    grind = lowpass_loop(loop_noise(n, 89), 160, rate)
    out = []
    for i in range(n):
        t = i / rate
        knock = sum(math.exp(-((t - at) % seconds) / 0.05) * math.sin(2 * math.pi * 70 * ((t - at) % seconds))
                    for at in (0.0, 0.5))
        out.append(2.2 * grind[i] * (0.6 + 0.4 * math.sin(2 * math.pi * 2 * t)) + 0.6 * knock)
    return rate, out


def spikes_loop():
    """Spikes shooting up and down: metal rattling at each stroke."""
    rate, seconds = 16000, 0.6
    n = int(round(seconds * rate))
    out = []
    for i in range(n):
        t = i / rate
        strokes = 0.0
        for at, f in ((0.0, 1900), (0.3, 1600)):
            u = (t - at) % seconds
            strokes += math.exp(-u / 0.03) * (math.sin(2 * math.pi * f * u) + 0.6 * noise(i, 97))
        out.append(0.6 * strokes)
    return rate, out


def water_loop():
    """Water lapping at stone: slow swells of low noise and a soft plop."""
    rate, seconds = 11025, 2.0
    n = int(round(seconds * rate))
    wash = lowpass_loop(loop_noise(n, 101), 500, rate)
    out = []
    for i in range(n):
        t = i / rate
        swell = 0.55 + 0.3 * math.sin(2 * math.pi * t / seconds) + 0.15 * math.sin(2 * math.pi * 3 * t / seconds)
        u = (t - 1.3) % seconds
        plop = 0.3 * math.exp(-u / 0.04) * math.sin(2 * math.pi * (300 * u + 1500 * u * u))
        out.append(2.5 * swell * wash[i] + plop)
    return rate, out


def wind_loop():
    """Level 1's bed: wind over the ruins, rising and falling."""
    rate, seconds = 11025, 2.0
    n = int(round(seconds * rate))
    wind = lowpass_loop(lowpass_loop(loop_noise(n, 103), 400, rate), 700, rate)
    return rate, [wind[i] * (0.7 + 0.3 * math.sin(2 * math.pi * i / n)) for i in range(n)]


def drip_loop():
    """Level 2's bed: a damp keep, drops falling into puddles."""
    rate, seconds = 11025, 2.0
    n = int(round(seconds * rate))
    room = lowpass_loop(loop_noise(n, 107), 250, rate)
    out = [0.5 * r for r in room]
    for at, f in ((0.15, 1400), (0.85, 1750), (1.2, 1150), (1.7, 1550)):
        for i in range(n):
            u = (i / rate - at) % seconds
            out[i] += 0.25 * math.exp(-u / 0.025) * math.sin(2 * math.pi * (f * u + 4000 * u * u))
    return rate, out


def hum_loop():
    """Level 3's bed: the far hum of the bastion's machinery."""
    rate, seconds = 8000, 2.0
    n = int(round(seconds * rate))
    out = []
    for i in range(n):
        t = i / rate
        beat = 0.8 + 0.2 * math.sin(2 * math.pi * 1.5 * t)
        out.append(beat * (math.sin(2 * math.pi * 55 * t) + 0.5 * math.sin(2 * math.pi * 110 * t)
                           + 0.2 * math.sin(2 * math.pi * 165.5 * t)))
    return rate, out


def at_rate(make):
    """A sound at the player's rate, RATE."""
    return lambda: (RATE, make())


# The sound files by name: (make, whether it is a loop).
SOUNDS = {
    "step.wav": (at_rate(step), False),
    "jump.wav": (at_rate(jump), False),
    "land.wav": (at_rate(land), False),
    "struck.wav": (at_rate(struck), False),
    "fall.wav": (at_rate(fall), False),
    "drown.wav": (at_rate(drown), False),
    "exit.wav": (exit_chime, False),
    "switch.wav": (switch_click, False),
    "lattice.wav": (lattice_rumble, False),
    "blade.wav": (blade_loop, True),
    "ram.wav": (ram_loop, True),
    "spikes.wav": (spikes_loop, True),
    "water.wav": (water_loop, True),
    "wind.wav": (wind_loop, True),
    "drip.wav": (drip_loop, True),
    "hum.wav": (hum_loop, True),
}


def wav_bytes(samples, rate=RATE, loop=False):
    """16-bit mono WAV of samples in -1..1, normalised to a peak of 0.7; a
    sound that is no loop fades out at its end."""
    samples = list(samples) if loop else fade_out(list(samples))
    peak = max(abs(s) for s in samples) or 1.0
    scale = 0.7 * 32767 / peak
    data = b"".join(int(round(s * scale)).to_bytes(2, "little", signed=True) for s in samples)
    out = io.BytesIO()
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(data)
    return out.getvalue()


def sound_files():
    """The game's sounds by file name, as bytes."""
    files = {}
    for name, (make, loop) in SOUNDS.items():
        rate, samples = make()
        files[name] = wav_bytes(samples, rate, loop)
    return files
