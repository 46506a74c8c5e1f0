#!/usr/bin/env python3
# An encoder of known duration. The input file (the first argument) holds the seconds the
# run takes as a plain number (0.3 when it holds none). Prints a status line every 50 ms
# with the percent done, writes the "-o" file and, with "-passlogfile", that file too.
# When VEXA_FAKE_LOG names a file, appends "start|end PID INPUT PASSLOG" lines to it. When
# VEXA_FAKE_CLIP names an AVI file, the output is that file with the text as its comment
# (ffmpeg copies the streams; "@input": the input itself), so that it passes the check of finished outputs.
# With VEXA_FAKE_TOGETHER set, the run ends on the next whole half second of the clock, so
# that runs side by side end within the same moment.
import os, subprocess, sys, time

args = sys.argv[1:]
inp = args[0] if args else ""
out = args[args.index("-o") + 1] if "-o" in args else ""
passlog = args[args.index("-passlogfile") + 1] if "-passlogfile" in args else ""
try:
    with open(inp, "rb") as f:
        seconds = float(f.read().strip() or b"0.3")
except (OSError, ValueError):
    seconds = 0.3
log = os.environ.get("VEXA_FAKE_LOG", "")

def note(what):
    if log:
        with open(log, "a") as f:
            f.write("%s %d %s %s\n" % (what, os.getpid(), inp, passlog))

note("start")
sys.stdout.write("MEncoder fake build\nPlaying %s.\n" % inp)
steps = max(1, int(seconds / 0.05))
for i in range(steps):
    time.sleep(seconds / steps)
    pct = (i * 100) // steps
    sys.stdout.write("Pos:%6.1fs %6df (%2d%%) 25.00fps Trem:   0min   1mb  A-V:0.000 [400:128]\r"
                     % (i * 0.05, i + 1, pct))
    sys.stdout.flush()
if passlog:
    with open(passlog, "w") as f:
        f.write("pass log of %s\n" % inp)
if out:
    clip = os.environ.get("VEXA_FAKE_CLIP", "")
    if clip == "@input":
        clip = inp
    if clip:
        subprocess.run(["ffmpeg", "-nostdin", "-v", "error", "-y", "-i", clip, "-c", "copy",
                        "-metadata", "comment=encoded " + inp, "-f", "avi", out], check=True)
    else:
        with open(out, "wb") as f:
            f.write(b"encoded " + inp.encode())
if os.environ.get("VEXA_FAKE_TOGETHER"):
    time.sleep(0.5 - time.time() % 0.5)
note("end")
sys.stdout.write("\nVideo stream:  400.000 kbit/s  (50000 B/s)\n")
