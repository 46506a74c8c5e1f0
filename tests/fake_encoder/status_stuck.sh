#!/usr/bin/env bash
# Prints the same status line again and again and never ends: the encoder spinning on one
# picture.
echo "MEncoder stand-in"
while :; do
    printf 'Pos:   5.0s    125f (50%%) 25.00fps Trem:   0min   1mb  A-V:0.000 [400:128]\r'
    sleep 0.02
done
