#!/usr/bin/env bash
# Says one line, starts two children that outlive nothing, then hangs without a word,
# deaf to SIGINT. Writes the children's ids to the file named by $1.
trap '' INT
sleep 1000 &
c1=$!
sleep 1000 &
c2=$!
echo "$c1 $c2" > "$1"
echo "hanging"
wait
