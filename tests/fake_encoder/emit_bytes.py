#!/usr/bin/env python3
# Writes exact bytes to stdout, then exits with a given status.
# Usage: emit_bytes.py HEX [EXIT_STATUS]   (HEX: the bytes as hexadecimal digits)
import os
import sys

data = bytes.fromhex(sys.argv[1]) if len(sys.argv) > 1 else b""
os.write(1, data)
sys.exit(int(sys.argv[2]) if len(sys.argv) > 2 else 0)
