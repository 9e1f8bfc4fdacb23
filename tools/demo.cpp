// A small demonstration of the query over a built-in handful of idioms:
// prints what GetIdioms suggests after a few sample texts.
#include <cstdio>
#include <string>

#include "dictionary.h"
#include "quovant.h"

static PinyinEntry MakePinyin(char16_t ch, std::u16string readings)
{
    PinyinEntry e{};
    e.ch = ch;
    readings.copy(e.readings, FIELD_UNITS - 1);
    return e;
}

static IdiomEntry MakeIdiom(std::u16string text)
{
    IdiomEntry e{};
    text.copy(e.text, FIELD_UNITS - 1);
    return e;
}

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
    static PinyinEntry pinyin[] = {MakePinyin(u'意', u"yi"), MakePinyin(u'易', u"yi"),
                                   MakePinyin(u'天', u"tian")};
    static IdiomEntry idioms[] = {MakeIdiom(u"天下为公"), MakeIdiom(u"易如反掌"),
                                  MakeIdiom(u"意气风发"), MakeIdiom(u"天长地久")};
    InstallPinyinTable(pinyin, 3);
    InstallIdiomTable(idioms, 4);
    FillIdiomKeys();

    const char16_t *samples[] = {u"一心一意", u"翠岫弈天", u" yi ", u"无"};
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
