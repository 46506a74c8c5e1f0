#!/usr/bin/env bash
# Prints nothing and fails.
exit 1
