// The idiom knowledge over a hand-made dictionary whose answers can be
// worked out by hand: a dead end, a forced win in two, a draw through a
// cycle, homophones, a duplicate entry; through the C interface. And the
// real dictionary asked from several threads at once (run under
// ThreadSanitizer by the tsan preset).
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "dictionary.h"
#include "embedded.h"
#include "examples.h"
#include "quovant_knowledge.h"
#include "support.h"

namespace {

std::string Text(const QuovantChar *s)
{
    return ToUtf8(reinterpret_cast<const char16_t *>(s));
}

const QuovantChar *AsLibraryText(const char16_t *s)
{
    return reinterpret_cast<const QuovantChar *>(s);
}

// Installs the dictionary whose answers the tests below work out by hand.
void InstallHandMade()
{
    InstallCopy(MakePinyinTable({{u'一', u"yi"}, {u'意', u"yi"}, {u'心', u"xin"}, {u'甲', u"jia"},
                                 {u'丙', u"bing"}, {u'丁', u"ding"}, {u'戊', u"wu"}, {u'天', u"tian"},
                                 {u'地', u"di"}}));
    InstallCopy(MakeIdiomTable({
        u"一心一意",  // 一 → 意
        u"意气风发",  // 意 → 发, which has no readings and begins nothing: a dead end
        u"一马当先",  // 一 → 先: a dead end
        u"甲乙之丙",  // 甲 → 丙, whose only follower is
        u"丙寅之丁",  // 丙 → 丁, whose only follower is
        u"丁卯之戊",  // 丁 → 戊: a dead end, so 甲乙之丙 wins in two
        u"天上人地",  // 天 → 地 and
        u"地下无天",  // 地 → 天: a cycle with no way out
        u"一马当先",  // the same idiom again
    }));
    FillIdiomKeys();
}

class Knowledge : public ::testing::Test {
protected:
    void SetUp() override { InstallHandMade(); }

    void TearDown() override
    {
        InstallPinyinTable(nullptr, 0);
        InstallIdiomTable(nullptr, 0);
    }

    // The candidates' idioms, separated by spaces.
    static std::string Candidates(const char16_t *text, std::vector<const QuovantChar *> played = {})
    {
        QuovantFacts facts[16];
        const long n = GetIdiomCandidates(AsLibraryText(text), played.data(), played.size(), facts, 16);
        std::string out;
        for (long i = 0; i < n && i < 16; ++i)
            out += (i ? " " : "") + Text(facts[i].idiom);
        return out;
    }

    static std::string Chain(const char16_t *from, const char16_t *to)
    {
        const QuovantChar *chain[8];
        std::size_t length = 0;
        const int result = GetIdiomChain(AsLibraryText(from), AsLibraryText(to), chain, 8, &length);
        if (result != QUOVANT_FOUND)
            return "result " + std::to_string(result);
        std::string out;
        for (std::size_t i = 0; i < length; ++i)
            out += (i ? " " : "") + Text(chain[i]);
        return out;
    }
};

TEST_F(Knowledge, CandidatesOwnCharacterFirstThenHomophonesEachOnce)
{
    EXPECT_EQ(Candidates(u"一心一意"), "意气风发 一心一意 一马当先");
    EXPECT_EQ(Candidates(u" 意\u3000"), "意气风发 一心一意 一马当先") << "trimmed as GetIdioms trims";
    EXPECT_EQ(Candidates(u"yi"), "一心一意 意气风发 一马当先") << "a reading: its idioms in table order";
    EXPECT_EQ(Candidates(u"一心一意", {AsLibraryText(u"意气风发"), AsLibraryText(u"不是成语")}), "一心一意 一马当先");
    EXPECT_EQ(Candidates(u"风发"), "");
    EXPECT_EQ(Candidates(u""), "");
    EXPECT_EQ(GetIdiomCandidates(AsLibraryText(u"一心一意"), nullptr, 0, nullptr, 0), 3) << "counting without a buffer";
}

TEST_F(Knowledge, FollowersAndOutcomes)
{
    const struct {
        const char16_t *idiom;
        unsigned long followers;
        int outcome;
        const char *why;
    } cases[] = {
        {u"意气风发", 0, QUOVANT_WIN, "a dead end wins at once"},
        {u"一心一意", 3, QUOVANT_LOSS, "it lets the opponent play a dead end"},
        {u"丁卯之戊", 0, QUOVANT_WIN, "a dead end"},
        {u"丙寅之丁", 1, QUOVANT_LOSS, "its one follower is a dead end"},
        {u"甲乙之丙", 1, QUOVANT_WIN, "a forced win in two"},
        {u"天上人地", 1, QUOVANT_LOSS, "a cycle that closes on its first player, searched exactly"},
        {u"地下无天", 1, QUOVANT_LOSS, "the same"},
    };
    for (const auto &c : cases) {
        QuovantFacts facts{};
        ASSERT_EQ(GetIdiomFacts(AsLibraryText(c.idiom), &facts), QUOVANT_FOUND) << ToUtf8(c.idiom);
        EXPECT_EQ(facts.followers, c.followers) << ToUtf8(c.idiom);
        EXPECT_EQ(facts.outcome, c.outcome) << ToUtf8(c.idiom) << ": " << c.why;
    }
    QuovantFacts facts{};
    ASSERT_EQ(GetIdiomFacts(AsLibraryText(u"一心一意"), &facts), QUOVANT_FOUND);
    EXPECT_EQ(Text(facts.readings), "yi");
    EXPECT_EQ(facts.meaning, nullptr) << "no meanings were offered";
    OfferEmbeddedCommonness();
    ASSERT_EQ(GetIdiomFacts(AsLibraryText(u"一心一意"), &facts), QUOVANT_FOUND);
    EXPECT_EQ(facts.commonness, QUOVANT_COMMONNESS_UNAVAILABLE) << "the real figures do not fit this dictionary";
    EXPECT_EQ(GetIdiomFacts(AsLibraryText(u"一心二意"), &facts), QUOVANT_UNKNOWN_IDIOM);
    EXPECT_EQ(GetIdiomFacts(AsLibraryText(u" 一心一意"), &facts), QUOVANT_UNKNOWN_IDIOM)
        << "idioms are written exactly";
    EXPECT_EQ(GetIdiomFacts(nullptr, &facts), QUOVANT_UNKNOWN_IDIOM);
    EXPECT_EQ(GetIdiomFactsAt(8, &facts), QUOVANT_UNKNOWN_IDIOM) << "eight idioms, numbered from 0";
}

TEST(Streams, TheCallerOffersTheMeaningsAndTheEnglish)
{
    ASSERT_NE(LoadPinyinTable(), 0);
    ASSERT_NE(LoadIdiomTable(), 0);
    OfferEmbeddedTexts();
    ASSERT_EQ(HasIdiomMeanings(), 1);
    static const unsigned char junk[] = {0x5D, 0, 0, 0x80, 0, 4, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3};
    EXPECT_EQ(OfferIdiomStream(QUOVANT_STREAM_MEANINGS + 7, junk, sizeof junk), 0);
    EXPECT_EQ(HasIdiomMeanings(), 1) << "no such stream: nothing offered";
    EXPECT_EQ(OfferIdiomStream(QUOVANT_STREAM_MEANINGS, junk, sizeof junk), 1);
    EXPECT_EQ(HasIdiomMeanings(), 0) << "the offered stream does not unpack";
    // The English is a stream of its own: damaged, it takes nothing else away.
    OfferEmbeddedTexts();
    OfferEmbeddedCommonness();
    QuovantFacts facts{};
    ASSERT_EQ(GetIdiomFacts(AsLibraryText(u"守株待兔"), &facts), QUOVANT_FOUND);
    ASSERT_NE(facts.english, nullptr);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t *>(facts.english)),
              u"lit. to guard a tree-stump, waiting for rabbits; to wait idly for opportunities; "
              u"to trust to chance rather than show initiative");
    EXPECT_EQ(facts.commonness, 54);
    EXPECT_EQ(OfferIdiomStream(QUOVANT_STREAM_ENGLISH, junk, sizeof junk), 1);
    ASSERT_EQ(GetIdiomFacts(AsLibraryText(u"守株待兔"), &facts), QUOVANT_FOUND);
    EXPECT_EQ(facts.english, nullptr) << "the offered English does not unpack";
    EXPECT_NE(facts.meaning, nullptr);
    OfferEmbeddedTexts();
    InstallPinyinTable(nullptr, 0);
    InstallIdiomTable(nullptr, 0);
}

TEST_F(Knowledge, EachFailureSaysItsCause)
{
    QuovantFacts facts{};
    EXPECT_EQ(GetIdiomFactsByRule(0x4, AsLibraryText(u"一心一意"), &facts), QUOVANT_NO_RULE);
    EXPECT_EQ(GetIdiomFactsByRule(QUOVANT_RULE_SOUND, AsLibraryText(u"一心一意"), &facts), QUOVANT_NO_READINGS)
        << "no readings were offered";
    InstallIdiomTable(nullptr, 0);
    EXPECT_EQ(GetIdiomCount(), QUOVANT_NOT_READY);
    EXPECT_EQ(GetIdiomFacts(AsLibraryText(u"一心一意"), &facts), QUOVANT_NOT_READY);
    EXPECT_EQ(GetIdiomChain(AsLibraryText(u"一心一意"), AsLibraryText(u"意气风发"), nullptr, 0, nullptr),
              QUOVANT_NOT_READY);
}

TEST_F(Knowledge, ShortestChains)
{
    EXPECT_EQ(Chain(u"甲乙之丙", u"丁卯之戊"), "甲乙之丙 丙寅之丁 丁卯之戊");
    EXPECT_EQ(Chain(u"天上人地", u"天上人地"), "天上人地") << "an idiom alone";
    EXPECT_EQ(Chain(u"天上人地", u"地下无天"), "天上人地 地下无天");
    EXPECT_EQ(Chain(u"一心一意", u"一马当先"), "一心一意 一马当先") << "through a homophone";
    EXPECT_EQ(Chain(u"丁卯之戊", u"甲乙之丙"), "result 1") << "out of reach";
    EXPECT_EQ(Chain(u"不是成语", u"也不是的"), "result 6") << "both unknown";
    EXPECT_EQ(Chain(u"一心一意", u"也不是的"), "result 4");
}

TEST_F(Knowledge, ARebuiltDictionaryIsAnalysedAnew)
{
    EXPECT_EQ(Candidates(u"地"), "地下无天");
    InstallCopy(MakeIdiomTable({u"地老天荒", u"荒无人烟"}));
    FillIdiomKeys();
    EXPECT_EQ(Candidates(u"地"), "地老天荒");
    QuovantFacts facts{};
    ASSERT_EQ(GetIdiomFacts(AsLibraryText(u"地老天荒"), &facts), QUOVANT_FOUND);
    EXPECT_EQ(facts.outcome, QUOVANT_LOSS) << "its one follower is a dead end now";
    EXPECT_EQ(facts.followers, 1u);
}

// The rules over a hand-made dictionary with a polyphonic character (行:
// háng in 行家里手, xíng elsewhere) and its homophones in several tones.
class Rules : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallCopy(MakePinyinTable({{u'三', u"san"}, {u'行', u"hang xing"}, {u'兴', u"xing"}, {u'星', u"xing"},
                                     {u'醒', u"xing"}, {u'绿', u"lu lv"}, {u'哥', u"ge"}}));
        InstallCopy(MakeIdiomTable({u"三思而行", u"行家里手", u"行云流水", u"兴高采烈", u"星火燎原", u"醒世恒言",
                                    u"行百里者半九十", u"绿水青山", u"哥哥弟弟", u"三生，有幸"}));
        FillIdiomKeys();
        OfferReadingsOf({"san1 si1 er2 xing2", "hang2 jia1 li3 shou3", "xing2 yun2 liu2 shui3",
                         "xing1 gao1 cai3 lie4", "xing1 huo3 liao2 yuan2", "xing3 shi4 heng2 yan2",
                         "xing2 bai3 li3 zhe3 ban4 jiu3 shi2", "lv4 shui3 qing1 shan1", "ge1 ge0 di4 di0",
                         "san1 sheng1 - you3 xing4"});
    }

    void TearDown() override
    {
        OfferReadings(nullptr, 0);
        InstallPinyinTable(nullptr, 0);
        InstallIdiomTable(nullptr, 0);
    }

    static std::string After(int rules, const char16_t *text)
    {
        QuovantFacts facts[16];
        const long n = GetIdiomCandidatesByRule(rules, AsLibraryText(text), nullptr, 0, facts, 16);
        if (n < 0)
            return "failed";
        std::string out;
        for (long i = 0; i < n && i < 16; ++i)
            out += (i ? " " : "") + Text(facts[i].idiom);
        return out;
    }
};

TEST_F(Rules, WhatMayFollowUnderEachRule)
{
    constexpr int CLASSIC = QUOVANT_RULE_CLASSIC, CHAR = QUOVANT_RULE_CHAR, SOUND = QUOVANT_RULE_SOUND,
                  TONE = QUOVANT_RULE_TONE, FOUR = QUOVANT_FOUR_ONLY;
    const struct {
        int rules;
        const char16_t *text;
        const char *expected;
        const char *why;
    } cases[] = {
        {CLASSIC, u"三思而行", "行家里手 行云流水 行百里者半九十", "no other character reads exactly hang xing"},
        {CHAR, u"三思而行", "行家里手 行云流水 行百里者半九十", "the same character, however read"},
        {SOUND, u"三思而行", "行云流水 行百里者半九十 兴高采烈 星火燎原 醒世恒言",
         "xíng in any tone, 行 first; 行家里手 reads háng"},
        {TONE, u"三思而行", "行云流水 行百里者半九十", "xíng in the second tone only"},
        {SOUND | FOUR, u"三思而行", "行云流水 兴高采烈 星火燎原 醒世恒言", "four characters only"},
        {CLASSIC | FOUR, u"三思而行", "行家里手 行云流水", "four characters only"},
        {SOUND, u"行", "行家里手 行云流水 行百里者半九十 兴高采烈 星火燎原 醒世恒言",
         "free text: every reading of its last character"},
        {TONE, u"行", "行家里手 行云流水 行百里者半九十 兴高采烈 星火燎原 醒世恒言", "free text: tone ignored"},
        {TONE, u"xing2", "行云流水 行百里者半九十", "a syllable with its tone"},
        {TONE, u"xǐng", "醒世恒言", "a tone mark"},
        {SOUND, u"XING3", "行云流水 兴高采烈 星火燎原 醒世恒言 行百里者半九十", "tone ignored, table order"},
        {TONE, u"ge", "哥哥弟弟", "no tone written: any"},
        {TONE, u"ge0", "", "a neutral syllable matches only a neutral one"},
        {SOUND, u"lü", "绿水青山", "ü"},
        {SOUND, u"xing2 xing", "", "not one syllable: free text, whose last character has no reading"},
        {CLASSIC, u"xing", "兴高采烈 星火燎原 醒世恒言", "under classic a reading matches a whole key"},
        {SOUND, u"三生，有幸", "行云流水 兴高采烈 星火燎原 醒世恒言 行百里者半九十",
         "its last syllable, xìng; no idiom begins with 幸, so all in table order"},
        {TONE, u"三生，有幸", "", "no idiom begins with xìng"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(After(c.rules, c.text), c.expected) << ToUtf8(c.text) << " under " << c.rules << ": " << c.why;
    EXPECT_EQ(GetIdiomCandidatesByRule(0x4, AsLibraryText(u"行"), nullptr, 0, nullptr, 0), QUOVANT_NO_RULE)
        << "no rule";
}

TEST_F(Rules, ReadingsForPeople)
{
    const struct {
        const char16_t *idiom;
        const char *reading;
    } cases[] = {
        {u"行云流水", "xíng yún liú shuǐ"}, {u"兴高采烈", "xīng gāo cǎi liè"}, {u"绿水青山", "lǜ shuǐ qīng shān"},
        {u"哥哥弟弟", "gē ge dì di"},        {u"三生，有幸", "sān shēng yǒu xìng"},
    };
    for (const auto &c : cases) {
        QuovantFacts facts{};
        ASSERT_EQ(GetIdiomFactsByRule(QUOVANT_RULE_SOUND, AsLibraryText(c.idiom), &facts), QUOVANT_FOUND);
        EXPECT_EQ(Text(facts.reading), c.reading);
    }
}

TEST_F(Rules, WithoutReadingsTheSoundRulesCannotAnswer)
{
    OfferReadings(nullptr, 0);
    EXPECT_EQ(After(QUOVANT_RULE_SOUND, u"三思而行"), "failed");
    EXPECT_EQ(After(QUOVANT_RULE_CHAR, u"三思而行"), "行家里手 行云流水 行百里者半九十");
    QuovantFacts facts{};
    ASSERT_EQ(GetIdiomFacts(AsLibraryText(u"行云流水"), &facts), QUOVANT_FOUND);
    EXPECT_EQ(facts.reading, nullptr);
}

// A small game under the char rule, worked out by hand:
//   甲一二乙 (甲 → 乙)   乙三四甲 (乙 → 甲)   甲五六丙 (甲 → 丙)   丙七八丁 (丙 → 丁, a dead end)
// With repeats allowed, 甲一二乙 and 乙三四甲 can go round for ever (a draw).
// Without them: after 乙三四甲 the opponent plays 甲一二乙 and leaves the
// player nothing; after 甲一二乙 the opponent plays 乙三四甲, the player
// must play 甲五六丙, and the opponent ends with 丙七八丁: both lose.
class Game : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallCopy(MakePinyinTable({}));
        InstallCopy(MakeIdiomTable({u"甲一二乙", u"乙三四甲", u"甲五六丙", u"丙七八丁"}));
        FillIdiomKeys();
    }

    void TearDown() override
    {
        InstallPinyinTable(nullptr, 0);
        InstallIdiomTable(nullptr, 0);
    }

    // Each candidate after `text` with `played` gone: "idiom followers outcome[!]", ! for proven.
    static std::string After(const char16_t *text, std::vector<const QuovantChar *> played = {})
    {
        QuovantFacts facts[8];
        const long n = GetIdiomCandidatesByRule(QUOVANT_RULE_CHAR, AsLibraryText(text), played.data(), played.size(),
                                                facts, 8);
        std::string out;
        for (long i = 0; i < n && i < 8; ++i)
            out += (i ? ", " : "") + Text(facts[i].idiom) + " " + std::to_string(facts[i].followers) + " " +
                   std::to_string(facts[i].outcome) + (facts[i].proven ? "!" : "");
        return out;
    }
};

TEST_F(Game, TheGuideAllowsRepeatsTheProofDoesNot)
{
    QuovantFacts facts{};
    ASSERT_EQ(GetIdiomFactsAtByRule(QUOVANT_RULE_CHAR, 0, &facts), QUOVANT_FOUND);
    EXPECT_EQ(Text(facts.idiom), "甲一二乙");
    EXPECT_EQ(facts.outcome, QUOVANT_DRAW) << "the guide: round for ever";
    EXPECT_EQ(facts.proven, 0);
    EXPECT_EQ(After(u"丁甲"), "甲一二乙 1 -1!, 甲五六丙 1 -1!");
    EXPECT_EQ(After(u"丁乙"), "乙三四甲 2 -1!");
    EXPECT_EQ(After(u"丁丙"), "丙七八丁 0 1!") << "a dead end wins at once";
}

TEST_F(Game, ThePlayedIdiomsAreOutOfTheGame)
{
    const QuovantChar *first = AsLibraryText(u"甲一二乙"), *second = AsLibraryText(u"甲五六丙");
    EXPECT_EQ(After(u"丁甲", {first}), "甲五六丙 1 -1!");
    EXPECT_EQ(After(u"丁乙", {first}), "乙三四甲 1 1!") << "甲五六丙 is all the opponent has left, and it loses";
    EXPECT_EQ(After(u"丁乙", {second}), "乙三四甲 1 -1!") << "then 甲一二乙 leaves the player nothing";
    EXPECT_EQ(After(u"丁乙", {first, second}), "乙三四甲 0 1!") << "a dead end now";
}

// What a thread asks of the knowledge, starting with a different function
// in each thread so that every first use races with the others.
std::string AskAll(int first)
{
    std::string answers[4];
    for (int i = 0; i < 4; ++i) {
        const int which = (first + i) % 4;
        QuovantFacts facts{};
        const QuovantChar *chain[8] = {};
        std::size_t length = 0;
        switch (which) {
        case 0:
            if (GetIdiomFacts(AsLibraryText(u"一心一意"), &facts) == QUOVANT_FOUND)
                answers[0] = std::to_string(facts.followers) + " " + std::to_string(facts.outcome) + " " +
                             (facts.meaning != nullptr ? Text(facts.meaning) : "-");
            break;
        case 1:
            answers[1] = std::to_string(GetIdiomCandidates(AsLibraryText(u"一心一意"), nullptr, 0, nullptr, 0));
            break;
        case 2:
            if (GetIdiomChain(AsLibraryText(u"一心一意"), AsLibraryText(u"做贼心虚"), chain, 8, &length) ==
                QUOVANT_FOUND)
                for (std::size_t k = 0; k < length && k < 8; ++k)
                    answers[2] += (k ? " " : "") + Text(chain[k]);
            break;
        default:
            // The meanings, and the readings under the sound rule (whose
            // analysis is built at once by another thread's question).
            answers[3] = std::to_string(HasIdiomMeanings()) + " ";
            answers[3] += GetIdiomFactsByRule(QUOVANT_RULE_SOUND, AsLibraryText(u"一心一意"), &facts) == QUOVANT_FOUND
                              ? Text(facts.reading)
                              : "no readings";
        }
    }
    return answers[0] + " | " + answers[1] + " | " + answers[2] + " | " + answers[3];
}

// Starts `count` threads at once right after a dictionary was installed;
// what each of them was answered.
std::vector<std::string> AskFromThreads(int count)
{
    // A gate of a mutex and a condition variable, not std::latch: MinGW's
    // libstdc++ waits on atomics with a wake-up that can be lost, and under
    // Wine one run in some tens then never ended.
    std::mutex lock;
    std::condition_variable opened;
    int waiting = count;
    std::vector<std::string> seen(static_cast<std::size_t>(count));
    std::vector<std::thread> threads;
    for (int t = 0; t < count; ++t)
        threads.emplace_back([&, t] {
            {
                std::unique_lock<std::mutex> held(lock);
                if (--waiting == 0)
                    opened.notify_all();
                else
                    opened.wait(held, [&] { return waiting == 0; });
            }
            seen[static_cast<std::size_t>(t)] = AskAll(t);
        });
    for (std::thread &t : threads)
        t.join();
    return seen;
}

TEST(KnowledgeThreads, ManyThreadsAskAtOnceWhateverTheDictionary)
{
    const std::string real = std::to_string(YI_FOLLOWERS) + " -1 " + YI_MEANING + " | " +
                             std::to_string(YI_FOLLOWERS) + " | " + YI_TO_ZUO + " | 1 yī xīn yī yì";
    // The hand-made dictionary has no meanings, no readings and no 做贼心虚.
    const std::string handMade = "3 -1 - | 3 |  | 0 no readings";
    for (const bool isReal : {true, false, true}) {
        if (isReal) {
            ASSERT_NE(LoadPinyinTable(), 0);
            ASSERT_NE(LoadIdiomTable(), 0);
            OfferEmbeddedTexts();
            OfferEmbeddedReadings();
            OfferEmbeddedCommonness();
        } else {
            InstallHandMade();
        }
        for (const std::string &answer : AskFromThreads(4))
            EXPECT_EQ(answer, isReal ? real : handMade);
    }
    InstallPinyinTable(nullptr, 0);
    InstallIdiomTable(nullptr, 0);
}

}  // namespace
