#!/usr/bin/env python3
"""The core as the page gets it, its wasm and then each of its tables
files, fills the memory exactly as the wasm the linker wrote does: every
byte of every table where the linker put it, and nothing of the tables left in
the served wasm, nor in two files; and each tables file is the one the
served core's seal names at its place (its place, length and hash),
gzipped. The gzipped core the page fetches is the same wasm.

    split.py LINKED.wasm SERVED.wasm TABLES.bin...
"""
import gzip
import struct
import sys


def leb(data, at, signed=False):
    value = shift = 0
    while True:
        byte = data[at]
        at += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if byte < 0x80:
            if signed and byte & 0x40:
                value -= 1 << shift
            return value, at


def memory(path):
    """The bytes each active data segment puts at its address, by address."""
    with open(path, "rb") as file:
        data = file.read()
    image = {}
    at = 8
    while at < len(data):
        section = data[at]
        size, at = leb(data, at + 1)
        end = at + size
        if section == 11:
            count, at = leb(data, at)
            for _ in range(count):
                flags, at = leb(data, at)
                if flags != 0 or data[at] != 0x41:
                    sys.exit(f"FAIL: {path}: a data segment of another kind")
                address, at = leb(data, at + 1, signed=True)
                length, at = leb(data, at + 1)
                for i, byte in enumerate(data[at:at + length]):
                    image[(address & 0xFFFFFFFF) + i] = byte
                at += length
        at = end
    return image


def fnv1a(data):
    value = 0x811C9DC5
    for byte in data:
        value = ((value ^ byte) * 16777619) & 0xFFFFFFFF
    return value


HEADER = 20


def seal(image, files):
    """The length and hash that the served core's seal holds for each file, and where they start."""
    name = b"Vellumino tables"
    data = bytes(image.get(a, 0) for a in range(min(image), max(image) + 1))
    at = data.find(name)
    if at < 0 or data.find(name, at + 1) >= 0:
        sys.exit("FAIL: the served core holds no seal, or two")
    at += len(name)
    return [struct.unpack_from("<II", data, at + 8 * i) for i in range(files)], min(image) + at


def place(image, path, index, sealed):
    """Adds the tables' pieces to a memory image, as tables.js places them."""
    with open(path, "rb") as file:
        data = gzip.decompress(file.read())
    magic, version, place_, length, hash_ = struct.unpack_from("<4sIIII", data)
    if magic != b"VLMT" or version != 2 or place_ != index:
        sys.exit(f"FAIL: {path} has no header for set {index}")
    if (length, hash_) != sealed or length != len(data) - HEADER or fnv1a(data[HEADER:]) != hash_:
        sys.exit(f"FAIL: {path}: length {length} and hash {hash_:#x}, the seal says {sealed}")
    at = HEADER
    pieces = 0
    while at + 8 <= len(data):
        address, length = struct.unpack_from("<II", data, at)
        piece = data[at + 8:at + 8 + length]
        for i, byte in enumerate(piece):
            if address + i in image:
                sys.exit(f"FAIL: byte {address + i:#x} is written twice: by {path}, and by the served wasm "
                         "or another tables file")
            image[address + i] = byte
        at += 8 + length
        pieces += 1
    if at != len(data):
        sys.exit(f"FAIL: {path} ends inside a piece")
    return pieces


def main(linked, served, *tables):
    with open(served, "rb") as plain, open(served + ".gz", "rb") as packed:
        if gzip.decompress(packed.read()) != plain.read():
            sys.exit(f"FAIL: {served}.gz is not {served} gzipped")
    want = memory(linked)
    got = memory(served)
    left = len(got)
    sealed, where = seal(got, len(tables))
    pieces = 0
    for index, path in enumerate(tables):
        more = place(got, path, index, sealed[index])
        if not more:
            sys.exit(f"FAIL: {path} has no pieces: its tables were not split")
        pieces += more
    # The seal's values, written by the split where the linker left placeholders.
    for a in range(where, where + 8 * len(tables)):
        want[a] = got[a]
    wrong = sorted(a for a in set(want) | set(got) if want.get(a, 0) != got.get(a, 0))
    if wrong:
        sys.exit(f"FAIL: {len(wrong)} bytes differ, the first at {wrong[0]:#x}")
    print(f"ok: {len(want)} bytes of data, {left} in the served wasm and the rest in {pieces} pieces "
          f"in {len(tables)} files")


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
