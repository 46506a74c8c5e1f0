#!/usr/bin/env bash
# Prints its working directory and each argument on a line of its own.
pwd
for a in "$@"; do printf '[%s]\n' "$a"; done
