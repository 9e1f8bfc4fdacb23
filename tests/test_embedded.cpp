// Unpacking and loading the real embedded dictionary, and refusing damaged
// streams without crashing or installing anything.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dictionary.h"
#include "embedded.h"
#include "quovant.h"
#include "stream_writer.h"
#include "examples.h"
#include "support.h"
#include "load.h"
#include "unpack.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes PinyinStream() { return Bytes(PINYIN_STREAM, PINYIN_STREAM + PINYIN_STREAM_SIZE); }
Bytes IdiomStream() { return Bytes(IDIOM_STREAM, IDIOM_STREAM + IDIOM_STREAM_SIZE); }

void SetSizeField(Bytes &stream, std::uint64_t size)
{
    for (int i = 0; i < 8; ++i)
        stream[5 + i] = static_cast<unsigned char>(size >> (8 * i));
}

std::uint64_t SizeField(const Bytes &stream)
{
    std::uint64_t size = 0;
    for (int i = 7; i >= 0; --i)
        size = size << 8 | stream[5 + i];
    return size;
}

// Whether UnpackBlob accepts the stream for records of `recordSize` bytes;
// frees what it gives back.
bool Unpacks(const Bytes &stream, std::size_t recordSize, std::size_t length)
{
    unsigned char *buffer = nullptr;
    std::size_t size = 0;
    const int failed = UnpackBlob(stream.data(), length, recordSize, &buffer, &size);
    if (failed != 0) {
        EXPECT_EQ(buffer, nullptr) << "a failure hands nothing over";
        return false;
    }
    std::free(buffer);
    return true;
}

bool Unpacks(const Bytes &stream, std::size_t recordSize)
{
    return Unpacks(stream, recordSize, stream.size());
}

// Loads the real dictionary once for the tests that query it.
class DictionaryLoaded : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_NE(LoadPinyinTable(), 0);
        ASSERT_NE(LoadIdiomTable(), 0);
    }
};

TEST_F(DictionaryLoaded, TablesHaveTheHeadersSizes)
{
    EXPECT_EQ(SizeField(PinyinStream()), 26677u * 30);
    EXPECT_EQ(SizeField(IdiomStream()), 33318u * 56);
    EXPECT_EQ(g_pinyinTable.count, 26677u);
    EXPECT_EQ(g_idiomTable.count, 33318u);
    EXPECT_EQ(PinyinStream()[0], 0x5D);
    EXPECT_EQ(ToUtf8(FindPinyin(0x3400)), "qiu") << "first entry";
    EXPECT_EQ(ToUtf8(FindPinyin(0xFA18)), "li") << "last entry";
}

TEST_F(DictionaryLoaded, EveryIdiomIsKeyedByItsFirstCharacter)
{
    for (std::size_t i = 0; i < g_idiomTable.count; ++i) {
        const IdiomEntry &e = g_idiomTable.entries[i];
        const char16_t *readings = FindPinyin(e.text[0]);
        ASSERT_NE(readings, nullptr) << ToUtf8(e.text);
        ASSERT_TRUE(FieldEquals(e.key, readings)) << i << " " << ToUtf8(e.text);
    }
    const IdiomEntry &last = g_idiomTable.entries[g_idiomTable.count - 1];
    EXPECT_EQ(ToUtf8(last.key), ToUtf8(FindPinyin(last.text[0])));
}

TEST_F(DictionaryLoaded, AnswersTheDictionarysExamples)
{
    const struct {
        const char16_t *input;
        std::string expected;
    } cases[] = {
        {u"一心一意", AFTER_YI},
        {u"扒", AFTER_PA},
        {u"龍", "龙驰虎骤 龙雏凤种 龙德在田 龙雕凤咀 龙断可登 龙断之登 龙蹲虎踞 龙多乃旱 "},
        {u"lv", AFTER_LV},
        {u"艾", ""},
        {u"\u3000 一心一意\t", AFTER_YI},
        {u"he hu huo", "和蔼近人 和蔼可亲 和璧隋珠 和而不唱 和而不同 和风丽日 和风细雨 和光同尘 "},
        {u"he", "诃佛诋巫 诃佛骂祖 喝西北风 禾黍故宫 何必当初 何患无辞 何乐不为 何乐而不为 "},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(QueryAsTheWindowsDo(GetIdioms, c.input), c.expected) << ToUtf8(c.input);
    }
}

struct Damage {
    const char *what;
    void (*apply)(Bytes &stream, std::size_t recordSize);
};

const Damage DAMAGES[] = {
    {"properties byte 0xE1", [](Bytes &s, std::size_t) { s[0] = 0xE1; }},
    {"properties byte 0xFF", [](Bytes &s, std::size_t) { s[0] = 0xFF; }},
    {"other valid properties", [](Bytes &s, std::size_t) { s[0] = 0x5E; }},
    {"size one too small", [](Bytes &s, std::size_t) { SetSizeField(s, SizeField(s) - 1); }},
    {"size one too large", [](Bytes &s, std::size_t) { SetSizeField(s, SizeField(s) + 1); }},
    {"size one record too small", [](Bytes &s, std::size_t r) { SetSizeField(s, SizeField(s) - r); }},
    {"size one record too large", [](Bytes &s, std::size_t r) { SetSizeField(s, SizeField(s) + r); }},
    {"size unknown (all ones)", [](Bytes &s, std::size_t) { SetSizeField(s, ~std::uint64_t{0}); }},
    {"size with high bits set", [](Bytes &s, std::size_t) { SetSizeField(s, SizeField(s) | 1ull << 32); }},
    {"size zero", [](Bytes &s, std::size_t) { SetSizeField(s, 0); }},
    {"size above 64 MiB", [](Bytes &s, std::size_t r) { SetSizeField(s, (64u << 20) / r * r + r); }},
    {"coded data cut short by one byte", [](Bytes &s, std::size_t) { s.pop_back(); }},
    {"coded data cut to half", [](Bytes &s, std::size_t) { s.resize(s.size() / 2); }},
};

TEST(DamagedStreams, AreRefused)
{
    const struct {
        const char *name;
        Bytes stream;
        std::size_t recordSize;
    } streams[] = {
        {"pinyin", PinyinStream(), sizeof(PinyinEntry)},
        {"idioms", IdiomStream(), sizeof(IdiomEntry)},
    };
    for (const auto &s : streams) {
        ASSERT_TRUE(Unpacks(s.stream, s.recordSize)) << s.name << " intact";
        for (const Damage &d : DAMAGES) {
            Bytes damaged = s.stream;
            d.apply(damaged, s.recordSize);
            EXPECT_FALSE(Unpacks(damaged, s.recordSize)) << s.name << ": " << d.what;
        }
    }
}

TEST(DamagedStreams, TruncationAtAnyLengthIsRefused)
{
    const Bytes stream = PinyinStream();
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n < 64; ++n)
        lengths.push_back(n);
    for (std::size_t n = 64; n < stream.size(); n += 997)
        lengths.push_back(n);
    for (std::size_t n = stream.size() - 16; n < stream.size(); ++n)
        lengths.push_back(n);
    for (std::size_t n : lengths)
        EXPECT_FALSE(Unpacks(stream, sizeof(PinyinEntry), n)) << "length " << n;
    EXPECT_FALSE(Unpacks(Bytes{}, sizeof(PinyinEntry), 0));
}

TEST(DamagedStreams, FlippedBytesInTheCodedDataAreRefused)
{
    const struct {
        Bytes intact;
        std::size_t recordSize;
    } streams[] = {{PinyinStream(), sizeof(PinyinEntry)}, {IdiomStream(), sizeof(IdiomEntry)}};
    for (const auto &s : streams) {
        for (std::size_t at = STREAM_HEADER_SIZE; at < s.intact.size(); at += s.intact.size() / 61) {
            Bytes damaged = s.intact;
            damaged[at] ^= 0x5A;
            EXPECT_FALSE(Unpacks(damaged, s.recordSize)) << "record size " << s.recordSize << ", byte " << at;
        }
    }
}

// A stream of hand-made records, compressed as the generator does.
template <typename Record>
Bytes StreamOf(const std::vector<Record> &records)
{
    const std::string raw(reinterpret_cast<const char *>(records.data()), records.size() * sizeof(Record));
    const std::string stream = CompressStream(raw);
    return Bytes(stream.begin(), stream.end());
}

TEST(DamagedRecords, AreRefusedAndNothingIsInstalled)
{
    const PinyinTable pinyinBefore = g_pinyinTable;
    const IdiomTable idiomsBefore = g_idiomTable;

    std::vector<PinyinEntry> pinyin = MakePinyinTable({{u'一', u"yi"}, {u'和', u"he hu huo"}});
    std::vector<IdiomEntry> idioms = MakeIdiomTable({u"一心一意", u"和而不同"});
    ASSERT_TRUE(CheckPinyinRecords(pinyin.data(), pinyin.size()));
    ASSERT_TRUE(CheckIdiomRecords(idioms.data(), idioms.size()));

    const struct {
        const char *what;
        void (*apply)(std::vector<PinyinEntry> &);
    } pinyinDamages[] = {
        {"readings without terminator", [](auto &t) { SetField(t[1].readings, u"abcdefghijklmn"); }},
        {"empty readings", [](auto &t) { SetField(t[1].readings, u""); }},
        {"upper case", [](auto &t) { SetField(t[1].readings, u"He"); }},
        {"double space", [](auto &t) { SetField(t[1].readings, u"he  hu"); }},
        {"leading space", [](auto &t) { SetField(t[1].readings, u" he"); }},
        {"trailing space", [](auto &t) { SetField(t[1].readings, u"he "); }},
        {"not ascending", [](auto &t) { std::swap(t[0].ch, t[1].ch); }},
        {"duplicate character", [](auto &t) { t[1].ch = t[0].ch; }},
    };
    for (const auto &d : pinyinDamages) {
        std::vector<PinyinEntry> damaged = pinyin;
        d.apply(damaged);
        const Bytes stream = StreamOf(damaged);
        EXPECT_EQ(LoadPinyinTableFrom(stream.data(), stream.size()), 0) << d.what;
    }

    const struct {
        const char *what;
        void (*apply)(std::vector<IdiomEntry> &);
    } idiomDamages[] = {
        {"text without terminator", [](auto &t) { SetField(t[1].text, u"一二三四五六七八九十一二三四"); }},
        {"key without terminator", [](auto &t) { SetField(t[1].key, u"abcdefghijklmn"); }},
    };
    for (const auto &d : idiomDamages) {
        std::vector<IdiomEntry> damaged = idioms;
        d.apply(damaged);
        const Bytes stream = StreamOf(damaged);
        EXPECT_EQ(LoadIdiomTableFrom(stream.data(), stream.size()), 0) << d.what;
    }

    EXPECT_EQ(g_pinyinTable.entries, pinyinBefore.entries);
    EXPECT_EQ(g_pinyinTable.count, pinyinBefore.count);
    EXPECT_EQ(g_idiomTable.entries, idiomsBefore.entries);
    EXPECT_EQ(g_idiomTable.count, idiomsBefore.count);
}

TEST(HandMadeStreams, LoadAndKeyLikeTheRealOne)
{
    std::vector<PinyinEntry> pinyin = MakePinyinTable({{u'一', u"yi"}, {u'意', u"yi"}});
    std::vector<IdiomEntry> idioms = MakeIdiomTable({u"意气风发", u"囧囧有神", u"一心一意"});
    const Bytes pinyinStream = StreamOf(pinyin);
    const Bytes idiomStream = StreamOf(idioms);
    ASSERT_NE(LoadPinyinTableFrom(pinyinStream.data(), pinyinStream.size()), 0);
    ASSERT_NE(LoadIdiomTableFrom(idiomStream.data(), idiomStream.size()), 0);
    ASSERT_EQ(g_idiomTable.count, 3u);
    EXPECT_EQ(ToUtf8(g_idiomTable.entries[0].key), "yi");
    EXPECT_EQ(ToUtf8(g_idiomTable.entries[1].key), "");
    EXPECT_EQ(ToUtf8(g_idiomTable.entries[2].key), "yi") << "the last entry too";

    // An empty table is a table: it loads, and answers nothing.
    const Bytes empty = StreamOf(std::vector<IdiomEntry>{});
    ASSERT_NE(LoadIdiomTableFrom(empty.data(), empty.size()), 0);
    EXPECT_EQ(g_idiomTable.count, 0u);
    char16_t text[] = u"一";
    EXPECT_EQ(ToUtf8(reinterpret_cast<char16_t *>(GetIdioms(reinterpret_cast<QuovantChar *>(text)))), "");
}

}  // namespace
