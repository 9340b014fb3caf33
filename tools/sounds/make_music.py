"""Composes a piece, renders it with FluidSynth and makes it loop seamlessly.

    /usr/bin/python3 make_music.py PIECE.txt OUT.wav [SOUNDFONT]

The piece is rendered once with a few seconds of tail; the loop is the
piece's length rounded to whole 512-sample blocks (the bank stores music as
MS-ADPCM, which loops by whole blocks), and everything that rings past the
loop end (reverb, releases) is added back onto the start. Played in a loop,
the end then runs into the start exactly as one continuous performance
would: no click, no gap.
"""

import os
import subprocess
import sys
import tempfile

import numpy as np

from compose import load_piece, piece_to_midi
from wavio import read_wav, write_wav

RATE = 22050
BLOCK = 512
SOUNDFONT = "/usr/share/sounds/sf2/FluidR3_GM.sf2"
PEAK = 0.89  # -1 dBFS


def render(midi_path, wav_path, soundfont):
    subprocess.run(["fluidsynth", "-n", "-i", "-q", "-C", "0", "-R", "1", "-g", "0.5", "-r", str(RATE),
                    "-O", "s16", "-T", "wav", "-F", wav_path, soundfont, midi_path],
                   check=True, stdout=subprocess.DEVNULL)


def fold_into_loop(samples, loop_frames):
    loop = samples[:loop_frames].copy()
    tail = samples[loop_frames:]
    while len(tail):
        n = min(len(tail), loop_frames)
        loop[:n] += tail[:n]
        tail = tail[n:]
    return loop


def seam_report(loop):
    """How the jump from the last sample to the first compares with the
    usual sample-to-sample steps."""
    steps = np.abs(np.diff(loop, axis=0)).max(axis=1)
    seam = np.abs(loop[0] - loop[-1]).max()
    return seam, np.percentile(steps, 99)


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    piece = load_piece(sys.argv[1])
    soundfont = sys.argv[3] if len(sys.argv) == 4 else SOUNDFONT
    with tempfile.TemporaryDirectory() as tmp:
        midi = os.path.join(tmp, "piece.mid")
        raw = os.path.join(tmp, "piece.wav")
        piece_to_midi(piece, midi)
        render(midi, raw, soundfont)
        samples, rate = read_wav(raw)
    if rate != RATE:
        sys.exit(f"make_music: FluidSynth rendered at {rate} Hz, not {RATE}")
    loop_frames = int(round(piece.seconds() * RATE / BLOCK)) * BLOCK
    if len(samples) <= loop_frames:
        sys.exit("make_music: the render is shorter than the piece")
    loop = fold_into_loop(samples, loop_frames)
    loop *= PEAK / max(np.abs(loop).max(), 1e-9)
    write_wav(sys.argv[2], loop, RATE)
    seam, typical = seam_report(loop)
    print(f"{os.path.basename(sys.argv[2])}: {loop_frames / RATE:.2f} s, {loop_frames} frames, "
          f"seam step {seam:.4f} (99th percentile step {typical:.4f})")


if __name__ == "__main__":
    main()
