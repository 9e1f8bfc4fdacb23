// The rule of what may follow a text, over a hand-made dictionary: the order
// in which a follow group lists its idioms, and the identity that tells when
// two groups hold the same idioms (the analysis counts each set once); and
// which idioms the four-character switch keeps.
#include <gtest/gtest.h>

#include <utility>

#include "index.h"
#include "rule.h"
#include "support.h"

namespace {

constexpr int CLASSIC = QUOVANT_RULE_CLASSIC;

class RuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallCopy(MakePinyinTable({{u'一', u"yi"}, {u'意', u"yi"}, {u'乙', u"yi"}, {u'亿', u"yi"},
                                     {u'和', u"he hu huo"}, {u'诃', u"he"}}));
        InstallCopy(MakeIdiomTable({u"意气风发", u"一心一意", u"乙丙丁戊", u"囧囧有神", u"和风细雨", u"一心一意"}));
        FillIdiomKeys();
        ASSERT_TRUE(EnsureIdiomIndex());
    }

    void TearDown() override
    {
        InstallPinyinTable(nullptr, 0);
        InstallIdiomTable(nullptr, 0);
    }

    // The idioms of a group in its order, separated by spaces.
    static std::string Listed(const FollowGroup &group)
    {
        std::string out;
        ForEachFollower(group, [&out](std::uint32_t entry) {
            out += (out.empty() ? "" : " ") + ToUtf8(g_idiomTable.entries[entry].text);
            return true;
        });
        return out;
    }
};

TEST_F(RuleTest, HomophonesHoldTheSameIdiomsEachInItsOwnOrder)
{
    const FollowGroup afterYi = FollowGroupOf(CLASSIC, u"一");
    const FollowGroup afterYiIdea = FollowGroupOf(CLASSIC, u"一心一意");
    const FollowGroup reading = FollowGroupOf(CLASSIC, u"yi");
    const FollowGroup noIdiomOfItsOwn = FollowGroupOf(CLASSIC, u"亿");
    EXPECT_EQ(Listed(afterYi), "一心一意 一心一意 意气风发 乙丙丁戊") << "its own idioms first, each entry";
    EXPECT_EQ(Listed(afterYiIdea), "意气风发 一心一意 乙丙丁戊 一心一意");
    EXPECT_EQ(Listed(reading), "意气风发 一心一意 乙丙丁戊 一心一意") << "a reading: table order";
    EXPECT_EQ(Listed(noIdiomOfItsOwn), "意气风发 一心一意 乙丙丁戊 一心一意");
    for (const FollowGroup &g : {afterYiIdea, reading, noIdiomOfItsOwn})
        EXPECT_EQ(IdentityOf(g), IdentityOf(afterYi)) << "the same idioms";
    EXPECT_EQ(IdentityOf(FollowGroupOfIdiom(CLASSIC, 1)), IdentityOf(afterYi)) << "an idiom's group is its last character's";
}

TEST_F(RuleTest, OtherGroupsAreTheirOwn)
{
    const FollowGroup noReadings = FollowGroupOf(CLASSIC, u"囧");
    const FollowGroup multiple = FollowGroupOf(CLASSIC, u"和");
    const FollowGroup none = FollowGroupOf(CLASSIC, u"诃");  // readings no idiom begins with
    EXPECT_EQ(Listed(noReadings), "囧囧有神") << "no readings: its own idioms alone";
    EXPECT_EQ(Listed(multiple), "和风细雨");
    EXPECT_EQ(Listed(FollowGroupOf(CLASSIC, u"he")), "") << "a reading matches a whole key only";
    EXPECT_EQ(Listed(none), "");
    EXPECT_NE(IdentityOf(noReadings), IdentityOf(multiple));
    EXPECT_NE(IdentityOf(noReadings), IdentityOf(FollowGroupOf(CLASSIC, u"一")));
    for (const char16_t *empty : {u"", u"abc", u"发", u"yiyiyiyiyiyiyiyi"})
        EXPECT_EQ(IdentityOf(FollowGroupOf(CLASSIC, empty)), IdentityOf(none)) << ToUtf8(empty) << ": followed by nothing";
}

TEST(FourCharacters, OnlyFourUnitsThenTheTerminator)
{
    const std::pair<const char16_t *, bool> cases[] = {
        {u"", false}, {u"一心一", false}, {u"一心一意", true}, {u"一心一意一", false},
        {u"一心一意一心一意一心一意一心", false}};
    for (const auto &[text, four] : cases)
        EXPECT_EQ(QuovantIsFourCharacters(reinterpret_cast<const QuovantChar *>(text)) != 0, four) << ToUtf8(text);
}

}  // namespace
