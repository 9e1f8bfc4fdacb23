// GetIdioms answered from the index gives exactly what the rule's linear
// scans give, over the real dictionary: every first character, every key,
// a spread of other characters and texts; and a replaced table is answered
// from its own index.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "dictionary.h"
#include "embedded.h"
#include "index.h"
#include "query.h"
#include "quovant.h"
#include "support.h"

namespace {

// The query rule as plain linear scans of the table, in table order.
std::string LinearAnswer(const std::u16string &trimmed)
{
    std::string out;
    int taken = 0;
    auto take = [&](const IdiomEntry &e) {
        if (taken < MAX_MATCHES)
            out += ToUtf8(e.text) + " ", ++taken;
    };
    const IdiomTable &table = g_idiomTable;
    if (std::all_of(trimmed.begin(), trimmed.end(), [](char16_t c) { return c < 0x80; })) {
        for (std::size_t i = 0; i < table.count; ++i)
            if (FieldEquals(table.entries[i].key, trimmed.c_str()))
                take(table.entries[i]);
        return out;
    }
    const char16_t last = trimmed.back();
    for (std::size_t i = 0; i < table.count; ++i)
        if (table.entries[i].text[0] == last)
            take(table.entries[i]);
    const char16_t *readings = PinyinOfLast(trimmed.c_str());
    for (std::size_t i = 0; readings != nullptr && i < table.count; ++i)
        if (table.entries[i].text[0] != last && FieldEquals(table.entries[i].key, readings))
            take(table.entries[i]);
    return out;
}


TEST(Index, AnswersAsTheLinearScansDo)
{
    ASSERT_NE(LoadPinyinTable(), 0);
    ASSERT_NE(LoadIdiomTable(), 0);
    std::vector<std::u16string> queries = {u"he", u"he hu huo", u"lv", u"Yi", u"abc", u"yiyiyiyiyiyiyiy", u"一心a"};
    for (std::size_t i = 0; i < g_idiomTable.count; ++i) {
        const IdiomEntry &e = g_idiomTable.entries[i];
        if (i == 0 || e.text[0] != g_idiomTable.entries[i - 1].text[0]) {
            queries.push_back(std::u16string(1, e.text[0]));  // every first character
            queries.push_back(e.key);                         // every key
        }
        if (i % 29 == 0)
            queries.push_back(e.text);  // a spread of idioms' last characters
    }
    for (std::size_t i = 0; i < g_pinyinTable.count; i += 13)
        queries.push_back(std::u16string(1, g_pinyinTable.entries[i].ch));  // characters that begin none
    for (const std::u16string &q : queries)
        ASSERT_EQ(QueryAsTheWindowsDo(GetIdioms, q), LinearAnswer(q)) << ToUtf8(q);
    EXPECT_GT(queries.size(), 6000u);

    // What the index keeps is what queries read: where each first unit's and
    // each key's entries start, the entries twice, and the keys with their
    // hash slots; nothing that only building it needed.
    std::set<std::u16string> keys;
    for (std::size_t i = 0; i < g_idiomTable.count; ++i)
        keys.insert(g_idiomTable.entries[i].key);
    const std::size_t lookups = 4 * (0x10001 + 2 * g_idiomTable.count);
    EXPECT_LE(IndexBytes(), lookups + 40 * keys.size() + 4096) << keys.size() << " keys";
}

TEST(Index, AReplacedTableIsAnsweredFromItsOwnIndex)
{
    InstallCopy(MakePinyinTable({{u'一', u"yi"}, {u'意', u"yi"}}));
    InstallCopy(MakeIdiomTable({u"意气风发", u"一心一意"}));
    FillIdiomKeys();
    EXPECT_EQ(QueryAsTheWindowsDo(GetIdioms, u"一"), "一心一意 意气风发 ");
    InstallCopy(MakeIdiomTable({u"一马当先"}));
    EXPECT_EQ(QueryAsTheWindowsDo(GetIdioms, u"yi"), "") << "not keyed yet: no key matches";
    FillIdiomKeys();
    EXPECT_EQ(QueryAsTheWindowsDo(GetIdioms, u"yi"), "一马当先 ");
    InstallPinyinTable(nullptr, 0);
    InstallIdiomTable(nullptr, 0);
}

}  // namespace
