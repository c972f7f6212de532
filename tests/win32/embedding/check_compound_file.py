#!/usr/bin/python3
"""Reads, from Linux, a compound file that the container test wrote on
Windows (Wine): the object's storage has Tarvex's class id, its user type,
and "Contents" holds exactly the bytes that went in.

    check_compound_file.py FILE
"""
import sys

import olefile

CLASS_ID = "4A1E6C2B-7D3F-4C55-9A61-2F0B8E5D1C47"
EXPECTED = bytes(range(256)) + b"\r\nlast line\r\nno final line end"


def main(path):
    ole = olefile.OleFileIO(path)
    problems = []
    if ole.getclsid("Object1").upper() != CLASS_ID:
        problems.append("class id %r" % ole.getclsid("Object1"))
    contents = ole.openstream("Object1/Contents").read()
    if contents != EXPECTED:
        problems.append("Contents differ: %d bytes, %r..." % (len(contents), contents[:40]))
    comp_obj = ole.openstream("Object1/\x01CompObj").read()
    for name in (b"Tarvex Document", b"Tarvex Contents"):
        if name not in comp_obj:
            problems.append("CompObj without %r" % name)
    for problem in problems:
        print("%s: %s" % (path, problem))
    if not problems:
        print("%s: Object1 has its class id, user type and all %d bytes" % (path, len(contents)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
