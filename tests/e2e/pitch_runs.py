#!/usr/bin/env python3
"""Reads the player's recorded output (S16LE stereo 44.1 kHz) and prints the
runs of the dominant test pitch, one line each: frequency and seconds.

Usage: pitch_runs.py [--tail SECONDS] FILE FREQ [FREQ ...]
With --tail only the last seconds of the file are read.

  pitch_runs.py --exact FILE
prints every stretch of sound to the sample, one line each: start and end in
seconds and its pitch in Hz, so that the silences between tracks can be told.

  pitch_runs.py --onset FILE SECONDS FREQ
prints the first moment from SECONDS on at which FREQ sounds, or nothing.
"""
import array
import math
import struct
import sys

RATE = 44100
WINDOW = RATE // 10  # a tenth of a second
STEP = 2  # every other sample is plenty for the test pitches
LOUD = 300  # a sample above this sounds; a test tone's samples pass it but at its zero crossings
SHORTEST_SILENCE = 8  # frames: quieter stretches this short are a tone passing zero


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


def stereo_samples(path):
    """The recording's samples, left and right in turn, of whole frames."""
    samples = array.array("h")
    with open(path, "rb") as f:
        data = f.read()
    samples.frombytes(data[: len(data) // 4 * 4])
    if sys.byteorder != "little":
        samples.byteswap()
    return samples


def left_channel(path):
    return stereo_samples(path)[0::2]


def pitch_of(left, start, end):
    """The pitch of a stretch from its upward zero crossings."""
    ups = [i for i in range(start + 1, end) if left[i - 1] < 0 <= left[i]]
    return RATE * (len(ups) - 1) / (ups[-1] - ups[0]) if len(ups) > 1 else 0.0


def sounding_runs(left):
    """(start, end) frames of every stretch of sound, end exclusive."""
    runs = []
    start = last = None
    for i, x in enumerate(left):
        if x > LOUD or x < -LOUD:
            if start is None:
                start = i
            elif i - last > SHORTEST_SILENCE:
                runs.append((start, last + 1))
                start = i
            last = i
    if start is not None:
        runs.append((start, last + 1))
    return runs


def onset(left, start, freq, periods=8):
    """The first upward zero crossing from frame start on after which freq
    sounds for the given number of periods (within 3 %): the moment a tone
    of that pitch begins, to one period."""
    want = RATE / freq
    quarter = int(want / 4)
    ups = []
    for i in range(max(1, start), len(left) - quarter):
        if left[i - 1] < 0 <= left[i] and left[i + quarter] > LOUD:
            ups.append(i)
            ups = ups[-(periods + 1) :]
            if len(ups) > periods and all(
                abs((b - a) - want) <= 0.03 * want + 1 for a, b in zip(ups, ups[1:])
            ):
                return ups[0]
    return None


if __name__ == "__main__":
    args = sys.argv[1:]
    if args[0] == "--exact":
        left = left_channel(args[1])
        for s, e in sounding_runs(left):
            print("%.4f %.4f %.0f" % (s / RATE, e / RATE, pitch_of(left, s, e)))
        sys.exit(0)
    if args[0] == "--onset":
        left = left_channel(args[1])
        at = onset(left, int(float(args[2]) * RATE), float(args[3]))
        if at is not None:
            print("%.4f" % (at / RATE))
        sys.exit(0)
    tail = None
    if args[0] == "--tail":
        tail = float(args[1])
        args = args[2:]
    for f, secs in pitch_runs(args[0], [float(x) for x in args[1:]], tail):
        print("%g %.1f" % (f, secs))
