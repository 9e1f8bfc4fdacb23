#!/usr/bin/env bash
# Every message the tool says to people is in each catalogue, translated:
# xgettext lists the messages marked in the sources (Tr, N_, Said), and
# msgcmp finds any that a catalogue lacks, leaves untranslated or marks fuzzy.
# Prints how many messages each catalogue holds.
#   catalogue_complete.sh SOURCE_DIR LANGUAGE...
set -euo pipefail
src=$1
shift
pot=$(mktemp --suffix=.pot)
trap 'rm -f "$pot"' EXIT
xgettext --language=C++ --from-code=UTF-8 --keyword=Tr --keyword=N_ --keyword=Said:1 --no-location \
    -o "$pot" "$src"/cli/*.cpp "$src"/cli/*.h "$src"/client/*.cpp "$src"/client/*.h
for language; do
    if ! msgcmp "$src/po/$language.po" "$pot"; then
        echo "FAIL po/$language.po lacks a translation of the messages above"
        exit 1
    fi
    echo "ok   po/$language.po: $(msgfmt --check --statistics -o /dev/null "$src/po/$language.po" 2>&1)"
done
