"""The pairs in a recording of the player's output (S16LE stereo), parted by
runs of digital silence, against the noise they were cut from.

--count N: succeeds once N whole pairs are in the recording.
--check NAME...: each pair, in order, is the noise: sample for sample for the
lossless ones (wav, flac, cd), of its length within 2 frames for the others.
"""
import sys

from pitch_runs import stereo_samples

SILENCE = 2000  # frames of digital zero that part two pairs; noise never has them


def pairs(samples):
    """(first frame, end frame) of each sounding stretch followed by silence."""
    found, start, zeros = [], None, 0
    for i in range(0, len(samples) - 1, 2):
        if samples[i] == 0 and samples[i + 1] == 0:
            zeros += 1
            if start is not None and zeros == SILENCE:
                found.append((start, i // 2 - SILENCE + 1))
                start = None
        else:
            if start is None:
                start = i // 2
            zeros = 0
    return found


def main():
    out, noise = stereo_samples(sys.argv[1]), stereo_samples(sys.argv[2])
    found = pairs(out)
    if sys.argv[3] == "--count":
        return 0 if len(found) >= int(sys.argv[4]) else 1
    names = sys.argv[4:]
    whole = len(noise) // 2
    ok = len(found) >= len(names)
    for name, (a, b) in zip(names, found):
        length = b - a
        if name in ("wav", "flac", "cd"):
            same = out[2 * a : 2 * b] == noise
            print(f"{name}: {length} frames of {whole}, {'bit-exact' if same else 'NOT equal'}")
            ok = ok and same
        else:
            print(f"{name}: {length} frames of {whole} ({length - whole:+d})")
            ok = ok and abs(length - whole) <= 2
    if len(found) < len(names):
        print(f"only {len(found)} pairs: {found}")
    return 0 if ok else 1


sys.exit(main())
