// The loaders over the embedded streams.
#include "embedded.h"

#include "load.h"

int LoadPinyinTable()
{
    return LoadPinyinTableFrom(PINYIN_STREAM, PINYIN_STREAM_SIZE);
}

int LoadIdiomTable()
{
    return LoadIdiomTableFrom(IDIOM_STREAM, IDIOM_STREAM_SIZE);
}

bool LoadEmbeddedDictionary()
{
    return LoadPinyinTable() && LoadIdiomTable();
}
