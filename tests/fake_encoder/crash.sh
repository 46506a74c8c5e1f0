#!/usr/bin/env bash
# Says one line and dies of a segmentation fault.
echo "about to crash"
kill -SEGV $$
