#!/usr/bin/env python3
# Prints COUNT status lines the way the encoder does (each ended by a bare CR), after a
# short banner, then the muxer's closing lines. Usage: status_lines.py COUNT [START_SECONDS] [FPS]
import sys

count = int(sys.argv[1])
start = float(sys.argv[2]) if len(sys.argv) > 2 else 0.0
fps = float(sys.argv[3]) if len(sys.argv) > 3 else 250.0
out = sys.stdout.buffer
out.write(b"MEncoder fake build\nPlaying input.avi.\n")
for i in range(count):
    pos = start + i / 25.0
    pct = (i * 100) // max(count, 1)
    line = "Pos:%6.1fs %6df (%2d%%) %5.2ffps Trem:%4dmin %4dmb  A-V:0.000 [400:128]\r" % (
        pos, i + 1, pct, fps, 1, (i // 1000) + 1)
    out.write(line.encode())
out.write(b"\nVideo stream:  400.000 kbit/s  (50000 B/s)\n")
out.write(b"[mpeg4 @ 0x1] global headers: 0\nmuxing overhead: 0.5%\n")
out.flush()
