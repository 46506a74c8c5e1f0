#!/usr/bin/env bash
# Hangs silently in a foreground child; SIGINT ends it the ordinary way.
echo "sleeping"
sleep 1000
