"""Turns a piece description (assets/sounds/music/*.txt) into MIDI.

A piece gives its tempo, beats per bar, one chord per bar (two chords sharing
a bar are written "Gm,A") and its parts. A part either plays written notes
("notes D5:1.5 E5:0.5 |", durations in beats, "r" a rest, "|" a bar line
that is checked) or accompanies the chords with a named pattern. Drum parts
play a named drum pattern on the percussion channel.

    /usr/bin/python3 compose.py PIECE.txt OUT.mid
"""

import re
import sys

from midi_file import TICKS_PER_BEAT, Track, write_midi

NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
CHORD_QUALITIES = {
    "": (0, 4, 7), "m": (0, 3, 7), "dim": (0, 3, 6), "7": (0, 4, 7, 10),
    "m7": (0, 3, 7, 10), "maj7": (0, 4, 7, 11), "sus4": (0, 5, 7),
}
DRUM_CHANNEL = 9
TAIL_SECONDS = 6.0  # rendered past the end, to be folded back onto the start


class PieceError(Exception):
    pass


def note_number(name):
    m = re.fullmatch(r"([A-G])([#b]?)(-?\d)", name)
    if not m:
        raise PieceError(f"bad note '{name}'")
    pc = NOTE_NAMES[m.group(1)] + {"#": 1, "b": -1, "": 0}[m.group(2)]
    return 12 * (int(m.group(3)) + 1) + pc


def parse_chord(symbol):
    m = re.fullmatch(r"([A-G])([#b]?)(.*)", symbol)
    if not m or m.group(3) not in CHORD_QUALITIES:
        raise PieceError(f"bad chord '{symbol}'")
    root = (NOTE_NAMES[m.group(1)] + {"#": 1, "b": -1, "": 0}[m.group(2)]) % 12
    return root, CHORD_QUALITIES[m.group(3)]


class Piece:
    def __init__(self, text, name):
        self.name = name
        self.tempo = None
        self.beats = None
        self.bars = []  # per bar: list of (start beat, length, (root, intervals))
        self.parts = []
        for number, raw in enumerate(text.splitlines(), 1):
            line = re.sub(r"(^|\s)#.*", "", raw).strip()  # "C#5" is a note, not a comment
            if not line:
                continue
            word, _, rest = line.partition(" ")
            try:
                self._line(word, rest.split())
            except PieceError as e:
                raise PieceError(f"{name}:{number}: {e}") from None
        if not self.tempo or not self.beats or not self.bars:
            raise PieceError(f"{name}: tempo, beats and chords are all needed")
        for part in self.parts:
            if "notes" in part:
                self._check_length(part)

    def _line(self, word, args):
        if word == "tempo":
            self.tempo = float(args[0])
        elif word == "beats":
            self.beats = int(args[0])
        elif word == "chords":
            for bar in args:
                chords = bar.split(",")
                length = self.beats / len(chords)
                self.bars.append([(i * length, length, parse_chord(c)) for i, c in enumerate(chords)])
        elif word == "part":
            part = {"name": args[0]}
            for option in args[1:]:
                key, _, value = option.partition("=")
                part[key] = value
            self.parts.append(part)
        elif word == "notes":
            if not self.parts:
                raise PieceError("notes before any part")
            part = self.parts[-1]
            notes = part.setdefault("notes", [])
            for token in args:
                if token == "|":
                    notes.append(("bar", 0))
                    continue
                pitch, _, length = token.partition(":")
                notes.append((None if pitch == "r" else note_number(pitch), float(length)))
        else:
            raise PieceError(f"unknown line '{word}'")

    def _check_length(self, part):
        beat = 0.0
        for pitch, length in part["notes"]:
            if pitch == "bar":
                if abs(beat / self.beats - round(beat / self.beats)) > 1e-6:
                    raise PieceError(f"{self.name}: part {part['name']}: bar line at beat {beat}")
            beat += length
        if abs(beat - len(self.bars) * self.beats) > 1e-6:
            raise PieceError(f"{self.name}: part {part['name']} lasts {beat} beats, "
                             f"the chords {len(self.bars) * self.beats}")

    def seconds(self):
        return len(self.bars) * self.beats * 60.0 / self.tempo


def chord_tones(root, intervals, octave):
    base = 12 * (octave + 1) + root
    return [base + i for i in intervals[:3]]


def pattern_notes(kind, seg_start, length, chord, octave, beats, bar):
    """(beat, pitch, length, accent) for one chord segment of one bar."""
    root, intervals = chord
    tones = chord_tones(root, intervals, octave)
    low = tones[0]
    out = []
    if kind == "hold":
        out += [(seg_start, p, length, 0) for p in tones]
    elif kind == "root":
        out.append((seg_start, low, length, 0))
    elif kind == "rootfifth":
        if length >= beats:
            first = 2 if beats >= 3 else length
            out += [(seg_start, low, first, 6), (seg_start + first, low + 7, length - first, 0)]
        else:
            out.append((seg_start, low, length, 0))
    elif kind == "arp":
        shape = [low, low + 7, low + 12, tones[1] + 12, low + 12, low + 7]
        for i in range(int(round(length * 2))):
            out.append((seg_start + i * 0.5, shape[i % len(shape)], 1.5, 8 if i == 0 else 0))
    elif kind == "drive":
        for i in range(int(round(length * 2))):
            pitch = low + 12 if i % 4 == 3 else low
            out.append((seg_start + i * 0.5, pitch, 0.45, 14 if i % 2 == 0 else 0))
    elif kind == "pulse":
        for i in range(int(round(length * 2))):
            for p in tones:
                out.append((seg_start + i * 0.5, p, 0.4, 12 if i % 2 == 0 else -6))
    elif kind == "stab":
        voicing = tones + [low + 12]
        out += [(seg_start, p, 1.0, 10) for p in voicing]
        if length >= 4:
            out += [(seg_start + 2.5, p, 1.5, 0) for p in voicing]
    elif kind == "hits":
        out.append((seg_start, low, 1.0, 12))
        if length >= 4:
            out.append((seg_start + 2, low, 1.0, -10))
        if bar % 4 == 3 and seg_start + length >= beats:
            # A roll into the next phrase.
            for i in range(4):
                out.append((beats - 1 + i * 0.25, low, 0.25, -20 + 8 * i))
    else:
        raise PieceError(f"unknown pattern '{kind}'")
    return out


KICK, SNARE, HAT, CRASH, TOM_HI, TOM_MID, TOM_LO = 36, 38, 42, 49, 48, 45, 41


def drum_notes(kind, bar, beats):
    out = []
    last_of_phrase = bar % 4 == 3
    if bar % 4 == 0:
        out.append((0, CRASH, 10))
    if kind == "drive":
        out += [(b, KICK, 10) for b in (0, 1.5, 2, 3.5)]
        out += [(b, SNARE, 4) for b in (1, 3)]
        out += [(i * 0.5, HAT, -20 if i % 2 else -10) for i in range(beats * 2)]
        if last_of_phrase:
            out += [(3 + i * 0.25, t, -4 + 4 * i) for i, t in enumerate((TOM_HI, TOM_HI, TOM_MID, TOM_LO))]
    elif kind == "march":
        out += [(b, KICK, 8) for b in (0, 2)]
        out += [(b, SNARE, 0) for b in (1, 3)]
        out += [(3.5, SNARE, -16), (3.75, SNARE, -10)]
        if last_of_phrase:
            out += [(2 + i * 0.25, SNARE, -24 + 4 * i) for i in range(4)]
    else:
        raise PieceError(f"unknown drum pattern '{kind}'")
    return [(b, p, 0.25, a) for b, p, a in out if b < beats]


def ticks(beats):
    return int(round(beats * TICKS_PER_BEAT))


def piece_to_midi(piece, path):
    conductor = Track()
    conductor.add(0, b"\xff\x51\x03" + int(round(60e6 / piece.tempo)).to_bytes(3, "big"), 0)
    tracks = [conductor]
    channel = 0
    pans = [64, 44, 84, 34, 94, 54, 74]
    for index, part in enumerate(piece.parts):
        track = Track()
        if "drums" in part:
            ch = DRUM_CHANNEL
        else:
            ch = channel
            channel += 1 + (channel + 1 == DRUM_CHANNEL)
            track.add(0, [0xC0 | ch, int(part["program"])], 0)
        track.add(0, [0xB0 | ch, 7, int(part.get("volume", 100))], 0)
        track.add(0, [0xB0 | ch, 10, int(part.get("pan", pans[index % len(pans)]))], 0)
        track.add(0, [0xB0 | ch, 91, int(part.get("reverb", 48))], 0)
        velocity = int(part.get("velocity", 90))
        first = int(part.get("from", 1)) - 1
        last = int(part.get("to", len(piece.bars))) - 1

        notes = []  # (beat, pitch, length, accent)
        if "notes" in part:
            beat = 0.0
            for pitch, length in part["notes"]:
                if pitch not in (None, "bar"):
                    notes.append((beat, pitch, length * 0.97, 0))
                beat += length
            notes = [n for n in notes if first * piece.beats <= n[0] < (last + 1) * piece.beats]
        else:
            for bar in range(first, last + 1):
                offset = bar * piece.beats
                if "drums" in part:
                    notes += [(offset + b, p, l, a) for b, p, l, a in drum_notes(part["drums"], bar, piece.beats)]
                    continue
                for seg_start, length, chord in piece.bars[bar]:
                    for b, p, l, a in pattern_notes(part["pattern"], seg_start, length, chord,
                                                    int(part.get("octave", 4)), piece.beats, bar):
                        notes.append((offset + b, p, l, a))

        # A note must end before the same key sounds again, or its note-off
        # would cut the new one short.
        notes.sort()
        for i, (beat, pitch, length, accent) in enumerate(notes):
            later = [n[0] for n in notes[i + 1:] if n[1] == pitch and n[0] > beat]
            if later:
                length = min(length, later[0] - beat - 0.01)
            v = max(1, min(127, velocity + accent))
            track.add(ticks(beat), [0x90 | ch, pitch, v], 1)
            track.add(ticks(beat + length), [0x80 | ch, pitch, 0], 0)
        tracks.append(track)

    end = ticks(len(piece.bars) * piece.beats + TAIL_SECONDS * piece.tempo / 60.0)
    write_midi(path, tracks, end)


def load_piece(path):
    with open(path) as f:
        return Piece(f.read(), str(path))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    try:
        piece_to_midi(load_piece(sys.argv[1]), sys.argv[2])
    except PieceError as e:
        sys.exit(f"compose: {e}")
