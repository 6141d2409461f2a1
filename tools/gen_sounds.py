#!/usr/bin/env python3
"""Generates the two sounds of the front panel: a soft key click and a clear beep.

Both are 16-bit mono PCM WAV files at 22050 Hz, written to assets/ beside this
tool's parent folder (or to the folder given as the only argument). The output
is deterministic, so running the tool again reproduces the committed files.
"""
import math
import os
import random
import struct
import sys
import wave

RATE = 22050


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(s * 32767)))))
                      for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def click():
    """About 12 ms of a damped 2.2 kHz tone mixed with a little filtered noise,
    like a key snapping home, then 40 ms of silence so the tail is not cut."""
    rng = random.Random(7)
    n = int(0.012 * RATE)
    out = []
    low = 0.0
    for i in range(n):
        t = i / RATE
        env = math.exp(-t / 0.0025)
        low += 0.35 * (rng.uniform(-1.0, 1.0) - low)      # one-pole low-pass noise
        tone = math.sin(2 * math.pi * 2200 * t) * 0.6 + math.sin(2 * math.pi * 900 * t) * 0.4
        out.append(0.45 * env * (0.7 * tone + 0.3 * low))
    out += [0.0] * int(0.040 * RATE)
    return out


def beep():
    """0.3 s of a 1 kHz tone with a faint octave, 5 ms attack and 20 ms release,
    then 60 ms of silence."""
    n = int(0.300 * RATE)
    attack, release = int(0.005 * RATE), int(0.020 * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        env = 1.0
        if i < attack:
            env = i / attack
        elif i > n - release:
            env = (n - i) / release
        s = math.sin(2 * math.pi * 1000 * t) + 0.15 * math.sin(2 * math.pi * 2000 * t)
        out.append(0.5 * env * s / 1.15)
    out += [0.0] * int(0.060 * RATE)
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    dest = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "assets")
    os.makedirs(dest, exist_ok=True)
    write_wav(os.path.join(dest, "click.wav"), click())
    write_wav(os.path.join(dest, "beep.wav"), beep())


if __name__ == "__main__":
    main()
