#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the built-in ringtones (standard MIDI files) and the looping alert (a WAV) from the note lists below.

The output is committed under resources/sounds; run this again after changing a tune:
    python3 tools/make_sounds.py resources/sounds
Only the standard library is used, and the output is byte-for-byte the same on every run.
"""
import math
import struct
import sys
from pathlib import Path

NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch(name):
    """'C5' -> 72, 'F#4' -> 66, 'Bb3' -> 58."""
    base = NOTE_NAMES[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        base, rest = base + 1, rest[1:]
    elif rest.startswith("b"):
        base, rest = base - 1, rest[1:]
    return 12 * (int(rest) + 1) + base


# Each tune: file stem, General MIDI program, tempo (quarter notes a minute), and bars of notes. A note is
# "pitch:beats"; several pitches joined by "+" sound together; "r:beats" is a rest.
TUNES = [
    ("R1", 12, 132,  # marimba, a rising morning call
     "C5:0.5 E5:0.5 G5:0.5 C6:0.5 B5:0.5 G5:0.5 E5:0.5 G5:0.5 "
     "A5:0.5 F5:0.5 D5:0.5 F5:0.5 G5:1 r:1 "
     "C5:0.5 E5:0.5 G5:0.5 C6:0.5 D6:0.5 B5:0.5 G5:0.5 B5:0.5 "
     "C6+E5:2 r:1"),
    ("R2", 11, 104,  # vibraphone, a brook in D pentatonic
     "D5:0.5 E5:0.5 F#5:0.5 A5:0.5 B5:1 A5:0.5 F#5:0.5 "
     "E5:0.5 F#5:0.5 A5:0.5 E5:0.5 D5:1.5 r:0.5 "
     "B4:0.5 D5:0.5 E5:0.5 F#5:0.5 A5:1 B5:0.5 D6:0.5 "
     "A5:1 F#5:0.5 E5:0.5 D5+A4:2"),
    ("R3", 8, 150,  # celesta, wind chimes high up
     "E6:0.5 G6:0.5 C7:1 A6:0.5 G6:0.5 E6:1 "
     "D6:0.5 E6:0.5 G6:1 E6:0.5 D6:0.5 C6:1 "
     "E6:0.5 G6:0.5 A6:0.5 C7:0.5 D7:1 C7:0.5 A6:0.5 "
     "G6:1 E6:1 C6+G6:2"),
    ("R4", 10, 96,  # music box, a slow waltz under the stars
     "G5:1 B5:1 D6:1 C6:1.5 B5:0.5 A5:1 "
     "G5:1 E5:1 G5:1 F#5:3 "
     "A5:1 C6:1 E6:1 D6:1.5 C6:0.5 B5:1 "
     "A5:1 F#5:1 A5:1 G5+B4:3"),
    ("R5", 73, 84,  # flute, far mountains
     "A4:1 C5:0.5 D5:0.5 E5:1.5 G5:0.5 "
     "E5:1 D5:1 C5:1 A4:1 "
     "G4:1 A4:0.5 C5:0.5 D5:1 E5:1 "
     "A4:3 r:1"),
    ("R6", 0, 140,  # piano, swallows coming home
     "F5:0.5 A5:0.5 C6:0.5 A5:0.5 F5:0.5 A5:0.5 C6:1 "
     "Bb5:0.5 G5:0.5 E5:0.5 G5:0.5 C6:1 r:1 "
     "F5:0.5 A5:0.5 C6:0.5 F6:0.5 E6:0.5 D6:0.5 C6:0.5 Bb5:0.5 "
     "A5:0.5 G5:0.5 E5:0.5 G5:0.5 F5+A4+C5:2"),
]

TICKS = 480  # per quarter note


def var_len(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, (n & 0x7F) | 0x80)
        n >>= 7
    return bytes(out)


def midi_file(program, tempo, notes):
    """A format-0 file on channel 0; returns the bytes and the length in milliseconds."""
    events = bytearray()
    us_per_quarter = 60_000_000 // tempo
    events += b"\x00\xff\x51\x03" + us_per_quarter.to_bytes(3, "big")
    events += b"\x00\xc0" + bytes([program])
    delta = 0
    total_beats = 0.0
    for item in notes.split():
        name, beats = item.split(":")
        beats = float(beats)
        total_beats += beats
        ticks = int(round(beats * TICKS))
        if name == "r":
            delta += ticks
            continue
        chord = [pitch(p) for p in name.split("+")]
        for i, p in enumerate(chord):
            events += var_len(delta if i == 0 else 0) + bytes([0x90, p, 88])
        delta = 0
        # Notes are held slightly short so repeated pitches are heard as separate strokes.
        held = ticks - TICKS // 16
        for i, p in enumerate(chord):
            events += var_len(held if i == 0 else 0) + bytes([0x80, p, 0])
        delta = ticks - held
    events += var_len(delta) + b"\xff\x2f\x00"
    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS)
    track = b"MTrk" + struct.pack(">I", len(events)) + bytes(events)
    return header + track, int(round(total_beats * 60_000 / tempo))


def dudu_wav(rate=22050):
    """Two short bright tones and a pause: a 0.6 s alert that loops seamlessly."""
    def tone(freq, ms):
        n = rate * ms // 1000
        fade = rate * 6 // 1000
        out = []
        for i in range(n):
            env = min(1.0, i / fade, (n - 1 - i) / fade)
            s = math.sin(2 * math.pi * freq * i / rate) + 0.3 * math.sin(4 * math.pi * freq * i / rate)
            out.append(int(11000 * env * s))
        return out

    def silence(ms):
        return [0] * (rate * ms // 1000)

    samples = tone(988, 110) + silence(50) + tone(988, 110) + silence(330)
    data = struct.pack("<%dh" % len(samples), *samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body, len(samples) * 1000 // rate


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "resources/sounds")
    out.mkdir(parents=True, exist_ok=True)
    for stem, program, tempo, notes in TUNES:
        data, ms = midi_file(program, tempo, notes)
        (out / (stem + ".mid")).write_bytes(data)
        print(f"{stem}.mid {len(data)} bytes {ms} ms")
    data, ms = dudu_wav()
    (out / "DUDU.wav").write_bytes(data)
    print(f"DUDU.wav {len(data)} bytes {ms} ms")


if __name__ == "__main__":
    main()
