// libFuzzer target: arbitrary bytes as a dictionary stream, through the
// library's real loaders. Loading must refuse or succeed without a memory
// error, and a table that loads must be safe to query.
#include <cstddef>
#include <cstdint>

#include "dictionary.h"
#include "quovant.h"
#include "load.h"

static void QueryAll()
{
    const char16_t *samples[] = {u"一心一意", u"yi", u"a", u"\u3000", u"abcdefghijklmn"};
    for (const char16_t *sample : samples) {
        char16_t buffer[16] = {};
        for (std::size_t i = 0; sample[i] != u'\0'; ++i)
            buffer[i] = sample[i];
        GetIdioms(buffer);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The same bytes as each kind of stream: a pinyin table that loads keys
    // the idioms of an idiom table that loads.
    LoadPinyinTableFrom(data, size);
    if (LoadIdiomTableFrom(data, size))
        QueryAll();
    InstallPinyinTable(nullptr, 0);
    InstallIdiomTable(nullptr, 0);
    return 0;
}
