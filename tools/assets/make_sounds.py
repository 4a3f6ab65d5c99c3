#!/usr/bin/env python3
"""Synthesize the Scrawlbox client sounds into data/Sound/.

Run from the repository root:

    python3 tools/assets/make_sounds.py

Uses only the Python standard library.  Output is deterministic: the
noise used for the clicks comes from a fixed-seed generator, so running
the script twice produces byte-identical files.

Every file is 16-bit PCM, mono, 22050 Hz, given a short fade-in/fade-out
so it starts and ends on silence without clicks, then normalised to a
modest peak level (about -6 dBFS; the typing tick a little lower).
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 22050
OUT_DIR = os.path.join("data", "Sound")


def db_to_gain(db):
    return 10.0 ** (db / 20.0)


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix_into(buf, sig, start_seconds, gain=1.0):
    """Add sig into buf starting at start_seconds, growing buf if needed."""
    start = int(round(start_seconds * RATE))
    end = start + len(sig)
    if end > len(buf):
        buf.extend([0.0] * (end - len(buf)))
    for i, v in enumerate(sig):
        buf[start + i] += v * gain


def bell_note(freq, seconds, decay, harmonics=((1.0, 1.0), (2.0, 0.25), (3.0, 0.06)),
              attack=0.004):
    """A soft bell/marimba-like tone: a few harmonics under an exponential decay."""
    n = int(round(seconds * RATE))
    att = max(1, int(attack * RATE))
    out = []
    for i in range(n):
        t = i / RATE
        env = math.exp(-t / decay)
        if i < att:
            env *= i / att
        v = 0.0
        for mult, amp in harmonics:
            # higher partials die away faster, which keeps the tone mellow
            v += amp * math.exp(-t * (mult - 1.0) * 6.0) * math.sin(2 * math.pi * freq * mult * t)
        out.append(v * env)
    return out


def one_pole_lowpass(sig, cutoff):
    a = math.exp(-2.0 * math.pi * cutoff / RATE)
    y = 0.0
    out = []
    for x in sig:
        y = (1.0 - a) * x + a * y
        out.append(y)
    return out


def one_pole_highpass(sig, cutoff):
    low = one_pole_lowpass(sig, cutoff)
    return [x - l for x, l in zip(sig, low)]


def fade(sig, fade_in, fade_out):
    n = len(sig)
    fi = max(1, int(fade_in * RATE))
    fo = max(1, int(fade_out * RATE))
    out = list(sig)
    for i in range(min(fi, n)):
        out[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fi)
    for i in range(min(fo, n)):
        out[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fo)
    return out


def normalise(sig, peak_db):
    peak = max(abs(v) for v in sig) or 1.0
    g = db_to_gain(peak_db) / peak
    return [v * g for v in sig]


def write_wav(name, sig):
    path = os.path.join(OUT_DIR, name)
    frames = bytearray()
    for v in sig:
        s = int(round(v * 32767.0))
        s = max(-32768, min(32767, s))
        frames += struct.pack("<h", s)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))
    print("wrote %s (%d ms)" % (path, round(1000.0 * len(sig) / RATE)))


# ---------------------------------------------------------------- sounds

def make_join():
    """Friendly two-note rising chime: G5 then C6."""
    buf = silence(0.55)
    mix_into(buf, bell_note(783.99, 0.40, 0.12), 0.0, 0.8)
    mix_into(buf, bell_note(1046.50, 0.40, 0.16), 0.13, 1.0)
    buf = buf[:int(0.55 * RATE)]
    return normalise(fade(buf, 0.003, 0.06), -6.0)


def make_newmsg():
    """Soft short blip: a sine gliding gently upwards with a quick decay."""
    n = int(0.20 * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        freq = 880.0 + 440.0 * (1.0 - math.exp(-t / 0.02))
        phase += 2 * math.pi * freq / RATE
        env = math.exp(-t / 0.045)
        out.append(env * (math.sin(phase) + 0.15 * math.sin(2 * phase)))
    return normalise(fade(out, 0.004, 0.04), -6.0)


def make_wordfound():
    """Bright, happy three-note arpeggio: C6, E6, G6 with a held top note."""
    buf = silence(0.75)
    notes = ((1046.50, 0.00, 0.10, 0.85), (1318.51, 0.09, 0.11, 0.9), (1567.98, 0.18, 0.20, 1.0))
    for freq, start, decay, gain in notes:
        length = 0.75 - start
        mix_into(buf, bell_note(freq, length, decay,
                                harmonics=((1.0, 1.0), (2.0, 0.3), (3.0, 0.1), (4.0, 0.04))),
                 start, gain)
    # a quiet octave-below shimmer under the last note makes it feel "complete"
    mix_into(buf, bell_note(783.99, 0.75 - 0.18, 0.22, harmonics=((1.0, 1.0),)), 0.18, 0.25)
    buf = buf[:int(0.75 * RATE)]
    return normalise(fade(buf, 0.003, 0.08), -6.0)


def make_keyclick(rng):
    """Tiny soft tick: a few ms of filtered noise plus a very short high ping."""
    n = int(0.035 * RATE)
    noise = [rng.uniform(-1.0, 1.0) for _ in range(n)]
    noise = one_pole_lowpass(one_pole_highpass(noise, 1500.0), 6000.0)
    out = []
    for i in range(n):
        t = i / RATE
        env = math.exp(-t / 0.004)
        ping = math.exp(-t / 0.006) * math.sin(2 * math.pi * 2600.0 * t)
        out.append(env * noise[i] * 1.6 + 0.5 * ping)
    # a tick heard on every key press is kept a bit quieter than the rest
    return normalise(fade(out, 0.0008, 0.012), -9.0)


def make_mouseclick(rng):
    """Short soft click: a damped low 'tock' with a touch of noise on the attack."""
    n = int(0.05 * RATE)
    noise = [rng.uniform(-1.0, 1.0) for _ in range(n)]
    noise = one_pole_lowpass(noise, 3500.0)
    out = []
    for i in range(n):
        t = i / RATE
        body = math.exp(-t / 0.010) * (math.sin(2 * math.pi * 1100.0 * t)
                                       + 0.6 * math.sin(2 * math.pi * 620.0 * t))
        snap = math.exp(-t / 0.003) * noise[i] * 2.0
        out.append(body + snap)
    return normalise(fade(out, 0.0008, 0.015), -6.0)


def make_yourturn():
    """A bright call to the pad: two quick rising notes and a held third, A5 D6 F#6."""
    buf = silence(0.70)
    notes = ((880.00, 0.00, 0.07, 0.7), (1174.66, 0.08, 0.07, 0.8), (1479.98, 0.16, 0.22, 1.0))
    for freq, start, decay, gain in notes:
        mix_into(buf, bell_note(freq, 0.70 - start, decay,
                                harmonics=((1.0, 1.0), (2.0, 0.2), (3.0, 0.05))), start, gain)
    buf = buf[:int(0.70 * RATE)]
    return normalise(fade(buf, 0.003, 0.08), -6.0)


def make_chooseword():
    """A question: a soft note and the same note a fourth up, gently rising at its end."""
    n = int(0.50 * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        base = 659.25 if t < 0.18 else 880.0
        freq = base * (1.0 + 0.03 * max(0.0, t - 0.30))
        phase += 2 * math.pi * freq / RATE
        local = t if t < 0.18 else t - 0.18
        env = math.exp(-local / 0.10) * (1.0 - math.exp(-local / 0.004))
        out.append(env * (math.sin(phase) + 0.2 * math.sin(2 * phase)))
    return normalise(fade(out, 0.003, 0.06), -7.0)


def make_lastseconds(rng):
    """A clock's tick: a short woody knock with a faint high ring, heard once a second."""
    n = int(0.08 * RATE)
    noise = one_pole_lowpass([rng.uniform(-1.0, 1.0) for _ in range(n)], 2500.0)
    out = []
    for i in range(n):
        t = i / RATE
        knock = math.exp(-t / 0.012) * math.sin(2 * math.pi * 1400.0 * t)
        ring = 0.25 * math.exp(-t / 0.030) * math.sin(2 * math.pi * 2800.0 * t)
        out.append(knock + ring + math.exp(-t / 0.002) * noise[i])
    return normalise(fade(out, 0.0008, 0.02), -8.0)


def main():
    if not os.path.isdir("data"):
        sys.exit("run this from the repository root (the folder containing data/)")
    os.makedirs(OUT_DIR, exist_ok=True)
    rng = random.Random(20240611)
    write_wav("join.wav", make_join())
    write_wav("newmsg.wav", make_newmsg())
    write_wav("wordfound.wav", make_wordfound())
    write_wav("keyclick.wav", make_keyclick(rng))
    write_wav("mouseclick.wav", make_mouseclick(rng))
    write_wav("yourturn.wav", make_yourturn())
    write_wav("chooseword.wav", make_chooseword())
    write_wav("lastseconds.wav", make_lastseconds(rng))


if __name__ == "__main__":
    main()
