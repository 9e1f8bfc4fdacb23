// A small demonstration of the query over the whole dictionary: prints what
// GetIdioms suggests after a few sample texts, or after the arguments.
#include <cstdio>
#include <string>

#include "embedded.h"
#include "quovant.h"

static void PrintUtf8(const char16_t *s)
{
    for (; s != nullptr && *s != u'\0'; ++s) {
        unsigned c = *s;
        if (c < 0x80)
            std::putchar(static_cast<int>(c));
        else if (c < 0x800)
            std::printf("%c%c", 0xC0 | (c >> 6), 0x80 | (c & 0x3F));
        else
            std::printf("%c%c%c", 0xE0 | (c >> 12), 0x80 | ((c >> 6) & 0x3F), 0x80 | (c & 0x3F));
    }
}

int main()
{
    if (!LoadPinyinTable() || !LoadIdiomTable()) {
        std::fprintf(stderr, "the dictionary could not be unpacked\n");
        return 1;
    }
    const char16_t *samples[] = {u"一心一意", u"翠岫弈天", u" yi ", u"龍", u"lv", u"艾"};
    for (const char16_t *sample : samples) {
        char16_t buffer[260] = {};
        std::u16string(sample).copy(buffer, 259);
        PrintUtf8(sample);
        std::printf(" -> ");
        const char16_t *result = GetIdioms(buffer);
        if (result == nullptr || *result == u'\0')
            std::printf("(nothing found)");
        PrintUtf8(result);
        std::printf("\n");
    }
    return 0;
}
