// Pinyin lookup and idiom keying over small hand-made tables, and the hash,
// probing and counting sort of the library's lookup tables.
#include <gtest/gtest.h>

#include <vector>

#include "dictionary.h"
#include "support.h"
#include "tables.h"

namespace {

class DictionaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pinyin_ = MakePinyinTable({
            {u'一', u"yi"},
            {u'和', u"he hu huo"},
            {u'参', u"can cen shen"},
            {u'意', u"yi"},
            {u'阿', u"a e"},
            {u'龠', u"yue"},
        });
        idioms_ = MakeIdiomTable({u"阿保之功", u"和而不同", u"囧囧有神", u"一心一意", u"龠合之量"});
        InstallCopy(pinyin_);
        InstallCopy(idioms_);
    }

    void TearDown() override
    {
        InstallPinyinTable(nullptr, 0);
        InstallIdiomTable(nullptr, 0);
    }

    std::vector<PinyinEntry> pinyin_;
    std::vector<IdiomEntry> idioms_;
};

TEST_F(DictionaryTest, FindsEveryEntryFirstAndLastIncluded)
{
    for (std::size_t i = 0; i < g_pinyinTable.count; ++i) {
        const PinyinEntry &e = g_pinyinTable.entries[i];
        const char16_t *r = FindPinyin(e.ch);
        ASSERT_NE(r, nullptr) << ToUtf8(std::u16string(1, e.ch));
        EXPECT_EQ(r, e.readings) << "must point into the table";
    }
    EXPECT_EQ(ToUtf8(FindPinyin(u'一')), "yi");
    EXPECT_EQ(ToUtf8(FindPinyin(u'龠')), "yue");
    EXPECT_EQ(ToUtf8(FindPinyin(u'和')), "he hu huo") << "the whole readings, never one alone";
}

TEST_F(DictionaryTest, AbsentUnitsGiveNull)
{
    const char16_t absent[] = {
        u'a',    // ASCII
        u'ａ',   // full-width letter
        0x3000,  // ideographic space
        0xD800,  // high surrogate
        0xDFFF,  // low surrogate
        0x0000,  // below the first entry
        0xFFFF,  // above the last entry
        u'囧',   // a CJK character the table lacks
    };
    for (char16_t ch : absent)
        EXPECT_EQ(FindPinyin(ch), nullptr) << std::hex << static_cast<unsigned>(ch);
}

TEST_F(DictionaryTest, EmptyTableFindsNothing)
{
    InstallPinyinTable(nullptr, 0);
    EXPECT_EQ(FindPinyin(u'一'), nullptr);
}

TEST_F(DictionaryTest, BinarySearchFindsEveryEntryOfLargerTables)
{
    // Every size from 1 to 70 and every position, so that both ends and
    // every split of the search are met.
    for (std::size_t size = 1; size <= 70; ++size) {
        std::vector<PinyinEntry> table(size);
        for (std::size_t i = 0; i < size; ++i) {
            table[i] = PinyinEntry{};
            table[i].ch = static_cast<char16_t>(0x4E00 + 2 * i);
            table[i].readings[0] = u'a';
        }
        InstallCopy(table);
        for (std::size_t i = 0; i < size; ++i) {
            EXPECT_EQ(FindPinyin(table[i].ch), g_pinyinTable.entries[i].readings) << size << " " << i;
            EXPECT_EQ(FindPinyin(static_cast<char16_t>(table[i].ch + 1)), nullptr);
        }
        EXPECT_EQ(FindPinyin(0x4DFF), nullptr);
    }
}

TEST_F(DictionaryTest, PinyinOfFirstAndLast)
{
    EXPECT_EQ(ToUtf8(PinyinOfLast(u"一心一意")), "yi");
    EXPECT_EQ(ToUtf8(PinyinOfFirst(u"和而不同")), "he hu huo");
    EXPECT_EQ(ToUtf8(PinyinOfLast(u"一心和")), "he hu huo");
    EXPECT_EQ(PinyinOfLast(u"一心a"), nullptr);
    EXPECT_EQ(PinyinOfFirst(u""), nullptr);
    EXPECT_EQ(PinyinOfLast(u""), nullptr);
    EXPECT_EQ(PinyinOfFirst(nullptr), nullptr);
    EXPECT_EQ(PinyinOfLast(nullptr), nullptr);
}

TEST_F(DictionaryTest, FillIdiomKeysKeysEveryIdiomTheLastIncluded)
{
    IdiomEntry *idioms = g_idiomTable.entries;
    idioms[2].key[0] = u'x';  // a stale key is replaced, here by the empty key
    FillIdiomKeys();
    const char *expected[] = {"a e", "he hu huo", "", "yi", "yue"};
    ASSERT_EQ(g_idiomTable.count, std::size(expected));
    for (std::size_t i = 0; i < g_idiomTable.count; ++i) {
        EXPECT_EQ(ToUtf8(idioms[i].key), expected[i]) << ToUtf8(idioms[i].text);
        for (std::size_t k = StrLen16(idioms[i].key); k < FIELD_UNITS; ++k)
            EXPECT_EQ(idioms[i].key[k], u'\0') << "key must be NUL-filled";
    }
}

TEST_F(DictionaryTest, FieldEqualsComparesWholeTerminatedStrings)
{
    char16_t field[FIELD_UNITS];
    SetField(field, u"he hu huo");
    EXPECT_TRUE(FieldEquals(field, u"he hu huo"));
    EXPECT_FALSE(FieldEquals(field, u"he"));
    EXPECT_FALSE(FieldEquals(field, u"he hu huo "));
    EXPECT_FALSE(FieldEquals(field, u"He hu huo"));
    SetField(field, u"abcdefghijklmn");  // 14 units: no terminator
    EXPECT_FALSE(FieldEquals(field, u"abcdefghijklmn"));
}

TEST_F(DictionaryTest, FieldHashIsFnv1aOfTheTerminatedString)
{
    // The published 32-bit FNV-1a values of "" and "foobar".
    EXPECT_EQ(Fnv1a(u"", 0), 0x811c9dc5u);
    EXPECT_EQ(Fnv1a(u"foobar", 6), 0xbf9cf968u);
    char16_t field[FIELD_UNITS];
    SetField(field, u"foobar");
    EXPECT_EQ(FieldHash(field), 0xbf9cf968u);
}

TEST(ProbeSlot, WrapsAroundAndGivesNullWhenFull)
{
    Array<int> table;
    ASSERT_TRUE(table.Assign(4, 0));
    table[3] = 7;
    const auto freeOrSeven = [](int slot) { return slot == 0 || slot == 7; };
    EXPECT_EQ(ProbeSlot(table, 3, freeOrSeven), &table[3]);
    EXPECT_EQ(ProbeSlot(table, 7, [](int slot) { return slot == 0; }), &table[0]);  // 7 & 3 is the last slot
    table[0] = table[1] = table[2] = 5;
    EXPECT_EQ(ProbeSlot(table, 1, [](int slot) { return slot == 0; }), nullptr);
}

TEST(CountingSort, GroupsInListedOrderWithEmptyGroups)
{
    const unsigned groupOf[] = {2, 0, 2, 2, 0};  // group 1 and 3 empty
    const auto forEach = [&groupOf](auto emit) {
        for (std::uint32_t v = 0; v < 5; ++v)
            emit(groupOf[v], 10 + v);
    };
    Array<std::uint32_t> start, order;
    ASSERT_TRUE(CountingSort(4, forEach, start, order));
    EXPECT_EQ(std::vector<std::uint32_t>(start.begin(), start.end()), (std::vector<std::uint32_t>{0, 2, 2, 5, 5}));
    EXPECT_EQ(std::vector<std::uint32_t>(order.begin(), order.end()), (std::vector<std::uint32_t>{11, 14, 10, 12, 13}));
}

}  // namespace
