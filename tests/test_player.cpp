// The player's own idioms over the real dictionary, through the C
// interface: which texts are taken and why others are not, how they are
// read, and that they are idioms everywhere until they are set again.
#include <gtest/gtest.h>

#include "dictionary.h"
#include "embedded.h"
#include "player.h"
#include "quovant_knowledge.h"
#include "support.h"

namespace {

const QuovantChar *Q(const char16_t *s)
{
    return reinterpret_cast<const QuovantChar *>(s);
}

std::string Text(const QuovantChar *s)
{
    return s == nullptr ? "(null)" : ToUtf8(reinterpret_cast<const char16_t *>(s));
}

class Player : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(LoadPinyinTable(), 0);
        ASSERT_NE(LoadIdiomTable(), 0);
        OfferEmbeddedReadings();
        OfferEmbeddedTexts();
        OfferEmbeddedCommonness();
        OfferEmbeddedCustomaryReadings();
        loaded_ = GetIdiomCount();
    }

    void TearDown() override
    {
        InstallPinyinTable(nullptr, 0);
        InstallIdiomTable(nullptr, 0);
    }

    // Sets `idioms` with `readings` (null: none given); the results.
    static std::vector<int> Set(std::vector<const char16_t *> idioms, std::vector<const char16_t *> readings = {})
    {
        std::vector<const QuovantChar *> texts, given;
        for (const char16_t *idiom : idioms)
            texts.push_back(Q(idiom));
        for (const char16_t *reading : readings)
            given.push_back(Q(reading));
        std::vector<int> results(idioms.size(), -99);
        const long taken = SetPlayerIdioms(texts.data(), readings.empty() ? nullptr : given.data(), texts.size(),
                                           results.data());
        EXPECT_EQ(taken, std::count(results.begin(), results.end(), QUOVANT_PLAYER_ADDED));
        return results;
    }

    // Every candidate after `text` under `rules`, separated by spaces.
    static std::string AllAfter(int rules, const char16_t *text)
    {
        std::vector<QuovantFacts> out(40000);
        const long n = GetIdiomCandidatesByRule(rules, Q(text), nullptr, 0, out.data(), out.size());
        std::string all;
        for (long i = 0; i < n; ++i)
            all += Text(out[i].idiom) + " ";
        return all;
    }

    long loaded_ = 0;
};

TEST_F(Player, WhatIsTakenAndWhy)
{
    const struct {
        const char16_t *idiom;
        const char16_t *reading;
        int result;
        const char *why;
    } cases[] = {
        {u"万里挑一", u"", QUOVANT_PLAYER_ADDED, "four characters, customary readings"},
        {u"囧囧有神", u"jiong3 jiong3 you3 shen2", QUOVANT_PLAYER_ADDED, "a reading with tone digits"},
        {u"行乐及时", u"  háng lè jí shí ", QUOVANT_PLAYER_ADDED, "tone marks, spaces around"},
        {u"宁为鸡口，不为牛后", u"", QUOVANT_PLAYER_ADDED, "a saying in two halves"},
        {u"万里挑一", u"", QUOVANT_PLAYER_REPEATED, "the same idiom again"},
        {u"一心一意", u"", QUOVANT_PLAYER_IN_DICTIONARY, "the dictionary's"},
        {u"万里", u"", QUOVANT_PLAYER_NOT_IDIOM, "two characters"},
        {u"一二三四五六七八九十一二三四", u"", QUOVANT_PLAYER_NOT_IDIOM, "fourteen characters"},
        {u"万里 挑一", u"", QUOVANT_PLAYER_NOT_IDIOM, "a space inside"},
        {u"，万里挑一", u"", QUOVANT_PLAYER_NOT_IDIOM, "a comma first"},
        {u"abcd", u"", QUOVANT_PLAYER_NOT_IDIOM, "Latin letters"},
        {u"", u"", QUOVANT_PLAYER_NOT_IDIOM, "nothing"},
        {u"千里挑二", u"qian1 li3 tiao1", QUOVANT_PLAYER_BAD_READING, "a syllable short"},
        {u"千里挑三", u"qian1 li3 tiao1 san1 si4", QUOVANT_PLAYER_BAD_READING, "a syllable over"},
        {u"千里挑四", u"qian li tiao si", QUOVANT_PLAYER_BAD_READING, "no tones"},
        {u"千里挑五", u"qian1 lii3 tiao1 wu3", QUOVANT_PLAYER_BAD_READING, "lii is no syllable"},
        {u"千里挑六", u"qian1 li3 tiao1 liu6", QUOVANT_PLAYER_BAD_READING, "no tone 6"},
    };
    std::vector<const char16_t *> idioms, readings;
    for (const auto &c : cases) {
        idioms.push_back(c.idiom);
        readings.push_back(c.reading);
    }
    const std::vector<int> results = Set(idioms, readings);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(results[i], cases[i].result) << ToUtf8(cases[i].idiom) << ": " << cases[i].why;
    EXPECT_EQ(GetIdiomCount(), loaded_ + 4);
}

TEST_F(Player, ReadAsGivenOrByEachCharactersCustomaryReading)
{
    ASSERT_EQ(Set({u"万里挑一", u"行乐及时"}, {nullptr, u"hang2 le4 ji2 shi2"}),
              (std::vector<int>{QUOVANT_PLAYER_ADDED, QUOVANT_PLAYER_ADDED}));
    QuovantFacts facts{};
    ASSERT_EQ(GetIdiomFacts(Q(u"万里挑一"), &facts), QUOVANT_FOUND);
    EXPECT_EQ(Text(facts.reading), "wàn lǐ tiāo yī");
    EXPECT_EQ(facts.origin, QUOVANT_FROM_PLAYER_CUSTOMARY);
    EXPECT_EQ(facts.meaning, nullptr);
    EXPECT_EQ(facts.english, nullptr);
    EXPECT_EQ(facts.commonness, QUOVANT_COMMONNESS_KNOWN) << "the player knows it";
    ASSERT_EQ(GetIdiomFacts(Q(u"行乐及时"), &facts), QUOVANT_FOUND);
    EXPECT_EQ(Text(facts.reading), "háng lè jí shí");
    EXPECT_EQ(facts.origin, QUOVANT_FROM_PLAYER);
    ASSERT_EQ(GetIdiomFacts(Q(u"一心一意"), &facts), QUOVANT_FOUND);
    EXPECT_EQ(facts.origin, QUOVANT_FROM_DICTIONARY);
    EXPECT_NE(facts.meaning, nullptr) << "the dictionary's own texts still fit";

    // The rules by sound follow the reading given: háng, not xíng.
    EXPECT_NE(AllAfter(QUOVANT_RULE_TONE, u"hang2").find("行乐及时 "), std::string::npos);
    EXPECT_EQ(AllAfter(QUOVANT_RULE_TONE, u"xing2").find("行乐及时 "), std::string::npos);
    EXPECT_NE(AllAfter(QUOVANT_RULE_CHAR, u"成千上万").find("万里挑一 "), std::string::npos);
    // After the player's idiom, as after any: 一 begins 一心一意.
    EXPECT_NE(AllAfter(QUOVANT_RULE_CLASSIC, u"万里挑一").find("一心一意 "), std::string::npos);
}

TEST_F(Player, IdiomsEverywhereUntilSetAgain)
{
    // No idiom of the dictionary begins with 囧, read jiong alone, as 炯
    // and 迥 are: the player's comes first, then theirs.
    const char *AFTER_JIONG = "迥不犹人 迥乎不同 迥然不群 迥然不同 炯炯有神 ";
    ASSERT_EQ(Set({u"囧囧有神"}), std::vector<int>{QUOVANT_PLAYER_ADDED});
    QuovantChar query[] = {u'很', u'囧', 0};
    EXPECT_EQ(Text(GetIdioms(query)), std::string("囧囧有神 ") + AFTER_JIONG);
    const QuovantChar *chain[8] = {};
    std::size_t length = 0;
    ASSERT_EQ(GetIdiomChain(Q(u"一心一意"), Q(u"囧囧有神"), chain, 8, &length), QUOVANT_FOUND);
    ASSERT_GE(length, 2u);
    ASSERT_LE(length, 8u);
    EXPECT_EQ(Text(chain[length - 1]), "囧囧有神");
    QuovantFacts facts{};
    ASSERT_EQ(GetIdiomFactsAt(static_cast<std::size_t>(loaded_), &facts), QUOVANT_FOUND);
    EXPECT_EQ(Text(facts.idiom), "囧囧有神") << "numbered after the dictionary's";

    EXPECT_EQ(Set({}), std::vector<int>{});
    EXPECT_EQ(GetIdiomCount(), loaded_);
    EXPECT_EQ(GetIdiomFacts(Q(u"囧囧有神"), &facts), QUOVANT_UNKNOWN_IDIOM);
    QuovantChar again[] = {u'很', u'囧', 0};
    EXPECT_EQ(Text(GetIdioms(again)), AFTER_JIONG);
}

TEST_F(Player, WithoutCustomaryReadingsAReadingMustBeGiven)
{
    static const unsigned char junk[] = {0x5D, 0, 0, 0x80, 0, 4, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3};
    OfferCustomaryReadings(junk, sizeof junk);
    EXPECT_EQ(Set({u"万里挑一", u"囧囧有神"}, {u"", u"jiong3 jiong3 you3 shen2"}),
              (std::vector<int>{QUOVANT_PLAYER_NO_READING, QUOVANT_PLAYER_ADDED}));
}

TEST_F(Player, ALoadedDictionaryHasNone)
{
    ASSERT_EQ(Set({u"囧囧有神"}), std::vector<int>{QUOVANT_PLAYER_ADDED});
    ASSERT_NE(LoadIdiomTable(), 0);
    QuovantFacts facts{};
    EXPECT_EQ(GetIdiomFacts(Q(u"囧囧有神"), &facts), QUOVANT_UNKNOWN_IDIOM);
    ASSERT_EQ(GetIdiomFactsByRule(QUOVANT_RULE_SOUND, Q(u"一心一意"), &facts), QUOVANT_FOUND)
        << "the readings fit the loaded table, with no codes of the player's left over";
    EXPECT_EQ(Text(facts.reading), "yī xīn yī yì");
}

TEST(PlayerWithoutDictionary, IsNotReady)
{
    const QuovantChar *idioms[] = {Q(u"万里挑一")};
    EXPECT_EQ(SetPlayerIdioms(idioms, nullptr, 1, nullptr), QUOVANT_NOT_READY);
}

}  // namespace
