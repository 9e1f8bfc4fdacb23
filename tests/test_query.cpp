// The suggestion query over a small hand-made dictionary: each rule of the
// two queries, trimming, and the bounds of the result buffer.
#include <gtest/gtest.h>

#include <cstring>

#include "dictionary.h"
#include "query.h"
#include "quovant.h"
#include "rule.h"
#include "support.h"

namespace {

class QueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pinyin_ = MakePinyinTable({
            {u'一', u"yi"},      {u'乙', u"yi"},   {u'亿', u"yi"},   {u'意', u"yi"},
            {u'艾', u"ai yi"},   {u'嗌', u"ai yi"}, {u'和', u"he hu huo"},
            {u'诃', u"he"},      {u'呵', u"a he"}, {u'驴', u"lv"},   {u'天', u"tian"},
            {u'添', u"tian"},
        });
        idioms_ = MakeIdiomTable({
            u"艾发衰容", u"诃佛诋巫", u"和蔼可亲", u"呵欠连天", u"和风细雨", u"驴鸣狗吠",
            u"一马当先", u"意出望外", u"乙甲丙丁", u"意得志满", u"一心一意", u"意合情投",
            u"意懒心灰", u"一字千金", u"意料之外", u"意乱心忙", u"乙丙丁戊", u"意马心猿",
            u"意满志得", u"意气风发", u"驴年马月", u"囧囧有神", u"天下为公", u"添油加醋",
        });
        InstallCopy(pinyin_);
        InstallCopy(idioms_);
        FillIdiomKeys();
    }

    void TearDown() override
    {
        InstallPinyinTable(nullptr, 0);
        InstallIdiomTable(nullptr, 0);
    }

    std::vector<PinyinEntry> pinyin_;
    std::vector<IdiomEntry> idioms_;
};

// Runs one query the way the windows do; null asks GetIdioms with null.
std::string Query(const char16_t *input)
{
    if (input == nullptr)
        return ToUtf8(reinterpret_cast<char16_t *>(GetIdioms(nullptr)));
    return QueryAsTheWindowsDo(GetIdioms, input);
}

struct QueryCase {
    const char *what;
    const char16_t *input;
    const char *expected;
};

TEST_F(QueryTest, AnswersEachRule)
{
    const QueryCase cases[] = {
        {"eight of the character itself, in table order; no second pass", u"一心一意",
         "意出望外 意得志满 意合情投 意懒心灰 意料之外 意乱心忙 意马心猿 意满志得 "},
        {"own idioms first, then the same readings in table order", u"甲乙",
         "乙甲丙丁 乙丙丁戊 一马当先 意出望外 意得志满 一心一意 意合情投 意懒心灰 "},
        {"no idiom of its own: the readings alone", u"亿",
         "一马当先 意出望外 乙甲丙丁 意得志满 一心一意 意合情投 意懒心灰 一字千金 "},
        {"taken in the first pass, not again in the second", u"艾", "艾发衰容 "},
        {"fewer than eight in both passes together", u"天", "天下为公 添油加醋 "},
        {"no readings: its own idioms only", u"囧", "囧囧有神 "},
        {"multi-reading character meets only its identical key", u"和", "和蔼可亲 和风细雨 "},
        {"pinyin: whole key only", u"he", "诃佛诋巫 "},
        {"pinyin: a multi-reading key as a whole", u"he hu huo", "和蔼可亲 和风细雨 "},
        {"pinyin: part of a multi-reading key", u"he hu", ""},
        {"pinyin: readings in another order", u"he a", ""},
        {"pinyin: case-sensitive", u"Yi", ""},
        {"pinyin: no such key", u"abc", ""},
        {"pinyin: v stands for u-umlaut", u"lv", "驴鸣狗吠 驴年马月 "},
        {"u-umlaut itself is not ASCII and has no readings", u"lü", ""},
        {"longer than any key", u"yiyiyiyiyiyiyiy", ""},
        {"Chinese text ending in an ASCII letter", u"一心a", ""},
        {"trailing ideographic space is trimmed", u"一心一意\u3000",
         "意出望外 意得志满 意合情投 意懒心灰 意料之外 意乱心忙 意马心猿 意满志得 "},
        {"surrounding white space of every kind", u" \t\u00A0lv\u2028\r\n", "驴鸣狗吠 驴年马月 "},
        {"empty text", u"", "<null>"},
        {"blank text", u"   ", "<null>"},
        {"tabs and ideographic spaces only", u"\t\u3000\t", "<null>"},
        {"null pointer", nullptr, "<null>"},
    };
    for (const QueryCase &c : cases)
        EXPECT_EQ(Query(c.input), c.expected) << c.what;
}

struct TrimCase {
    const char16_t *input;
    const char16_t *trimmed;
};

TEST_F(QueryTest, GetIdiomsLeavesTheTrimmedTextInTheCallersBuffer)
{
    const TrimCase cases[] = {
        {u"  一心一意\t", u"一心一意"},
        {u"\u3000一心 一意\u3000", u"一心 一意"},
        {u"\t\n lv \r", u"lv"},
        {u"\u00A0\u2000a\u3000b\u205F", u"a\u3000b"},
        {u"   ", u""},
        {u"", u""},
        {u"一", u"一"},
        {u"一\u200B", u"一\u200B"},  // zero-width space is not white space
    };
    for (const TrimCase &c : cases) {
        char16_t buffer[QUERY_UNITS] = {};
        std::u16string_view in(c.input);
        std::copy(in.begin(), in.end(), buffer);
        GetIdioms(reinterpret_cast<QuovantChar *>(buffer));
        EXPECT_EQ(ToUtf8(buffer), ToUtf8(c.trimmed));
        // The rest of the buffer past the new terminator is not written to
        // beyond the old text's end.
        for (std::size_t i = in.size() + 1; i < QUERY_UNITS; ++i)
            ASSERT_EQ(buffer[i], u'\0');
    }
}

TEST_F(QueryTest, TrimmedAndUntrimmedTextGiveTheSameResult)
{
    EXPECT_EQ(Query(u"  一心一意\t"), Query(u"一心一意"));
    EXPECT_EQ(Query(u"\u3000lv\u3000"), Query(u"lv"));
}

TEST_F(QueryTest, ResultIsTheProcessWideBufferOverwrittenByTheNextCall)
{
    char16_t first[] = u"艾";
    char16_t second[] = u"天";
    QuovantChar *a = GetIdioms(reinterpret_cast<QuovantChar *>(first));
    QuovantChar *b = GetIdioms(reinterpret_cast<QuovantChar *>(second));
    EXPECT_EQ(a, b);
    EXPECT_EQ(ToUtf8(reinterpret_cast<char16_t *>(a)), "天下为公 添油加醋 ");
}

TEST_F(QueryTest, EmptyTextLeavesTheResultAlone)
{
    char16_t text[] = u"艾";
    const char16_t *previous = reinterpret_cast<char16_t *>(GetIdioms(reinterpret_cast<QuovantChar *>(text)));
    char16_t blank[] = u" \u3000 ";
    EXPECT_EQ(GetIdioms(reinterpret_cast<QuovantChar *>(blank)), nullptr);
    EXPECT_EQ(ToUtf8(previous), "艾发衰容 ");
}

TEST_F(QueryTest, NotReadyUntilAnIdiomTableIsInstalled)
{
    InstallIdiomTable(nullptr, 0);
    EXPECT_EQ(Query(u"一心一意"), "<null>");
    EXPECT_EQ(Query(u"yi"), "<null>");
}

TEST(QueryBounds, UnterminatedRecordsCannotOverrunTheResultBuffer)
{
    // Fourteen units in every field, no terminator anywhere: the worst a
    // damaged table can hold.
    std::vector<PinyinEntry> pinyin(1);
    pinyin[0].ch = u'一';
    std::fill(std::begin(pinyin[0].readings), std::end(pinyin[0].readings), u'y');
    std::vector<IdiomEntry> idioms(40);
    for (IdiomEntry &e : idioms) {
        std::fill(std::begin(e.text), std::end(e.text), u'一');
        std::fill(std::begin(e.key), std::end(e.key), u'y');
    }
    InstallCopy(pinyin);
    InstallCopy(idioms);

    std::string expected;
    for (int i = 0; i < MAX_MATCHES; ++i) {
        for (int k = 0; k < 13; ++k)
            expected += "一";
        expected += " ";
    }
    EXPECT_EQ(Query(u"一"), expected) << "each text cut to 13 units";

    // An unterminated key matches no text, not even its own 14 letters.
    EXPECT_EQ(Query(u"yyyyyyyyyyyyyy"), "");
    FillIdiomKeys();  // keys cut to 13 units and terminated
    EXPECT_EQ(Query(u"yyyyyyyyyyyyy"), expected);

    InstallPinyinTable(nullptr, 0);
    InstallIdiomTable(nullptr, 0);
}

TEST(QueryHelpers, IsAsciiOnly)
{
    EXPECT_TRUE(IsAsciiOnly(u""));
    EXPECT_TRUE(IsAsciiOnly(u"he huo\x7f"));
    EXPECT_FALSE(IsAsciiOnly(u"he\x80"));
    EXPECT_FALSE(IsAsciiOnly(u"lü"));
    EXPECT_FALSE(IsAsciiOnly(u"\u3000"));
}

TEST(QueryHelpers, WhiteSpaceIsTheUnicodeSet)
{
    const char16_t spaces[] = {0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x20, 0x85, 0xA0, 0x1680,
                               0x2000, 0x2005, 0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
    for (char16_t c : spaces)
        EXPECT_TRUE(QuovantIsWhiteSpace(c)) << std::hex << static_cast<unsigned>(c);
    const char16_t others[] = {0x00, 0x08, 0x0E, 0x1F, 0x21, 0x84, 0x86, 0x200B,
                               0x2027, 0x202A, 0x205E, 0x2FFF, 0x3001, 0xFEFF, 0xD800};
    for (char16_t c : others)
        EXPECT_FALSE(QuovantIsWhiteSpace(c)) << std::hex << static_cast<unsigned>(c);
}

}  // namespace
