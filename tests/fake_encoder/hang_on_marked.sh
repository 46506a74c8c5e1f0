#!/usr/bin/env bash
# The real encoder, except for an input whose name holds "_hang.": there it hangs without
# a word, after appending its process id to the file named by $VEXA_HANG_PIDFILE.
for a in "$@"; do
    case "$a" in
    *_hang.*)
        echo $$ >> "${VEXA_HANG_PIDFILE:-/dev/null}"
        exec sleep 1000
        ;;
    esac
done
exec mencoder "$@"
