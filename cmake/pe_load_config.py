#!/usr/bin/env python3
"""Points a PE32+ program's load-configuration directory at its _load_config_used.

GNU ld links the structure but leaves data directory 10 empty, so Windows would never read
it. Usage: pe_load_config.py PROGRAM.exe; the program is changed in place, and its checksum
made anew.
"""
import struct
import sys

LOAD_CONFIG = 10
SYMBOL = b"_load_config_used"


def main(path):
    with open(path, "rb") as f:
        image = bytearray(f.read())
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        sys.exit(f"{path}: not a PE file")
    sections_count, _, symbols_at, symbols_count, optional_size = struct.unpack_from("<HIIIH", image, pe + 6)
    optional = pe + 24
    if struct.unpack_from("<H", image, optional)[0] != 0x20B:
        sys.exit(f"{path}: not a 64-bit program")
    sections = [struct.unpack_from("<8sIIII", image, optional + optional_size + 40 * i)
                for i in range(sections_count)]

    # The symbol in the COFF symbol table, which the link keeps until the program is stripped.
    strings = symbols_at + 18 * symbols_count
    rva = None
    i = 0
    while i < symbols_count:
        entry = symbols_at + 18 * i
        name, value, section, _, _, aux = struct.unpack_from("<8sIhHBB", image, entry)
        if name[:4] == b"\0\0\0\0":
            start = strings + struct.unpack_from("<I", name, 4)[0]
            name = bytes(image[start:image.index(b"\0", start)])
        else:
            name = name.rstrip(b"\0")
        if name == SYMBOL and section > 0:
            rva = sections[section - 1][2] + value
            break
        i += 1 + aux
    if rva is None:
        sys.exit(f"{path}: no {SYMBOL.decode()}; link it with -Wl,-u,{SYMBOL.decode()}")

    # Its first field is its size, as Windows reads it.
    for _, _, address, raw_size, raw_at in sections:
        if address <= rva < address + raw_size:
            size = struct.unpack_from("<I", image, raw_at + rva - address)[0]
            break
    else:
        sys.exit(f"{path}: {SYMBOL.decode()} lies in no section")
    struct.pack_into("<II", image, optional + 112 + 8 * LOAD_CONFIG, rva, size)

    # The optional header's checksum: 16-bit words added with their carries, itself left
    # out, plus the file's length.
    checksum_at = optional + 64
    struct.pack_into("<I", image, checksum_at, 0)
    padded = image + b"\0" * (len(image) % 2)
    total = sum(struct.unpack(f"<{len(padded) // 2}H", padded))
    while total > 0xFFFF:
        total = (total & 0xFFFF) + (total >> 16)
    struct.pack_into("<I", image, checksum_at, total + len(image))

    with open(path, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
