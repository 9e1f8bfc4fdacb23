#!/bin/sh
# Makes a gzipped document as Debian keeps them: a manual page from its scdoc
# source, or a plain copy of a text (the changelog). gzip -n: no name or time
# stamp inside, so the output depends on the source alone.
#   make-doc.sh man SOURCE.scd OUTPUT.gz
#   make-doc.sh text SOURCE OUTPUT.gz
set -eu
mode=$1 source=$2 output=$3
case $mode in
man) scdoc <"$source" | gzip -9n >"$output" ;;
text) gzip -9n <"$source" >"$output" ;;
*) echo "make-doc.sh: unknown mode $mode" >&2; exit 2 ;;
esac
