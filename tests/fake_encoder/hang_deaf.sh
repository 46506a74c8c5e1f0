#!/usr/bin/env bash
# Says one line and hangs with a child that hangs too, deaf to SIGINT and SIGTERM.
# Writes its own id and the child's to the name given after -o, plus ".pids".
trap '' INT TERM
out=
while [ $# -gt 0 ]; do
    if [ "$1" = "-o" ]; then out=$2; fi
    shift
done
sleep 1000 &
echo "$$ $!" > "$out.pids"
echo "hanging"
wait
