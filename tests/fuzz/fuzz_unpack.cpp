// libFuzzer target: arbitrary bytes as a dictionary stream. Unpacking must
// refuse or succeed without a memory error, the record checks must hold on
// whatever unpacks, and a table that passes them must be safe to query.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dictionary.h"
#include "embedded.h"
#include "query.h"
#include "quovant.h"

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
    unsigned char *pinyin = nullptr;
    std::size_t pinyinSize = 0;
    if (UnpackBlob(data, size, sizeof(PinyinEntry), &pinyin, &pinyinSize) == 0) {
        const auto *entries = reinterpret_cast<const PinyinEntry *>(pinyin);
        if (CheckPinyinRecords(entries, pinyinSize / sizeof(PinyinEntry)))
            InstallPinyinTable(entries, pinyinSize / sizeof(PinyinEntry));
    }

    unsigned char *idioms = nullptr;
    std::size_t idiomsSize = 0;
    if (UnpackBlob(data, size, sizeof(IdiomEntry), &idioms, &idiomsSize) == 0) {
        auto *entries = reinterpret_cast<IdiomEntry *>(idioms);
        if (CheckIdiomRecords(entries, idiomsSize / sizeof(IdiomEntry))) {
            InstallIdiomTable(entries, idiomsSize / sizeof(IdiomEntry));
            FillIdiomKeys();
            QueryAll();
        }
    }

    InstallPinyinTable(nullptr, 0);
    InstallIdiomTable(nullptr, 0);
    std::free(pinyin);
    std::free(idioms);
    return 0;
}
