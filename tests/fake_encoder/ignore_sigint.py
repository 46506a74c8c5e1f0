#!/usr/bin/env python3
# Keeps printing status lines and ignores both "q" and SIGINT.
import signal
import sys
import time

signal.signal(signal.SIGINT, signal.SIG_IGN)
out = sys.stdout.buffer
i = 0
while True:
    i += 1
    out.write(("Pos:%6.1fs %6df ( 1%%) 25.00fps Trem:   1min    1mb  A-V:0.000 [400:128]\r" % (i / 25.0, i)).encode())
    out.flush()
    time.sleep(0.02)
