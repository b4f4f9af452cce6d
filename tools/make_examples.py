#!/usr/bin/env python3
"""Writes the example animations in examples/ as .444 files.

A .444 file is raw frames of 8 bytes. LED n = 16L + 4r + c (layer L, 0 = top;
row r, 0 = back; column c, 0 = left) is bit n mod 8 of byte n div 8.

    python3 tools/make_examples.py [output folder, default examples/]
"""
import math
import random
import sys
from pathlib import Path

SIZE = 4
RING = [(0, c) for c in range(4)] + [(r, 3) for r in range(1, 4)] + \
       [(3, c) for c in range(2, -1, -1)] + [(r, 0) for r in range(2, 0, -1)]


def led_number(layer, row, column):
    return 16 * layer + 4 * row + column


def frame_bytes(lit):
    """The 8 bytes of one frame with the LEDs (layer, row, column) in `lit` on."""
    frame = bytearray(8)
    for layer, row, column in lit:
        n = led_number(layer, row, column)
        frame[n // 8] |= 1 << (n % 8)
    return bytes(frame)


def rain(frames=24, seed=4):
    """Drops start on the top layer and fall one layer a frame. The first frames
    kept are those after the rain has reached the bottom layer."""
    rng = random.Random(seed)
    drops = []
    out = []
    for _ in range(frames + SIZE):
        drops = [(layer + 1, row, column) for layer, row, column in drops if layer < SIZE - 1]
        for _ in range(rng.choice((1, 1, 2))):
            drops.append((0, rng.randrange(SIZE), rng.randrange(SIZE)))
        out.append(frame_bytes(drops))
    return out[SIZE:]


def wave(frames=16):
    """A sine wave running diagonally across the columns, one LED high per column."""
    out = []
    for t in range(frames):
        lit = []
        for row in range(SIZE):
            for column in range(SIZE):
                phase = 2 * math.pi * (t / frames + (column + row) / 8)
                height = int(round(1.5 + 1.5 * math.sin(phase)))
                lit.append((SIZE - 1 - height, row, column))
        out.append(frame_bytes(lit))
    return out


def spiral(frames=24, tail=3):
    """An LED with a short tail running round the outer ring of each layer, half a
    lap per layer, moving down a layer every few frames; the loop is seamless."""
    per_layer = frames // SIZE

    def position(step):
        step %= frames
        row, column = RING[step % len(RING)]
        return (step // per_layer, row, column)

    return [frame_bytes([position(t - k) for k in range(tail)]) for t in range(frames)]


def cube_edges(corner, size):
    """The edges of a cube of `size` LEDs a side with its nearest corner at `corner`."""
    lit = set()
    for layer in range(size):
        for row in range(size):
            for column in range(size):
                on_edge = sum(v in (0, size - 1) for v in (layer, row, column)) >= 2
                if on_edge:
                    lit.add((corner[0] + layer, corner[1] + row, corner[2] + column))
    return lit


def shell():
    return {(l, r, c) for l in range(SIZE) for r in range(SIZE) for c in range(SIZE)
            if 0 in (l, r, c) or SIZE - 1 in (l, r, c)}


def cube():
    """A wire cube growing from one corner, shrinking into the opposite one and
    back, then the outer shell blinking."""
    out = []
    for size in range(1, SIZE + 1):
        out.append(frame_bytes(cube_edges((0, 0, 0), size)))
    for size in range(SIZE - 1, 0, -1):
        start = SIZE - size
        out.append(frame_bytes(cube_edges((start, start, start), size)))
    for size in range(2, SIZE):
        start = SIZE - size
        out.append(frame_bytes(cube_edges((start, start, start), size)))
    for size in range(SIZE, 1, -1):
        out.append(frame_bytes(cube_edges((0, 0, 0), size)))
    for _ in range(2):
        out.append(frame_bytes(shell()))
        out.append(frame_bytes([]))
    return out


EXAMPLES = {"rain.444": rain, "wave.444": wave, "spiral.444": spiral, "cube.444": cube}


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "examples"
    folder.mkdir(parents=True, exist_ok=True)
    for name, make in EXAMPLES.items():
        frames = make()
        assert 8 <= len(frames) <= 40 and all(len(f) == 8 for f in frames), name
        (folder / name).write_bytes(b"".join(frames))
        print(f"{folder / name}: {len(frames)} frames")


if __name__ == "__main__":
    main()
