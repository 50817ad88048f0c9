#!/usr/bin/env python3
# Writes the Simple Sound media: four sound effects and the tune pyr.mod, all synthesised
# here. Python 3 standard library only; the output is the same on every run.
#
#   python3 make_sound_media.py [output folder]      (default: the folder of this script)
#
# Sound effects: raw 8-bit signed mono samples at 16000 samples per second, no header,
# starting and ending at zero so that they start and stop without a click:
#   space_sample1_S8.raw      effect 1, a laser shot (falling square-wave sweep)
#   space_sample2_S8.raw      effect 2, an explosion (filtered noise burst)
#   platform_sample1_S8.raw   effect 3, a jump (rising square-wave sweep)
#   platform_sample3_S8.raw   effect 4, a coin (two bell-like tones)
#
# pyr.mod: a 4-channel tracker module ("M.K." signature, 31 instrument slots of which five
# are used, 4 patterns of 64 rows). Instruments are single-cycle loops and short one-shot
# drums; the tune uses every effect the player supports: arpeggio 0xy, portamento 1xx/2xx,
# tone portamento 3xx, vibrato 4xy, volume slide Axy, position jump Bxx, set volume Cxx,
# pattern break Dxx and speed/tempo Fxx.
#
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Kyv developers

import math
import os
import struct
import sys

EFFECT_RATE = 16000

# Periods of the three octaves C-1..B-3 (finetune 0), as published with the format.
PERIODS = [
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,
]
NOTE_NAMES = ["C-", "C#", "D-", "D#", "E-", "F-", "F#", "G-", "G#", "A-", "A#", "B-"]
# Rate at which a sample plays at period p: the Amiga PAL colour clock / 2 / p.
PAULA_HALF_CLOCK = 3546895


class Noise:
    """A small linear congruential generator, so the noise never depends on Python's."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return ((self.state >> 16) & 0x7FFF) / 16384.0 - 1.0     # -1 .. +1


def to_s8(values):
    """Signed 8-bit bytes from floats in -1..+1 (clipped)."""
    out = bytearray()
    for v in values:
        n = int(round(max(-1.0, min(1.0, v)) * 127))
        out.append(n & 0xFF)
    return bytes(out)


def fade_ends(values, ramp):
    """Short linear fades at both ends, and an exact zero as first and last sample."""
    n = len(values)
    for i in range(min(ramp, n)):
        values[i] *= i / ramp
        values[n - 1 - i] *= i / ramp
    return values


def sweep_square(seconds, f_start, f_end, level):
    n = int(seconds * EFFECT_RATE)
    phase, out = 0.0, []
    for i in range(n):
        t = i / n
        f = f_start * (f_end / f_start) ** t               # exponential sweep
        phase = (phase + f / EFFECT_RATE) % 1.0
        out.append(level * (1.0 if phase < 0.5 else -1.0) * (1.0 - t) ** 0.7)
    return out


def laser():
    return fade_ends(sweep_square(0.25, 2400.0, 300.0, 0.8), 40)


def jump():
    return fade_ends(sweep_square(0.22, 280.0, 950.0, 0.7), 40)


def explosion():
    n = int(0.9 * EFFECT_RATE)
    noise, low, out = Noise(20260), 0.0, []
    for i in range(n):
        t = i / n
        cutoff = 0.35 * (1.0 - t) + 0.03                   # the rumble darkens as it fades
        low += cutoff * (noise.next() - low)
        out.append(1.6 * low * math.exp(-4.0 * t))
    return fade_ends(out, 80)


def coin():
    n = int(0.45 * EFFECT_RATE)
    split = int(0.08 * EFFECT_RATE)
    out = []
    for i in range(n):
        f, start = (988.0, 0) if i < split else (1319.0, split)
        t = (i - start) / EFFECT_RATE
        tone = math.sin(2 * math.pi * f * t) + 0.3 * math.sin(2 * math.pi * 2 * f * t)
        out.append(0.6 * tone * math.exp(-6.0 * t))
    return fade_ends(out, 40)


# ---------------------------------------------------------------------------------------
# The module

def cycle(length, shape):
    return to_s8([shape(i / length) for i in range(length)])


def one_shot(seconds_at_c2, shape):
    rate = PAULA_HALF_CLOCK / 428                             # C-2 plays at this rate
    n = int(seconds_at_c2 * rate) & ~1
    return to_s8(fade_ends([shape(i / rate, i / n) for i in range(n)], 16))


def kick_shape():
    state = {"phase": 0.0}

    def shape(t, frac):
        f = 45.0 + 120.0 * math.exp(-25.0 * t)
        state["phase"] += f / (PAULA_HALF_CLOCK / 428)
        return 0.95 * math.sin(2 * math.pi * state["phase"]) * math.exp(-5.0 * t)
    return shape


def snare_shape():
    noise = Noise(7)
    return lambda t, frac: (0.7 * noise.next() + 0.3 * math.sin(2 * math.pi * 190 * t)) \
        * math.exp(-14.0 * t)


# (name, data, volume, looped)
INSTRUMENTS = [
    ("pulse lead", cycle(32, lambda x: 0.84 if x < 0.3 else -0.36), 48, True),   # mean 0
    ("triangle bass", cycle(64, lambda x: 0.9 * (4 * x - 1 if x < 0.5 else 3 - 4 * x)), 64, True),
    ("kick", one_shot(0.30, kick_shape()), 64, False),
    ("snare", one_shot(0.20, snare_shape()), 48, False),
    ("soft saw", cycle(64, lambda x: 0.5 * sum(math.sin(2 * math.pi * k * x) / k
                                               for k in (1, 2, 3, 4))), 40, True),
]
LEAD, BASS, KICK, SNARE, PAD = 1, 2, 3, 4, 5


def note(name):
    """Period of a note such as "A-2" or "C#3" (octaves 1..3)."""
    return PERIODS[(int(name[2]) - 1) * 12 + NOTE_NAMES.index(name[:2])]


class Pattern:
    def __init__(self):
        self.cells = [[(0, 0, 0, 0)] * 4 for _ in range(64)]

    def put(self, row, channel, instrument=0, name=None, effect=0, param=0):
        period = note(name) if name else 0
        self.cells[row][channel] = (instrument, period, effect, param)

    def effect(self, row, channel, effect, param):
        instrument, period, _, _ = self.cells[row][channel]
        self.cells[row][channel] = (instrument, period, effect, param)

    def encode(self):
        out = bytearray()
        for row in self.cells:
            for instrument, period, effect, param in row:
                out += bytes([(instrument & 0xF0) | (period >> 8), period & 0xFF,
                              ((instrument & 0x0F) << 4) | effect, param])
        return bytes(out)


# Chords of the four bars in every pattern: root, arpeggio (semitones above the root).
BARS = [("A-1", 0x37), ("F-1", 0x47), ("C-2", 0x47), ("G-1", 0x47)]


def rhythm(p, from_row=0, to_row=64):
    """Bass on channel 1 and drums on channel 2."""
    for bar, (root, _) in enumerate(BARS):
        base = bar * 16
        upper = root[:2] + str(int(root[2]) + 1)
        for row, name in ((0, root), (6, root), (8, upper), (12, root), (14, upper)):
            if from_row <= base + row < to_row:
                p.put(base + row, 1, BASS, name)
        for row, inst in ((0, KICK), (4, SNARE), (8, KICK), (10, KICK), (12, SNARE)):
            if from_row <= base + row < to_row:
                p.put(base + row, 2, inst, "C-2")


def pad(p, volume=0x20):
    """Held chords on channel 3, sounded with the arpeggio effect on every row."""
    for bar, (root, arp) in enumerate(BARS):
        base = bar * 16
        p.put(base, 3, PAD, root[:2] + "2", 0xC, volume)
        for row in range(1, 16):
            p.put(base + row, 3, effect=0x0, param=arp)


def lead(p, phrase):
    """phrase: (row, note, effect, param); a note of None only sets the effect."""
    for row, name, effect, param in phrase:
        p.put(row, 0, LEAD if name else 0, name, effect, param)


def pattern_intro():
    p = Pattern()
    pad(p, 0x28)
    rhythm(p, from_row=32)
    p.effect(0, 1, 0xF, 0x06)           # 6 ticks per row
    p.effect(0, 2, 0xF, 0x7D)           # 125 beats per minute: 50 ticks a second
    return p


def pattern_theme():
    p = Pattern()
    pad(p)
    rhythm(p)
    lead(p, [
        (0, "E-3", 0, 0), (2, None, 0x4, 0x46), (4, None, 0x4, 0x00), (6, None, 0xA, 0x02),
        (8, "D-3", 0, 0), (12, "C-3", 0, 0), (14, "D-3", 0, 0),
        (16, "C-3", 0, 0), (18, None, 0x4, 0x34), (22, None, 0xA, 0x03),
        (24, "A-2", 0, 0), (28, "C-3", 0, 0),
        (32, "G-2", 0, 0), (36, "C-3", 0, 0), (40, "E-3", 0, 0), (42, None, 0x4, 0x56),
        (44, "D-3", 0, 0), (46, "C-3", 0, 0),
        (48, "D-3", 0, 0), (50, None, 0x4, 0x46), (52, None, 0x4, 0x00),
        (56, None, 0xA, 0x04), (60, "B-2", 0xC, 0x30),
    ])
    return p


def pattern_slides():
    p = Pattern()
    pad(p, 0x18)
    rhythm(p, to_row=48)
    lead(p, [
        (0, "A-2", 0, 0), (4, "C-3", 0x3, 0x08), (5, None, 0x3, 0x00), (6, None, 0x3, 0x00),
        (8, "E-3", 0x3, 0x10), (9, None, 0x3, 0x00), (10, None, 0x3, 0x00),
        (12, None, 0x1, 0x02), (13, None, 0x1, 0x02), (14, None, 0x2, 0x04), (15, None, 0x2, 0x04),
        (16, "F-2", 0, 0), (20, "A-2", 0x3, 0x0C), (21, None, 0x3, 0x00), (24, "C-3", 0, 0),
        (28, None, 0xA, 0x20), (30, None, 0xA, 0x00),
        (32, "G-2", 0, 0), (34, "B-2", 0x3, 0x06), (35, None, 0x3, 0x00), (36, None, 0x3, 0x00),
        (40, "D-3", 0, 0), (42, None, 0x2, 0x03), (44, None, 0x1, 0x03),
    ])
    p.effect(47, 2, 0xD, 0x00)          # break to the next pattern's first row
    return p


def pattern_variation():
    p = Pattern()
    pad(p)
    rhythm(p)
    lead(p, [
        (0, "A-3", 0xC, 0x30), (2, "G-3", 0, 0), (4, "E-3", 0, 0), (6, "D-3", 0, 0),
        (8, "E-3", 0, 0), (10, None, 0x4, 0x48), (14, None, 0xA, 0x04),
        (16, "C-3", 0, 0), (18, "D-3", 0, 0), (20, "C-3", 0, 0), (22, "A-2", 0, 0),
        (24, "C-3", 0, 0), (26, None, 0x4, 0x36),
        (32, "E-2", 0, 0), (34, "G-2", 0, 0), (36, "C-3", 0, 0), (40, "E-3", 0x3, 0x00),
        (44, "G-3", 0, 0), (46, None, 0x4, 0x58),
        (48, "A-3", 0, 0), (52, None, 0x4, 0x46), (56, None, 0xA, 0x03),
    ])
    p.effect(63, 2, 0xB, 0x01)          # jump back to the theme: the song loops forever
    return p


ORDERS = [0, 1, 2, 3]


def module():
    patterns = [pattern_intro(), pattern_theme(), pattern_slides(), pattern_variation()]
    out = bytearray(b"pyramid by kyv".ljust(20, b"\0"))
    for slot in range(31):
        if slot < len(INSTRUMENTS):
            name, data, volume, looped = INSTRUMENTS[slot]
            words = len(data) // 2
            loop_start, loop_words = (0, words) if looped else (0, 1)
            out += name.encode("ascii").ljust(22, b"\0")
            out += struct.pack(">HBBHH", words, 0, volume, loop_start, loop_words)
        else:
            out += bytes(22) + struct.pack(">HBBHH", 0, 0, 0, 0, 1)
    out += bytes([len(ORDERS), 127])
    out += bytes(ORDERS).ljust(128, b"\0")
    out += b"M.K."
    for p in patterns:
        out += p.encode()
    for _, data, _, _ in INSTRUMENTS:
        out += data
    return bytes(out)


MEDIA = {
    "space_sample1_S8.raw": lambda: to_s8(laser()),
    "space_sample2_S8.raw": lambda: to_s8(explosion()),
    "platform_sample1_S8.raw": lambda: to_s8(jump()),
    "platform_sample3_S8.raw": lambda: to_s8(coin()),
    "pyr.mod": module,
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, make in MEDIA.items():
        data = make()
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
