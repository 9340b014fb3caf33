"""A small Standard MIDI File (format 1) writer."""

import struct

TICKS_PER_BEAT = 480


def _vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


class Track:
    def __init__(self):
        self.events = []  # (tick, order, bytes); order keeps note-offs before note-ons

    def add(self, tick, data, order=1):
        self.events.append((int(tick), order, bytes(data)))

    def encode(self, end_tick):
        body = bytearray()
        now = 0
        for tick, _, data in sorted(self.events, key=lambda e: (e[0], e[1])):
            body += _vlq(tick - now) + data
            now = tick
        body += _vlq(max(0, end_tick - now)) + b"\xff\x2f\x00"
        return b"MTrk" + struct.pack(">I", len(body)) + bytes(body)


def write_midi(path, tracks, end_tick):
    """Writes the tracks; every track ends at end_tick so the player keeps
    rendering (reverb and release tails) until then."""
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS_PER_BEAT))
        for track in tracks:
            f.write(track.encode(end_tick))
