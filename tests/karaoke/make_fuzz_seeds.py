#!/usr/bin/env python3
"""Writes the seed corpus of the CD+G decoder's fuzzer into fuzz-corpus/.

Each seed: a byte with the number of operations, five bytes per operation
(kind, 32-bit little-endian value: kind 0 render to the value, 1 render to a
time within the length, 2 truncate the file, 3 open it again), then the file.
"""
import os
import random
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fuzz-corpus")


def packet(instruction, data=(), command=9):
    body = bytes(data) + bytes(16 - len(data))
    return bytes([command, instruction, 0, 0]) + body + bytes(4)


def tile(c0, c1, row, col, lines, xor=False):
    return packet(38 if xor else 6, [c0, c1, row, col] + list(lines))


def seed(ops, packets, tail=b""):
    out = bytes([len(ops)])
    for kind, value in ops:
        out += bytes([kind]) + struct.pack("<i", value)
    return out + b"".join(packets) + tail


def song():
    rnd = random.Random(9)
    packets = [packet(30, [rnd.randrange(64) for _ in range(16)]),
               packet(31, [rnd.randrange(64) for _ in range(16)]),
               packet(1, [3, 0]), packet(2, [5])]
    for i in range(120):
        kind = i % 6
        if kind < 3:
            packets.append(tile(rnd.randrange(16), rnd.randrange(16), rnd.randrange(20),
                                rnd.randrange(52), [rnd.randrange(256) for _ in range(12)], kind == 2))
        elif kind == 3:
            packets.append(packet(20 + 4 * (i % 2), [rnd.randrange(16), rnd.randrange(64), rnd.randrange(64)]))
        else:
            packets.append(bytes(24))
    packets.append(packet(1, [7, 3]))
    return packets


def main():
    os.makedirs(HERE, exist_ok=True)
    s = song()
    seeds = {
        "song-no-ops": seed([], s),
        "song-forward-back": seed([(0, 1000), (0, 500), (0, -400), (0, 0), (0, 10), (1, 700)], s),
        "song-far-jumps": seed([(0, 0x7FFFFFFF), (0, -0x80000000), (0, 60000), (1, 30)], s),
        "song-shrinks": seed([(0, 300), (2, 1000), (0, 2000), (1, 100), (3, 0), (0, 5000)], s),
        "fragment-at-end": seed([(0, 200), (0, 100), (0, 300)], s[:30], b"\x09\x01\x05\x00\x00"),
        "empty-file": seed([(0, 1000), (1, 5), (3, 0), (0, -1)], []),
        "other-commands": seed([(0, 100)], [packet(1, [4], 0x49), packet(1, [6], 10),
                                           packet(0x7F, [255] * 16, 0xFF), packet(28, [1])]),
    }
    for name, data in seeds.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
