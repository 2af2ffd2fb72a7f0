#!/usr/bin/env python3
"""Prints the target path and the working directory of a Windows shortcut (.lnk), one a line,
as the installer test starts the game the way the Start menu would."""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR, IS_UNICODE = 1, 2, 4, 8, 16, 128


def read(path):
    data = open(path, "rb").read()
    if len(data) < 76 or struct.unpack_from("<I", data, 0)[0] != 76:
        sys.exit(f"{path}: not a shortcut")
    flags = struct.unpack_from("<I", data, 20)[0]
    at = 76
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    target = ""
    if flags & HAS_LINK_INFO:
        size, header, info_flags, _, base = struct.unpack_from("<IIIII", data, at)
        if info_flags & 1:
            if header >= 0x24:
                offset = at + struct.unpack_from("<I", data, at + 28)[0]
                end = offset
                while data[end:end + 2] != b"\0\0":
                    end += 2
                target = data[offset:end].decode("utf-16-le")
            else:
                target = data[at + base:data.index(b"\0", at + base)].decode("mbcs" if sys.platform == "win32" else "latin-1")
        at += size
    strings = {}
    for flag in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR):
        if flags & flag:
            count = struct.unpack_from("<H", data, at)[0]
            width = 2 if flags & IS_UNICODE else 1
            raw = data[at + 2:at + 2 + count * width]
            strings[flag] = raw.decode("utf-16-le" if width == 2 else "latin-1").rstrip("\0")
            at += 2 + count * width
    if not target:
        sys.exit(f"{path}: no local target path")
    return target, strings.get(HAS_WORKING_DIR, "")


if __name__ == "__main__":
    for line in read(sys.argv[1]):
        print(line)
