#!/usr/bin/env python3
# Writes several byte chunks with a pause between them, so that the reader sees them in
# separate reads. Usage: emit_chunks.py DELAY_MS HEX...
import os
import sys
import time

delay = int(sys.argv[1]) / 1000.0
for chunk in sys.argv[2:]:
    os.write(1, bytes.fromhex(chunk))
    time.sleep(delay)
