#!/usr/bin/env python3
"""Points marquill.exe's load configuration directory at the structure that
load_config.cpp puts in its own .ldcfg section, and sets the image checksum
again.

Usage: fill_load_config.py PATH/TO/marquill.exe

GNU ld before 2.45 never fills that directory (lld and newer ld do it from the
_load_config_used symbol, MSVC's link from its CRT's): without it Windows
never reads the DependentLoadFlags the structure holds. A directory the linker
has already filled must point at the same structure.
"""

import struct
import sys

LOAD_CONFIG = 10  # index of the load configuration in the data directories


def checksum(image, field):
    """The PE checksum: 16-bit words added with carry, the field itself skipped."""
    total = 0
    data = image[:field] + b"\0\0\0\0" + image[field + 4:] + b"\0"
    for (word,) in struct.iter_unpack("<H", data[:len(data) & ~1]):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return (total & 0xFFFF) + (total >> 16) + len(image)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as f:
        image = bytearray(f.read())
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    if struct.unpack_from("<H", image, optional)[0] != 0x20B:
        sys.exit("%s: not a 64-bit image" % sys.argv[1])
    entry = optional + 112 + 8 * LOAD_CONFIG
    for i in range(sections):
        name, _, rva, _, raw = struct.unpack_from("<8sIIII", image, optional + optional_size + 40 * i)
        if name.rstrip(b"\0") == b".ldcfg":
            break
    else:
        sys.exit("%s: no .ldcfg section" % sys.argv[1])
    size = struct.unpack_from("<I", image, raw)[0]
    filled = struct.unpack_from("<II", image, entry)
    if filled[0] not in (0, rva):
        sys.exit("%s: the load configuration lies at %#x, not in .ldcfg" % (sys.argv[1], filled[0]))
    struct.pack_into("<II", image, entry, rva, size)
    struct.pack_into("<I", image, optional + 64, checksum(bytes(image), optional + 64))
    with open(sys.argv[1], "wb") as f:
        f.write(image)


if __name__ == "__main__":
    main()
