#!/usr/bin/env python3
"""Reads the player's recorded output (S16LE stereo 44.1 kHz) and prints the
runs of the dominant test pitch, one line each: frequency and seconds.

Usage: pitch_runs.py [--tail SECONDS] FILE FREQ [FREQ ...]
With --tail only the last seconds of the file are read.
"""
import math
import struct
import sys

RATE = 44100
WINDOW = RATE // 10  # a tenth of a second
STEP = 2  # every other sample is plenty for the test pitches


def goertzel(samples, freq, rate):
    """The energy of one frequency in the samples."""
    k = 2.0 * math.cos(2.0 * math.pi * freq / rate)
    s1 = s2 = 0.0
    for x in samples:
        s1, s2 = x + k * s1 - s2, s1
    return s1 * s1 + s2 * s2 - k * s1 * s2


def pitch_runs(path, freqs, tail=None):
    with open(path, "rb") as f:
        if tail:
            f.seek(0, 2)
            f.seek(max(0, f.tell() - int(tail * RATE) * 4) // 4 * 4)
        data = f.read()
    frames = len(data) // 4
    left = struct.unpack("<%dh" % (frames * 2), data[: frames * 4])[0::2]
    runs = []
    for start in range(0, frames - WINDOW + 1, WINDOW):
        w = left[start : start + WINDOW : STEP]
        loud = sum(x * x for x in w) / len(w) > 1e4
        label = max(freqs, key=lambda f: goertzel(w, f, RATE / STEP)) if loud else 0.0
        if runs and runs[-1][0] == label:
            runs[-1][1] += WINDOW / RATE
        else:
            runs.append([label, WINDOW / RATE])
    return [(f, s) for f, s in runs if f]


if __name__ == "__main__":
    args = sys.argv[1:]
    tail = None
    if args[0] == "--tail":
        tail = float(args[1])
        args = args[2:]
    for f, secs in pitch_runs(args[0], [float(x) for x in args[1:]], tail):
        print("%g %.1f" % (f, secs))
